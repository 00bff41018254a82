// SPDX-License-Identifier: MIT
#include "platform/Help.h"
#include "resources/Resources.h"
#include "shell/Requirements.h"
#include "support/ShellKit.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The launcher's list order.
enum Game { Castle = 0, DblKlondike = 1, FreeCell = 3, Golf = 4, Klondike = 6, Montana = 7, Spider = 11 };

const QString colourMessage = QStringLiteral(
    "Cardenza requires at least high-color (16-bit) color palette setting to play.\n\n"
    "Please press the Help button below for more information.");

QString largeMessage(const QString &game, const QString &mode)
{
    return game + QStringLiteral(" requires at least ") + mode
           + QStringLiteral(" desktop area to play using the large card preference.\n\n"
                            "Increase your desktop area or select the small card size preference.");
}

QString smallMessage(const QString &game)
{
    return game + QStringLiteral(" requires at least SVGA (800x600) desktop area to play.\n\n"
                                 "Increase your desktop area to play.");
}

// What the player saw each time the requirements window came up.
struct Shown {
    QString message;
    bool preferencesOffered;
};

}  // namespace

class TestRequirements : public QObject
{
    Q_OBJECT
    DialogLog dialogs;
    std::optional<ScreenOverride> screen;
    QList<Shown> shown;

    // `whileShown` runs while the requirements window is up.
    void answer(const std::function<void(TSysRequirementsForm *)> &whileShown = {})
    {
        dialogs.onModal = [this, whileShown](const Dialogs::Record &record) {
            if (auto *form = qobject_cast<TSysRequirementsForm *>(record.window)) {
                shown << Shown{form->MessageLabel->text(), !form->PrefButton->isHidden()};
                if (whileShown)
                    whileShown(form);
            }
            return int(Dialogs::Ok);
        };
    }

private Q_SLOTS:
    void initTestCase()
    {
        SysRequirementsForm = new TSysRequirementsForm;
        Help::setFilePath(QStringLiteral("/nonexistent/Cardenza.hlp"));
    }

    void init()
    {
        shown.clear();
        dialogs.clear();
        answer();
        screen.emplace();
    }

    void cleanupTestCase()
    {
        delete SysRequirementsForm;
        QVERIFY(!SysRequirementsForm);
    }

    void windowBlendsWithTheJester()
    {
        TSysRequirementsForm *form = SysRequirementsForm;
        QCOMPARE(form->windowTitle(), QStringLiteral("Cardenza!"));
        QCOMPARE(form->size(), QSize(313, 297));
        QVERIFY(!(form->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(form->windowFlags() & Qt::WindowSystemMenuHint));
        const QImage jester = Resources::bitmap(QStringLiteral("JESTER1"));
        QCOMPARE(form->palette().color(QPalette::Window), jester.pixelColor(0, 0));
        QCOMPARE(form->Panel1->palette().color(QPalette::Window), jester.pixelColor(0, 0));
        QCOMPARE(form->Image1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                 jester.convertToFormat(QImage::Format_ARGB32));
        QVERIFY(form->OKButton->isDefault());
        QVERIFY(form->MessageLabel->wordWrap());
        QCOMPARE(form->RxLabel1->text(), QStringLiteral("System\r\nRequirements"));
    }

    void screenWidthDecides_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("game");
        QTest::addColumn<bool>("large");
        QTest::addColumn<QString>("refusal");  // empty when the game opens

        const QString svga = QStringLiteral("SVGA (800x600)");
        const QString xga = QStringLiteral("XGA (1024x768)");
        QTest::newRow("1000 Klondike large") << 1000 << int(Klondike) << true << QString();
        QTest::newRow("1000 Spider large") << 1000 << int(Spider) << true << largeMessage("Spider", xga);
        QTest::newRow("1000 Spider small") << 1000 << int(Spider) << false << QString();
        QTest::newRow("1024 Spider large") << 1024 << int(Spider) << true << QString();
        QTest::newRow("640 Montana small") << 640 << int(Montana) << false << smallMessage("Montana");
        QTest::newRow("640 Golf small") << 640 << int(Golf) << false << QString();
        QTest::newRow("640 Castle small") << 640 << int(Castle) << false << QString();
        QTest::newRow("640 FreeCell large") << 640 << int(FreeCell) << true << largeMessage("FreeCell", svga);
        QTest::newRow("800 Klondike large") << 800 << int(Klondike) << true << QString();
        QTest::newRow("800 Spider large") << 800 << int(Spider) << true << largeMessage("Spider", xga);
        QTest::newRow("799 Klondike large") << 799 << int(Klondike) << true << largeMessage("Klondike", svga);
        QTest::newRow("799 Double Klondike small") << 799 << int(DblKlondike) << false << smallMessage("Double Klondike");
        QTest::newRow("800 Double Klondike small") << 800 << int(DblKlondike) << false << QString();
    }

