// SPDX-License-Identifier: MIT
#include "cards/Card.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/ImageList.h"
#include "platform/StartupQueue.h"
#include "platform/IniFile.h"
#include "platform/Screen.h"
#include "platform/SoundPlayer.h"
#include "shell/Preferences.h"
#include "shell/Sounds.h"
#include "shell/Tray.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString section = QStringLiteral("Preferences");

QString stored(const QString &key) { return IniFile::read(QStringLiteral("Solitaire.ini"), section, key, "None"); }
void store(const QString &key, const QString &value) { IniFile::write(QStringLiteral("Solitaire.ini"), section, key, value); }

template <class T>
T *child(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The radio button item of a radio group (a group box of radio buttons).
QRadioButton *item(QWidget *dialog, const char *group, int index)
{
    return child<QGroupBox>(dialog, group)->findChildren<QRadioButton *>().at(index);
}

void clickIndicator(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2)); }

QColor swatchColor(QWidget *dialog, const char *name) { return child<QFrame>(dialog, name)->palette().color(QPalette::Window); }

void showPage(QWidget *dialog, int page) { child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(page); }

void click(QWidget *dialog, const char *button) { QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton); }

QString backgroundPage(QWidget *dialog) { return child<QStackedWidget>(dialog, "PageControl2")->currentWidget()->objectName(); }

}  // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

    QTemporaryDir configDir;
    QTemporaryDir pictureDir;
    QList<Dialogs::Record> messages;
    QStringList sounds;
    QList<bool> trayCalls;
    std::function<int(const Dialogs::Record &)> onModal;

    std::unique_ptr<TPreferencesDlg> create()
    {
        auto dialog = std::make_unique<TPreferencesDlg>();
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qFatal("dialog not shown");
        return dialog;
    }

    QString picture(const QString &name, QColor color = Qt::red)
    {
        QImage image(160, 250, QImage::Format_RGB32);
        image.fill(color);
        const QString path = pictureDir.filePath(name);
        image.save(path, "BMP");
        return path;
    }

    QString rawFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = pictureDir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    void chooseFile(const QString &path)
    {
        onModal = [path](const Dialogs::Record &record) {
            static_cast<QFileDialog *>(record.window)->selectFile(path);
            return int(QDialog::Accepted);
        };
    }

    QStringList keyOrder()
    {
        QFile file(IniFile::resolve(QStringLiteral("Solitaire.ini")));
        file.open(QIODevice::ReadOnly);
        QStringList keys;
        for (const QByteArray &line : file.readAll().split('\n'))
            if (line.contains('='))
                keys << QString::fromUtf8(line.left(line.indexOf('=')));
        return keys;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("CARDENZA_CONFIG_DIR", configDir.path().toUtf8());
        SoundManager = new TSoundManager;
        SoundPlayer::setRecorder([this](const QString &name, bool sync) { sounds << name + (sync ? " sync" : " async"); });
        Dialogs::setAnswerer([this](const Dialogs::Record &record) {
            if (record.kind == QLatin1String("message")) {
                messages << record;
                return int(Dialogs::Ok);
            }
            return onModal ? onModal(record) : int(QDialog::Rejected);
        });
        Tray::setHandler([this](bool on) { trayCalls << on; });
    }

    void cleanupTestCase()
    {
        delete SoundManager;
        SoundManager = nullptr;
    }

    void init()
    {
        QFile::remove(IniFile::resolve(QStringLiteral("Solitaire.ini")));
        messages.clear();
        sounds.clear();
        trayCalls.clear();
        onModal = nullptr;
        Screen::overrideWidth(1024);
        TCard::SetCardSize(FS_LARGE);
        TCard::FreeCardBitmaps();  // the three built-in backs only
        TCard::SetBackIndex(0);
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, Qt::white);
    }

    void firstRunShowsDefaults_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("cardSize");
        QTest::newRow("1024 wide") << 1024 << 1;
        QTest::newRow("801 wide") << 801 << 1;
        QTest::newRow("800 wide") << 800 << 0;
    }

    void firstRunShowsDefaults()
    {
        QFETCH(int, width);
        QFETCH(int, cardSize);
        Screen::overrideWidth(width);
        auto dlg = create();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Cardenza Preferences"));
        QCOMPARE(dlg->size(), QSize(389, 272));
        QCOMPARE(dlg->font().pixelSize(), 12);
        QCOMPARE(child<QTabWidget>(dlg.get(), "PageControl1")->currentIndex(), 0);
        QCOMPARE(child<QTabWidget>(dlg.get(), "PageControl1")->tabText(0), QStringLiteral("Card Back"));
        QVERIFY(child<QRadioButton>(dlg.get(), "RadioButton1")->isChecked());
        QVERIFY(!child<QRadioButton>(dlg.get(), "RadioButton4")->isEnabled());
        QCOMPARE(dlg->CardSize, cardSize);
        QVERIFY(item(dlg.get(), "RadioGroup1", cardSize)->isChecked());
        QCOMPARE(int(TCard::GetCardSize()), cardSize);
        QCOMPARE(keyOrder(), QStringList{"CardSize"});  // the only key written at start-up
        QCOMPARE(stored("CardSize"), QString::number(cardSize));
        QVERIFY(item(dlg.get(), "RadioGroup2", 0)->isChecked());
        QCOMPARE(backgroundPage(dlg.get()), QStringLiteral("TabSheet5"));
        QCOMPARE(swatchColor(dlg.get(), "Panel1"), QColor(0, 64, 0));
        QVERIFY(child<QCheckBox>(dlg.get(), "CheckBox1")->isChecked());
        QVERIFY(child<QCheckBox>(dlg.get(), "CheckBox5")->isChecked());
        QVERIFY(!child<QCheckBox>(dlg.get(), "CheckBox2")->isChecked());
        QCOMPARE(trayCalls, QList<bool>{false});
        QCOMPARE(sounds, QStringList{"OPEN async"});
        QVERIFY(messages.isEmpty());
        QCOMPARE(dlg->GetBackgroundBitmap(), nullptr);
    }

    // While the program starts, the first run's card size is stored and the opening
    // sound plays only once the first window has shown; nothing is lost meanwhile.
    void startingDefersTheFirstWriteAndTheSound()
    {
        Screen::overrideWidth(1024);
        StartupQueue::hold();
        auto dlg = create();
        QCOMPARE(dlg->CardSize, 1);
        QVERIFY(keyOrder().isEmpty());
        QVERIFY(sounds.isEmpty());
        StartupQueue::release();
        QCOMPARE(stored("CardSize"), QStringLiteral("1"));
        QCOMPARE(sounds, QStringList{"OPEN async"});
    }

    void aChoiceMadeBeforeTheDeferredWriteIsTheOneKept()
    {
        Screen::overrideWidth(1024);
        StartupQueue::hold();
        auto dlg = create();
        dlg->CardSize = 0;
        StartupQueue::release();
        QCOMPARE(stored("CardSize"), QStringLiteral("0"));
        dlg.reset();
        StartupQueue::hold();
        auto gone = create();
        gone.reset();
        StartupQueue::release();  // the dialog went first: nothing runs on it
    }

    void storedPreferencesAreRead()
    {
        store("BackIndex", "2");
        store("CardSize", "0");
        store("BackgroundIndex", "1");
        store("GradientIndex", "1");
        store("BackgroundColor", "clNavy");
        store("GradientStartColor", "$00112233");
        store("GradientEndColor", "not a colour");
        store("DoAnimation", "no");
        store("DoSound", "False");
        store("MinimizeToTray", "yes");
        auto dlg = create();
        QCOMPARE(dlg->BackIndex, 2);
        QCOMPARE(TCard::GetBackIndex(), 2);
        QVERIFY(child<QRadioButton>(dlg.get(), "RadioButton3")->isChecked());
        QCOMPARE(int(TCard::GetCardSize()), int(FS_SMALL));
        QCOMPARE(backgroundPage(dlg.get()), QStringLiteral("TabSheet6"));
        QVERIFY(item(dlg.get(), "RadioGroup3", 1)->isChecked());
        QCOMPARE(dlg->BackgroundColor, TColor(0x800000));
        QCOMPARE(swatchColor(dlg.get(), "Panel2"), QColor(0x33, 0x22, 0x11));
        QCOMPARE(dlg->GradientEndColor, TColor(0));  // unreadable text keeps black
        QVERIFY(!dlg->DoAnimation && !dlg->DoSound && dlg->MinimizeToTray);
        QCOMPARE(trayCalls, QList<bool>{true});
        QVERIFY(sounds.isEmpty());  // sounds are off from the first moment
    }

    void valuesOutOfRangeCountAsAbsent()
    {
        store("BackIndex", "7");
        store("CardSize", "5");
        store("BackgroundIndex", "-1");
        Screen::overrideWidth(800);
        auto dlg = create();
        QCOMPARE(dlg->BackIndex, 0);
        QVERIFY(child<QRadioButton>(dlg.get(), "RadioButton1")->isChecked());
        QCOMPARE(dlg->CardSize, 0);
        QCOMPARE(stored("CardSize"), QStringLiteral("0"));
        QCOMPARE(dlg->BackgroundIndex, 0);
    }

    void closingWritesTheTenKeysInOrder()
    {
        auto dlg = create();
        clickIndicator(child<QRadioButton>(dlg.get(), "RadioButton2"));
        showPage(dlg.get(), 2);
        clickIndicator(item(dlg.get(), "RadioGroup2", 1));
        clickIndicator(item(dlg.get(), "RadioGroup3", 1));
        showPage(dlg.get(), 3);
        clickIndicator(child<QCheckBox>(dlg.get(), "CheckBox1"));
        QFile::remove(IniFile::resolve(QStringLiteral("Solitaire.ini")));
        trayCalls.clear();
        click(dlg.get(), "OKBtn");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(keyOrder(), (QStringList{"BackgroundColor", "BackIndex", "DoAnimation", "DoSound", "MinimizeToTray",
                                          "CardSize", "BackgroundIndex", "GradientStartColor", "GradientEndColor",
                                          "GradientIndex", "KeepGames"}));
        QCOMPARE(stored("BackgroundColor"), QStringLiteral("$00004000"));
        QCOMPARE(stored("BackIndex"), QStringLiteral("1"));
        QCOMPARE(stored("DoSound"), QStringLiteral("False"));
        QCOMPARE(stored("DoAnimation"), QStringLiteral("True"));
        QCOMPARE(stored("BackgroundIndex"), QStringLiteral("1"));
        QCOMPARE(stored("GradientEndColor"), QStringLiteral("clBlack"));
        QCOMPARE(stored("GradientIndex"), QStringLiteral("1"));
        QCOMPARE(TCard::GetBackIndex(), 1);
        QVERIFY(!dlg->DoSound);
        QCOMPARE(trayCalls, QList<bool>{false});
    }

    void everyClosePathRunsTheCloseOnce()
    {
        auto dlg = create();
        dlg->close();  // the close box
        QVERIFY(!dlg->isVisible());
        QCOMPARE(trayCalls.size(), 2);  // creation, then one close
        QFile::remove(IniFile::resolve(QStringLiteral("Solitaire.ini")));
        onModal = [](const Dialogs::Record &) { return int(QDialog::Accepted); };
        Dialogs::execModal(dlg.get());
        QCOMPARE(trayCalls.size(), 3);
        QCOMPARE(keyOrder().size(), 11);
    }

    // Off unless the player turned it on; the game windows ask the running dialog.
    void keepingUnfinishedGamesIsReadAndWritten()
    {
        auto dlg = create();
        PreferencesDlg = dlg.get();
        QVERIFY(!dlg->KeepGames && !keepUnfinishedGames());
        showPage(dlg.get(), 3);
        auto *box = child<QCheckBox>(dlg.get(), "CheckBox3");
        QCOMPARE(box->text(), QStringLiteral("Keep unfinished games"));
        clickIndicator(box);
        click(dlg.get(), "OKBtn");
        QVERIFY(dlg->KeepGames && keepUnfinishedGames());
        QCOMPARE(stored("KeepGames"), QStringLiteral("True"));
        PreferencesDlg = nullptr;
        QVERIFY(!keepUnfinishedGames());
        dlg.reset();
        store("KeepGames", "False");
        QVERIFY(!create()->KeepGames);
        store("KeepGames", "yes");
        QVERIFY(child<QCheckBox>(create().get(), "CheckBox3")->isChecked());
    }

    void cardSizeChangedOnlyWhenTheSizeDiffersAtClose()
    {
        auto dlg = create();
        showPage(dlg.get(), 1);
        clickIndicator(item(dlg.get(), "RadioGroup1", 0));
        clickIndicator(item(dlg.get(), "RadioGroup1", 1));
        dlg->accept();
        QVERIFY(!dlg->CardSizeChanged);

        dlg->show();
        clickIndicator(item(dlg.get(), "RadioGroup1", 0));
        dlg->accept();
        QVERIFY(dlg->CardSizeChanged);
        QCOMPARE(dlg->CardSize, 0);
        QCOMPARE(stored("CardSize"), QStringLiteral("0"));
        QCOMPARE(int(TCard::GetCardSize()), int(FS_LARGE));  // the launcher applies it later

        dlg->show();
        dlg->accept();
        QVERIFY(dlg->CardSizeChanged);  // never cleared
    }

    void colourDialogKeepsCustomColours()
    {
        auto dlg = create();
        showPage(dlg.get(), 2);
        QColor preset;
        onModal = [&preset](const Dialogs::Record &record) {
            auto *chooser = static_cast<QColorDialog *>(record.window);
            preset = chooser->currentColor();
            QColorDialog::setCustomColor(0, QColor(1, 2, 3));
            QColorDialog::setCustomColor(15, QColor(250, 128, 7));
            chooser->setCurrentColor(Qt::red);
            return int(QDialog::Rejected);
        };
        QTest::mouseClick(child<QFrame>(dlg.get(), "Panel1"), Qt::LeftButton);
        QCOMPARE(preset, QColor(0, 64, 0));
        QCOMPARE(dlg->BackgroundColor, clDarkGreen);
        QCOMPARE(swatchColor(dlg.get(), "Panel1"), QColor(0, 64, 0));
        const QString written = stored("CustomColors");
        QVERIFY2(written.contains("ColorA=030201"), qPrintable(written));

        QColorDialog::setCustomColor(0, Qt::white);
        QColorDialog::setCustomColor(15, Qt::white);
        auto again = create();
        QCOMPARE(QColorDialog::customColor(0), QColor(1, 2, 3));
        QCOMPARE(QColorDialog::customColor(15), QColor(250, 128, 7));
        onModal = [](const Dialogs::Record &record) {
            static_cast<QColorDialog *>(record.window)->setCurrentColor(QColor(10, 20, 30));
            return int(QDialog::Accepted);
        };
        showPage(again.get(), 2);
        QTest::mouseClick(child<QFrame>(again.get(), "Panel1"), Qt::LeftButton);
        QCOMPARE(stored("CustomColors"), written);  // unchanged after the round trip
        QCOMPARE(again->BackgroundColor, TColor(0x1E140A));
        QCOMPARE(swatchColor(again.get(), "Panel1"), QColor(10, 20, 30));
        QCOMPARE(stored("BackgroundColor"), QStringLiteral("None"));  // only at close
        again->accept();
        QCOMPARE(stored("BackgroundColor"), QStringLiteral("$001E140A"));
    }

    void customBackIsBuiltAndSelected_data()
    {
        QTest::addColumn<int>("cardSize");
        QTest::newRow("large cards") << 1;
        QTest::newRow("small cards") << 0;
    }

    void customBackIsBuiltAndSelected()
    {
        QFETCH(int, cardSize);
        store("CardSize", QString::number(cardSize));
        const QString path = picture("back.bmp");
        auto dlg = create();
        chooseFile(path);
        click(dlg.get(), "BrowseButton");
        auto *custom = child<QRadioButton>(dlg.get(), "RadioButton4");
        QVERIFY(custom->isEnabled() && custom->isChecked());
        QCOMPARE(dlg->BackIndex, 3);
        QCOMPARE(TCard::GetBackIndex(), 3);
        QCOMPARE(stored("CustomImage"), path);
        const ImageList *backs = TCard::GetBackImageList();
        QCOMPARE(backs->Count(), 4);
        const QImage back = backs->Image(3);
        QCOMPARE(back.size(), QSize(TCard::CardWidth(), TCard::CardHeight()));
        QCOMPARE(back.pixelColor(back.width() / 2, back.height() / 2), QColor(Qt::red));
        QCOMPARE(qAlpha(back.pixel(0, 0)), 0);  // the frame's mask rounds the corners
        QVERIFY(!child<QLabel>(dlg.get(), "Image4")->pixmap().isNull());
        dlg->accept();
        QCOMPARE(stored("BackIndex"), QStringLiteral("3"));

        // The next start rebuilds it quietly; choosing another back keeps it available.
        sounds.clear();
        auto next = create();
        custom = child<QRadioButton>(next.get(), "RadioButton4");
        QVERIFY(custom->isChecked() && custom->isEnabled());
        QCOMPARE(TCard::GetBackImageList()->Count(), 4);
        clickIndicator(child<QRadioButton>(next.get(), "RadioButton2"));
        next->accept();
        QCOMPARE(TCard::GetBackIndex(), 1);
        QVERIFY(custom->isEnabled());
        QCOMPARE(stored("CustomImage"), path);
        QVERIFY(messages.isEmpty());
    }

    void customBackIsRebuiltAfterASizeChange()
    {
        auto dlg = create();
        dlg->RefreshCustomBack();  // nothing changed: nothing to rebuild
        QCOMPARE(TCard::GetBackImageList()->Count(), 3);
        chooseFile(picture("back.bmp"));
        click(dlg.get(), "BrowseButton");
        showPage(dlg.get(), 1);
        clickIndicator(item(dlg.get(), "RadioGroup1", 0));
        dlg->accept();
        TCard::SetCardSize(FS_SMALL);  // as the launcher does before the next game window
        QCOMPARE(TCard::GetBackImageList()->Count(), 3);
        dlg->RefreshCustomBack();
        const QImage back = TCard::GetBackImageList()->Image(3);
        QCOMPARE(back.size(), QSize(61, 95));
        QCOMPARE(back.pixelColor(30, 47), QColor(Qt::red));
        QCOMPARE(TCard::GetBackIndex(), 3);
    }

    void chooserStartsAtTheStoredPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("imagesFilter");
        QTest::newRow("bmp") << "a.bmp" << true;
        QTest::newRow("JPG") << "b.JPG" << true;
        QTest::newRow("mixed case") << "c.Bmp" << false;
        QTest::newRow("no extension") << "d" << false;
    }

    void chooserStartsAtTheStoredPicture()
    {
        QFETCH(QString, name);
        QFETCH(bool, imagesFilter);
        const QString path = picture(name);
        store("BackgroundImage", path);
        auto dlg = create();
        QString directory, filter;
        QStringList selected;
        onModal = [&](const Dialogs::Record &record) {
            auto *chooser = static_cast<QFileDialog *>(record.window);
            directory = chooser->directory().absolutePath();
            filter = chooser->selectedNameFilter();
            selected = chooser->selectedFiles();
            return int(QDialog::Rejected);
        };
        showPage(dlg.get(), 2);
        clickIndicator(item(dlg.get(), "RadioGroup2", 2));
        click(dlg.get(), "Button1");
        QCOMPARE(directory, QDir(pictureDir.path()).absolutePath());
        QCOMPARE(selected, QStringList{path});
        QCOMPARE(filter.startsWith("Images"), imagesFilter);
        QVERIFY(dlg->GetBackgroundBitmap());  // a cancelled chooser changes nothing
    }

    void storedPicturesThatCannotBeUsedWarnAndFallBack_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("complaint");
        QTest::addColumn<int>("backgroundIndex");  // the table choice afterwards
        QTest::newRow("missing") << false << "was not found." << 0;
        QTest::newRow("unreadable") << true << "could not be read." << 2;
    }

    void storedPicturesThatCannotBeUsedWarnAndFallBack()
    {
        QFETCH(bool, present);
        QFETCH(QString, complaint);
        QFETCH(int, backgroundIndex);
        const QString back = rawFile("stored-back.bmp", "BM this is no bitmap");
        const QString cloth = rawFile("stored-cloth.jpg", "\xFF\xD8\xFF\xE0 nor is this a photograph");
        if (!present)
            QVERIFY(QFile::remove(back) && QFile::remove(cloth));
        store("BackIndex", "3");
        store("CustomImage", back);
        store("BackgroundIndex", "2");
        store("BackgroundImage", cloth);
        auto dlg = create();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text, "The custom card back image " + back + " " + complaint);
        QCOMPARE(messages[1].text, "The game background image " + cloth + " " + complaint);
        QVERIFY(messages[0].icon == Dialogs::Icon::Warning && messages[1].icon == Dialogs::Icon::Warning);
        QCOMPARE(dlg->BackIndex, 0);
        QCOMPARE(TCard::GetBackIndex(), 0);
        QVERIFY(child<QRadioButton>(dlg.get(), "RadioButton1")->isChecked());
        QVERIFY(!child<QRadioButton>(dlg.get(), "RadioButton4")->isEnabled());
        QCOMPARE(stored("CustomImage"), QStringLiteral("None"));
        QCOMPARE(stored("BackgroundImage"), QStringLiteral("None"));
        QCOMPARE(dlg->BackgroundIndex, backgroundIndex);
        QVERIFY(item(dlg.get(), "RadioGroup2", backgroundIndex)->isChecked());
        QCOMPARE(dlg->GetBackgroundBitmap(), nullptr);
        QVERIFY(!child<QLabel>(dlg.get(), "Label6")->isHidden());
    }

    // Left behind when a custom back's file went away: the next start has BackIndex 3
    // and no picture for it.
    void customIndexWithoutCustomBackShowsTheFirstBack_data()
    {
        QTest::addColumn<QString>("customImage");  // empty: the key is absent
        QTest::addColumn<int>("warnings");
        QTest::newRow("None stored") << "None" << 0;
        QTest::newRow("no key") << QString() << 0;
        QTest::newRow("file missing") << "/nonexistent/back.bmp" << 1;
    }

    void customIndexWithoutCustomBackShowsTheFirstBack()
    {
        QFETCH(QString, customImage);
        QFETCH(int, warnings);
        store("BackIndex", "3");
        if (!customImage.isEmpty())
            store("CustomImage", customImage);
        auto dlg = create();
        QCOMPARE(messages.size(), warnings);
        QCOMPARE(dlg->BackIndex, 0);
        QCOMPARE(TCard::GetBackIndex(), 0);
        auto *custom = child<QRadioButton>(dlg.get(), "RadioButton4");
        QVERIFY(!custom->isChecked() && !custom->isEnabled());
        QVERIFY(child<QRadioButton>(dlg.get(), "RadioButton1")->isChecked());
        QCOMPARE(stored("BackIndex"), QStringLiteral("3"));  // until the dialog closes
        click(dlg.get(), "OKBtn");
        QCOMPARE(stored("BackIndex"), QStringLiteral("0"));
        QCOMPARE(TCard::GetBackIndex(), 0);
    }

    void gifPicturesAreRefused()
    {
        const QString gif = pictureDir.filePath("anim.gif");
        QImage(10, 10, QImage::Format_RGB32).save(gif, "PNG");
        store("BackIndex", "3");
        store("CustomImage", gif);
        auto dlg = create();
        QVERIFY(messages.isEmpty());  // quiet at start-up
        QCOMPARE(stored("CustomImage"), QStringLiteral("None"));
        QCOMPARE(dlg->BackIndex, 0);

        const QString good = picture("good.bmp");
        chooseFile(good);
        click(dlg.get(), "BrowseButton");
        chooseFile(gif);
        click(dlg.get(), "BrowseButton");
        showPage(dlg.get(), 2);
        clickIndicator(item(dlg.get(), "RadioGroup2", 2));
        click(dlg.get(), "Button1");
        QCOMPARE(messages.size(), 2);
        for (const Dialogs::Record &message : messages) {
            QCOMPARE(message.text, QStringLiteral("GIF images are not supported."));
            QCOMPARE(message.icon, Dialogs::Icon::Error);
        }
        QCOMPARE(stored("CustomImage"), good);
        QVERIFY(child<QRadioButton>(dlg.get(), "RadioButton4")->isChecked());
        QCOMPARE(stored("BackgroundImage"), QStringLiteral("None"));
    }

    void chosenPicturesThatCannotBeReadKeepThePrevious_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("complaint");
        const QString unreadable = QStringLiteral("could not be read.");
        QTest::newRow("corrupt JPEG") << "broken.jpg" << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF cut short") << true
                                      << unreadable;
        QTest::newRow("corrupt PCX") << "broken.pcx" << QByteArray("\x0A\x05\x01\x08 header cut short") << true
                                     << unreadable;
        QTest::newRow("corrupt BMP") << "broken.bmp" << QByteArray("BM\x36\x00\x00\x00 cut short") << true << unreadable;
        QTest::newRow("empty file") << "empty.bmp" << QByteArray() << true << unreadable;
        QTest::newRow("file gone") << "gone.jpg" << QByteArray() << false << "was not found.";
    }

    void chosenPicturesThatCannotBeReadKeepThePrevious()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(QString, complaint);
        const QString back = picture("back.bmp", Qt::red);
        const QString cloth = picture("cloth.bmp", Qt::blue);
        const QString bad = rawFile(name, bytes);
        auto dlg = create();
        chooseFile(back);
        click(dlg.get(), "BrowseButton");
        showPage(dlg.get(), 2);
        clickIndicator(item(dlg.get(), "RadioGroup2", 2));
        chooseFile(cloth);
        click(dlg.get(), "Button1");
        QVERIFY(messages.isEmpty());

        // The file goes away between the choice and the loading.
        onModal = [bad, present](const Dialogs::Record &record) {
            static_cast<QFileDialog *>(record.window)->selectFile(bad);
            if (!present)
                QFile::remove(bad);
            return int(QDialog::Accepted);
        };
        showPage(dlg.get(), 0);
        click(dlg.get(), "BrowseButton");
        showPage(dlg.get(), 2);
        click(dlg.get(), "Button1");
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text, "The custom card back image " + bad + " " + complaint);
        QCOMPARE(messages[1].text, "The game background image " + bad + " " + complaint);
        QVERIFY(messages[0].icon == Dialogs::Icon::Warning && messages[1].icon == Dialogs::Icon::Warning);

        auto *custom = child<QRadioButton>(dlg.get(), "RadioButton4");
        QVERIFY(custom->isEnabled() && custom->isChecked());
        QCOMPARE(TCard::GetBackIndex(), 3);
        QCOMPARE(stored("CustomImage"), back);
        const QImage card = TCard::GetBackImageList()->Image(3);
        QCOMPARE(card.pixelColor(card.width() / 2, card.height() / 2), QColor(Qt::red));
        QVERIFY(!child<QLabel>(dlg.get(), "Image4")->pixmap().isNull());

        QVERIFY(dlg->GetBackgroundBitmap());
        QCOMPARE(dlg->GetBackgroundBitmap()->pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(stored("BackgroundImage"), cloth);
        QCOMPARE(dlg->BackgroundIndex, 2);
        QCOMPARE(backgroundPage(dlg.get()), QStringLiteral("TabSheet7"));
        QVERIFY(child<QLabel>(dlg.get(), "Label6")->isHidden());

        dlg->accept();
        QCOMPARE(stored("BackIndex"), QStringLiteral("3"));
    }

    void tiledImageChoiceAndPicture()
    {
        auto dlg = create();
        showPage(dlg.get(), 2);
        clickIndicator(item(dlg.get(), "RadioGroup2", 2));
        QCOMPARE(dlg->BackgroundIndex, 2);  // at once
        QCOMPARE(backgroundPage(dlg.get()), QStringLiteral("TabSheet7"));
        QVERIFY(child<QLabel>(dlg.get(), "Label6")->isVisible());
        QCOMPARE(dlg->GetBackgroundBitmap(), nullptr);
        dlg->accept();
        QCOMPARE(stored("BackgroundIndex"), QStringLiteral("2"));

        dlg->show();
        const QString path = picture("cloth.bmp", Qt::blue);
        chooseFile(path);
        click(dlg.get(), "Button1");
        QVERIFY(dlg->GetBackgroundBitmap());
        QCOMPARE(dlg->GetBackgroundBitmap()->size(), QSize(160, 250));
        QVERIFY(!child<QLabel>(dlg.get(), "Label6")->isVisible());
        QCOMPARE(stored("BackgroundImage"), path);
    }

    void pathsTheSettingsCannotKeepAreNotStored()
    {
        // A line break would split the settings line; the picture still serves this run.
        const QString odd = picture("odd\nname.bmp");
        auto dlg = create();
        chooseFile(odd);
        click(dlg.get(), "BrowseButton");
        QCOMPARE(dlg->BackIndex, 3);
        QCOMPARE(stored("CustomImage"), QStringLiteral("None"));
        QVERIFY(!keyOrder().contains("name.bmp"));
    }

    void helpShowsTopic502()
    {
        const QString help = pictureDir.filePath("Cardenza.hlp");
        QFile file(help);
        file.open(QIODevice::WriteOnly);
        file.write("<html><body><a name=\"502\">Preferences</a></body></html>");
        file.close();
        Help::setFilePath(help);
        auto dlg = create();
        click(dlg.get(), "HelpBtn");
        QCOMPARE(Help::lastTopic(), 502);
        Help::showContents(nullptr);
        QTest::keyClick(child<QPushButton>(dlg.get(), "OKBtn"), Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 502);
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
