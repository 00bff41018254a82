// SPDX-License-Identifier: MIT
#include "shell/SavedGames.h"
#include "support/Seams.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using SavedGames::SavedGame;

class TestSavedGames : public QObject
{
    Q_OBJECT

    SettingsDirectory settings;

    static QString savePath() { return SavedGames::filePath(QStringLiteral("Klondike")); }
    static QByteArray nativeSavePath() { return QFile::encodeName(savePath()); }

    static bool writeBytes(const QByteArray &bytes)
    {
        QFile file(savePath());
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

    static QStringList savedFiles()
    {
        return QDir(SavedGames::directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

private Q_SLOTS:
    void init()
    {
        QDir(SavedGames::directory()).removeRecursively();
        QVERIFY(QDir().mkpath(SavedGames::directory()));
    }

    void theFolderIsBesideTheSettingsFile()
    {
        QCOMPARE(SavedGames::directory(), settings.filePath(QStringLiteral("saved")));
        QCOMPARE(savePath(), settings.filePath(QStringLiteral("saved/Klondike.sav")));
        for (const char *name : {"", ".", "..", "a/b"}) {
            QVERIFY(SavedGames::filePath(QLatin1String(name)).isEmpty());
            QVERIFY(!SavedGames::write(QLatin1String(name), QStringLiteral("text")));
        }
    }

    // Written whole through a new copy: no copy is left behind, the mode of the file
    // it replaces stays, and the text comes back as it was.
    void aWriteReplacesTheFileAndKeepsItsMode()
    {
        QDir(SavedGames::directory()).removeRecursively();
        const QString text = QStringLiteral("Klondike\nTableauPileView1: 7c Th\nÉcarté ♠\n");
        QVERIFY(SavedGames::write(QStringLiteral("Klondike"), QStringLiteral("first")));
        QCOMPARE(::chmod(nativeSavePath().constData(), 0604), 0);
        QVERIFY(SavedGames::write(QStringLiteral("Klondike"), text));
        QCOMPARE(savedFiles(), QStringList{QStringLiteral("Klondike.sav")});
        struct stat info {};
        QCOMPARE(::stat(nativeSavePath().constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0604));
        const SavedGame saved = SavedGames::read(QStringLiteral("Klondike"));
        QCOMPARE(int(saved.status), int(SavedGame::Status::Usable));
        QCOMPARE(saved.text, text);
        QVERIFY(SavedGames::remove(QStringLiteral("Klondike")));
        QCOMPARE(int(SavedGames::read(QStringLiteral("Klondike")).status), int(SavedGame::Status::Absent));
        QVERIFY(SavedGames::remove(QStringLiteral("Klondike")));  // nothing there is no failure
    }

    void aFileThatCannotBeUsedIsRefusedAndSetAside_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("too large") << "large" << "larger than 16 MiB";
        QTest::newRow("FIFO") << "fifo" << "not a regular file";
        QTest::newRow("directory") << "directory" << "not a regular file";
        QTest::newRow("dangling link") << "link" << "link to a file that does not exist";
        QTest::newRow("unreadable") << "unreadable" << "cannot be read";
        QTest::newRow("not UTF-8") << "binary" << "not UTF-8";
    }
    void aFileThatCannotBeUsedIsRefusedAndSetAside()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QByteArray name = nativeSavePath();
        if (kind == QLatin1String("large")) {
            QVERIFY(writeBytes("Klondike\n"));
            QCOMPARE(::truncate(name.constData(), SavedGames::MaxFileSize + 1), 0);  // sparse: no disk used
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);  // nobody writes: opening it would block
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir().mkpath(savePath()));
        } else if (kind == QLatin1String("link")) {
            QCOMPARE(::symlink("nowhere.sav", name.constData()), 0);
        } else if (kind == QLatin1String("unreadable")) {
            QVERIFY(writeBytes("Klondike\n"));
            QCOMPARE(::chmod(name.constData(), 0), 0);
            if (::access(name.constData(), R_OK) == 0)
                QSKIP("the administrator reads every file");
        } else {
            QVERIFY(writeBytes("Klondike\n\xff\xfe\xc0\x80"));
        }
        const SavedGame saved = SavedGames::read(QStringLiteral("Klondike"));
        QCOMPARE(int(saved.status), int(SavedGame::Status::Unusable));
        QVERIFY2(saved.reason.contains(reason), qPrintable(saved.reason));
        QVERIFY(saved.text.isEmpty());
        if (kind == QLatin1String("directory"))
            return;  // a directory is never renamed over an older .bad file
        QVERIFY(QFile::link(QStringLiteral("older"), savePath() + QStringLiteral(".bad")));
        const QString message = SavedGames::setAside(QStringLiteral("Klondike"), saved.reason);
        QCOMPARE(message, QStringLiteral("The saved game %1 could not be used (%2) and was renamed Klondike.sav.bad; "
                                         "a new game is dealt instead.")
                              .arg(savePath(), saved.reason));
        QCOMPARE(savedFiles(), QStringList{QStringLiteral("Klondike.sav.bad")});
        struct stat aside {};
        QCOMPARE(::lstat(QFile::encodeName(savePath() + QStringLiteral(".bad")).constData(), &aside), 0);
        QCOMPARE(S_ISLNK(aside.st_mode), kind == QLatin1String("link"));  // the older one is gone
        QCOMPARE(int(SavedGames::read(QStringLiteral("Klondike")).status), int(SavedGame::Status::Absent));
    }

    // The game's own refusals (a doubled card, say) are set aside the same way; a
    // file that cannot be moved (here: gone already) is still named.
    void settingAsideNamesTheFileAndTheReason()
    {
        QVERIFY(writeBytes("Klondike\n"));
        QCOMPARE(SavedGames::setAside(QStringLiteral("Klondike")),
                 QStringLiteral("The saved game %1 could not be used and was renamed Klondike.sav.bad; "
                                "a new game is dealt instead.").arg(savePath()));
        QCOMPARE(SavedGames::setAside(QStringLiteral("Klondike"), QStringLiteral("a card is doubled")),
                 QStringLiteral("The saved game %1 could not be used (a card is doubled); a new game is dealt instead.")
                     .arg(savePath()));
    }
};

QTEST_GUILESS_MAIN(TestSavedGames)
#include "tst_savedgames.moc"
