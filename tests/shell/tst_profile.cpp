// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"
#include "shell/Profile.h"
#include "support/Seams.h"

#include <QDir>
#include <QtTest>

#include <memory>
#include <optional>

class TestProfile : public QObject
{
    Q_OBJECT
    std::optional<SettingsDirectory> settings;
    std::unique_ptr<TProfile> profile;

    QByteArray fileBytes() const { return settings->read("Solitaire.ini"); }

private Q_SLOTS:
    void init()
    {
        settings.emplace();
        profile = std::make_unique<TProfile>("Solitaire.ini", "Klondike", "None");
    }

    void noneCountsAsAbsent()
    {
        QCOMPARE(profile->ReadText("DrawThree"), QString("None"));
        QCOMPARE(profile->ReadBool("DrawThree", true), true);
        QCOMPARE(profile->ReadInt("CardSize", 7), 7);
        profile->WriteText("DrawThree", "None");
        profile->WriteText("CardSize", "None");
        QCOMPARE(profile->ReadBool("DrawThree", true), true);
        QCOMPARE(profile->ReadInt("CardSize", 7), 7);
        profile->WriteBool("DrawThree", false);
        profile->WriteInt("CardSize", 0);
        QCOMPARE(profile->ReadBool("DrawThree", true), false);
        QCOMPARE(profile->ReadInt("CardSize", 7), 0);
    }

    void storedTextAsStateAndValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("state");
        QTest::addColumn<int>("value");
        QTest::newRow("yes") << "yes" << true << 1;
        QTest::newRow("Yes") << "Yes" << true << 1;
        QTest::newRow("TRUE") << "TRUE" << true << 1;
        QTest::newRow("1") << "1" << true << 1;
        QTest::newRow("True and a space") << "True " << false << 0;
        QTest::newRow("2") << "2" << false << 2;
        QTest::newRow("abc") << "abc" << false << 0;
        QTest::newRow("17") << "17" << false << 17;
        QTest::newRow("-4") << "-4" << false << -4;
        QTest::newRow("beyond 32 bits") << "4294967296" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("None") << "None" << false << 0;
    }

    void storedTextAsStateAndValue()
    {
        QFETCH(QString, text);
        QFETCH(bool, state);
        QFETCH(int, value);
        profile->Entry = "Autoplay";
        profile->SetText(text);
        QCOMPARE(profile->Text(), text);
        QCOMPARE(profile->State(), state);
        QCOMPARE(profile->Value(), value);
        QCOMPARE(ProfileTextIsTrue(text), state);
    }

    void writesStoreTheClassicForms()
    {
        profile->Entry = "Autoplay";
        profile->SetState(true);
        profile->Entry = "DrawThree";
        profile->SetState(false);
        profile->Entry = "CardSize";
        profile->SetValue(-3);
        QCOMPARE(fileBytes(), QByteArray("[Klondike]\nAutoplay=True\nDrawThree=False\nCardSize=-3\n"));
    }

    void everyReadSeesTheFile()
    {
        profile->Entry = "Autoplay";
        QCOMPARE(profile->State(), false);
        QVERIFY(IniFile::write("Solitaire.ini", "klondike", "autoplay", "yes"));
        QCOMPARE(profile->State(), true);
        TProfile small("Solitaire.ini", "Klondike", "None");
        small.WriteBool("Autoplay", false);
        QCOMPARE(profile->State(), false);
    }

    void emptyNamesReadAndWriteNothing_data()
    {
        QTest::addColumn<QString>("emptied");
        QTest::newRow("Entry") << "Entry";
        QTest::newRow("Section") << "Section";
        QTest::newRow("FileName") << "FileName";
    }

    void emptyNamesReadAndWriteNothing()
    {
        QFETCH(QString, emptied);
        QVERIFY(IniFile::write("Solitaire.ini", "Klondike", "Autoplay", "True"));
        const QByteArray before = fileBytes();
        profile->Entry = "Autoplay";
        if (emptied == "Section")
            profile->Section.clear();
        else if (emptied == "FileName")
            profile->FileName.clear();
        else
            profile->Entry.clear();
        QCOMPARE(profile->Text(), QString());
        QCOMPARE(profile->State(), false);
        profile->SetText("False");
        profile->SetState(false);
        profile->SetValue(0);
        QCOMPARE(fileBytes(), before);
        QCOMPARE(QDir(settings->path()).entryList(QDir::Files), QStringList{"Solitaire.ini"});
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
