// The settings file "DAre1.ini" and the option commands: background picture, move
// guidance and music (the elapsed-time option lives with the clock). Four lines of fixed
// texts, Shift_JIS with CR LF, kept in the host's settings folder.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game.h"
#include "files/file_io.h"
#include "files/sjis.h"

namespace fudo {

namespace {

constexpr std::string_view 設定ファイル名 = "DAre1.ini";
constexpr std::size_t 設定ファイル最大 = 64 * 1024;

struct 背景項目 {
    std::string_view text;
    int code;
    bool メニュー状態::*tick;
};
// The order in which line 1 is compared and written.
constexpr std::array<背景項目, 5> 背景一覧{{
    {"背景画=緑", HAIKEI_MIDORI, &メニュー状態::MIDORI},
    {"背景画=竹", HAIKEI_TAKE, &メニュー状態::TAKE},
    {"背景画=畳", HAIKEI_TATAMI, &メニュー状態::TATAMI},
    {"背景画=宇宙", HAIKEI_UCHU, &メニュー状態::UCHU},
    {"背景画=煉瓦", HAIKEI_RENGA, &メニュー状態::RENGA},
}};

std::filesystem::path 設定パス(Host& host) {
    return host.settingsFolder() / パス_UTF8(設定ファイル名);
}

// The lines of the file in UTF-8. A line that is not Shift_JIS matches no known text and
// so counts as "off", like any other unknown text.
std::vector<std::string> 設定行(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t nl = bytes.find('\n');
        std::string_view l = bytes.substr(0, nl);
        bytes.remove_prefix(nl == std::string_view::npos ? bytes.size() : nl + 1);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        lines.push_back(変換_SJISからUTF8(l).value_or(std::string()));
    }
    return lines;
}

// Writes the file; a folder that cannot be written leaves the options in force for this
// run only. Fixed texts always convert.
bool 保存(Host& host, const std::vector<std::string_view>& lines) {
    std::string bytes;
    for (std::string_view l : lines) {
        bytes += 変換_UTF8からSJIS(l).value_or(std::string());
        bytes += "\r\n";
    }
    std::error_code ec;
    std::filesystem::create_directories(host.settingsFolder(), ec);
    return !書込_ファイル置換(設定パス(host), bytes).has_value();
}

}  // namespace

void Game::チェック設定(int code) {
    for (const 背景項目& b : 背景一覧) MENU.*b.tick = b.code == code;
}

void Game::読込_環境設定ファイル() {
    const ファイル内容 f = 読込_ファイル(設定パス(host()), 設定ファイル最大);
    const std::vector<std::string> lines = f.ok ? 設定行(f.bytes) : std::vector<std::string>();

    // Each line is applied as soon as it is read; a short file applies what it has and
    // then falls back to the default file.
    if (lines.size() >= 1) {
        for (const 背景項目& b : 背景一覧)
            if (lines[0] == b.text) {
                チェック設定(b.code);
                描画_背景(b.code);
                HAIKEI_NOW = b.code;
                break;
            }
    }
    if (lines.size() >= 2) {
        const bool on = lines[1] == "移動指導=ON";
        SIDOU_COLOR = on ? 色_白 : 色_緑;
        MENU.SIDOU = on;
        SIDOU_FLAG = on ? 1 : 0;
    }
    if (lines.size() >= 3) MENU.KEIKA = lines[2] == "経過時間=ON";
    if (lines.size() >= 4) {
        MENU.BGM = lines[3] == "BGM=ON";
        if (MENU.BGM && soundLibrary() && SOUND_BGM != 0) soundLibrary()->dsPlayLooping(SOUND_BGM);
        host().menuChanged();
        return;
    }

    // Missing, unreadable or short: the default file, applied line by line. Guidance flag
    // and colour keep what line 2 (if any) set; the music waits for the option to be chosen.
    チェック設定(HAIKEI_MIDORI);
    描画_背景(HAIKEI_MIDORI);
    HAIKEI_NOW = HAIKEI_MIDORI;
    MENU.SIDOU = false;
    MENU.KEIKA = true;
    MENU.BGM = true;
    保存(host(), {"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=ON"});
    host().menuChanged();
}

void Game::書込_環境設定ファイル() {
    std::vector<std::string_view> lines;
    for (const 背景項目& b : 背景一覧)
        if (MENU.*b.tick) {
            lines.push_back(b.text);
            break;
        }
    lines.push_back(MENU.SIDOU ? "移動指導=ON" : "移動指導=OFF");
    lines.push_back(MENU.KEIKA ? "経過時間=ON" : "経過時間=OFF");
    lines.push_back(MENU.BGM ? "BGM=ON" : "BGM=OFF");
    // A failed write changes nothing: the ticks stay as the user set them, so the menu
    // keeps telling the truth about guidance and music even without a settings file.
    保存(host(), lines);
}

namespace {

void 背景選択(Game& g, int code, bool メニュー状態::*tick) {
    if (!(g.MENU.*tick)) {
        g.チェック設定(code);
        g.HAIKEI_NOW = code;
        g.host().menuChanged();
    }
    g.書込_環境設定ファイル();
    g.画面_再描画();
}

}  // namespace

void Game::MIDORI_Click() { 背景選択(*this, HAIKEI_MIDORI, &メニュー状態::MIDORI); }
void Game::TATAMI_Click() { 背景選択(*this, HAIKEI_TATAMI, &メニュー状態::TATAMI); }
void Game::TAKE_Click() { 背景選択(*this, HAIKEI_TAKE, &メニュー状態::TAKE); }
void Game::UCHU_Click() { 背景選択(*this, HAIKEI_UCHU, &メニュー状態::UCHU); }
void Game::RENGA_Click() { 背景選択(*this, HAIKEI_RENGA, &メニュー状態::RENGA); }

void Game::SIDOU_Click() {
    if (MENU.SIDOU) {
        // Repaint every outline so that guidance highlights on screen disappear.
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) 描画_桝輪郭(色_緑, x, y);
        for (int y = 1; y <= 7; ++y) {
            描画_桝輪郭(色_緑, -1, y);
            描画_桝輪郭(色_緑, 11, y + 2);
        }
        MENU.SIDOU = false;
        SIDOU_FLAG = 0;
        SIDOU_COLOR = 色_緑;
    } else {
        MENU.SIDOU = true;
        SIDOU_FLAG = 1;
        SIDOU_COLOR = 色_白;
    }
    host().menuChanged();
    書込_環境設定ファイル();
}

void Game::BGM_Click() {
    if (MENU.BGM) {
        MENU.BGM = false;
        if (soundLibrary() && SOUND_BGM != 0) soundLibrary()->dsStop(SOUND_BGM);
    } else {
        MENU.BGM = true;
        if (soundLibrary() && SOUND_BGM != 0) soundLibrary()->dsPlayLooping(SOUND_BGM);
    }
    host().menuChanged();
    書込_環境設定ファイル();
}

}  // namespace fudo
