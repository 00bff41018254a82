// SPDX-License-Identifier: MIT
#include "shell/Preferences.h"

#include "cards/Card.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/ImageList.h"
#include "platform/Pictures.h"
#include "platform/Screen.h"
#include "platform/StartupQueue.h"
#include "resources/Resources.h"
#include "shell/Profile.h"
#include "shell/Sounds.h"
#include "shell/Tray.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <exception>
#include <functional>

TPreferencesDlg *PreferencesDlg = nullptr;

bool keepUnfinishedGames() { return PreferencesDlg && PreferencesDlg->KeepGames; }

namespace {

constexpr int largeCardWidth = 80;
constexpr int customColorCount = 16;
const QColor hintGrey(128, 128, 128);
const QColor designDialogColor(0, 128, 0);  // the colour chooser starts on green

// The chooser matches patterns separated by spaces; the semicolons of the
// classic filter text would make the first entry match nothing.
const QString imagesFilter = QStringLiteral("Images (*.bmp *.jpeg *.jpg *.pcx)");
const QString allFilesFilter = QStringLiteral("All Files (*)");

// Texts keep their line breaks as the platform shows them.
QString withBreaks(const char *text)
{
    return QString::fromLatin1(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// A captioned frame holding one radio button per item, spread over its height.
class TRadioGroup : public QGroupBox
{
public:
    TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
        : QGroupBox(caption, parent), buttons(this)
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, caption.isEmpty() ? 4 : 2, 8, 4);
        layout->setSpacing(0);
        for (int i = 0; i < items.size(); ++i) {
            auto *button = new QRadioButton(items[i], this);
            buttons.addButton(button, i);
            layout->addWidget(button);
        }
        connect(&buttons, &QButtonGroup::idClicked, this, [this] {
            if (OnClick)
                OnClick();
        });
    }

    int ItemIndex() const { return buttons.checkedId(); }
    void SetItemIndex(int index)
    {
        if (QAbstractButton *button = buttons.button(index))
            button->setChecked(true);
    }
    QAbstractButton *Item(int index) const { return buttons.button(index); }

    std::function<void()> OnClick;

private:
    QButtonGroup buttons;
};

// A small bevelled, bordered panel filled with a colour; a click on it, or Enter or
// Space once Tab has reached it, is reported.
class TColorSwatch : public QFrame
{
public:
    explicit TColorSwatch(QWidget *parent) : QFrame(parent)
    {
        setAutoFillBackground(true);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }

    void SetColor(TColor color)
    {
        QPalette colors = palette();
        colors.setColor(QPalette::Window, QColorFromColor(color));
        setPalette(colors);
        update();
    }

    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.setPen(QColor(64, 64, 64));
        painter.drawRect(outer);
        const QRect bevel = outer.adjusted(1, 1, -1, -1);
        painter.setPen(QColor(255, 255, 255, 150));
        painter.drawLine(bevel.topLeft(), bevel.topRight());
        painter.drawLine(bevel.topLeft(), bevel.bottomLeft());
        painter.setPen(QColor(0, 0, 0, 90));
        painter.drawLine(bevel.bottomLeft(), bevel.bottomRight());
        painter.drawLine(bevel.topRight(), bevel.bottomRight());
        if (hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(rect().adjusted(1, 1, -1, -1));
        }
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && OnClick)
            OnClick();
        else
            QFrame::keyPressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
            OnClick();
    }
};

template <class Widget>
Widget *placed(Widget *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel *greyNote(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, hintGrey);
    label->setPalette(colors);
    return label;
}

