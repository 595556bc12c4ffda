// The sound library on SDL2_mixer. Every buffer is a Mix_Chunk converted to the device's
// format when it is created; a play takes a free mixer channel, so effects never wait for
// one another and looping is sample-exact (no gap at the seam).
#include "ds_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr int32_t kDevice = 0x4453;  // the one device handle ("DS")
constexpr int kRate = 44100;
constexpr Uint16 kFormat = AUDIO_S16SYS;
constexpr int kChannels = 2;
constexpr int kInitialVoices = 16;

struct Buffer {
    Mix_Chunk* chunk = nullptr;      // device format, the wave's own speed
    int ownRate = kRate;             // sample rate written in the wave
    bool effect = false;
    int volume = 0;                  // hundredths of dB, -10000..0
    int pan = 0;                     // -10000..10000
    int frequency = 0;               // 0 = own rate
    Mix_Chunk* shifted = nullptr;    // the chunk resampled for `frequency`
    int shiftedFor = 0;
    std::vector<Uint8> shiftedData;  // owned here; Mix_QuickLoad_RAW does not copy

    ~Buffer() {
        // Mix_FreeChunk halts every channel still playing the chunk first.
        if (shifted) Mix_FreeChunk(shifted);
        if (chunk) Mix_FreeChunk(chunk);
    }
};

struct State {
    std::mutex mutex;
    int opens = 0;
    int32_t nextHandle = 1;  // never reused, so a stale handle cannot reach a new buffer
    std::map<int32_t, std::unique_ptr<Buffer>> buffers;
};

// Never destroyed: buffers must not be freed after SDL has gone at program exit.
State& state() {
    static State* s = new State;
    return *s;
}

Buffer* find(State& s, int32_t handle) {
    if (handle == 0 || s.opens == 0) return nullptr;
    auto it = s.buffers.find(handle);
    return it == s.buffers.end() ? nullptr : it->second.get();
}

double dbGain(int hundredths) { return std::pow(10.0, hundredths / 2000.0); }

int mixVolume(int volume) {
    volume = std::clamp(volume, -10000, 0);
    if (volume <= -10000) return 0;
    return std::clamp(static_cast<int>(std::lround(dbGain(volume) * MIX_MAX_VOLUME)), 0,
                      MIX_MAX_VOLUME);
}

void applyPan(int channel, int pan) {
    pan = std::clamp(pan, -10000, 10000);
    // The side away from the pan is attenuated; 255, 255 removes the effect altogether.
    const int left = pan > 0 ? static_cast<int>(std::lround(dbGain(-pan) * 255)) : 255;
    const int right = pan < 0 ? static_cast<int>(std::lround(dbGain(pan) * 255)) : 255;
    Mix_SetPanning(channel, static_cast<Uint8>(left), static_cast<Uint8>(right));
}

bool voiceOf(const Buffer& b, int channel) {
    if (!Mix_Playing(channel)) return false;
    const Mix_Chunk* c = Mix_GetChunk(channel);
    return c != nullptr && (c == b.chunk || c == b.shifted);
}

void stopVoices(const Buffer& b) {
    const int n = Mix_AllocateChannels(-1);
    for (int i = 0; i < n; ++i)
        if (voiceOf(b, i)) Mix_HaltChannel(i);
}

// Reads the sample rate from a RIFF/WAVE header; 0 when the data is not such a file.
int waveRate(const Uint8* p, size_t size) {
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(p[at]) | static_cast<uint32_t>(p[at + 1]) << 8 |
               static_cast<uint32_t>(p[at + 2]) << 16 | static_cast<uint32_t>(p[at + 3]) << 24;
    };
    if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return 0;
    size_t at = 12;
    while (at + 8 <= size) {
        const uint32_t len = u32(at + 4);
        if (std::memcmp(p + at, "fmt ", 4) == 0) {
            if (len < 16 || at + 8 + 16 > size) return 0;
            const uint32_t rate = u32(at + 8 + 4);
            return rate >= 1 && rate <= 1000000 ? static_cast<int>(rate) : 0;
        }
        if (len > size - at - 8) return 0;
        at += 8 + len + (len & 1);
    }
    return 0;
}

