// SPDX-License-Identifier: MIT
#include "platform/Help.h"

#include "platform/DataFiles.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr int contentsTopic = -1;

QString chosenPath;
int shownTopic = contentsTopic;

// The one help window of the program: a browser with Back and Contents buttons.
// It is an ordinary window, not a dialog, so the player can keep it open beside
// the game while playing.
class HelpViewer : public QWidget
{
public:
    HelpViewer()
        : QWidget(nullptr, Qt::Window)
    {
        setObjectName(QStringLiteral("HelpViewer"));
        setWindowTitle(QStringLiteral("Cardenza! Help"));
        // Closing the launcher must end the program even while help is open.
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(640, 520);
        buildControls();
    }

    QTextBrowser *browser() const { return textBrowser; }

    void open(const QUrl &url)
    {
        showNormalAndRaise();
        // The browser only scrolls to an anchor once it is visible, so it is
        // shown before the page is set.
        textBrowser->setSource(url, QTextDocument::HtmlResource);
    }

private:
    void buildControls()
    {
        auto *backButton = new QPushButton(QStringLiteral("&Back"), this);
        backButton->setObjectName(QStringLiteral("HelpBack"));
        backButton->setEnabled(false);
        auto *contentsButton = new QPushButton(QStringLiteral("&Contents"), this);
        contentsButton->setObjectName(QStringLiteral("HelpContents"));
        auto *closeButton = new QPushButton(QStringLiteral("Close"), this);

        textBrowser = new QTextBrowser(this);
        textBrowser->setObjectName(QStringLiteral("HelpBrowser"));
        textBrowser->setOpenExternalLinks(true);

        auto *buttons = new QHBoxLayout;
        buttons->addWidget(backButton);
        buttons->addWidget(contentsButton);
        buttons->addStretch(1);
        buttons->addWidget(closeButton);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(6, 6, 6, 6);
        layout->addLayout(buttons);
        layout->addWidget(textBrowser, 1);

        connect(textBrowser, &QTextBrowser::backwardAvailable, backButton, &QWidget::setEnabled);
        connect(backButton, &QPushButton::clicked, textBrowser, &QTextBrowser::backward);
        connect(contentsButton, &QPushButton::clicked, this, [this] { showPageTop(); });
        connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(escape, &QShortcut::activated, this, &QWidget::close);
    }

    void showPageTop()
    {
        QUrl top = textBrowser->source();
        top.setFragment(QString());
        if (!top.isEmpty())
            textBrowser->setSource(top, QTextDocument::HtmlResource);
    }

    void showNormalAndRaise()
    {
        if (isMinimized())
            showNormal();
        else
            show();
        raise();
        activateWindow();
    }

    QTextBrowser *textBrowser = nullptr;
};

QPointer<HelpViewer> viewer;

// A window shown while a modal dialog is open is blocked by it, unless it belongs
// to that dialog. Help opened from a dialog's Help button is therefore given to the
// dialog for as long as the dialog is up, and is an independent window otherwise.
void attachToActiveModal(HelpViewer *window)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == window)
        modal = nullptr;
    if (window->parentWidget() != modal)
        window->setParent(modal, Qt::Window);
}

HelpViewer *theViewer()
{
    if (!viewer)
        viewer = new HelpViewer;
    attachToActiveModal(viewer);
    return viewer;
}

// Tells the player when the help file is missing or cannot be opened; true
// when it can be shown.
bool helpFileReadable(QWidget *parent, const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        Dialogs::message(parent, QStringLiteral("The help file ") + QDir::toNativeSeparators(path)
                                     + QStringLiteral(" could not be found."),
                         Dialogs::Icon::Error);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::message(parent, QStringLiteral("The help file ") + QDir::toNativeSeparators(path)
                                     + QStringLiteral(" could not be opened."),
                         Dialogs::Icon::Error);
        return false;
    }
    return true;
}

void showPage(QWidget *parent, int topic)
{
    const QString path = Help::filePath();
    if (!helpFileReadable(parent, path))
        return;
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (topic != contentsTopic)
        url.setFragment(QString::number(topic));
    theViewer()->open(url);
    shownTopic = topic;
}

}  // namespace

namespace Help {

QString filePath()
{
    if (!chosenPath.isEmpty())
        return chosenPath;
    return filePathFor(QCoreApplication::applicationDirPath());
}

QString filePathFor(const QString &programDirectory)
{
    return DataFiles::locateFrom(programDirectory, QStringLiteral("Cardenza.hlp"));
}

void setFilePath(const QString &path) { chosenPath = path; }

void showContents(QWidget *parent) { showPage(parent, contentsTopic); }

void showTopic(QWidget *parent, int topic) { showPage(parent, topic); }

int lastTopic() { return shownTopic; }

}  // namespace Help
