// The entry points of the game's own sound library (all handles are 32-bit integers owned
// by the library). The window loads the real library at run time; tests use a fake.
#pragma once

#include <cstdint>

namespace fudo {

class SoundLibrary {
public:
    virtual ~SoundLibrary() = default;
    // Device handle, 0 on failure.
    virtual std::int32_t dsInitialize(long window) = 0;
    virtual void dsTerminate(std::int32_t device) = 0;
    // Buffer from the complete contents of a wave file in memory (size bytes); 0 on failure.
    // The memory may be released after the call.
    virtual std::int32_t dsCreateDSB(std::int32_t device, const void* wave, std::int32_t size,
                                     std::int32_t flags) = 0;
    virtual void dsFree(std::int32_t buffer) = 0;
    virtual void dsPlay(std::int32_t buffer) = 0;
    virtual void dsPlayLooping(std::int32_t buffer) = 0;
    virtual void dsStop(std::int32_t buffer) = 0;
};

}  // namespace fudo