    void screenWidthDecides()
    {
        QFETCH(int, width);
        QFETCH(int, game);
        QFETCH(bool, large);
        QFETCH(QString, refusal);
        screen->setWidth(width);
        QCOMPARE(CheckScreenSize(game, large), refusal.isEmpty());
        if (refusal.isEmpty()) {
            QVERIFY(dialogs.records().isEmpty());
            return;
        }
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().message, refusal);
        QVERIFY(shown.first().preferencesOffered);
        QCOMPARE(dialogs.modals(SysRequirementsForm), 1);
    }

    void colourDepthDecides_data()
    {
        QTest::addColumn<int>("colours");
        QTest::addColumn<bool>("passes");
        QTest::newRow("256 colours") << 256 << false;
        QTest::newRow("16 colours") << 16 << false;
        QTest::newRow("high colour") << 65536 << true;
    }

    void colourDepthDecides()
    {
        QFETCH(int, colours);
        QFETCH(bool, passes);
        screen->setColors(colours);
        QCOMPARE(CheckColorDepth(), passes);
        if (passes) {
            QVERIFY(dialogs.records().isEmpty());
            return;
        }
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().message, colourMessage);
        QVERIFY(!shown.first().preferencesOffered);
        // The next screen message offers the preferences again.
        QVERIFY(!SysRequirementsForm->PrefButton->isHidden());
    }

    void helpButtonAndF1OpenTopic500()
    {
        QTemporaryDir directory;
        const QString helpFile = directory.filePath(QStringLiteral("Cardenza.hlp"));
        QFile file(helpFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><a name=\"500\"></a>Display settings</body></html>");
        file.close();
        Help::setFilePath(helpFile);

        Help::showContents(nullptr);
        QCOMPARE(Help::lastTopic(), -1);
        SysRequirementsForm->HelpBtn->click();
        QCOMPARE(Help::lastTopic(), 500);
        Help::showContents(nullptr);
        QTest::keyClick(SysRequirementsForm->OKButton, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 500);
        QVERIFY(dialogs.records().isEmpty());
        Help::setFilePath(QStringLiteral("/nonexistent/Cardenza.hlp"));
    }

    void preferencesButtonLetsThePlayerChooseSmallCards()
    {
        const PreferencesScope preferences;
        preferences->CardSize = 1;
        bool closedAfterPreferences = false;
        dialogs.onModal = [&](const Dialogs::Record &record) {
            if (auto *form = qobject_cast<TSysRequirementsForm *>(record.window)) {
                form->PrefButton->click();
                closedAfterPreferences = form->result() == QDialog::Accepted;
            } else if (record.window == PreferencesDlg) {
                for (QRadioButton *choice : PreferencesDlg->findChildren<QRadioButton *>())
                    if (choice->text().startsWith(QStringLiteral("Use small cards")))
                        choice->click();
            }
            return int(Dialogs::Ok);
        };
        screen->setWidth(1000);
        QVERIFY(!CheckScreenSize(Spider, preferences->CardSize == 1));
        QVERIFY(closedAfterPreferences);
        QCOMPARE(dialogs.records().size(), 2);
        QCOMPARE(dialogs.records()[1].window, static_cast<QWidget *>(PreferencesDlg));
        QCOMPARE(preferences->CardSize, 0);
        // Clicking the game again now opens it.
        QVERIFY(CheckScreenSize(Spider, preferences->CardSize == 1));
        QCOMPARE(dialogs.records().size(), 2);
    }

    void okButtonCloses()
    {
        answer([](TSysRequirementsForm *form) {
            form->show();
            QTest::mouseClick(form->OKButton, Qt::LeftButton);
        });
        screen->setWidth(640);
        QVERIFY(!CheckScreenSize(Montana, false));
        QVERIFY(!SysRequirementsForm->isVisible());
        QCOMPARE(SysRequirementsForm->result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestRequirements)
#include "tst_requirements.moc"
