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

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A game window's table: the background component and three empty pile views.
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
    void apply(const TablePreferences &preferences) { ApplyTableBackground(&window, background, views, preferences); }
    QImage refreshed()
    {
        background->Refresh();
        return background->BackBuffer();
    }
};

}  // namespace

class TestBackground : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void blendStepsAndEdgesRoundToNearest_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<uint>("from");
        QTest::addColumn<uint>("to");
        QTest::addColumn<bool>("downwards");
        QTest::addColumn<int>("steps");
        QTest::newRow("downwards, black to white") << QSize(300, 600) << 0x000000u << 0xFFFFFFu << true << 255;
        QTest::newRow("across, red to blue") << QSize(600, 40) << 0x0000FFu << 0xFF0000u << false << 255;
        // Edges at 10·i/4 = 0, 2.5, 5, 7.5, 10 and reds at 100·i/3 = 0, 33.3, 66.7, 100.
        QTest::newRow("three steps") << QSize(5, 10) << 0x000000u << 0x000064u << true << 3;
    }

    void blendStepsAndEdgesRoundToNearest()
    {
        QFETCH(QSize, size);
        QFETCH(uint, from);
        QFETCH(uint, to);
        QFETCH(bool, downwards);
        QFETCH(int, steps);
        Table table(size);
        table.background->SetBackType(btBlend);
        table.background->SetColor(from);
        table.background->SetEndColor(to);
        table.background->SetFillType(downwards ? gVert : gHorz);
        if (steps != 255)  // the default
            table.background->SetBands(steps);
        const QImage buffer = table.refreshed();
        QCOMPARE(buffer.size(), size);

        const QColor first = QColorFromColor(from), last = QColorFromColor(to);
        auto level = [steps](int a, int b, int band) { return a + qRound((b - a) * band / double(steps)); };
        const int length = downwards ? size.height() : size.width();
        auto edge = [&](int band) { return qRound(length * band / double(steps + 1)); };
        const QList<Run> bands = runs(buffer, downwards);
        QCOMPARE(bands.size(), steps + 1);
        for (int i = 0; i < bands.size(); ++i) {
            QCOMPARE(bands[i].colour, qRgb(level(first.red(), last.red(), i), level(first.green(), last.green(), i),
                                           level(first.blue(), last.blue(), i)));
            QCOMPARE(bands[i].length, edge(i + 1) - edge(i));
        }
        for (int i = 0; i < length; i += 7)  // the stripes run the whole way across
            QCOMPARE(downwards ? buffer.pixel(size.width() - 1, i) : buffer.pixel(i, size.height() - 1),
                     downwards ? buffer.pixel(0, i) : buffer.pixel(i, 0));
    }

    void mulDivLikeTheSystem_data()
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

    void mulDivLikeTheSystem()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, result);
        QCOMPARE(TzBackground::MulDiv(a, b, c), result);
    }

    void pictureIsTiledFromTopLeft_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QImage>("picture");
        QTest::newRow("larger than the window: copied once") << QSize(300, 200) << uniquePicture(800, 700);
        QTest::newRow("smaller than the window") << QSize(100, 50) << uniquePicture(30, 20);
    }

    void pictureIsTiledFromTopLeft()
    {
        QFETCH(QSize, size);
        QFETCH(QImage, picture);
        Table table(size);
        table.background->SetBitMap(picture);
        QImage expected(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                expected.setPixel(x, y, picture.pixel(x % picture.width(), y % picture.height()));
        QCOMPARE(asRgb32(table.refreshed()), expected);
    }

    void assignedPictureIsCopied()
    {
        QWidget window;
        TzBackground background(&window);
        QImage picture = uniquePicture(10, 10);
        background.SetBitMap(picture);
        picture.fill(Qt::red);
        QCOMPARE(background.BitMap(), uniquePicture(10, 10));
    }

    void emptyPictureOrNoFillShowsWindowColour()
    {
        Table table(QSize(120, 90));
        table.setWindowColour(QColor(10, 90, 30));
        QCOMPARE(table.background->BackType(), btBitmap);  // the component's own default
        for (TzBackType type : {btBitmap, btNormal}) {
            table.background->SetBackType(type);
            QCOMPARE(asRgb32(table.refreshed()), filled(QSize(120, 90), QColor(10, 90, 30)));
        }
    }

    void windowShowsTheBackBuffer()
    {
        Table table(QSize(400, 300));
        TablePreferences preferences;
        preferences.BackgroundIndex = 1;
        preferences.GradientStartColor = 0x00204060;
        preferences.GradientEndColor = 0x00F0C080;
        table.apply(preferences);
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

    void resizeNotifiesAndRenewsTheBuffer()
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

    // After a gradient, a solid colour, or a picture that did not load, shows the colour.
    void solidColourAndMissingPictureShowTheColour_data()
    {
        QTest::addColumn<int>("backgroundIndex");
        QTest::addColumn<bool>("emptyPicture");  // instead of none
        QTest::newRow("solid colour") << 0 << false;
        QTest::newRow("no picture") << 2 << false;
        QTest::newRow("empty picture") << 2 << true;
    }

    void solidColourAndMissingPictureShowTheColour()
    {
        QFETCH(int, backgroundIndex);
        QFETCH(bool, emptyPicture);
        const QImage nothing;
        Table table(QSize(400, 300));
        TablePreferences preferences;
        preferences.BackgroundIndex = 1;
        table.apply(preferences);

        preferences.BackgroundIndex = backgroundIndex;
        preferences.Picture = emptyPicture ? &nothing : nullptr;
        preferences.BackgroundColor = 0x00336699;
        table.apply(preferences);
        QCOMPARE(table.background->BackType(), btNormal);
        QCOMPARE(table.window.palette().color(QPalette::Window), QColor(0x99, 0x66, 0x33));
        for (TCardPileView *view : table.views) {
            QCOMPARE(view->BackgroundMode, FS_NORMAL);
            QCOMPARE(view->Render().pixel(5, 5), qRgb(0x99, 0x66, 0x33));
        }
    }

    void gradientPreference()
    {
        Table table(QSize(400, 300));
        table.setWindowColour(QColor(0, 64, 0));
        TablePreferences preferences;
        preferences.BackgroundIndex = 1;
        preferences.GradientIndex = 1;
        preferences.BackgroundColor = 0x000000FF;
        preferences.GradientStartColor = 0x00000000;
        preferences.GradientEndColor = 0x00FFFFFF;
        table.apply(preferences);

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
        table.apply(preferences);
        QCOMPARE(table.background->FillType(), gVert);
    }

    void picturePreference()
    {
        Table table(QSize(400, 300));
        const QImage picture = uniquePicture(64, 48);
        TablePreferences preferences;
        preferences.BackgroundIndex = 2;
        preferences.Picture = &picture;
        table.apply(preferences);

        QCOMPARE(table.background->BackType(), btBitmap);
        QCOMPARE(table.background->BitMap(), picture);
        const QImage &buffer = table.background->BackBuffer();
        QCOMPARE(buffer.pixel(296, 8), picture.pixel(296 % 64, 8));
        for (TCardPileView *view : table.views) {
            QCOMPARE(view->BackgroundMode, FS_BITMAP);
            QCOMPARE(view->Render().pixel(0, 0), picture.pixel(view->x() % 64, view->y() % 48));
        }
    }

    void withoutPreferencesDialogTheTableIsDarkGreen()
    {
        Table table(QSize(200, 200));
        ApplyTableBackground(&table.window, table.background, table.views);
        QCOMPARE(table.background->BackType(), btNormal);
        QCOMPARE(table.window.palette().color(QPalette::Window), QColor(0, 64, 0));
    }
};

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
