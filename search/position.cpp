#include "search/position.h"

#include "engine/game.h"
#include "search/attack_tables.h"

namespace fudo::search {

namespace {

std::uint64_t splitmix(std::uint64_t& s) {
    std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

Zobrist makeZobrist() {
    Zobrist z{};
    std::uint64_t seed = 0x5EED0F0D0F00D5ull;
    for (auto& row : z.psq)
        for (auto& k : row) k = splitmix(seed);
    for (auto& row : z.hand)
        for (auto& k : row) k = splitmix(seed);
    z.side = splitmix(seed) | 1;
    return z;
}

constexpr int kSign[2] = {+1, -1};  // material is kept from the lower army's view

const char kLetters[TypeCount] = {0, 'P', 'L', 'N', 'S', 'G', 'B', 'R', 'K', 'P', 'L', 'N', 'S', 'B', 'R'};

}  // namespace

const Zobrist kZobrist = makeZobrist();
MaterialValues gMaterial = {
    {0, 90, 300, 380, 480, 540, 800, 950, 0, 540, 540, 540, 540, 1000, 1200},
    {0, 100, 330, 420, 550, 620, 880, 1050},
};

int gameCode(Piece p) {
    static constexpr int kCodes[TypeCount] = {0,    HU,     KYOU,      KEI,      GIN,       KIN,       KAKU,     SYA,
                                              OU,   HU_NARI, KYOU_NARI, KEI_NARI, GIN_NARI, KAKU_NARI, SYA_NARI};
    if (p == Empty || p == Wall) return 0;
    const int c = kCodes[typeOf(p)];
    return colorOf(p) == Upper ? c : -c;
}

Piece pieceOfCode(int code) {
    const Color c = code > 0 ? Upper : Lower;
    switch (code < 0 ? -code : code) {
    case HU: return makePiece(c, Pawn);
    case KYOU: return makePiece(c, Lance);
    case KEI: return makePiece(c, Knight);
    case GIN: return makePiece(c, Silver);
    case KIN: return makePiece(c, Gold);
    case KAKU: return makePiece(c, Bishop);
    case SYA: return makePiece(c, Rook);
    case OU: return makePiece(c, King);
    case HU_NARI: return makePiece(c, ProPawn);
    case KYOU_NARI: return makePiece(c, ProLance);
    case KEI_NARI: return makePiece(c, ProKnight);
    case GIN_NARI: return makePiece(c, ProSilver);
    case KAKU_NARI: return makePiece(c, Horse);
    case SYA_NARI: return makePiece(c, Dragon);
    default: return Empty;
    }
}

Snapshot snapshotOf(const Game& g, Color toMove) {
    Snapshot s;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) s.ban[x][y] = g.BAN(x, y);
    s.sitaMochi = g.SITA_MOCHI;
    s.ueMochi = g.UE_MOCHI;
    s.toMove = toMove;
    s.movesPlayed = g.KIFU_NOW;
    s.upperMateEndsGame = g.TAIKYOKU_MODE == MODE_COM;
    return s;
}

bool Position::set(const Snapshot& s) {
    board_.fill(Wall);
    hand_ = {};
    king_ = {NoSquare, NoSquare};
    pawnFiles_ = {};
    pawnCount_ = {};
    key_ = 0;
    handKey_ = 0;
    material_ = 0;
    side_ = s.toMove;
    movesPlayed_ = s.movesPlayed;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) board_[square(x, y)] = Empty;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int code = s.ban[x][y];
            if (code == 0) continue;
            const Piece p = pieceOfCode(code);
            if (p == Empty) return false;
            if (typeOf(p) == King) {
                if (king_[colorOf(p)] != NoSquare) return false;
                king_[colorOf(p)] = square(x, y);
            }
            put(square(x, y), p);
        }
    }
    if (king_[Lower] == NoSquare || king_[Upper] == NoSquare) return false;
    const MaterialValues& mv = materialValues();
    for (int t = Pawn; t <= Rook; ++t) {
        const int n[2] = {s.sitaMochi[t], s.ueMochi[t]};
        for (int c = 0; c < 2; ++c) {
            if (n[c] < 0 || n[c] > 18) return false;
            hand_[c][t] = n[c];
            handKey_ += zobrist().hand[c][t] * std::uint64_t(n[c]);
            material_ += kSign[c] * mv.hand[t] * n[c];
        }
    }
    if (side_ == Upper) key_ ^= zobrist().side;
    return true;
}

