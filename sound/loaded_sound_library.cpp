#include "sound/loaded_sound_library.h"

#include <dlfcn.h>

namespace fudo {

namespace fs = std::filesystem;

#ifndef FUDO_SOUND_LIBRARY_FILE
#define FUDO_SOUND_LIBRARY_FILE "libDUDodoviShogi.so"
#endif
#ifndef FUDO_SOUND_FROM_BIN
#define FUDO_SOUND_FROM_BIN "../lib/fudo-shogi"  // relative to the installed program; set by the build
#endif

std::string LoadedSoundLibrary::ファイル名() { return FUDO_SOUND_LIBRARY_FILE; }

std::vector<fs::path> LoadedSoundLibrary::既定の場所() {
    std::vector<fs::path> out;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path dir = exe.parent_path();
        out.push_back(dir / ファイル名());
        // Installed: the game's own library folder, found from the program wherever the
        // prefix was moved to.
        out.push_back((dir / FUDO_SOUND_FROM_BIN / ファイル名()).lexically_normal());
    }
#ifdef FUDO_INSTALL_FULL_PKGLIBDIR
    out.push_back(fs::path(FUDO_INSTALL_FULL_PKGLIBDIR) / ファイル名());
#endif
    return out;
}

LoadedSoundLibrary::LoadedSoundLibrary(const std::vector<fs::path>& candidates) {
    for (const fs::path& p : candidates) {
        // A bare name would send dlopen() searching the system paths; only our own files.
        if (!p.has_parent_path()) continue;
        void* h = ::dlopen(p.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!h) {
            const char* e = ::dlerror();
            error_ += (e ? e : p.string()) + std::string("\n");
            continue;
        }
        auto sym = [&](const char* name) { return ::dlsym(h, name); };
        init_ = reinterpret_cast<Init>(sym("dsInitialize"));
        terminate_ = reinterpret_cast<OnHandle>(sym("dsTerminate"));
        create_ = reinterpret_cast<Create>(sym("dsCreateDSB"));
        free_ = reinterpret_cast<OnHandle>(sym("dsFree"));
        play_ = reinterpret_cast<OnHandle>(sym("dsPlay"));
        playLooping_ = reinterpret_cast<OnHandle>(sym("dsPlayLooping"));
        stop_ = reinterpret_cast<OnHandle>(sym("dsStop"));
        if (init_ && terminate_ && create_ && free_ && play_ && playLooping_ && stop_) {
            handle_ = h;
            from_ = p;
            return;
        }
        error_ += p.string() + ": entry points missing\n";
        init_ = nullptr;
        ::dlclose(h);
    }
}

LoadedSoundLibrary::~LoadedSoundLibrary() {
    // The library is left loaded: SDL may still hold threads or atexit handlers in it.
}

std::int32_t LoadedSoundLibrary::dsInitialize(long window) {
    return handle_ ? init_(static_cast<std::int32_t>(window)) : 0;
}
void LoadedSoundLibrary::dsTerminate(std::int32_t device) {
    if (handle_) terminate_(device);
}
std::int32_t LoadedSoundLibrary::dsCreateDSB(std::int32_t device, const void* wave,
                                             std::int32_t size, std::int32_t flags) {
    return handle_ ? create_(device, wave, size, flags) : 0;
}
void LoadedSoundLibrary::dsFree(std::int32_t buffer) {
    if (handle_) free_(buffer);
}
void LoadedSoundLibrary::dsPlay(std::int32_t buffer) {
    if (handle_) play_(buffer);
}
void LoadedSoundLibrary::dsPlayLooping(std::int32_t buffer) {
    if (handle_) playLooping_(buffer);
}
void LoadedSoundLibrary::dsStop(std::int32_t buffer) {
    if (handle_) stop_(buffer);
}

}  // namespace fudo
