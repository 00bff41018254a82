// SPDX-License-Identifier: MIT
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "support/Seams.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWindow>
#include <QtTest>

namespace {

QString installedHelp() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../Cardenza.hlp"); }

QList<QWidget *> viewers()
{
    QList<QWidget *> found;
    for (QWidget *widget : QApplication::allWidgets())
        if (widget->objectName() == QLatin1String("HelpViewer"))
            found.append(widget);
    return found;
}

QTextBrowser *browserOf(QWidget *viewer) { return viewer->findChild<QTextBrowser *>(QStringLiteral("HelpBrowser")); }

QPushButton *button(QWidget *viewer, const char *name) { return viewer->findChild<QPushButton *>(QLatin1String(name)); }

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Position of the text the anchor marks, or -1.
int anchorPosition(const QTextDocument &document, const QString &anchor)
{
    // An empty anchor before a heading marks the heading's block itself.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().anchorNames().contains(anchor))
            return block.position();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return it.fragment().position();
    }
    return -1;
}

// The first text after the anchor: the topic's heading.
QString headingAfter(const QTextDocument &document, int position)
{
    for (QTextBlock block = document.findBlock(position); block.isValid(); block = block.next())
        if (!block.text().trimmed().isEmpty())
            return block.text().trimmed();
    return {};
}

// True when the anchor's line lies inside the browser's visible area.
bool anchorVisible(QTextBrowser *browser, const QString &anchor)
{
    QTextDocument *document = browser->document();
    const int position = anchorPosition(*document, anchor);
    if (position < 0)
        return false;
    const QRectF blockRect = document->documentLayout()->blockBoundingRect(document->findBlock(position));
    const int top = qRound(blockRect.top()) - browser->verticalScrollBar()->value();
    return top >= 0 && top < browser->viewport()->height();
}

}  // namespace

class TestHelp : public QObject
{
    Q_OBJECT
    DialogLog dialogs;

private Q_SLOTS:
    void initTestCase() { QVERIFY2(QFile::exists(installedHelp()), qPrintable(installedHelp())); }

    void init()
    {
        qDeleteAll(viewers());
        dialogs.clear();
        Help::setFilePath(installedHelp());
    }

    void filePathDefaultsBesideTheProgram()
    {
        Help::setFilePath(QString());
        QCOMPARE(Help::filePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/Cardenza.hlp"));
        Help::setFilePath(QStringLiteral("/somewhere/else.hlp"));
        QCOMPARE(Help::filePath(), QStringLiteral("/somewhere/else.hlp"));
    }

    // Installed, the program lives in <prefix>/bin and its help in <prefix>/share/cardenza;
    // a help file beside the program (as in the build folder) comes first.
    void installedHelpIsFoundInTheSharedFolder()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        const QString beside = bin + QStringLiteral("/Cardenza.hlp");
        const QString shared = prefix.filePath(QStringLiteral("share/cardenza/Cardenza.hlp"));
        QCOMPARE(Help::filePathFor(bin), beside);

        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/cardenza")));
        QVERIFY(QFile::copy(installedHelp(), shared));
        QCOMPARE(Help::filePathFor(bin), shared);
        QCOMPARE(Help::filePathFor(bin + QStringLiteral("/")), shared);

        QVERIFY(QFile::copy(installedHelp(), beside));
        QCOMPARE(Help::filePathFor(bin), beside);
    }

