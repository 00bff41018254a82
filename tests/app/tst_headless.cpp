// SPDX-License-Identifier: MIT
#include "app/AppCommands.h"
#include "app/HeadlessSession.h"
#include "platform/IniFile.h"
#include "support/Seams.h"

#include <QDir>
#include <QTemporaryFile>
#include <QTest>

class TestHeadless : public QObject
{
    Q_OBJECT

    // Stands for the player's own settings: nothing may appear in it.
    std::optional<SettingsDirectory> player;

    bool playerSettingsEmpty() const
    {
        return QDir(player->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // Temporary folders cannot be made while this lives: the place for them is a file.
    struct NoTemporaryFolders {
        QTemporaryFile notAFolder;
        const QByteArray previous = qgetenv("TMPDIR");
        const bool hadPrevious = qEnvironmentVariableIsSet("TMPDIR");
        NoTemporaryFolders()
        {
            QVERIFY(notAFolder.open());
            qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
        }
        ~NoTemporaryFolders()
        {
            if (hadPrevious)
                qputenv("TMPDIR", previous);
            else
                qunsetenv("TMPDIR");
        }
        Q_DISABLE_COPY(NoTemporaryFolders)
    };

private Q_SLOTS:
    void init() { player.emplace(); }
    void cleanup() { player.reset(); }

    void aSessionHasSettingsOfItsOwnAndAnswersEveryDialog()
    {
        QString sessionSettings;
        {
            const HeadlessSession session;
            QVERIFY(session.ready());
            sessionSettings = session.settingsPath();
            QCOMPARE(IniFile::configDirectory(), QDir::cleanPath(sessionSettings));
            QVERIFY(Dialogs::hasAnswerer());
            QCOMPARE(Dialogs::message(nullptr, QStringLiteral("Carry on?"), Dialogs::Icon::Question,
                                      Dialogs::Buttons::OkCancel),
                     int(Dialogs::Ok));
            IniFile::write(QStringLiteral("Solitaire.ini"), QStringLiteral("MainWindow"), QStringLiteral("Flags"),
                           QStringLiteral("0"));
        }
        QCOMPARE(IniFile::configDirectory(), QDir::cleanPath(player->path()));
        QVERIFY(!Dialogs::hasAnswerer());
        QVERIFY(!QDir(sessionSettings).exists());  // gone with the session
        QVERIFY(playerSettingsEmpty());
    }

    void withoutATemporaryFolderNothingRunsOnThePlayersSettings()
    {
        const NoTemporaryFolders noTemporaryFolders;
        {
            const HeadlessSession session;
            QVERIFY(!session.ready());
            QCOMPARE(IniFile::configDirectory(), QDir::cleanPath(player->path()));
            QCOMPARE(session.refuse(), 1);
        }
        const QString shots = player->filePath(QStringLiteral("shots"));
        QCOMPARE(AppCommands::screenshots(shots, 1), 1);
        QCOMPARE(AppCommands::printDeal(QStringLiteral("Klondike")), 1);
        QVERIFY(playerSettingsEmpty());
        QCOMPARE(IniFile::configDirectory(), QDir::cleanPath(player->path()));
    }

    void printDealRefusesAGameThatDoesNotExist()
    {
        QCOMPARE(AppCommands::printDeal(QStringLiteral("No Such Game")), 2);
        QVERIFY(playerSettingsEmpty());
    }

    void printDealLeavesThePlayersSettingsAlone()
    {
        const FixedSeed seed(5);
        QCOMPARE(AppCommands::printDeal(QStringLiteral("Klondike")), 0);
        QVERIFY(playerSettingsEmpty());
        QVERIFY(!Dialogs::hasAnswerer());
    }
};

QTEST_MAIN(TestHeadless)
#include "tst_headless.moc"
