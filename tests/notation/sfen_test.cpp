// SFEN positions and USI moves.
#include <gtest/gtest.h>

#include "cli/headless.h"
#include "notation/sfen.h"

namespace fudo::cli {
namespace {

TEST(Sfen, PiecesSidesSquaresAndHands) {
    Position p;
    std::string error;
    ASSERT_TRUE(parseSfen("lnsgk2nl/1r4+Bb1/p8/9/9/9/P8/7R1/LNSGK2+pL w 2Pg3p 12", p, error)) << error;
    EXPECT_EQ(p.ban[1][1], KYOU) << "lowercase is the upper side, file 9 is x = 1";
    EXPECT_EQ(p.ban[5][1], OU);
    EXPECT_EQ(p.ban[2][2], SYA);
    EXPECT_EQ(p.ban[7][2], -KAKU_NARI) << "'+' promotes, uppercase is the lower side";
    EXPECT_EQ(p.ban[8][2], KAKU);
    EXPECT_EQ(p.ban[1][3], HU);
    EXPECT_EQ(p.ban[1][7], -HU);
    EXPECT_EQ(p.ban[8][8], -SYA);
    EXPECT_EQ(p.ban[8][9], HU_NARI);
    EXPECT_EQ(p.ban[9][9], -KYOU);
    EXPECT_EQ(p.sitaOuX, 5);
    EXPECT_EQ(p.sitaOuY, 9);
    EXPECT_EQ(p.ueOuX, 5);
    EXPECT_EQ(p.ueOuY, 1);
    EXPECT_EQ(p.sitaMochi[1], 2);
    EXPECT_EQ(p.ueMochi[5], 1);
    EXPECT_EQ(p.ueMochi[1], 3);
}

TEST(Sfen, WritesWhatItReads) {
    for (const char* s : {"lnsgk2nl/1r4+Bb1/p8/9/9/9/P8/7R1/LNSGK2+pL w 2Pg3p 12",
                          "4k4/9/9/9/9/9/9/9/4K4 w - 1",
                          "8k/9/9/9/9/9/9/9/K8 w RBGSNLP2rb2g2s2n2l16p 1"}) {
        Position p;
        std::string error;
        ASSERT_TRUE(parseSfen(s, p, error)) << s << ": " << error;
        auto h = headlessAt(p, 3);
        const std::string back = toSfen(h->game, 'w', std::stoi(std::string(s).substr(std::string(s).rfind(' ') + 1)));
        EXPECT_EQ(back, s);
    }
}

// A set holds 18 pawns, 4 each of lances, knights, silvers and golds, 2 bishops and 2 rooks:
// a position with more, counting promoted pieces and both hands, is read but refused for
// play by its count, whatever the kings stand.
TEST(Sfen, PieceCountsBeyondTheSetAreNamed) {
    const std::string start = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b ";
    struct Case {
        std::string sfen;
        const char* named;  // empty: within the set
    };
    const Case cases[] = {
        {start + "- 1", ""},
        {start + "P 1", "19 pawns"},
        {"4k4/9/9/9/9/9/9/9/4K4 w 39p 1", "39 pawns"},
        {"4k4/9/9/9/9/9/9/9/4K4 w 18p 1", ""},
        {"4k4/9/9/9/9/9/9/9/4K4 w 9P9p 1", ""},
        {"4k4/9/9/9/9/9/9/9/4K4 w 10P9p 1", "19 pawns"},
        // Promoted pieces are pieces of the set too.
        {"lnsgkgsnl/1r5b1/+ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", ""},
        {"lnsgkgsnl/1r5b1/+ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b p 1", "19 pawns"},
        {"4k4/9/9/9/9/9/9/9/+R3K4 w 2r 1", "3 rooks"},
        {"4k4/9/9/9/9/9/9/9/+B3K4 w Bb 1", "3 bishops"},
        {"4k4/9/9/9/9/9/9/9/4K4 w 2G3g 1", "5 golds"},
        {"4k4/9/9/9/9/9/9/9/+S3K4 w 4s 1", "5 silvers"},
        {"4k4/9/9/9/9/9/9/9/+N3K4 w 4n 1", "5 knights"},
        {"4k4/9/9/9/9/9/9/9/+L3K4 w 2L2l 1", "5 lances"},
        {"4k4/9/9/9/9/9/9/9/4K4 w 2R2B4G4S4N4L18P 1", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sfen);
        Position p;
        std::string error;
        ASSERT_TRUE(parseSfen(c.sfen, p, error)) << error;
        const bool ok = checkPieceCounts(p, error);
        EXPECT_EQ(ok, *c.named == '\0') << error;
        if (*c.named) {
            EXPECT_NE(error.find(c.named), std::string::npos) << error;
            EXPECT_EQ(error.find("king"), std::string::npos) << error;
        }
    }
}

TEST(Sfen, TakesTheFieldsSeparatelyAndTheBoardAlone) {
    Position p;
    std::string error;
    EXPECT_TRUE(parseSfen("sfen 4k4/9/9/9/9/9/9/9/4K4 b - 1", p, error)) << error;
    EXPECT_TRUE(parseSfen("  4k4/9/9/9/9/9/9/9/4K4  ", p, error)) << error;
}

TEST(Sfen, RefusesMalformedPositionsWithAReason) {
    const char* bad[] = {
        "",
        "4k4/9/9/9/9/9/9/9",                 // eight ranks
        "4k4/9/9/9/9/9/9/9/4K4/9",           // ten ranks
        "4k5/9/9/9/9/9/9/9/4K4",             // ten squares
        "4k3/9/9/9/9/9/9/9/4K4",             // eight squares
        "4k4/9/9/9/9/9/9/9/4K3+",            // dangling '+'
        "4k4/9/9/9/9/9/9/9/3+GK4",           // a gold cannot promote
        "4k4/9/9/9/9/9/9/9/3+KK3",           // nor a king
        "4k4/9/9/9/9/9/9/9/4X4",             // unknown letter
        "9/9/9/9/9/9/9/9/4K4",               // no upper king
        "4k4/9/9/9/9/9/9/9/9",               // no lower king
        "4k4/9/9/9/9/9/9/9/3KK4",            // two lower kings
        "4k4/9/9/9/9/9/9/9/4K4 x - 1",       // side to move
        "4k4/9/9/9/9/9/9/9/4K4 w 2 1",       // count without a piece
        "4k4/9/9/9/9/9/9/9/4K4 w 0P 1",      // zero count
        "4k4/9/9/9/9/9/9/9/4K4 w K 1",       // a king in hand
        "4k4/9/9/9/9/9/9/9/4K4 w 999P 1",    // absurd count
        "4k4/9/9/9/9/9/9/9/4K4 w - x",       // move number
        "4k4/9/9/9/9/9/9/9/4K4 w - 1 extra", // too many fields
        "4k4/9/9/9/0/9/9/9/4K4",             // digit 0
    };
    for (const char* s : bad) {
        Position p;
        std::string error;
        EXPECT_FALSE(parseSfen(s, p, error)) << "accepted: " << s;
        EXPECT_FALSE(error.empty()) << s;
        EXPECT_EQ(error.find('\n'), std::string::npos) << s;
    }
}

TEST(Usi, BoardMovesPromotionsAndDrops) {
    EXPECT_EQ(usiMove({3, 7, 3, 6, -HU, -HU}), "7g7f");
    EXPECT_EQ(usiMove({2, 3, 2, 7, SYA, SYA_NARI}), "8c8g+");
    EXPECT_EQ(usiMove({5, 1, 4, 1, OU, OU}), "5a6a");
    EXPECT_EQ(usiMove({-1, 1, 5, 5, HU, HU}), "P*5e");
    EXPECT_EQ(usiMove({-1, 7, 9, 9, SYA, SYA}), "R*1i");
    EXPECT_EQ(usiMove({-1, 3, 1, 1, KEI, KEI}), "N*9a");
}

}  // namespace
}  // namespace fudo::cli
