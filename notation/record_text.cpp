#include "notation/record_text.h"

#include "engine/constants.h"
#include "files/sjis.h"
#include "notation/game_record.h"

namespace fudo {

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool 正しいUTF8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int n = 0;
        unsigned min = 0, cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(n) >= s.size()) return false;
        for (int k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(n) + 1;
    }
    return true;
}

}  // namespace

namespace {

// How much a decoding looks like a record: the words every KIF and CSA header or move holds.
int 記録らしさ(std::string_view text) {
    int n = 0;
    for (std::string_view w : {"手合割", "手数", "先手", "後手", "下手", "上手", "開始日時", "棋戦", "投了", "まで",
                               "歩", "同"}) {
        for (std::size_t at = text.find(w); at != std::string_view::npos; at = text.find(w, at + w.size())) ++n;
    }
    return n;
}

// Line ends are LF alone from here on: CR LF, CR CR LF and stray CRs lose their CRs.
std::string CRなし(std::string text) {
    std::erase(text, '\r');
    return text;
}

bool 制御文字あり(std::string_view text) {
    for (unsigned char c : text)
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) return true;
    return false;
}

}  // namespace

std::optional<std::string> 復号_記録(std::string_view bytes, std::string& reason) {
    if (bytes.size() > 記録ファイル最大) {
        reason = "ファイルが大きすぎます";
        return std::nullopt;
    }
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        auto text = 変換_UTF8へ(bytes, "UTF-16");
        if (!text) {
            reason = "UTF-16 として読めない文字があります";
            return std::nullopt;
        }
        if (text->starts_with("\xEF\xBB\xBF")) text->erase(0, 3);
        if (制御文字あり(*text)) {
            reason = "文字でないデータがあります";
            return std::nullopt;
        }
        return CRなし(std::move(*text));
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (制御文字あり(bytes)) {
        reason = "文字でないデータがあります";
        return std::nullopt;
    }
    if (正しいUTF8(bytes)) return CRなし(std::string(bytes));
    // Shift_JIS and EUC-JP bytes often decode both ways: the one that reads as a record wins.
    auto sjis = 変換_SJISからUTF8(bytes);
    auto euc = 変換_UTF8へ(bytes, "EUC-JP");
    if (sjis && euc) return CRなし(std::move(記録らしさ(*euc) > 記録らしさ(*sjis) ? *euc : *sjis));
    if (sjis) return CRなし(std::move(*sjis));
    if (euc) return CRなし(std::move(*euc));
    reason = "文字コードが Shift_JIS、EUC-JP、UTF-8、UTF-16 のどれでもありません";
    return std::nullopt;
}

std::vector<std::string_view> 分割_行(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view l = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        // CR LF, and the CR CR LF of some writers.
        while (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        lines.push_back(l);
    }
    return lines;
}

int 表示幅(std::string_view utf8) {
    int w = 0;
    for (unsigned char c : utf8) {
        if (c < 0x80) w += 1;
        else if ((c & 0xC0) != 0x80) w += 2;
    }
    return w;
}

const char* 一字駒名(int code) {
    switch (code < 0 ? -code : code) {
    case HU: return "歩";
    case HU_NARI: return "と";
    case KYOU: return "香";
    case KYOU_NARI: return "杏";
    case KEI: return "桂";
    case KEI_NARI: return "圭";
    case GIN: return "銀";
    case GIN_NARI: return "全";
    case KIN: return "金";
    case KAKU: return "角";
    case KAKU_NARI: return "馬";
    case SYA: return "飛";
    case SYA_NARI: return "龍";
    case OU: return "玉";
    default: return "・";
    }
}

}  // namespace fudo
