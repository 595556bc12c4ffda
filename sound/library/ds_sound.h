/* The game's sound library: a small sound device with buffers made from wave files in
 * memory, played once or in a loop, on SDL2_mixer. Handles are 32-bit integers; 0 is
 * never a valid handle, and every call given 0 or an unknown handle does nothing.
 *
 * Units, as the entry points' names suggest:
 *   volume     hundredths of a decibel of attenuation, -10000 (silent) .. 0 (full)
 *   pan        -10000 (left only) .. 0 (centre) .. 10000 (right only)
 *   frequency  playback rate in Hz (100 .. 200000); 0 = the wave's own rate
 * Flags of dsCreateDSB / dsCreateResDSB:
 *   DS_FLAG_EFFECT (2)  each play starts one more voice, overlapping any still sounding;
 *                       without it (music) a play restarts the buffer from its start.
 *   bit 0 (1) is accepted and has no effect: volume, pan and frequency always work.
 * Results: a handle, or 1 / 0 for success / failure.
 */
#ifndef FUDO_DS_SOUND_H
#define FUDO_DS_SOUND_H

#include <stdint.h>

#if defined(_WIN32)
#define DS_EXPORT __declspec(dllexport)
#else
#define DS_EXPORT __attribute__((visibility("default")))
#endif

#define DS_FLAG_EFFECT 2

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the sound device (the window handle is not needed here). Device handle, 0 when
 * no device can be opened. Calls nest: each needs its dsTerminate. */
DS_EXPORT int32_t dsInitialize(int32_t window);
/* Closes the device and frees every buffer still held. */
DS_EXPORT int32_t dsTerminate(int32_t device);
/* A buffer from the complete contents of a wave file in memory (size bytes); the memory
 * may be released after the call. 0 when the data is not a sound the mixer can read. */
DS_EXPORT int32_t dsCreateDSB(int32_t device, const void* wave, int32_t size, int32_t flags);
/* A buffer from a wave file named in UTF-8; a relative name is taken from the folder
 * that holds this library. */
DS_EXPORT int32_t dsCreateResDSB(int32_t device, const char* resource, int32_t flags);
DS_EXPORT int32_t dsFree(int32_t buffer);
/* Starts the sound once and returns at once. */
DS_EXPORT int32_t dsPlay(int32_t buffer);
DS_EXPORT int32_t dsPlayPan(int32_t buffer, int32_t pan);
/* Starts the sound and repeats it without a gap until dsStop. */
DS_EXPORT int32_t dsPlayLooping(int32_t buffer);
/* Sets volume, pan and frequency of the buffer, then plays it once / in a loop. */
DS_EXPORT int32_t dsPlayEx(int32_t buffer, int32_t volume, int32_t pan, int32_t frequency);
DS_EXPORT int32_t dsPlayLoopingEx(int32_t buffer, int32_t volume, int32_t pan, int32_t frequency);
/* Silences every voice of the buffer. */
DS_EXPORT int32_t dsStop(int32_t buffer);
/* Volume and pan apply at once to the voices sounding and to later plays; frequency
 * applies from the next play on. */
DS_EXPORT int32_t dsSetVolume(int32_t buffer, int32_t volume);
DS_EXPORT int32_t dsSetPan(int32_t buffer, int32_t pan);
DS_EXPORT int32_t dsSetFrequency(int32_t buffer, int32_t frequency);

#ifdef __cplusplus
}
#endif

#endif
