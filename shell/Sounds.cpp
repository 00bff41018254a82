// SPDX-License-Identifier: MIT
#include "shell/Sounds.h"

#include "platform/SoundPlayer.h"
#include "resources/Resources.h"
#include "shell/Preferences.h"

TSoundManager *SoundManager = nullptr;

namespace {

constexpr bool Synchronous = true;
constexpr bool Asynchronous = false;

// Asks the preferences at every call, so switching sounds off silences the very
// next effect. Before the preferences exist, sounds are on.
bool soundsOn() { return !PreferencesDlg || PreferencesDlg->DoSound; }

void play(const char *name, bool synchronous)
{
    if (!soundsOn())
        return;
    const QString resource = QString::fromLatin1(name);
    SoundPlayer::play(resource, Resources::wave(resource), synchronous);
}

}  // namespace

void TSoundManager::PlayShuffle() { play("SHUFFLE", Synchronous); }
void TSoundManager::PlayDeal() { play("DEAL", Synchronous); }
void TSoundManager::PlayOpen() { play("OPEN", Asynchronous); }
void TSoundManager::PlayJester() { play("JESTER", Asynchronous); }
void TSoundManager::PlayStock() { play("STOCK", Synchronous); }
void TSoundManager::PlayUndo() { play("UNDO", Synchronous); }
void TSoundManager::PlayAutoplay() { play("AUTOPLAY", Synchronous); }
void TSoundManager::PlayAutoplayAsync() { play("AUTOPLAY", Asynchronous); }
void TSoundManager::PlayRestart() { play("RESTART", Synchronous); }
void TSoundManager::PlayWin() { play("WIN_SND", Asynchronous); }
