// SPDX-License-Identifier: MIT
#include "platform/Controls.h"
#include "platform/DragManager.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>

namespace {

QString buttonName(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? "L" : button == Qt::RightButton ? "R" : button == Qt::MiddleButton ? "M" : "?";
}

// A control that writes down every event it raises, in order.
struct Recorder : GraphicControl {
    explicit Recorder(QWidget *parent) : GraphicControl(parent)
    {
        OnMouseDown = [this](QObject *, Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
            log << QString("down%1@%2,%3").arg(buttonName(b)).arg(x).arg(y);
            lastShift = s;
        };
        OnMouseUp = [this](QObject *, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
            log << QString("up%1@%2,%3").arg(buttonName(b)).arg(x).arg(y);
        };
        OnMouseMove = [this](QObject *, Qt::KeyboardModifiers, int x, int y) {
            log << QString("move@%1,%2%3").arg(x).arg(y).arg(HasCapture() ? "" : "-free");
        };
        OnClick = [this](QObject *) { log << "click"; };
        OnDblClick = [this](QObject *) { log << "dblclick"; };
    }
    QStringList log;
    Qt::KeyboardModifiers lastShift;
};

// A drag source that starts a drag on its first captured move, as a pile view does.
struct Source : Recorder {
    explicit Source(QWidget *parent) : Recorder(parent)
    {
        OnStartDrag = [this](QObject *) { log << "start"; };
        OnEndDrag = [this](QObject *, QObject *target, int, int) {
            log << QString("end:%1%2").arg(target ? target->objectName() : "null",
                                              DragCancelled() ? ",cancelled" : "");
        };
    }
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override
    {
        if (HasCapture() && !Dragging() && wantsDrag) {
            QImage picture(40, 30, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::red);
            BeginDrag(immediate, picture, QPoint(5, 6));
        }
        Recorder::MouseMove(shift, x, y);
    }
    bool wantsDrag = true;
    bool immediate = true;
};

// A drop target that accepts as told and writes down what it was asked.
struct Target : GraphicControl {
    Target(QWidget *parent, const QString &name, bool accepts) : GraphicControl(parent), accepts(accepts)
    {
        setObjectName(name);
        OnDragOver = [this](QObject *, QObject *, int, int, DragState state, bool &accept) {
            static const char *names[] = {"enter", "leave", "move"};
            log << names[int(state)];
            accept = this->accepts;
        };
        OnDragDrop = [this](QObject *, QObject *, int x, int y) { log << QString("drop@%1,%2").arg(x).arg(y); };
    }
    bool accepts;
    QStringList log;
};

}  // namespace

class TestControls : public QObject
{
    Q_OBJECT

private:
    QWidget *window = nullptr;
    Recorder *control = nullptr;

