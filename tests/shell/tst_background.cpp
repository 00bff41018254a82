// SPDX-License-Identifier: MIT
#include "cards/CardPileView.h"
#include "shell/Background.h"

#include <QPainter>
#include <QWidget>
#include <QtTest>
#include <climits>

namespace {

struct Run {
    QRgb colour;
    int length;
};

// Runs of equal colour along one line of the picture.
QList<Run> runs(const QImage &image, bool downwards)
{
    QList<Run> found;
    const int length = downwards ? image.height() : image.width();
    for (int i = 0; i < length; ++i) {
        const QRgb pixel = downwards ? image.pixel(0, i) : image.pixel(i, 0);
        if (found.isEmpty() || found.last().colour != pixel)
            found.append({pixel, 0});
        ++found.last().length;
    }
    return found;
}

// Every pixel has its own colour, so a misplaced tile cannot go unnoticed.
QImage uniquePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)));
    return picture;
}

QImage asRgb32(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }

struct Table {
    QWidget window;
    TzBackground *background;
    QList<TCardPileView *> views;

    explicit Table(QSize size) : background(new TzBackground(&window))
    {
        window.resize(size);
        for (const QPoint place : {QPoint(8, 8), QPoint(296, 8), QPoint(100, 150)}) {
            auto *view = new TCardPileView(&window);
            view->move(place);
            views.append(view);
        }
    }
    void setWindowColour(QColor colour)
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, colour);
        window.setPalette(palette);
    }
};

}  // namespace

class TestBackground : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void verticalGradientFromBlackToWhite();
    void horizontalGradientFromRedToBlue();
    void bandEdgesAndColoursRoundToNearest();
    void mulDivLikeTheSystem_data();
    void mulDivLikeTheSystem();
    void largePictureIsCopiedOnceAtTopLeft();
    void smallPictureIsTiledFromTopLeft();
    void assignedPictureIsCopied();
    void emptyPictureOrNoFillShowsWindowColour();
    void windowShowsTheBackBuffer();
    void resizeNotifiesAndRenewsTheBuffer();
    void solidColourPreference();
    void gradientPreference();
    void picturePreference();
    void pictureNotLoadedFallsBackToSolid();
    void withoutPreferencesDialogTheTableIsDarkGreen();
};

void TestBackground::verticalGradientFromBlackToWhite()
{
    QWidget window;
    window.resize(300, 600);
    TzBackground background(&window);
    background.SetBackType(btBlend);
    background.SetColor(0x000000);
    background.SetEndColor(0xFFFFFF);
    background.SetFillType(gVert);
    background.Refresh();

    const QImage buffer = background.BackBuffer();
    QCOMPARE(buffer.size(), QSize(300, 600));
    const QList<Run> bands = runs(buffer, true);
    QCOMPARE(bands.size(), 256);
    for (int i = 0; i < bands.size(); ++i) {
        QCOMPARE(bands[i].colour, qRgb(i, i, i));  // 255 steps of 255: one grey level each
        QVERIFY2(bands[i].length == 2 || bands[i].length == 3, qPrintable(QString::number(i)));
    }
    for (int y = 0; y < 600; y += 7)  // stripes run the full width
        QCOMPARE(buffer.pixel(299, y), buffer.pixel(0, y));
}

void TestBackground::horizontalGradientFromRedToBlue()
{
    QWidget window;
    window.resize(600, 40);
    TzBackground background(&window);
    background.SetBackType(btBlend);
    background.SetColor(0x0000FF);     // red
    background.SetEndColor(0xFF0000);  // blue
    background.SetFillType(gHorz);
    background.Refresh();

    const QList<Run> bands = runs(background.BackBuffer(), false);
    QCOMPARE(bands.size(), 256);
    QCOMPARE(bands.first().colour, qRgb(255, 0, 0));
    QCOMPARE(bands.last().colour, qRgb(0, 0, 255));
    for (const Run &band : bands)
        QVERIFY(band.length == 2 || band.length == 3);
    QCOMPARE(background.BackBuffer().pixel(0, 39), qRgb(255, 0, 0));
}

void TestBackground::bandEdgesAndColoursRoundToNearest()
{
    QWidget window;
    window.resize(5, 10);
    TzBackground background(&window);
    background.SetBackType(btBlend);
    background.SetColor(0x000000);
    background.SetEndColor(0x000064);  // red 100
    background.SetBands(3);
    background.Refresh();

    // Edges at 10·i/4 = 0, 2.5, 5, 7.5, 10 and reds at 100·i/3 = 0, 33.3, 66.7, 100.
    const QList<Run> bands = runs(background.BackBuffer(), true);
    QCOMPARE(bands.size(), 4);
    const int heights[] = {3, 2, 3, 2};
    const int reds[] = {0, 33, 67, 100};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(bands[i].length, heights[i]);
        QCOMPARE(bands[i].colour, qRgb(reds[i], 0, 0));
    }
}