QLabel *picture(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *label = placed(new QLabel(parent), name, left, top, width, height);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// Three pixels at each corner take the dialog's face colour, so the card pictures
// look rounded against it.
void softenCorners(QImage &image, const QColor &face)
{
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const std::array<QPoint, 12> corners{{
        {1, 0}, {0, 0}, {0, 1}, {right, 0}, {right - 1, 0}, {right, 1},
        {right, bottom}, {right - 1, bottom}, {right, bottom - 1}, {0, bottom}, {1, bottom}, {0, bottom - 1},
    }};
    for (const QPoint &corner : corners)
        image.setPixelColor(corner, face);
}

// A card back frame with the picture stretched into its inner rectangle.
QImage framedPicture(const char *frameName, const QRect &inner, const QImage &picture)
{
    QImage frame = Resources::bitmapForScreen(QLatin1String(frameName)).convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(inner, picture);
    return frame;
}

// The text from the last dot of the file's name, dot included; empty without one.
QString extensionOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

bool offeredExtension(const QString &fileName)
{
    static const QStringList offered{".BMP", ".bmp", ".JPEG", ".jpeg", ".JPG", ".jpg", ".PCX", ".pcx"};
    return offered.contains(extensionOf(fileName));
}

}  // namespace

struct TPreferencesDlg::Controls {
    QPushButton *OKBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
    QTabWidget *PageControl1 = nullptr;
    std::array<QLabel *, 3> BuiltInBacks{};  // Image1 to Image3
    QLabel *Image4 = nullptr;
    std::array<QRadioButton *, 4> BackRadios{};  // RadioButton1 to RadioButton4
    QPushButton *BrowseButton = nullptr;
    TRadioGroup *RadioGroup1 = nullptr;
    TRadioGroup *RadioGroup2 = nullptr;
    TRadioGroup *RadioGroup3 = nullptr;
    QStackedWidget *PageControl2 = nullptr;
    TColorSwatch *Panel1 = nullptr;
    TColorSwatch *Panel2 = nullptr;
    TColorSwatch *Panel3 = nullptr;
    QLabel *Image5 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *Button1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QColorDialog *ColorDialog1 = nullptr;
    QFileDialog *OpenDialog1 = nullptr;
};

