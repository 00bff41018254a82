// SPDX-License-Identifier: MIT
#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class GameWindow;
class TableKeyboard;
class TCard;
class TCardPileView;

// The table as assistive tools read it: every pile is an accessible object with a
// role, a name ("Column 3", "Foundation 1", "Stock", "Free cell 2", "Waste") and, as
// its description, what a sighted player sees there ("Queen of Hearts on 4 face-down
// cards", "empty", "24 cards"). Focus follows the keyboard's cursor, and every change
// of the table tells the tools which piles now read differently; the window's name
// is its caption, with the score.
class TableAccessibility : public QObject
{
    Q_OBJECT
public:
    TableAccessibility(GameWindow *form, TableKeyboard *keyboard);

    static QString cardName(const TCard *card);  // "Queen of Hearts"
    static QString pileName(const GameWindow *form, const TCardPileView *view);
    static QString pileValue(const TCardPileView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void announceFocus(TCardPileView *view);
    void announceChanges();

    GameWindow *form;
    QHash<const TCardPileView *, QString> lastValues;
};