void Position::put(Square s, Piece p) {
    board_[s] = p;
    const Color c = colorOf(p);
    key_ ^= zobrist().psq[p][s];
    material_ += kSign[c] * materialValues().board[typeOf(p)];
    if (typeOf(p) == Pawn && ++pawnCount_[c][fileOf(s)] == 1) pawnFiles_[c] |= 1u << fileOf(s);
}

void Position::remove(Square s) {
    const Piece p = board_[s];
    board_[s] = Empty;
    const Color c = colorOf(p);
    key_ ^= zobrist().psq[p][s];
    material_ -= kSign[c] * materialValues().board[typeOf(p)];
    if (typeOf(p) == Pawn && --pawnCount_[c][fileOf(s)] == 0) pawnFiles_[c] &= ~(1u << fileOf(s));
}

void Position::make(Move m, Undo& u) {
    u.key = key_;
    u.handKey = handKey_;
    u.material = material_;
    const Square to = toOf(m);
    const MaterialValues& mv = materialValues();
    if (isDrop(m)) {
        const int t = dropTypeOf(m);
        u.captured = Empty;
        --hand_[side_][t];
        handKey_ -= zobrist().hand[side_][t];
        material_ -= kSign[side_] * mv.hand[t];
        put(to, makePiece(side_, t));
    } else {
        const Square from = fromOf(m);
        const Piece p = board_[from];
        const Piece cap = board_[to];
        u.captured = cap;
        if (cap != Empty) {
            remove(to);
            const int t = unpromoted(typeOf(cap));
            if (t != King) {
                ++hand_[side_][t];
                handKey_ += zobrist().hand[side_][t];
                material_ += kSign[side_] * mv.hand[t];
            }
        }
        remove(from);
        put(to, isPromotion(m) ? makePiece(side_, promoted(typeOf(p))) : p);
    }
    side_ = ~side_;
    key_ ^= zobrist().side;
    ++movesPlayed_;
}

void Position::unmake(Move m, const Undo& u) {
    side_ = ~side_;
    --movesPlayed_;
    const Square to = toOf(m);
    if (isDrop(m)) {
        const int t = dropTypeOf(m);
        remove(to);
        ++hand_[side_][t];
    } else {
        const Square from = fromOf(m);
        const Piece moved = board_[to];
        remove(to);
        put(from, isPromotion(m) ? makePiece(side_, unpromoted(typeOf(moved))) : moved);
        if (u.captured != Empty) {
            put(to, u.captured);
            const int t = unpromoted(typeOf(u.captured));
            if (t != King) --hand_[side_][t];
        }
    }
    key_ = u.key;
    handKey_ = u.handKey;
    material_ = u.material;
}

void Position::flipSide() {
    side_ = ~side_;
    key_ ^= zobrist().side;
}

bool Position::attacked(Square s, Color by) const {
    const AttackTables& at = attackTables();
    // Knights first: two squares only.
    for (int d : at.knightFrom[by])
        if (board_[s + d] == makePiece(by, Knight)) return true;
    for (int i = 0; i < 8; ++i) {
        const int d = Directions[i];
        Square t = s + d;
        Piece p = board_[t];
        if (p == Wall) continue;
        if (p != Empty) {
            if (colorOf(p) == by && at.dir[p][i] != 0) return true;
            continue;
        }
        for (t += d; (p = board_[t]) == Empty; t += d) {
        }
        if (p != Wall && colorOf(p) == by && (at.dir[p][i] & SlideAttack)) return true;
    }
    return false;
}

