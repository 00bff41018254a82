// SPDX-License-Identifier: MIT
#pragma once
#include "shell/Colors.h"

#include <QDialog>
#include <QImage>

class TProfile;

// The preferences dialog, created once at start-up and kept hidden between
// openings. Its creation reads every preference from the settings file; it is the
// in-memory holder of all of them, and every other part reads these members.
class TPreferencesDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TPreferencesDlg(QWidget *owner = nullptr);
    ~TPreferencesDlg() override;

    int BackIndex = 0;
    int CardSize = 1;
    int BackgroundIndex = 0;
    int GradientIndex = 0;
    TColor BackgroundColor = clDarkGreen;
    TColor GradientStartColor = clDarkGreen;
    TColor GradientEndColor = 0;
    bool DoAnimation = true;
    bool DoSound = true;
    bool MinimizeToTray = false;
    bool CardSizeChanged = false;

    // The table picture shown in the picture preview, or null when none is loaded.
    const QImage *GetBackgroundBitmap() const;
    void LoadBackgroundImage(const QString &fileName);
    void LoadCustomBack(const QString &fileName, bool select, bool quietGif);
    void RefreshCustomBack();

    // Closing in any way (OK, the close box, a test's answer) runs FormClose.
    void done(int result) override;

private:
    struct Controls;
    Controls *ui;
    TProfile *Profile1;
};

// Created at start-up, alive until the program ends.
extern TPreferencesDlg *PreferencesDlg;
