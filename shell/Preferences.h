// SPDX-License-Identifier: MIT
#pragma once
#include "shell/Colors.h"

#include <QDialog>
#include <QImage>

class QCloseEvent;
class QColorDialog;
class QFileDialog;
class QKeyEvent;

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
    bool KeepGames = false;  // an unfinished game is kept when its window closes
    bool CardSizeChanged = false;

    // Where the name of a picture comes from. A picture the settings name replaces
    // nothing, so when it cannot be used the choice falls back and "None" is stored.
    // A picture the player picks replaces the one in use, which stays when the new
    // one cannot be used.
    enum class PictureSource { Settings, Chooser };

    // The table picture shown in the picture preview, or null when none is loaded.
    const QImage *GetBackgroundBitmap() const;
    void LoadBackgroundImage(const QString &fileName, PictureSource source = PictureSource::Settings);
    void LoadCustomBack(const QString &fileName, bool select, bool quietGif,
                        PictureSource source = PictureSource::Settings);
    void RefreshCustomBack();

    // Closing in any way (OK, the close box, a test's answer) runs FormClose.
    void done(int result) override;

    // Opens centred on the screen.
    void setVisible(bool visible) override;

private:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    struct Controls;
    Controls *ui;
    TProfile *Profile1;
    QImage backgroundPicture;  // what Image5 shows; null when no picture is loaded
    bool closing = false;

    void CreateControls();
    void CreateCardBackPage();
    void CreateCardSizePage();
    void CreateBackgroundPage();
    void CreateOtherPage();
    QColorDialog *ColorChooser();
    QFileDialog *FileChooser();
    void ShowBuiltInBacks();

    void FormCreate();
    void ReadBackIndex();
    void ReadCardSize();
    void ReadBackgroundChoices();
    void ReadColors();
    void ReadSwitches();
    void ReadPictures();
    void FormClose();
    void WritePreferences();

    void ColorButtonClick(QWidget *swatch);
    void BrowseButtonClick(QWidget *button);
    void ISGRadioList1Click();
    void ISGRadioList2Click();
    void HelpBtnClick();

    void CheckBack(int index);
    int CheckedBack() const;
    void DropCustomBack();
    void FallBackToFirstBack();
    void DropBackIndexWithoutCustomBack();
    // Decodes a picture the player or the settings name; null when it cannot be read.
    QImage ReadPicture(const QString &fileName) const;
    void WarnUnreadable(const char *picture, const QString &fileName);
    void WarnNotFound(const char *picture, const QString &fileName);
    bool BuildCustomBackFromFile(const QString &fileName);
    void BuildCustomBack(const QImage &picture);
    void DropBackgroundPicture();
    void ShowBackgroundPicture(const QImage &picture);
    void StorePicturePath(const QString &key, const QString &fileName);
    void ReadCustomColors(const QString &text);
    QString CustomColorsText() const;
    // The stored value of key when present and within 0..count-1.
    bool ReadChoice(const QString &key, int count, int &value);
};

// Created at start-up, alive until the program ends.
extern TPreferencesDlg *PreferencesDlg;

// Whether the player keeps unfinished games for next time (false while there is no
// preferences dialog).
bool keepUnfinishedGames();