    Source *addSource(QRect geometry = QRect(0, 0, 40, 40), bool immediate = true)
    {
        auto *source = new Source(window);
        source->immediate = immediate;
        source->setGeometry(geometry);
        source->show();
        return source;
    }
    Target *addTarget(const char *name, bool accepts, QRect geometry)
    {
        auto *target = new Target(window, QString::fromLatin1(name), accepts);
        target->setGeometry(geometry);
        target->show();
        return target;
    }

private Q_SLOTS:
    void init()
    {
        window = new QWidget;
        window->setGeometry(100, 100, 400, 300);
        control = new Recorder(window);
        control->setGeometry(50, 50, 80, 120);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() { delete window; }

    void clickRaisesUpThenClick()
    {
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(10, 20));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(11, 21));
        QCOMPARE(control->log, QStringList({"downL@10,20", "upL@11,21", "click"}));
        QVERIFY(!control->HasCapture());
    }

    void shiftStateCarriesTheModifierKeys()
    {
        QTest::mousePress(control, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, QPoint(5, 5));
        QCOMPARE(control->lastShift, Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void doubleClickRaisesDblClickThenDoubleDown()
    {
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(10, 10));
        const QStringList expected{"downL@10,10", "upL@10,10", "click", "dblclick", "downL@10,10", "upL@10,10"};
        QCOMPARE(control->log, expected);
    }

    void otherButtons_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("middle") << Qt::MiddleButton << QStringList{"downM@7,8", "upM@7,8"};
        QTest::newRow("right") << Qt::RightButton << QStringList{"downR@7,8", "upR@7,8"};
        QTest::newRow("right double") << Qt::RightButton << QStringList{"downR@7,8", "upR@7,8", "downR@7,8", "upR@7,8"};
    }
    void otherButtons()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QStringList, expected);
        QTest::mousePress(control, button, {}, QPoint(7, 8));
        QTest::mouseRelease(control, button, {}, QPoint(7, 8));
        if (expected.size() > 2) {
            QTest::mouseDClick(control, button, {}, QPoint(7, 8));
            QTest::mouseRelease(control, button, {}, QPoint(7, 8));
        }
        QCOMPARE(control->log, expected);
    }

    // Through the window system, as a real pointer: the press captures the control,
    // moves and the release outside it still reach it, in its own coordinates.
    void captureFollowsThePointerOutside()
    {
        QWindow *handle = window->windowHandle();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseMove(handle, QPoint(300, 250));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(300, 250));
        control->log.removeIf([](const QString &entry) { return entry.endsWith("-free"); });  // hovering
        QCOMPARE(control->log, QStringList({"downL@10,10", "move@250,200", "upL@250,200"}));
        QVERIFY(!control->HasCapture());
    }

    void releaseOutsideIsNoClick()
    {
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(control->HasCapture());
        QTest::mouseMove(control, QPoint(-20, 10));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(-20, 10));
        QCOMPARE(control->log, QStringList({"downL@10,10", "move@-20,10", "upL@-20,10"}));
    }

    // ---- the drag protocol ----

    void dragVisitsTargetsAndDropsOnTheAcceptingOne()
    {
        Source *source = addSource();
        const Target *refusing = addTarget("refusing", false, QRect(150, 0, 50, 50));
        const Target *accepting = addTarget("accepting", true, QRect(250, 0, 50, 50));

        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(source, QPoint(12, 10));
        QVERIFY(DragManager::instance().active());
        QWidget *picture = DragManager::instance().pictureWindow();
        QVERIFY(picture && picture->isVisible());
        QCOMPARE(picture->pos(), source->mapToGlobal(QPoint(12 - 5, 10 - 6)));
        QTest::mouseMove(source, QPoint(160, 10));
        QTest::mouseMove(source, QPoint(161, 11));
        QTest::mouseMove(source, QPoint(260, 10));
        QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(262, 14));

        QCOMPARE(refusing->log, QStringList({"enter", "move", "leave"}));
        QCOMPARE(accepting->log, QStringList({"enter", "move", "drop@12,14"}));
        QCOMPARE(source->log, QStringList({"downL@10,10", "start", "move@12,10", "end:accepting"}));
        QVERIFY(!DragManager::instance().active());
        QVERIFY(!source->HasCapture());
    }

    void releaseOverRefusingOrBareTableEndsWithoutTarget()
    {
        Source *source = addSource();
        const Target *refusing = addTarget("refusing", false, QRect(150, 0, 50, 50));
        auto *silent = new GraphicControl(window);  // no drag-over handler: refuses
        silent->setGeometry(250, 0, 50, 50);
        silent->show();

        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(source, QPoint(160, 10));
        QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(160, 10));
        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(source, QPoint(260, 10));
        QCOMPARE(DragManager::instance().target(), silent);
        QVERIFY(!DragManager::instance().targetAccepts());
        QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(260, 10));
        QVERIFY(refusing->log.filter("drop").isEmpty());
        QCOMPARE(source->log.filter("end:"), QStringList({"end:null", "end:null"}));
    }

    // The window's bare table is a drop target when the window is one.
    void bareTableOfADropTargetWindowAccepts()
    {
        struct Table : QWidget, DropZone {};
        Table table;
        table.setObjectName("table");
        table.setGeometry(600, 100, 300, 200);
        table.OnDragOver = [](QObject *, QObject *, int, int, DragState, bool &accept) { accept = true; };
        auto *source = new Source(&table);
        source->setGeometry(0, 0, 40, 40);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(source, QPoint(200, 100));
        QCOMPARE(DragManager::instance().target(), &table);
        QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(200, 100));
        QCOMPARE(source->log.last(), QString("end:table"));
    }

    void delayedDragWaitsForTheStartDistance()
    {
        Source *source = addSource(QRect(0, 0, 80, 80), false);
        const int distance = QApplication::startDragDistance();

        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(source, QPoint(11, 10));
        QVERIFY(DragManager::instance().pending());
        QVERIFY(source->Dragging());
        QTest::mouseMove(source, QPoint(10 + distance, 10));
        QVERIFY(DragManager::instance().active());
        QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(10 + distance, 10));
        QCOMPARE(source->log, QStringList({"downL@10,10", "move@11,10", "start", "end:null"}));
    }

    // A release before the drag began is a plain click, after the source has been
    // told (as cancelled) so it can take its things back.
    void delayedDragReleasedEarlyIsAClick()
    {
        Source *source = addSource(QRect(0, 0, 80, 80), false);
        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(source, QPoint(11, 10));
        QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(11, 10));
        QCOMPARE(source->log, QStringList({"downL@10,10", "move@11,10", "end:null,cancelled", "upL@11,10", "click"}));
        QVERIFY(!source->Dragging());
    }

    void escapeCancelsAndTheHeldButtonStartsNothingNew()
    {
        Source *source = addSource();
        const Target *accepting = addTarget("accepting", true, QRect(250, 0, 50, 50));
        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(source, QPoint(260, 10));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!DragManager::instance().active());
        QCOMPARE(source->log.last(), QString("end:null,cancelled"));
        QVERIFY(accepting->log.filter("drop").isEmpty());
        QTest::mouseMove(source, QPoint(262, 10));
        QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(262, 10));
        QCOMPARE(source->log.filter("start").size(), 1);
        QVERIFY(!source->log.contains("click"));
    }

    // Through the window system: the drag follows the real pointer route.
    void dragThroughTheWindowSystem()
    {
        Source *source = addSource();
        const Target *accepting = addTarget("accepting", true, QRect(250, 200, 50, 50));
        QWindow *handle = window->windowHandle();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(handle, QPoint(20, 20));
        QTest::mouseMove(handle, QPoint(270, 220));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(270, 220));
        QCOMPARE(accepting->log.last(), QString("drop@20,20"));
        QCOMPARE(source->log.last(), QString("end:accepting"));  // and no MouseUp after it

        source->immediate = false;
        source->log.clear();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(handle, QPoint(11, 10));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(11, 10));
        source->log.removeIf([](const QString &entry) { return entry.endsWith("-free"); });
        QCOMPARE(source->log, QStringList({"downL@10,10", "move@11,10", "end:null,cancelled", "upL@11,10", "click"}));
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