TPreferencesDlg::TPreferencesDlg(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      ui(new Controls),
      Profile1(new TProfile(QStringLiteral("Solitaire.ini"), QStringLiteral("Preferences"),
                            QStringLiteral("None"), this))
{
    setObjectName(QStringLiteral("PreferencesDlg"));
    setWindowTitle(QStringLiteral("Cardenza Preferences"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(389, 272);
    CreateControls();
    FormCreate();
}

TPreferencesDlg::~TPreferencesDlg() { delete ui; }

// ---------------------------------------------------------------- the controls

void TPreferencesDlg::CreateControls()
{
    ui->OKBtn = placed(new QPushButton(QStringLiteral("OK"), this), "OKBtn", 119, 242, 75, 25);
    ui->OKBtn->setDefault(true);
    connect(ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    ui->HelpBtn = placed(new QPushButton(QStringLiteral("&Help"), this), "HelpBtn", 199, 242, 75, 25);
    connect(ui->HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });

    ui->PageControl1 = placed(new QTabWidget(this), "PageControl1", 6, 8, 377, 225);
    CreateCardBackPage();
    CreateCardSizePage();
    CreateBackgroundPage();
    CreateOtherPage();
    ui->PageControl1->setCurrentIndex(0);
}

// The choosers are made on first use, and kept: the file chooser remembers its
// folder from one browse to the next.
QColorDialog *TPreferencesDlg::ColorChooser()
{
    if (!ui->ColorDialog1) {
        ui->ColorDialog1 = new QColorDialog(designDialogColor, this);
        ui->ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
        ui->ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
    }
    return ui->ColorDialog1;
}

QFileDialog *TPreferencesDlg::FileChooser()
{
    if (!ui->OpenDialog1) {
        ui->OpenDialog1 = new QFileDialog(this);
        ui->OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
        ui->OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
        ui->OpenDialog1->setFileMode(QFileDialog::ExistingFile);
        ui->OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
        ui->OpenDialog1->setNameFilters({imagesFilter, allFilesFilter});
    }
    return ui->OpenDialog1;
}

void TPreferencesDlg::CreateCardBackPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    ui->PageControl1->addTab(page, QStringLiteral("Card Back"));

    static const std::array<const char *, 3> names{"Image1", "Image2", "Image3"};
    for (int i = 0; i < 3; ++i)
        ui->BuiltInBacks[i] = picture(page, names[i], 12 + 88 * i, 9, 80, 125);
    // As wide as the preview, so that the note wraps into three centred lines.
    placed(greyNote(page, "Label1", QStringLiteral("Browse to select a Custom Image")), "Label1", 276, 42, 80, 56);
    ui->Image4 = picture(page, "Image4", 276, 9, 80, 125);  // covers Label1 once it shows a back

    auto *group = placed(new QGroupBox(page), "GroupBox1", 12, 135, 345, 28);
    group->setToolTip(QStringLiteral("Select the card back to use"));
    static const std::array<const char *, 4> radioNames{"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"};
    static const std::array<int, 4> radioLeft{29, 117, 205, 298};
    for (int i = 0; i < 4; ++i)
        ui->BackRadios[i] = placed(new QRadioButton(group), radioNames[i], radioLeft[i], 6, 17, 17);
    static const std::array<const char *, 4> radioCaptions{"Card back 1", "Card back 2", "Card back 3",
                                                            "Custom card back"};
    for (int i = 0; i < 4; ++i)
        ui->BackRadios[i]->setAccessibleName(QLatin1String(radioCaptions[i]));
    ui->BackRadios[0]->setChecked(true);
    ui->BackRadios[3]->setEnabled(false);

    ui->BrowseButton = placed(new QPushButton(QStringLiteral("Browse..."), page), "BrowseButton", 281, 169, 70, 22);
    ui->BrowseButton->setToolTip(withBreaks("Click to browse the file system and\r\nfind a custom card back image"));
    connect(ui->BrowseButton, &QPushButton::clicked, this, [this] { BrowseButtonClick(ui->BrowseButton); });
}

void TPreferencesDlg::CreateCardSizePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    ui->PageControl1->addTab(page, QStringLiteral("Card Size"));

    ui->RadioGroup1 = placed(new TRadioGroup(QString(),
                                             {QStringLiteral("Use small cards (all games fit on 800x600 display)"),
                                              QStringLiteral("Use large cards (requires a 1024x768 or larger display)")},
                                             page),
                             "RadioGroup1", 8, 40, 353, 61);
    ui->RadioGroup1->setToolTip(withBreaks("This preference does not take effect until\r\nthe current game window is closed"));
    placed(greyNote(page, "Label3",
                    withBreaks("This preference does not take effect until the current\r\ngame window is closed.")),
           "Label3", 16, 152, 345, 41);
}

void TPreferencesDlg::CreateBackgroundPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    ui->PageControl1->addTab(page, QStringLiteral("Game Background"));

    ui->RadioGroup2 = placed(new TRadioGroup(QStringLiteral(" Select Type "),
                                             {QStringLiteral("Solid Color"), QStringLiteral("Gradient Colors"),
                                              QStringLiteral("Tiled Image")},
                                             page),
                             "RadioGroup2", 8, 48, 129, 81);
    ui->RadioGroup2->OnClick = [this] { ISGRadioList1Click(); };

    // A page control without tabs: only its frame shows around the chosen page.
    ui->PageControl2 = placed(new QStackedWidget(page), "PageControl2", 148, 8, 209, 177);
    ui->PageControl2->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    ui->PageControl2->setContentsMargins(4, 4, 4, 4);  // pages of 201 x 169 inside the frame

    auto *solid = new QWidget;
    solid->setObjectName(QStringLiteral("TabSheet5"));
    auto *solidLabel = placed(new QLabel(QStringLiteral("Select Solid Color"), solid), "Label2", 40, 74, 110, 16);
    ui->Panel1 = placed(new TColorSwatch(solid), "Panel1", 140, 70, 25, 25);
    solidLabel->setBuddy(ui->Panel1);
    ui->Panel1->setToolTip(QStringLiteral("Click for a dialog to select a new color"));

    auto *gradient = new QWidget;
    gradient->setObjectName(QStringLiteral("TabSheet6"));
    ui->RadioGroup3 = placed(new TRadioGroup(QStringLiteral(" Direction "),
                                             {QStringLiteral("Vertical Gradient"),
                                              QStringLiteral("Horizontal Gradient")},
                                             gradient),
                             "RadioGroup3", 27, 3, 158, 62);
    ui->RadioGroup3->OnClick = [this] { ISGRadioList2Click(); };
    auto *startLabel = placed(new QLabel(QStringLiteral("Select Starting Color"), gradient), "Label4", 27, 88, 120, 16);
    ui->Panel2 = placed(new TColorSwatch(gradient), "Panel2", 160, 84, 25, 25);
    auto *endLabel = placed(new QLabel(QStringLiteral("Select Ending Color"), gradient), "Label5", 27, 126, 120, 16);
    ui->Panel3 = placed(new TColorSwatch(gradient), "Panel3", 160, 122, 25, 25);
    startLabel->setBuddy(ui->Panel2);
    endLabel->setBuddy(ui->Panel3);
    for (TColorSwatch *swatch : {ui->Panel2, ui->Panel3})
        swatch->setToolTip(QStringLiteral("Click for a dialog to select a color"));

    auto *image = new QWidget;
    image->setObjectName(QStringLiteral("TabSheet7"));
    ui->Image5 = picture(image, "Image5", 0, 0, 201, 137);
    // Centred on the picture area in three lines.
    ui->Label6 = placed(greyNote(image, "Label6", QStringLiteral("Browse to select an Image")), "Label6", 62, 45, 77, 42);
    ui->Button1 = placed(new QPushButton(QStringLiteral("Browse..."), image), "Button1", 64, 142, 71, 22);
    ui->Button1->setToolTip(withBreaks("Click to browse the file system and\r\nfind a custom background image"));
    connect(ui->Button1, &QPushButton::clicked, this, [this] { BrowseButtonClick(ui->Button1); });

    for (QWidget *sheet : {solid, gradient, image})
        ui->PageControl2->addWidget(sheet);
    for (TColorSwatch *swatch : {ui->Panel1, ui->Panel2, ui->Panel3})
        swatch->OnClick = [this, swatch] { ColorButtonClick(swatch); };
    ui->Panel1->SetColor(BackgroundColor);
    ui->Panel2->SetColor(GradientStartColor);
    ui->Panel3->SetColor(GradientEndColor);
    ui->RadioGroup2->SetItemIndex(0);
    ui->RadioGroup3->SetItemIndex(0);
}

