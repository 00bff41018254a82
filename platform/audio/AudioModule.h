// SPDX-License-Identifier: MIT
#pragma once

// The audio output lives in a module of its own, loaded with the first sound, so
// that the sound libraries cost nothing until a sound plays: the program starts
// without them.
extern "C" {

struct CardenzaAudioOutput {
    int version;
    // Plays PCM samples (copied) on the default output, replacing what plays;
    // false when there is no device for them. Unsigned 8-bit or signed 16-bit.
    bool (*start)(int channels, int sampleRate, int bitsPerSample, const char *samples, long long size);
    void (*stop)();
};

using CardenzaAudioEntry = const CardenzaAudioOutput *(*)();
}

namespace AudioModule {
constexpr const char *entryName = "cardenzaAudioOutput";
constexpr int version = 1;
constexpr const char *fileName = "cardenza-audio.so";
}  // namespace AudioModule