void TestBackground::mulDivLikeTheSystem_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("result");
    QTest::newRow("half rounds up") << 1 << 1 << 2 << 1;
    QTest::newRow("negative half rounds down") << -1 << 1 << 2 << -1;
    QTest::newRow("one and a half") << 3 << 1 << 2 << 2;
    QTest::newRow("below half") << 7 << 1 << 3 << 2;
    QTest::newRow("above half") << 8 << 1 << 3 << 3;
    QTest::newRow("negative divisor") << 1 << -1 << -2 << 1;
    QTest::newRow("large product") << INT_MAX << INT_MAX << INT_MAX << INT_MAX;
    QTest::newRow("overflow") << INT_MAX << INT_MAX << 1 << -1;
    QTest::newRow("division by zero") << 5 << 3 << 0 << -1;
}

void TestBackground::mulDivLikeTheSystem()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, result);
    QCOMPARE(TzBackground::MulDiv(a, b, c), result);
}

void TestBackground::largePictureIsCopiedOnceAtTopLeft()
{
    QWidget window;
    window.resize(300, 200);
    TzBackground background(&window);
    const QImage picture = uniquePicture(800, 700);
    background.SetBitMap(picture);
    background.Refresh();
    QCOMPARE(asRgb32(background.BackBuffer()), picture.copy(0, 0, 300, 200));
}

void TestBackground::smallPictureIsTiledFromTopLeft()
{
    QWidget window;
    window.resize(100, 50);
    TzBackground background(&window);
    const QImage picture = uniquePicture(30, 20);
    background.SetBitMap(picture);
    background.Refresh();
    const QImage buffer = background.BackBuffer();
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            QCOMPARE(buffer.pixel(x, y), picture.pixel(x % 30, y % 20));
}

void TestBackground::assignedPictureIsCopied()
{
    QWidget window;
    TzBackground background(&window);
    QImage picture = uniquePicture(10, 10);
    background.SetBitMap(picture);
    picture.fill(Qt::red);
    QCOMPARE(background.BitMap(), uniquePicture(10, 10));
}

void TestBackground::emptyPictureOrNoFillShowsWindowColour()
{
    Table table(QSize(120, 90));
    table.setWindowColour(QColor(10, 90, 30));
    QCOMPARE(table.background->BackType(), btBitmap);  // the component's own default
    for (TzBackType type : {btBitmap, btNormal}) {
        table.background->SetBackType(type);
        table.background->Refresh();
        QImage expected(120, 90, QImage::Format_RGB32);
        expected.fill(QColor(10, 90, 30));
        QCOMPARE(asRgb32(table.background->BackBuffer()), expected);
    }
}

void TestBackground::windowShowsTheBackBuffer()
{
    Table table(QSize(400, 300));
    TablePreferences preferences;
    preferences.BackgroundIndex = 1;
    preferences.GradientStartColor = 0x00204060;
    preferences.GradientEndColor = 0x00F0C080;
    ApplyTableBackground(&table.window, table.background, table.views, preferences);
    int paints = 0;
    table.background->OnPaint = [&](QObject *sender, QPainter &canvas) {
        QCOMPARE(sender, table.background);
        QVERIFY(canvas.isActive());
        ++paints;
    };
    table.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table.window));

    // The empty views copy their part of the buffer, so the whole table is one fill.
    const QImage shown = asRgb32(table.window.grab().toImage());
    QVERIFY(paints > 0);
    QCOMPARE(shown, asRgb32(table.background->BackBuffer()));
}

void TestBackground::resizeNotifiesAndRenewsTheBuffer()
{
    Table table(QSize(300, 200));
    table.background->SetBackType(btBlend);
    table.background->SetColor(0x000000);
    table.background->SetEndColor(0x0000FF);
    table.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table.window));
    int resizes = 0;
    table.background->OnResize = [&](QObject *sender) {
        QCOMPARE(sender, table.background);
        ++resizes;
    };
    table.window.resize(320, 480);
    QCOMPARE(resizes, 1);
    const QImage buffer = table.background->BackBuffer();
    QCOMPARE(buffer.size(), QSize(320, 480));
    QCOMPARE(buffer.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(buffer.pixel(319, 479), qRgb(255, 0, 0));
}