void TPreferencesDlg::CreateOtherPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    ui->PageControl1->addTab(page, QStringLiteral("Other"));

    ui->CheckBox1 = placed(new QCheckBox(QStringLiteral("Enable Sounds"), page), "CheckBox1", 24, 40, 300, 20);
    ui->CheckBox5 = placed(new QCheckBox(QStringLiteral("Perform Animation on Deals"), page), "CheckBox5", 24, 72, 300, 20);
    ui->CheckBox2 = placed(new QCheckBox(QStringLiteral("Minimize to Tray in Taskbar"), page), "CheckBox2", 24, 104, 300, 20);
    ui->CheckBox3 = placed(new QCheckBox(QStringLiteral("Keep unfinished games"), page), "CheckBox3", 24, 136, 300, 20);
    ui->CheckBox1->setChecked(true);
    ui->CheckBox5->setChecked(true);
}

void TPreferencesDlg::ShowBuiltInBacks()
{
    // The three backs at the large size, as every card draws them.
    ImageList backs(largeCardWidth, 125, Screen::pictureRatio());
    const QColor face = palette().color(QPalette::Button);
    for (int i = 0; i < 3; ++i) {
        backs.AddMasked(Resources::bitmapForScreen(QStringLiteral("FSCARD%1").arg(153 + i)));
        QImage back = backs.Image(i).convertToFormat(QImage::Format_ARGB32);
        softenCorners(back, face);
        ui->BuiltInBacks[i]->setPixmap(QPixmap::fromImage(back));
    }
}

// ---------------------------------------------------------------- creation

void TPreferencesDlg::FormCreate()
{
    ReadBackIndex();
    ReadCardSize();
    ReadBackgroundChoices();
    ReadColors();
    ReadSwitches();
    const QString customColors = Profile1->ReadText(QStringLiteral("CustomColors"));
    if (customColors != Profile1->DefaultText)
        ReadCustomColors(customColors);
    ReadPictures();
    DropBackIndexWithoutCustomBack();
    // Setting up the audio output takes a while: the sound follows the first window.
    StartupQueue::defer([self = QPointer(this)] {
        if (self && SoundManager && self->DoSound)
            SoundManager->PlayOpen();
    });
}

