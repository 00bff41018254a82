// SPDX-License-Identifier: MIT
#pragma once
#include <QFlags>
#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

enum TPlacementOption {
    fpState = 0x1,     // the window's normal or maximized state
    fpPosition = 0x2,  // the window's normal position and, when it can be resized, size
};
Q_DECLARE_FLAGS(TPlacementOptions, TPlacementOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPlacementOptions)

// Remembers where a top-level window was: restores its placement from a section of
// the settings file when the window is first shown, and saves it when the window is
// closed (hidden by the program). Keys of the section:
//   Flags      0, or 2 when a minimized window returns to the maximized state
//   ShowCmd    1 normal, 2 minimized, 3 maximized
//   MinMaxPos  "x,y,x,y": minimized position (always -1,-1 here: the window manager
//              places icons), then the maximized position (-1,-1 unless maximized)
//   NormPos    "left,top,right,bottom": the normal rectangle of the window's client
//              area in screen pixels, right and bottom exclusive
// Other keys of the section are left alone (a game keeps its options there too).
// Without a readable NormPos the window keeps its designed position and size; a
// saved rectangle that lies on no screen is brought back onto the primary screen's
// free area, keeping its size where that fits.
class TFormPlacement : public QObject
{
    Q_OBJECT
public:
    // The component belongs to the window it places.
    explicit TFormPlacement(QWidget *window);

    bool Active = true;
    QString IniFileName;
    QString IniSection;
    TPlacementOptions Options = fpState | fpPosition;

    void SaveFormPlacement();
    void RestoreFormPlacement();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool canUseFile() const;
    void restoreState();

    QWidget *window;
    bool restored = false;
};
