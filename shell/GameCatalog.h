// SPDX-License-Identifier: MIT
#pragma once
#include <QList>
#include <QString>

class QWidget;

// One game of the launcher: its item text and preview, how to create its large- and
// small-card windows and where the open ones are. The games sit above the launcher,
// so each enters itself from its own file by deriving from this.
class GameEntry
{
public:
    const QString name;     // the launcher's item text
    const QString preview;  // 320 x 125 preview picture
    virtual QWidget *createLarge() const = 0;
    virtual QWidget *createSmall() const = 0;
    virtual QWidget *largeWindow() const = 0;  // the open large window, or null
    virtual QWidget *smallWindow() const = 0;

protected:
    GameEntry(QString name, QString preview);  // enters the catalogue
    ~GameEntry() = default;
    Q_DISABLE_COPY_MOVE(GameEntry)
};

// The games in the launcher's order, which is by name.
namespace GameCatalog {
const QList<const GameEntry *> &entries();
int indexOf(const QString &name);  // in any case; -1 when no game has that name
}  // namespace GameCatalog
