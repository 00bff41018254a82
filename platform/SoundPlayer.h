// SPDX-License-Identifier: MIT
#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

// Plays one wave at a time: a new sound stops the previous one. Synchronous play
// returns when the sound has finished (paints still happen meanwhile, user input
// waits); without an audio device playing is silent and reports nothing.
namespace SoundPlayer {

void play(const QString &name, const QByteArray &wave, bool synchronous);
void stop();
// True while a synchronous sound is being waited for (its caller is mid-action).
bool isWaiting();

// Test seam: while a recorder is installed nothing is played and nothing waits;
// the recorder receives the name and mode of each sound.
using Recorder = std::function<void(const QString &name, bool synchronous)>;
void setRecorder(Recorder recorder);

}  // namespace SoundPlayer