void Position::attackCounts(Square s, int count[2]) const {
    const AttackTables& at = attackTables();
    count[0] = count[1] = 0;
    for (int c = 0; c < 2; ++c)
        for (int d : at.knightFrom[c])
            if (board_[s + d] == makePiece(Color(c), Knight)) ++count[c];
    for (int i = 0; i < 8; ++i) {
        const int d = Directions[i];
        Square t = s + d;
        Piece p = board_[t];
        if (p == Wall) continue;
        if (p != Empty) {
            if (at.dir[p][i] != 0) ++count[colorOf(p)];
            continue;
        }
        for (t += d; (p = board_[t]) == Empty; t += d) {
        }
        if (p != Wall && (at.dir[p][i] & SlideAttack)) ++count[colorOf(p)];
    }
}

std::uint64_t Position::computeKey() const {
    std::uint64_t k = 0, h = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (const Piece p = board_[square(x, y)]; p != Empty) k ^= zobrist().psq[p][square(x, y)];
    for (int c = 0; c < 2; ++c)
        for (int t = Pawn; t <= Rook; ++t) h += zobrist().hand[c][t] * std::uint64_t(hand_[c][t]);
    if (side_ == Upper) k ^= zobrist().side;
    return k + h;
}

bool Position::consistent() const {
    int material = 0;
    std::array<std::uint32_t, 2> files{};
    int kings[2] = {0, 0};
    const MaterialValues& mv = materialValues();
    for (Square s = 0; s < SquareCount; ++s) {
        const int x = fileOf(s), y = rowOf(s);
        const bool inside = x >= 1 && x <= 9 && y >= 1 && y <= 9;
        const Piece p = board_[s];
        if (!inside) {
            if (p != Wall) return false;
            continue;
        }
        if (p == Empty) continue;
        if (p == Wall || typeOf(p) == NoType || typeOf(p) >= TypeCount) return false;
        material += kSign[colorOf(p)] * mv.board[typeOf(p)];
        if (typeOf(p) == Pawn) files[colorOf(p)] |= 1u << x;
        if (typeOf(p) == King) {
            ++kings[colorOf(p)];
            if (king_[colorOf(p)] != s) return false;
        }
    }
    for (int c = 0; c < 2; ++c)
        for (int t = Pawn; t <= Rook; ++t) {
            if (hand_[c][t] < 0) return false;
            material += kSign[c] * mv.hand[t] * hand_[c][t];
        }
    return kings[0] == 1 && kings[1] == 1 && files == pawnFiles_ && material == material_ && computeKey() == key();
}

Snapshot Position::snapshot() const {
    Snapshot s;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) s.ban[x][y] = gameCode(board_[square(x, y)]);
    for (int t = Pawn; t <= Rook; ++t) {
        s.sitaMochi[t] = hand_[Lower][t];
        s.ueMochi[t] = hand_[Upper][t];
    }
    s.toMove = side_;
    s.movesPlayed = movesPlayed_;
    return s;
}

std::string Position::sfen() const {
    std::string out;
    for (int y = 1; y <= 9; ++y) {
        int empty = 0;
        for (int x = 1; x <= 9; ++x) {
            const Piece p = board_[square(x, y)];
            if (p == Empty) {
                ++empty;
                continue;
            }
            if (empty) out += char('0' + empty), empty = 0;
            if (typeOf(p) >= ProPawn) out += '+';
            const char letter = kLetters[typeOf(p)];
            out += colorOf(p) == Lower ? letter : char(letter - 'A' + 'a');
        }
        if (empty) out += char('0' + empty);
        if (y < 9) out += '/';
    }
    out += side_ == Lower ? " b " : " w ";
    std::string hands;
    static constexpr int kOrder[7] = {Rook, Bishop, Gold, Silver, Knight, Lance, Pawn};
    for (int c = 0; c < 2; ++c)
        for (int t : kOrder) {
            const int n = hand_[c][t];
            if (n == 0) continue;
            if (n > 1) hands += std::to_string(n);
            hands += c == Lower ? kLetters[t] : char(kLetters[t] - 'A' + 'a');
        }
    out += hands.empty() ? "-" : hands;
    out += ' ';
    out += std::to_string(movesPlayed_ + 1);
    return out;
}

}  // namespace fudo::search
