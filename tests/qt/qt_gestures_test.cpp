// Held keys through the real window: a key pressed on the canvas stays down in the key table while the mouse
// clicks, a released Alt (a system key) lets go, and nothing stays down once the window loses the focus.
#include <QtTest>

#include "app/app_state.h"
#include "app/startup.h"
#include "image/image.h"
#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"

using namespace vyd;

class GesturesTest : public QObject {
    Q_OBJECT

private slots:
    void heldKeysDecideClicksAndNeverStick() {
        QtPlatform qt;
        AppState app;
        QVERIFY(startApplication(app, qt, {}));
        QVERIFY(QTest::qWaitForWindowExposed(&qt.window()));
        Image& picture = app.levels[0].image;
        QVERIFY(createImage(picture, kModeTrue24, 24, 8, 8));
        std::fill(picture.pixels.data(), picture.pixels.data() + picture.pixelBytes(), uint8_t{0xFF});
        qt.invalidate();
        qt.updateWindow();
        QWidget& canvas = qt.canvas();

        // F held while the left button clicks: the region under the pointer is filled with black.
        QTest::keyPress(&canvas, Qt::Key_F, Qt::NoModifier);
        QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QTest::keyRelease(&canvas, Qt::Key_F, Qt::NoModifier);
        QCOMPARE(pixelColor(picture, 7, 7, true), Color{0});
        QCOMPARE(app.shell.keyState['F'], uint8_t{0});

        // Alt goes down and comes back up as system keys.
        QTest::keyPress(&canvas, Qt::Key_Alt, Qt::AltModifier);
        QCOMPARE(app.shell.keyState[VK_MENU], uint8_t{0xFF});
        QTest::keyRelease(&canvas, Qt::Key_Alt, Qt::NoModifier);
        QCOMPARE(app.shell.keyState[VK_MENU], uint8_t{0});

        // Alt+Tab: the release goes to another window, so losing the focus lets every key go.
        QTest::keyPress(&canvas, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyPress(&canvas, Qt::Key_F8, Qt::AltModifier);
        QVERIFY(app.view.previewLevels);
        QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&canvas, &focusOut);
        QCOMPARE(app.shell.keyState[VK_MENU], uint8_t{0});
        QCOMPARE(app.shell.keyState[VK_F(8)], uint8_t{0});
        QVERIFY(!app.view.previewLevels);
    }
};

QTEST_MAIN(GesturesTest)
#include "qt_gestures_test.moc"