bool TPreferencesDlg::ReadChoice(const QString &key, int count, int &value)
{
    if (Profile1->ReadText(key) == Profile1->DefaultText)
        return false;
    const int stored = Profile1->Value();
    if (stored < 0 || stored >= count)
        return false;  // not a value this program writes: the default serves
    value = stored;
    return true;
}

void TPreferencesDlg::ReadBackIndex()
{
    ReadChoice(QStringLiteral("BackIndex"), 4, BackIndex);
    TCard::SetBackIndex(BackIndex);
    CheckBack(BackIndex);
}

void TPreferencesDlg::ReadCardSize()
{
    if (!ReadChoice(QStringLiteral("CardSize"), 2, CardSize)) {
        CardSize = Screen::width() > 800 ? 1 : 0;
        // Stored after the first window shows; a choice made since is the one kept.
        StartupQueue::defer([self = QPointer(this)] {
            if (self)
                self->Profile1->WriteInt(QStringLiteral("CardSize"), self->CardSize);
        });
    }
    ui->RadioGroup1->SetItemIndex(CardSize);
    TCard::SetCardSize(CardSize == 0 ? FS_SMALL : FS_LARGE);
}

void TPreferencesDlg::ReadBackgroundChoices()
{
    ReadChoice(QStringLiteral("BackgroundIndex"), 3, BackgroundIndex);
    ui->RadioGroup2->SetItemIndex(BackgroundIndex);
    ISGRadioList1Click();
    ReadChoice(QStringLiteral("GradientIndex"), 2, GradientIndex);
    ui->RadioGroup3->SetItemIndex(GradientIndex);
}

void TPreferencesDlg::ReadColors()
{
    const std::array<std::pair<const char *, TColor *>, 3> keys{{
        {"BackgroundColor", &BackgroundColor},
        {"GradientStartColor", &GradientStartColor},
        {"GradientEndColor", &GradientEndColor},
    }};
    const std::array<TColorSwatch *, 3> swatches{ui->Panel1, ui->Panel2, ui->Panel3};
    for (int i = 0; i < 3; ++i) {
        const QString text = Profile1->ReadText(QLatin1String(keys[i].first));
        // A text that is no colour leaves the design colour in place.
        if (text != Profile1->DefaultText)
            StringToColor(text, *keys[i].second);
        swatches[i]->SetColor(*keys[i].second);
    }
}

void TPreferencesDlg::ReadSwitches()
{
    DoAnimation = Profile1->ReadBool(QStringLiteral("DoAnimation"), true);
    ui->CheckBox5->setChecked(DoAnimation);
    DoSound = Profile1->ReadBool(QStringLiteral("DoSound"), true);
    ui->CheckBox1->setChecked(DoSound);
    MinimizeToTray = Profile1->ReadBool(QStringLiteral("MinimizeToTray"), false);
    ui->CheckBox2->setChecked(MinimizeToTray);
    Tray::apply(MinimizeToTray);
    KeepGames = Profile1->ReadBool(QStringLiteral("KeepGames"), false);
    ui->CheckBox3->setChecked(KeepGames);
}

void TPreferencesDlg::ReadPictures()
{
    const QString customImage = Profile1->ReadText(QStringLiteral("CustomImage"));
    if (customImage != Profile1->DefaultText)
        LoadCustomBack(customImage, BackIndex == 3, true);
    const QString backgroundImage = Profile1->ReadText(QStringLiteral("BackgroundImage"));
    if (backgroundImage != Profile1->DefaultText)
        LoadBackgroundImage(backgroundImage);
}

// ---------------------------------------------------------------- closing

void TPreferencesDlg::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        // Drawn when first seen: a player may never open the preferences.
        if (ui->BuiltInBacks[0]->pixmap().isNull())
            ShowBuiltInBacks();
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::setVisible(visible);
}