    void everyTopicHasItsAnchorAndHeading_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("heading");
        QTest::newRow("display") << 500 << "Display requirements and small cards";
        QTest::newRow("preferences") << 502 << "Preferences";
        const QStringList games = {"Beleaguered Castle", "Double Klondike", "Forty Thieves", "Free Cell",
                                   "Golf", "Indian Patience", "Klondike", "Montana", "Pyramid",
                                   "Queen of Italy", "Sea Towers", "Spider"};
        for (int i = 0; i < games.size(); ++i)
            QTest::newRow(qPrintable(games[i])) << 1001 + i << games[i];
    }

    void everyTopicHasItsAnchorAndHeading()
    {
        QFETCH(int, topic);
        QFETCH(QString, heading);
        QTextDocument document;
        document.setHtml(readAll(installedHelp()));
        const int position = anchorPosition(document, QString::number(topic));
        QVERIFY2(position >= 0, "anchor missing");
        QCOMPARE(headingAfter(document, position), heading);
    }

    void everyLinkLeadsToAnAnchor()
    {
        const QString html = readAll(installedHelp());
        QTextDocument document;
        document.setHtml(html);
        const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (auto match = link.globalMatch(html); match.hasNext(); ++links) {
            const QString target = match.next().captured(1);
            QVERIFY2(anchorPosition(document, target) >= 0, qPrintable(target));
        }
        QVERIFY(links >= 16);
    }

    void showTopicOpensTheViewerAtTheAnchor_data()
    {
        QTest::addColumn<int>("topic");
        QTest::newRow("display") << 500;
        QTest::newRow("Forty Thieves") << 1003;
        QTest::newRow("Montana") << 1008;
        QTest::newRow("Spider, the last one") << 1012;
    }

    void showTopicOpensTheViewerAtTheAnchor()
    {
        QFETCH(int, topic);
        Help::showTopic(nullptr, topic);
        QCOMPARE(viewers().size(), 1);
        QWidget *viewer = viewers().first();
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->isWindow());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Cardenza! Help"));
        QTextBrowser *browser = browserOf(viewer);
        QCOMPARE(browser->source().fragment(), QString::number(topic));
        QVERIFY(browser->verticalScrollBar()->value() > 0);
        QVERIFY(anchorVisible(browser, QString::number(topic)));
        QCOMPARE(Help::lastTopic(), topic);
    }

    void showContentsOpensAtTheTop()
    {
        Help::showTopic(nullptr, 1005);
        Help::showContents(nullptr);
        QTextBrowser *browser = browserOf(viewers().first());
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        QVERIFY(browser->source().fragment().isEmpty());
        QCOMPARE(Help::lastTopic(), -1);
    }

    void contentsAndBackButtonsNavigate()
    {
        Help::showTopic(nullptr, 1004);
        QWidget *viewer = viewers().first();
        QTextBrowser *browser = browserOf(viewer);
        QTest::mouseClick(button(viewer, "HelpContents"), Qt::LeftButton);
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        QVERIFY(button(viewer, "HelpBack")->isEnabled());
        QTest::mouseClick(button(viewer, "HelpBack"), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), QStringLiteral("1004"));
        QVERIFY(anchorVisible(browser, QStringLiteral("1004")));
    }

    void oneViewerIsReused()
    {
        Help::showContents(nullptr);
        QWidget *first = viewers().first();
        Help::showTopic(nullptr, 502);
        first->close();
        Help::showTopic(nullptr, 1010);
        QCOMPARE(viewers().size(), 1);
        QCOMPARE(viewers().first(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(browserOf(first)->source().fragment(), QStringLiteral("1010"));
    }

    void viewerDoesNotKeepTheProgramRunning()
    {
        Help::showContents(nullptr);
        QVERIFY(!viewers().first()->testAttribute(Qt::WA_QuitOnClose));
    }

    void aMissingOrUnreadableFileShowsAMessageAndNoViewer_data()
    {
        QTest::addColumn<bool>("directoryInItsPlace");
        QTest::newRow("missing") << false;
        // A directory by the help file's name cannot be read as a document.
        QTest::newRow("a directory in its place") << true;
    }

    void aMissingOrUnreadableFileShowsAMessageAndNoViewer()
    {
        QFETCH(bool, directoryInItsPlace);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Cardenza.hlp"));
        QVERIFY(!directoryInItsPlace || QDir(dir.path()).mkdir(QStringLiteral("Cardenza.hlp")));
        Help::setFilePath(path);
        Help::showTopic(nullptr, 1007);
        QVERIFY(viewers().isEmpty());
        QCOMPARE(dialogs.records().size(), 1);
        const Dialogs::Record record = dialogs.records().first();
        QCOMPARE(record.kind, QStringLiteral("message"));
        QCOMPARE(record.caption, QStringLiteral("Cardenza!"));
        QCOMPARE(record.icon, Dialogs::Icon::Error);
        QVERIFY(record.text.contains(QDir::toNativeSeparators(path)));
        QVERIFY(record.text.contains(QStringLiteral("could not be found")));
        QVERIFY(Help::lastTopic() != 1007);

        Help::showContents(nullptr);
        QVERIFY(viewers().isEmpty());
        QCOMPARE(dialogs.records().size(), 2);
    }

    void helpFromAModalDialogCanBeUsed()
    {
        QDialog dialog;
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QCOMPARE(QApplication::activeModalWidget(), &dialog);
        Help::showTopic(&dialog, 502);
        QWidget *viewer = viewers().first();
        QTextBrowser *browser = browserOf(viewer);
        // Clicked through the window system, which drops input to blocked windows.
        QPushButton *contents = button(viewer, "HelpContents");
        QWindow *window = viewer->window()->windowHandle();
        QTest::mouseClick(window, Qt::LeftButton, {}, contents->mapTo(viewer->window(), contents->rect().center()));
        QCOMPARE(browser->verticalScrollBar()->value(), 0);

        // Once the dialog is gone the same window serves the games again.
        dialog.hide();
        Help::showTopic(nullptr, 1001);
        QCOMPARE(viewers().size(), 1);
        QVERIFY(viewers().first()->isVisible());
        QVERIFY(viewers().first()->parentWidget() == nullptr);
        QCOMPARE(browserOf(viewers().first())->source().fragment(), QStringLiteral("1001"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
