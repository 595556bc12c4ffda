// The thin sound module: opens the sound library's device, turns the wave files beside
// the program into the library's buffers, reports what cannot be read, and plays effects.
#include <string>

#include "engine/game.h"
#include "files/file_io.h"

namespace fudo {

namespace {

constexpr std::string_view ライブラリ名 = "DUDodovi王将棋.dll";
// The largest wave accepted: far above the music (a few MB), far below the 32-bit size
// the library takes.
constexpr std::size_t 波形最大 = 256u * 1024 * 1024;

}  // namespace

void Game::初期化_サウンド(long window) {
    SOUND_DS = soundLibrary() ? soundLibrary()->dsInitialize(window) : 0;
    // Without a library object there is deliberately no sound (the command-line tool);
    // a library that cannot open a device says so once.
    if (soundLibrary() && SOUND_DS == 0) {
        // With the flow aids: once, on the status line, in the words of any platform.
        if (補助.案内)
            host().setStatusLine("音を出す装置が見つかりません。音なしで続けます");
        else
            表示_サウンドエラー("Direct Soundインターフェースが作成できません。");
    }
}

void Game::終了_サウンド() {
    if (SOUND_DS != 0 && soundLibrary()) soundLibrary()->dsTerminate(SOUND_DS);
    SOUND_DS = 0;
}

std::int32_t Game::読込_サウンド(std::string_view fileName, std::int32_t flags) {
    if (SOUND_DS == 0 || !soundLibrary()) return 0;
    const ファイル内容 f = 読込_ファイル(host().soundFolder() / パス_UTF8(fileName), 波形最大);
    if (f.missing) return 0;  // a missing wave is simply silent
    if (!f.ok || f.bytes.empty()) {
        表示_サウンドエラー("「" + std::string(fileName) + "」を読み込めません。\n" +
                           (f.ok ? std::string("ファイルが空です") : f.error));
        return 0;
    }
    return soundLibrary()->dsCreateDSB(SOUND_DS, f.bytes.data(),
                                       static_cast<std::int32_t>(f.bytes.size()), flags);
}

void Game::表示_サウンドエラー(std::string_view text) {
    dialogs().message(text, ライブラリ名, Buttons::OK, Icon::Exclamation);
}

void Game::効果音(std::int32_t buffer) {
    if (soundLibrary() && buffer != 0) soundLibrary()->dsPlay(buffer);
}

}  // namespace fudo