void TPreferencesDlg::done(int result)
{
    if (!closing) {
        closing = true;
        FormClose();
        closing = false;
    }
    QDialog::done(result);
}

void TPreferencesDlg::closeEvent(QCloseEvent *event)
{
    if (isVisible())
        done(QDialog::Rejected);
    event->accept();
}

void TPreferencesDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        HelpBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPreferencesDlg::FormClose()
{
    const int sizeAtOpening = CardSize;
    BackIndex = CheckedBack();
    TCard::SetBackIndex(BackIndex);
    DoAnimation = ui->CheckBox5->isChecked();
    DoSound = ui->CheckBox1->isChecked();
    MinimizeToTray = ui->CheckBox2->isChecked();
    KeepGames = ui->CheckBox3->isChecked();
    Tray::apply(MinimizeToTray);
    CardSize = ui->RadioGroup1->ItemIndex();  // the launcher applies it to the next game window
    WritePreferences();
    if (CardSize != sizeAtOpening)
        CardSizeChanged = true;
}

void TPreferencesDlg::WritePreferences()
{
    Profile1->WriteText(QStringLiteral("BackgroundColor"), ColorToString(BackgroundColor));
    Profile1->WriteInt(QStringLiteral("BackIndex"), BackIndex);
    Profile1->WriteBool(QStringLiteral("DoAnimation"), DoAnimation);
    Profile1->WriteBool(QStringLiteral("DoSound"), DoSound);
    Profile1->WriteBool(QStringLiteral("MinimizeToTray"), MinimizeToTray);
    Profile1->WriteInt(QStringLiteral("CardSize"), CardSize);
    Profile1->WriteInt(QStringLiteral("BackgroundIndex"), BackgroundIndex);
    Profile1->WriteText(QStringLiteral("GradientStartColor"), ColorToString(GradientStartColor));
    Profile1->WriteText(QStringLiteral("GradientEndColor"), ColorToString(GradientEndColor));
    Profile1->WriteInt(QStringLiteral("GradientIndex"), GradientIndex);
    Profile1->WriteBool(QStringLiteral("KeepGames"), KeepGames);
}

// ---------------------------------------------------------------- handlers

void TPreferencesDlg::ColorButtonClick(QWidget *swatch)
{
    TColor *preference = swatch == ui->Panel1 ? &BackgroundColor
                         : swatch == ui->Panel2 ? &GradientStartColor
                                                : &GradientEndColor;
    QColorDialog *chooser = ColorChooser();
    chooser->setCurrentColor(QColorFromColor(*preference));
    if (Dialogs::execModal(chooser) == QDialog::Accepted && chooser->selectedColor().isValid())
        *preference = ColorFromQColor(chooser->selectedColor());
    static_cast<TColorSwatch *>(swatch)->SetColor(*preference);
    Profile1->WriteText(QStringLiteral("CustomColors"), CustomColorsText());
}

void TPreferencesDlg::BrowseButtonClick(QWidget *button)
{
    const bool customBack = button == ui->BrowseButton;
    const QString stored = Profile1->ReadText(customBack ? QStringLiteral("CustomImage") : QStringLiteral("BackgroundImage"));
    QFileDialog *chooser = FileChooser();
    if (stored != Profile1->DefaultText && QFileInfo(stored).isFile()) {
        chooser->setDirectory(QFileInfo(stored).absolutePath());
        chooser->selectFile(stored);
        chooser->selectNameFilter(offeredExtension(stored) ? imagesFilter : allFilesFilter);
    }
    if (Dialogs::execModal(chooser) != QDialog::Accepted)
        return;
    const QStringList chosen = chooser->selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return;
    if (customBack)
        LoadCustomBack(chosen.first(), true, false, PictureSource::Chooser);
    else
        LoadBackgroundImage(chosen.first(), PictureSource::Chooser);
}

void TPreferencesDlg::ISGRadioList1Click()
{
    BackgroundIndex = ui->RadioGroup2->ItemIndex();
    ui->PageControl2->setCurrentIndex(BackgroundIndex);
}

