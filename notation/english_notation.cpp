#include "notation/english_notation.h"

#include <cstdlib>

#include "engine/constants.h"

namespace fudo {

std::string 駒_英語(int code) {
    switch (std::abs(code)) {
    case HU: return "P";
    case HU_NARI: return "+P";
    case KYOU: return "L";
    case KYOU_NARI: return "+L";
    case KEI: return "N";
    case KEI_NARI: return "+N";
    case GIN: return "S";
    case GIN_NARI: return "+S";
    case KIN: return "G";
    case KAKU: return "B";
    case KAKU_NARI: return "+B";
    case SYA: return "R";
    case SYA_NARI: return "+R";
    case OU: return "K";
    default: return "?";
    }
}

std::string 升_英語(int 筋, int 段) {
    if (筋 < 1 || 筋 > 9 || 段 < 1 || 段 > 9) return "??";
    return {static_cast<char>('0' + 筋), static_cast<char>('a' + 段 - 1)};
}

std::string 表記_英語(const 英語の手& m) {
    std::string t = 駒_英語(m.駒);
    if (m.打) return t + "*" + 升_英語(m.先筋, m.先段);
    t += 升_英語(m.元筋, m.元段);
    t += m.取り ? 'x' : '-';
    t += 升_英語(m.先筋, m.先段);
    if (m.成り) t += '+';
    else if (m.不成) t += '=';
    return t;
}

}  // namespace fudo
