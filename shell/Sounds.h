// SPDX-License-Identifier: MIT
#pragma once

// The program's sound effects. Each operation is silent when the DoSound
// preference is off; synchronous ones return when the sound has finished.
class TSoundManager
{
public:
    void PlayShuffle();        // "SHUFFLE", synchronous
    void PlayDeal();           // "DEAL", synchronous
    void PlayOpen();           // "OPEN", asynchronous
    void PlayJester();         // "JESTER", asynchronous
    void PlayStock();          // "STOCK", synchronous
    void PlayUndo();           // "UNDO", synchronous
    void PlayAutoplay();       // "AUTOPLAY", synchronous
    void PlayAutoplayAsync();  // "AUTOPLAY", asynchronous
    void PlayRestart();        // "RESTART", synchronous
    void PlayWin();            // "WIN_SND", asynchronous
};

// Owned by the launcher; null before it exists (then nothing sounds).
extern TSoundManager *SoundManager;