// The chunk to play: the original, or a copy resampled so that it sounds at `frequency`
// (linear interpolation of the device-format frames).
Mix_Chunk* chunkFor(Buffer& b) {
    if (b.frequency == 0 || b.frequency == b.ownRate) return b.chunk;
    if (b.shifted && b.shiftedFor == b.frequency) return b.shifted;
    if (b.shifted) {
        Mix_FreeChunk(b.shifted);
        b.shifted = nullptr;
    }
    const double speed = static_cast<double>(b.frequency) / b.ownRate;
    const auto* in = reinterpret_cast<const Sint16*>(b.chunk->abuf);
    const size_t frames = b.chunk->alen / (sizeof(Sint16) * kChannels);
    const size_t outFrames = static_cast<size_t>(frames / speed);
    if (frames < 2 || outFrames < 1 || outFrames > 64u * 1024 * 1024) return b.chunk;
    b.shiftedData.assign(outFrames * sizeof(Sint16) * kChannels, 0);
    auto* out = reinterpret_cast<Sint16*>(b.shiftedData.data());
    for (size_t i = 0; i < outFrames; ++i) {
        const double pos = i * speed;
        const size_t k = std::min(static_cast<size_t>(pos), frames - 2);
        const double f = std::min(pos - k, 1.0);
        for (int c = 0; c < kChannels; ++c) {
            const double v = in[k * kChannels + c] * (1 - f) + in[(k + 1) * kChannels + c] * f;
            out[i * kChannels + c] = static_cast<Sint16>(std::lround(v));
        }
    }
    b.shifted = Mix_QuickLoad_RAW(b.shiftedData.data(), static_cast<Uint32>(b.shiftedData.size()));
    b.shiftedFor = b.frequency;
    return b.shifted ? b.shifted : b.chunk;
}

int32_t play(int32_t handle, int loops) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    Buffer* b = find(s, handle);
    if (!b) return 0;
    if (!b->effect) stopVoices(*b);  // music starts again from its beginning
    Mix_Chunk* c = chunkFor(*b);
    int channel = Mix_GroupAvailable(-1);
    if (channel < 0) {  // every voice busy: make room rather than drop the sound
        Mix_AllocateChannels(Mix_AllocateChannels(-1) + kInitialVoices);
        channel = Mix_GroupAvailable(-1);
    }
    if (channel < 0) return 0;
    // Volume and pan are set before the voice starts, so no sample plays at the old level.
    Mix_Volume(channel, mixVolume(b->volume));
    applyPan(channel, b->pan);
    return Mix_PlayChannel(channel, c, loops) >= 0 ? 1 : 0;
}

int32_t create(int32_t device, const void* wave, size_t size, int32_t flags) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (device != kDevice || s.opens == 0 || wave == nullptr || size == 0 ||
        size > static_cast<size_t>(INT32_MAX))
        return 0;
    SDL_RWops* rw = SDL_RWFromConstMem(wave, static_cast<int>(size));
    if (!rw) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
    if (!chunk) return 0;
    if (chunk->alen == 0) {  // a header without samples is no sound
        Mix_FreeChunk(chunk);
        return 0;
    }
    auto b = std::make_unique<Buffer>();
    b->chunk = chunk;
    b->effect = (flags & DS_FLAG_EFFECT) != 0;
    const int rate = waveRate(static_cast<const Uint8*>(wave), size);
    b->ownRate = rate > 0 ? rate : kRate;
    const int32_t handle = s.nextHandle++;
    s.buffers.emplace(handle, std::move(b));
    return handle;
}