void TPreferencesDlg::ISGRadioList2Click() { GradientIndex = ui->RadioGroup3->ItemIndex(); }

void TPreferencesDlg::HelpBtnClick() { Help::showTopic(this, 502); }

// ---------------------------------------------------------------- card backs

void TPreferencesDlg::CheckBack(int index) { ui->BackRadios[index]->setChecked(true); }

int TPreferencesDlg::CheckedBack() const
{
    for (int i = 0; i < 4; ++i)
        if (ui->BackRadios[i]->isChecked())
            return i;
    return 0;
}

// The custom back is no longer available: its choice is disabled and, when it was
// the one in use (or checked for use), the cards return to the first back.
void TPreferencesDlg::DropCustomBack()
{
    ui->BackRadios[3]->setEnabled(false);
    Profile1->WriteText(QStringLiteral("CustomImage"), QStringLiteral("None"));
    ui->Image4->setPixmap(QPixmap());
    if (BackIndex == 3 || ui->BackRadios[3]->isChecked())
        FallBackToFirstBack();
}

void TPreferencesDlg::FallBackToFirstBack()
{
    CheckBack(0);
    BackIndex = 0;
    TCard::SetBackIndex(0);
}

// The settings may ask for the custom back when there is none to show (no picture
// stored, or one that could not be loaded): the first back serves instead, and is
// stored when the dialog next closes.
void TPreferencesDlg::DropBackIndexWithoutCustomBack()
{
    if (BackIndex == 3 && !ui->BackRadios[3]->isEnabled())
        FallBackToFirstBack();
}

QImage TPreferencesDlg::ReadPicture(const QString &fileName) const
{
    try {
        return Pictures::load(fileName);
    } catch (const std::exception &) {
        return QImage();
    }
}

void TPreferencesDlg::WarnNotFound(const char *picture, const QString &fileName)
{
    Dialogs::message(this, QStringLiteral("The %1 %2 was not found.").arg(QLatin1String(picture), fileName),
                     Dialogs::Icon::Warning);
}

void TPreferencesDlg::WarnUnreadable(const char *picture, const QString &fileName)
{
    Dialogs::message(this, QStringLiteral("The %1 %2 could not be read.").arg(QLatin1String(picture), fileName),
                     Dialogs::Icon::Warning);
}

