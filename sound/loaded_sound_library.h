// The game's sound library reached at run time: dlopen() of the shared library and its
// ds* entry points. When the file is missing or lacks an entry point, every call is a
// silent no-op and dsInitialize answers 0, so the game shows its one message and runs on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/sound_library.h"

namespace fudo {

class LoadedSoundLibrary : public SoundLibrary {
public:
    // Loads the first of the candidate files that can be loaded.
    explicit LoadedSoundLibrary(const std::vector<std::filesystem::path>& candidates = 既定の場所());
    ~LoadedSoundLibrary() override;
    LoadedSoundLibrary(const LoadedSoundLibrary&) = delete;
    LoadedSoundLibrary& operator=(const LoadedSoundLibrary&) = delete;

    // Beside the running program first, then the installed library folder.
    static std::vector<std::filesystem::path> 既定の場所();
    // File name of the library ("libDUDodoviShogi.so").
    static std::string ファイル名();

    bool loaded() const { return handle_ != nullptr; }
    const std::filesystem::path& loadedFrom() const { return from_; }
    // Why nothing was loaded (dlerror texts of every candidate), for diagnostics.
    const std::string& loadError() const { return error_; }

    std::int32_t dsInitialize(long window) override;
    void dsTerminate(std::int32_t device) override;
    std::int32_t dsCreateDSB(std::int32_t device, const void* wave, std::int32_t size,
                             std::int32_t flags) override;
    void dsFree(std::int32_t buffer) override;
    void dsPlay(std::int32_t buffer) override;
    void dsPlayLooping(std::int32_t buffer) override;
    void dsStop(std::int32_t buffer) override;

private:
    using Init = std::int32_t (*)(std::int32_t);
    using Create = std::int32_t (*)(std::int32_t, const void*, std::int32_t, std::int32_t);
    using OnHandle = std::int32_t (*)(std::int32_t);

    void* handle_ = nullptr;
    std::filesystem::path from_;
    std::string error_;
    Init init_ = nullptr;
    OnHandle terminate_ = nullptr;
    Create create_ = nullptr;
    OnHandle free_ = nullptr, play_ = nullptr, playLooping_ = nullptr, stop_ = nullptr;
};

}  // namespace fudo
