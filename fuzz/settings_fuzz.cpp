// Fuzzes the settings reader: whatever "DAre1.ini" holds, start-up ends with a consistent
// set of options and a settings file that reads back to the same options.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "cli/headless.h"
#include "engine/game.h"

namespace {

std::filesystem::path folder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("fudo-settings-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

class FolderHost : public fudo::cli::NullHost {
public:
    std::filesystem::path settingsFolder() override { return folder(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream f(folder() / "DAre1.ini", std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fudo::cli::NullCanvas canvas;
    fudo::cli::NullDialogs dialogs;
    FolderHost host;
    auto first = std::make_unique<fudo::Game>(canvas, dialogs, host, nullptr);
    auto second = std::make_unique<fudo::Game>(canvas, dialogs, host, nullptr);
    fudo::Game& g = *first;
    g.読込_環境設定ファイル();
    const auto& m = g.MENU;
    const int backgrounds = m.MIDORI + m.TATAMI + m.TAKE + m.UCHU + m.RENGA;
    if (backgrounds > 1) std::abort();
    if ((g.SIDOU_FLAG == 1) != (g.SIDOU_COLOR == 15)) std::abort();

    // What was read, written and read again, gives the same options. (With no background
    // ticked the file is written with three lines only, which reads as a broken file.)
    if (backgrounds == 0) return 0;
    g.書込_環境設定ファイル();
    fudo::Game& again = *second;
    again.読込_環境設定ファイル();
    if (again.MENU.SIDOU != m.SIDOU || again.MENU.KEIKA != m.KEIKA || again.MENU.BGM != m.BGM ||
        again.MENU.MIDORI != m.MIDORI || again.MENU.UCHU != m.UCHU)
        std::abort();
    return 0;
}
