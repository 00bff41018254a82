// SPDX-License-Identifier: MIT
#pragma once
// What the game tests share: a private settings directory, recorded sounds and
// dialogs, a fixed seed, and a player's hand on the mouse.
#include "cards/CardPileView.h"
#include "platform/Dialogs.h"
#include "platform/Random.h"
#include "platform/SoundPlayer.h"
#include "shell/Preferences.h"
#include "shell/Sounds.h"

#include <QTemporaryDir>
#include <QTest>

struct GameTestKit {
    QTemporaryDir settings;
    QStringList sounds;
    QStringList messages;
    int answer = Dialogs::Ok;

    GameTestKit()
    {
        qputenv("CARDENZA_CONFIG_DIR", settings.path().toLocal8Bit());
        Random::fixSeed(7);
        SoundPlayer::setRecorder([this](const QString &name, bool) { sounds.append(name); });
        Dialogs::setAnswerer([this](const Dialogs::Record &record) {
            if (record.kind == QLatin1String("message"))
                messages.append(record.text);
            return record.kind == QLatin1String("message") ? answer : int(Dialogs::Ok);
        });
        if (!SoundManager)
            SoundManager = new TSoundManager;
        delete PreferencesDlg;
        PreferencesDlg = new TPreferencesDlg;
        sounds.clear();
    }
    ~GameTestKit()
    {
        delete PreferencesDlg;
        PreferencesDlg = nullptr;
        Dialogs::setAnswerer({});
        SoundPlayer::setRecorder({});
    }
};

// The centre of the visible part of card i of a view (its top strip when covered).
inline QPoint CardPoint(const TCardPileView *view, int index)
{
    const int x = int(index * view->XOffset);
    const int y = int(index * view->YOffset);
    const bool covered = index < view->Cards->Count() - 1;
    return {x + 10, y + (covered ? 5 : 30)};
}

inline QPoint TopCardPoint(const TCardPileView *view)
{
    return CardPoint(view, qMax(0, view->Cards->Count() - 1));
}

// Presses on `from` at `at`, moves in a few steps and releases over `to` at `over`,
// all with real mouse events, as a player's hand would.
inline void DragWithMouse(TCardPileView *from, QPoint at, QWidget *to, QPoint over)
{
    QTest::mousePress(from, Qt::LeftButton, {}, at);
    const QPoint target = from->mapFromGlobal(to->mapToGlobal(over));
    QTest::mouseMove(from, at + QPoint(4, 4));
    QTest::mouseMove(from, at + QPoint(12, 12));
    QTest::mouseMove(from, (at + target) / 2);
    QTest::mouseMove(from, target);
    QTest::mouseRelease(from, Qt::LeftButton, {}, target);
}
