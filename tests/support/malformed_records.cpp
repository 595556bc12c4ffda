#include "tests/support/malformed_records.h"

#include "engine/constants.h"
#include "notation/game_record.h"

namespace fudo::test {

namespace {

std::string kifWith(const std::string& moves, const std::string& header = "手合割：平手\r\n") {
    return header + "手数----指手---------消費時間--\r\n" + moves;
}

}  // namespace

std::vector<MalformedRecord> malformedRecords() {
    const std::string ok1 = "   1 ７六歩(77)   ( 0:01/00:00:01)\r\n";
    std::string manyMoves;
    for (int i = 1; i <= KIFU_MAX + 1; ++i) {
        const bool lower = i % 2 == 1, out = ((i - 1) / 2) % 2 == 0;
        manyMoves += std::to_string(i) + (lower ? (out ? " ３八飛(28)\r\n" : " ２八飛(38)\r\n")
                                                : (out ? " ７二飛(82)\r\n" : " ８二飛(72)\r\n"));
    }
    const std::string diagramTop =
        "  ９ ８ ７ ６ ５ ４ ３ ２ １\r\n+---------------------------+\r\n"
        "|v香v桂v銀v金v玉v金v銀v桂v香|一\r\n| ・v飛 ・ ・ ・ ・ ・v角 ・|二\r\n"
        "|v歩v歩v歩v歩v歩v歩v歩v歩v歩|三\r\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\r\n"
        "| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\r\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\r\n"
        "| 歩 歩 歩 歩 歩 歩 歩 歩 歩|七\r\n| ・ 角 ・ ・ ・ ・ ・ 飛 ・|八\r\n";
    const std::string csaHead = "V2.2\r\nPI\r\n+\r\n";
    return {
        {false, "", "指し手がありません"},
        {false, "メモ：次の対局は土曜\r\n", "指し手がありません"},
        {false, kifWith(ok1 + "   3 ３四歩(33)\r\n"), "手数が続いていません"},
        {false, kifWith("   1 ７五歩(77)\r\n"), "1手目(3行目): その駒はそこへ動けません"},
        {false, kifWith("   1 ７六飛(77)\r\n"), "駒の種類が盤の駒と合いません"},
        {false, kifWith("   1 ７六歩(75)\r\n"), "移動元に手番の駒がありません"},
        {false, kifWith(ok1 + "   2 ７七歩(73)\r\n"), "2手目"},
        {false, kifWith("   1 ５五角打\r\n"), "持駒にない駒を打っています"},
        {false, kifWith("   1 同　歩(77)\r\n"), "「同」の前に指し手がありません"},
        {false, kifWith("   1 ７六象(77)\r\n"), "駒の名前が読めません"},
        {false, kifWith("   1 ０六歩(77)\r\n"), "指し手が読めません"},
        {false, kifWith("   1 ７六歩(77)   ( 0:0"), "消費時間が読めません"},
        {false, kifWith("   1 ５八金成(49)\r\n"), "成れない駒が成っています"},
        {false, kifWith("   1 ７六歩成(77)\r\n"), "成れない位置で成っています"},
        {false, kifWith(ok1 + "   2 ３四歩(33)\r\n   3 ２二角(88)\r\n   4 同　銀(31)\r\n   5 ３三角打\r\n"
                        "   6 ２八角(33)\r\n"),
         "6手目"},
        {false, kifWith("   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n   3 ３三角(88)\r\n   4 ９四歩(93)\r\n"
                        "   5 ５一角(33)\r\n   6 ９五歩(94)\r\n"),
         "6手目(8行目): 玉を取って終わった後に指し手があります"},
        {false, kifWith("   1 ７六歩(77)   ( 0:01/9999999:00:00)\r\n"), "1手目: 消費時間が大きすぎます"},
        {false, kifWith("   1 ７六歩(77)   (9999999:01/00:00:01)\r\n"), "1手目: 消費時間が大きすぎます"},
        {false, kifWith("   1 １四歩(13)\r\n", "手合割：五枚落ち\r\n"), "手合割「五枚落ち」は不動将棋にありません"},
        {false, kifWith(ok1, "手合割：香落ち\r\n"), "手合割「香落ち」は不動将棋にありません"},
        {false, kifWith(ok1, "手合割：飛車落ち\r\n"), "手合割「飛車落ち」は不動将棋にありません"},
        {false, kifWith(ok1, "後手の持駒：なし\r\n" + diagramTop + "| 香 桂 銀 金 玉 金 銀 桂 香|九\r\n"
                                 "+---------------------------+\r\n先手の持駒：歩\r\n"),
         "開始局面が平手にも"},
        {false, kifWith(ok1, diagramTop + "| 香 桂 銀 金 ・ 金 銀 桂 香|九\r\n"), "開始局面が平手にも"},
        {false, kifWith(ok1, diagramTop), "盤面図が9段ありません"},
        {false, kifWith(ok1, "| 香 桂 銀 金 玉 金 銀 桂|九\r\n"), "盤面図の行が読めません"},
        {false, kifWith(ok1, "手合割：平手\r\n#不動将棋：   1 ７六歩(77)\r\n"), "記録の続きが終局の前にあります"},
        {false, kifWith(manyMoves), "500手を超えています"},
        {false, std::string("手合割") + '\x01' + "平手", "文字でないデータがあります"},
        {false, std::string("\xFF\xFE\x00\xD8", 4), "UTF-16 として読めない文字があります"},
        {false, kifWith("   1 \xFF\xFF歩(77)\r\n"), "文字コードが Shift_JIS、EUC-JP、UTF-8、UTF-16 のどれでもありません"},
        {false, std::string(記録ファイル最大 + 1, ' '), "ファイルが大きすぎます"},
        {true, "", "開始局面がありません"},
        {true, "V2.2\r\n+7776FU\r\n", "開始局面の前に指し手があります"},
        {true, csaHead + "+77F\r\n", "1手目: 指し手が読めません"},
        {true, csaHead + "-3334FU\r\n", "1手目: 手番が合いません"},
        {true, csaHead + "+7775FU\r\n", "1手目(4行目): その駒はそこへ動けません"},
        {true, csaHead + "+4958NK\r\n", "駒の種類が盤の駒と合いません"},
        {true, csaHead + "+7700FU\r\n", "升目が盤の外です"},
        {true, csaHead + "+0055KA\r\n", "持駒にない駒を打っています"},
        {true, csaHead + "+7776FU\r\nT1x\r\n", "時間が読めません"},
        {true, csaHead + "+7776FU\r\nT9999999\r\n", "消費時間が大きすぎます"},
        {true, "V2.2\r\nP-11OU21FU22FU\r\nP+00HI00HI\r\n+\r\n+0013HI\r\n", "開始局面が平手にも"},
        {true, "V2.2\r\nP-11OU2\r\n+\r\n", "駒別の局面が読めません"},
        {true, "V2.2\r\nP-11OU00OU\r\n+\r\n", "駒別の局面が読めません"},
        {true, csaHead + "+7776FU\r\nP1 *  *  *  *  *  *  *  *  * \r\n", "指し手の後に局面があります"},
        {true, "V2.2\r\nP1-KY-KE-GI-KI-OU-KI-GI-KE-KY\r\nP2 * -HI\r\n+\r\n", "盤面が9段ありません"},
        {true, "V2.2\r\nP1-KY-KE-GX-KI-OU-KI-GI-KE-KY\r\n", "盤面の行が読めません"},
        {true, "V2.2\r\nPI82KA\r\n+\r\n+7776FU\r\n", "PI の後の駒落ちが読めません"},
        {true, "V2.2\r\nPI\r\nP+00FU\r\n+\r\n+7776FU\r\n", "開始局面が平手にも"},
        {true, csaHead + "QQQ\r\n", "読めない行です"},
        {true, "V2.2\r\nPI\r\n+\r\n'不動将棋：+7776FU\r\n", "記録の続きが終局の前にあります"},
    };
}

}  // namespace fudo::test