void TestBackground::solidColourPreference()
{
    Table table(QSize(400, 300));
    TablePreferences preferences;
    preferences.BackgroundIndex = 1;
    ApplyTableBackground(&table.window, table.background, table.views, preferences);

    preferences.BackgroundIndex = 0;
    preferences.BackgroundColor = 0x00112233;
    ApplyTableBackground(&table.window, table.background, table.views, preferences);
    QCOMPARE(table.background->BackType(), btNormal);
    QCOMPARE(table.window.palette().color(QPalette::Window), QColor(0x33, 0x22, 0x11));
    for (TCardPileView *view : table.views) {
        QCOMPARE(view->BackgroundMode, FS_NORMAL);
        QCOMPARE(view->Render().pixel(5, 5), qRgb(0x33, 0x22, 0x11));
    }
}

void TestBackground::gradientPreference()
{
    Table table(QSize(400, 300));
    table.setWindowColour(QColor(0, 64, 0));
    TablePreferences preferences;
    preferences.BackgroundIndex = 1;
    preferences.GradientIndex = 1;
    preferences.BackgroundColor = 0x000000FF;
    preferences.GradientStartColor = 0x00000000;
    preferences.GradientEndColor = 0x00FFFFFF;
    ApplyTableBackground(&table.window, table.background, table.views, preferences);

    QCOMPARE(table.background->BackType(), btBlend);
    QCOMPARE(table.background->FillType(), gHorz);
    QCOMPARE(table.background->Color(), TColor(0));
    QCOMPARE(table.background->EndColor(), TColor(0xFFFFFF));
    QCOMPARE(table.window.palette().color(QPalette::Window), QColor(0, 64, 0));
    const QImage &buffer = table.background->BackBuffer();
    for (TCardPileView *view : table.views) {
        QCOMPARE(view->BackgroundMode, FS_BITMAP);
        QCOMPARE(view->Background, &buffer);
        // A view at (296, 8) shows the table from (296, 8) on.
        const QImage shown = view->Render();
        QCOMPARE(shown.pixel(0, 0), buffer.pixel(view->x(), view->y()));
        QCOMPARE(shown.pixel(70, 100), buffer.pixel(view->x() + 70, view->y() + 100));
    }

    preferences.GradientIndex = 0;
    ApplyTableBackground(&table.window, table.background, table.views, preferences);
    QCOMPARE(table.background->FillType(), gVert);
}

void TestBackground::picturePreference()
{
    Table table(QSize(400, 300));
    const QImage picture = uniquePicture(64, 48);
    TablePreferences preferences;
    preferences.BackgroundIndex = 2;
    preferences.Picture = &picture;
    ApplyTableBackground(&table.window, table.background, table.views, preferences);

    QCOMPARE(table.background->BackType(), btBitmap);
    QCOMPARE(table.background->BitMap(), picture);
    const QImage &buffer = table.background->BackBuffer();
    QCOMPARE(buffer.pixel(296, 8), picture.pixel(296 % 64, 8));
    for (TCardPileView *view : table.views) {
        QCOMPARE(view->BackgroundMode, FS_BITMAP);
        QCOMPARE(view->Render().pixel(0, 0), picture.pixel(view->x() % 64, view->y() % 48));
    }
}

void TestBackground::pictureNotLoadedFallsBackToSolid()
{
    const QImage nothing;
    for (const QImage *missing : {static_cast<const QImage *>(nullptr), &nothing}) {
        Table table(QSize(400, 300));
        TablePreferences preferences;
        preferences.BackgroundIndex = 1;
        ApplyTableBackground(&table.window, table.background, table.views, preferences);

        preferences.BackgroundIndex = 2;
        preferences.Picture = missing;
        preferences.BackgroundColor = 0x00336699;
        ApplyTableBackground(&table.window, table.background, table.views, preferences);
        QCOMPARE(table.background->BackType(), btNormal);
        QCOMPARE(table.window.palette().color(QPalette::Window), QColor(0x99, 0x66, 0x33));
        for (TCardPileView *view : table.views)
            QCOMPARE(view->BackgroundMode, FS_NORMAL);
    }
}

void TestBackground::withoutPreferencesDialogTheTableIsDarkGreen()
{
    Table table(QSize(200, 200));
    ApplyTableBackground(&table.window, table.background, table.views);
    QCOMPARE(table.background->BackType(), btNormal);
    QCOMPARE(table.window.palette().color(QPalette::Window), QColor(0, 64, 0));
}

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