// The folder that holds this library, for dsCreateResDSB.
std::filesystem::path libraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&dsCreateResDSB), &info) && info.dli_fname)
        return std::filesystem::path(info.dli_fname).parent_path();
    return {};
}

}  // namespace

extern "C" {

int32_t dsInitialize(int32_t /*window*/) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (s.opens > 0) {
        ++s.opens;
        return kDevice;
    }
    // The program owns its signals; SDL must not install handlers of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    // allowed_changes = 0: SDL converts to exactly this format, which the resampler assumes.
    if (Mix_OpenAudioDevice(kRate, kFormat, kChannels, 1024, nullptr, 0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(kInitialVoices);
    s.opens = 1;
    return kDevice;
}

int32_t dsTerminate(int32_t device) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (device != kDevice || s.opens == 0) return 0;
    if (--s.opens > 0) return 1;
    Mix_HaltChannel(-1);
    s.buffers.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 1;
}

int32_t dsCreateDSB(int32_t device, const void* wave, int32_t size, int32_t flags) {
    if (size <= 0) return 0;
    return create(device, wave, static_cast<size_t>(size), flags);
}

int32_t dsCreateResDSB(int32_t device, const char* resource, int32_t flags) {
    if (resource == nullptr || *resource == '\0') return 0;
    const std::u8string name(reinterpret_cast<const char8_t*>(resource));
    std::filesystem::path path(name);
    if (path.is_relative()) path = libraryFolder() / path;
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    const std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.empty()) return 0;
    return create(device, data.data(), data.size(), flags);
}

int32_t dsFree(int32_t buffer) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (!find(s, buffer)) return 0;
    s.buffers.erase(buffer);
    return 1;
}

int32_t dsPlay(int32_t buffer) { return play(buffer, 0); }

int32_t dsPlayLooping(int32_t buffer) { return play(buffer, -1); }

int32_t dsStop(int32_t buffer) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    Buffer* b = find(s, buffer);
    if (!b) return 0;
    stopVoices(*b);
    return 1;
}

int32_t dsSetVolume(int32_t buffer, int32_t volume) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    Buffer* b = find(s, buffer);
    if (!b) return 0;
    b->volume = std::clamp(volume, -10000, 0);
    const int n = Mix_AllocateChannels(-1);
    for (int i = 0; i < n; ++i)
        if (voiceOf(*b, i)) Mix_Volume(i, mixVolume(b->volume));
    return 1;
}

int32_t dsSetPan(int32_t buffer, int32_t pan) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    Buffer* b = find(s, buffer);
    if (!b) return 0;
    b->pan = std::clamp(pan, -10000, 10000);
    const int n = Mix_AllocateChannels(-1);
    for (int i = 0; i < n; ++i)
        if (voiceOf(*b, i)) applyPan(i, b->pan);
    return 1;
}

int32_t dsSetFrequency(int32_t buffer, int32_t frequency) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    Buffer* b = find(s, buffer);
    if (!b) return 0;
    b->frequency = frequency == 0 ? 0 : std::clamp(frequency, 100, 200000);
    return 1;
}

int32_t dsPlayPan(int32_t buffer, int32_t pan) {
    if (!dsSetPan(buffer, pan)) return 0;
    return dsPlay(buffer);
}

int32_t dsPlayEx(int32_t buffer, int32_t volume, int32_t pan, int32_t frequency) {
    if (!dsSetVolume(buffer, volume) || !dsSetPan(buffer, pan) || !dsSetFrequency(buffer, frequency))
        return 0;
    return dsPlay(buffer);
}

int32_t dsPlayLoopingEx(int32_t buffer, int32_t volume, int32_t pan, int32_t frequency) {
    if (!dsSetVolume(buffer, volume) || !dsSetPan(buffer, pan) || !dsSetFrequency(buffer, frequency))
        return 0;
    return dsPlayLooping(buffer);
}

}  // extern "C"