// False, with nothing changed, when the picture cannot be read.
bool TPreferencesDlg::BuildCustomBackFromFile(const QString &fileName)
{
    const QImage picture = ReadPicture(fileName);
    if (picture.isNull())
        return false;
    try {
        BuildCustomBack(picture);
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

void TPreferencesDlg::BuildCustomBack(const QImage &picture)
{
    QImage preview = framedPicture("BORDER", QRect(5, 5, 70, 115), picture);
    // Built at the size the cards are drawn with now; after a change of card size
    // the launcher has it rebuilt before the next game window opens.
    ImageList *backs = TCard::GetBackImageList();
    const bool large = backs->Width() == largeCardWidth;
    const QImage card = large ? preview : framedPicture("sBORDER", QRect(4, 4, 53, 87), picture);
    const QImage mask = Resources::bitmapForScreen(large ? QStringLiteral("BORDERMASK") : QStringLiteral("sBORDERMASK"));
    if (backs->Count() == 3)
        backs->AddWithMask(card, mask);
    else
        backs->ReplaceWithMask(3, card, mask);
    softenCorners(preview, palette().color(QPalette::Button));
    ui->Image4->setPixmap(QPixmap::fromImage(preview));
}

void TPreferencesDlg::LoadCustomBack(const QString &fileName, bool select, bool quietGif, PictureSource source)
{
    const bool replacesNothing = source == PictureSource::Settings;
    if (!QFileInfo(fileName).isFile()) {
        if (replacesNothing)
            DropCustomBack();
        WarnNotFound("custom card back image", fileName);
        return;
    }
    if (Pictures::isGifName(fileName)) {
        if (quietGif)
            DropCustomBack();
        else
            Dialogs::message(this, QStringLiteral("GIF images are not supported."), Dialogs::Icon::Error);
        return;
    }
    if (!BuildCustomBackFromFile(fileName)) {
        if (replacesNothing)
            DropCustomBack();
        WarnUnreadable("custom card back image", fileName);
        return;
    }
    StorePicturePath(QStringLiteral("CustomImage"), fileName);
    ui->BackRadios[3]->setEnabled(true);
    if (select) {
        CheckBack(3);
        BackIndex = 3;
        TCard::SetBackIndex(3);
    }
}

void TPreferencesDlg::RefreshCustomBack()
{
    if (!CardSizeChanged)
        return;
    const QString stored = Profile1->ReadText(QStringLiteral("CustomImage"));
    if (stored != Profile1->DefaultText)
        LoadCustomBack(stored, BackIndex == 3, false);
}

// ---------------------------------------------------------------- table picture

const QImage *TPreferencesDlg::GetBackgroundBitmap() const
{
    return backgroundPicture.isNull() ? nullptr : &backgroundPicture;
}

void TPreferencesDlg::ShowBackgroundPicture(const QImage &picture)
{
    backgroundPicture = picture;
    ui->Image5->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
    ui->Label6->setVisible(picture.isNull());
}

void TPreferencesDlg::DropBackgroundPicture()
{
    Profile1->WriteText(QStringLiteral("BackgroundImage"), QStringLiteral("None"));
    ShowBackgroundPicture(QImage());
}

void TPreferencesDlg::LoadBackgroundImage(const QString &fileName, PictureSource source)
{
    const bool replacesNothing = source == PictureSource::Settings;
    if (!QFileInfo(fileName).isFile()) {
        if (replacesNothing) {
            DropBackgroundPicture();
            ui->RadioGroup2->SetItemIndex(0);
            ISGRadioList1Click();
        }
        WarnNotFound("game background image", fileName);
        return;
    }
    if (Pictures::isGifName(fileName)) {
        Dialogs::message(this, QStringLiteral("GIF images are not supported."), Dialogs::Icon::Error);
        return;
    }
    const QImage picture = ReadPicture(fileName);
    if (picture.isNull()) {
        if (replacesNothing)
            DropBackgroundPicture();
        WarnUnreadable("game background image", fileName);
        return;
    }
    ShowBackgroundPicture(picture);
    StorePicturePath(QStringLiteral("BackgroundImage"), fileName);
}

// A path the settings file cannot give back exactly (a line break in the name, a
// length it refuses) is not remembered: the picture serves this run only, rather
// than the next start looking for a different file.
void TPreferencesDlg::StorePicturePath(const QString &key, const QString &fileName)
{
    Profile1->WriteText(key, fileName);
    if (Profile1->ReadText(key) != fileName)
        Profile1->WriteText(key, QStringLiteral("None"));
}

// ---------------------------------------------------------------- custom colours

// "ColorA=RRGGBB,...,ColorP=RRGGBB" in the settings' 0xBBGGRR order, as hex digits.
QString TPreferencesDlg::CustomColorsText() const
{
    QStringList entries;
    for (int i = 0; i < customColorCount; ++i) {
        const TColor color = ColorFromQColor(QColorDialog::customColor(i)) & 0xFFFFFF;
        const QString digits = QStringLiteral("%1").arg(color, 6, 16, QLatin1Char('0')).toUpper();
        entries << QStringLiteral("Color%1=%2").arg(QChar('A' + i)).arg(digits);
    }
    return entries.join(QLatin1Char(','));
}

void TPreferencesDlg::ReadCustomColors(const QString &text)
{
    for (const QString &entry : text.split(QLatin1Char(','))) {
        const QString trimmed = entry.trimmed();
        if (trimmed.size() < 8 || !trimmed.startsWith(QLatin1String("Color"), Qt::CaseInsensitive)
            || trimmed[6] != QLatin1Char('='))
            continue;
        const int index = trimmed[5].toUpper().unicode() - 'A';
        bool ok = false;
        const uint color = trimmed.mid(7).toUInt(&ok, 16);
        if (ok && index >= 0 && index < customColorCount && color <= 0xFFFFFF)
            QColorDialog::setCustomColor(index, QColorFromColor(color));
    }
}
