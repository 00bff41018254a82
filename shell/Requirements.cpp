// SPDX-License-Identifier: MIT
#include "shell/Requirements.h"

#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Screen.h"
#include "resources/Resources.h"
#include "shell/Preferences.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <iterator>

TSysRequirementsForm *SysRequirementsForm = nullptr;

namespace {

constexpr int requirementsHelpTopic = 500;
constexpr int svgaWidth = 800;
constexpr int xgaWidth = 1024;

// Screen widths each game needs, in the launcher's order; 0 needs nothing.
struct ScreenNeed {
    const char *name;  // as the messages call the game
    int largeCards;
    int smallCards;
};
constexpr ScreenNeed screenNeeds[] = {
    {"Beleaguered Castle", svgaWidth, 0},
    {"Double Klondike", xgaWidth, svgaWidth},
    {"Forty Thieves", xgaWidth, svgaWidth},
    {"FreeCell", svgaWidth, 0},
    {"Golf", svgaWidth, 0},
    {"Indian Patience", xgaWidth, svgaWidth},
    {"Klondike", svgaWidth, 0},
    {"Montana", xgaWidth, svgaWidth},
    {"Pyramid", svgaWidth, 0},
    {"Queen of Italy", xgaWidth, svgaWidth},
    {"Sea Towers", xgaWidth, svgaWidth},
    {"Spider", xgaWidth, svgaWidth},
};
constexpr int gameCount = int(std::size(screenNeeds));

const QString colorDepthMessage = QStringLiteral("Cardenza requires at least high-color (16-bit) "
                                                 "color palette setting to play.\n\n"
                                                 "Please press the Help button below for more information.");

QString requirementMessage(const QString &game, DisplayRequirement requirement)
{
    switch (requirement) {
    case FS_XGA_LARGE:
        return game + QStringLiteral(" requires at least XGA (1024x768) desktop "
                                     "area to play using the large card preference.\n\n"
                                     "Increase your desktop area or select the small card size preference.");
    case FS_SVGA_SMALL:
        return game + QStringLiteral(" requires at least SVGA (800x600) desktop "
                                     "area to play.\n\n"
                                     "Increase your desktop area to play.");
    case FS_SVGA_LARGE:
        break;
    }
    return game + QStringLiteral(" requires at least SVGA (800x600) desktop "
                                 "area to play using the large card preference.\n\n"
                                 "Increase your desktop area or select the small card size preference.");
}

QFont arial(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

QPushButton *button(const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *result = new QPushButton(caption, parent);
    result->setGeometry(geometry);
    return result;
}

// The window is made at start-up; should a check come first, it is made then.
TSysRequirementsForm &requirementsForm()
{
    if (!SysRequirementsForm)
        SysRequirementsForm = new TSysRequirementsForm;
    return *SysRequirementsForm;
}

}  // namespace

TSysRequirementsForm::TSysRequirementsForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Cardenza!"));
    setFont(arial(12));
    setFixedSize(313, 297);
    buildControls();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TSysRequirementsForm::~TSysRequirementsForm()
{
    if (SysRequirementsForm == this)
        SysRequirementsForm = nullptr;
}

void TSysRequirementsForm::buildControls()
{
    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 297, 249);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);

    Image1 = new QLabel(Panel1);
    Image1->setGeometry(8, 8, 72, 104);
    Image1->setAlignment(Qt::AlignCenter);

    RxLabel1 = new QLabel(QStringLiteral("System\r\nRequirements"), Panel1);
    RxLabel1->setGeometry(87, 8, 199, 72);
    RxLabel1->setFont(arial(32));
    RxLabel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    MessageLabel = new QLabel(Panel1);
    MessageLabel->setGeometry(8, 113, 281, 97);
    MessageLabel->setWordWrap(true);
    MessageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    PrefButton = button(QStringLiteral("Preferences..."), {105, 214, 89, 25}, Panel1);
    OKButton = button(QStringLiteral("OK"), {79, 266, 75, 25}, this);
    HelpBtn = button(QStringLiteral("&Help"), {158, 266, 75, 25}, this);
    OKButton->setDefault(true);
    OKButton->setFocus();
    connect(PrefButton, &QPushButton::clicked, this, &TSysRequirementsForm::PrefButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpBtn, &QPushButton::clicked, this, &TSysRequirementsForm::HelpBtnClick);
}

void TSysRequirementsForm::FormCreate()
{
    const QImage jester = Resources::bitmapForScreen(QStringLiteral("JESTER1"));
    Image1->setPixmap(QPixmap::fromImage(jester));
    QPalette colors = palette();
    colors.setColor(QPalette::Window, jester.pixelColor(0, 0));
    setPalette(colors);
}

void TSysRequirementsForm::PrefButtonClick()
{
    if (PreferencesDlg)
        Dialogs::execModal(PreferencesDlg);
    accept();
}

void TSysRequirementsForm::HelpBtnClick() { Help::showTopic(this, requirementsHelpTopic); }

void TSysRequirementsForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        HelpBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CheckColorDepth()
{
    if (Screen::paletteColors() == -1)
        return true;
    TSysRequirementsForm &form = requirementsForm();
    form.MessageLabel->setText(colorDepthMessage);
    // The preferences cannot add colours, so their button is out of the way.
    form.PrefButton->hide();
    Dialogs::execModal(&form);
    form.PrefButton->show();
    return false;
}

bool CheckScreenSize(int gameIndex, bool largeCards)
{
    if (gameIndex < 0 || gameIndex >= gameCount)
        return true;
    const ScreenNeed &need = screenNeeds[gameIndex];
    const int required = largeCards ? need.largeCards : need.smallCards;
    if (required == 0 || Screen::width() >= required)
        return true;
    const DisplayRequirement requirement =
        !largeCards ? FS_SVGA_SMALL : required == xgaWidth ? FS_XGA_LARGE : FS_SVGA_LARGE;
    ShowDisplayRequirement(gameIndex, requirement);
    return false;
}

void ShowDisplayRequirement(int gameIndex, DisplayRequirement requirement)
{
    if (gameIndex < 0 || gameIndex >= gameCount)
        return;
    TSysRequirementsForm &form = requirementsForm();
    form.MessageLabel->setText(requirementMessage(QString::fromLatin1(screenNeeds[gameIndex].name), requirement));
    form.PrefButton->show();
    Dialogs::execModal(&form);
}
