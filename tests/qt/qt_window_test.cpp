// The main window as the window procedure sees it: keys, mouse buttons and moves, drops and close become
// the right messages; the modelled frame, the scroll bars and the paint cycle keep the arithmetic the
// logic relies on; the key poll of long operations takes keys and holds back everything else.
#include <QBitmap>
#include <QDesktopServices>
#include <QtTest>

#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"

using namespace vyd;

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QtPlatform> platform_;
    testing::MessageLog log_;
    std::function<void(UINT, WPARAM, LPARAM)> react_;

    QWidget& canvas() { return platform_->canvas(); }
    void sendKey(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false) {
        QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
        QApplication::sendEvent(&canvas(), &event);
    }

    QList<QUrl> opened_;

public slots:
    void captureUrl(const QUrl& url) { opened_ << url; }

private slots:
    void init() {
        log_ = {};
        react_ = nullptr;
        platform_ = std::make_unique<QtPlatform>();
        platform_->setWindowProcedure([this](UINT m, WPARAM w, LPARAM l) {
            log_.messages.push_back({m, w, l});
            if (react_) react_(m, w, l);
            return LRESULT{0};
        });
        QVERIFY(platform_->createMainWindow("VYD"));
        QVERIFY(QTest::qWaitForWindowExposed(&platform_->window()));
        QCOMPARE(log_.messages.front().message, WM_CREATE);
        QCOMPARE(log_.messages.at(1).message, WM_SIZE);
    }
    void cleanup() { platform_.reset(); }

    void keysBecomeKeyMessagesWithTheirBits() {
        struct Case { QEvent::Type type; int key; Qt::KeyboardModifiers modifiers; bool repeat;
                      UINT message; WPARAM vk; LPARAM lParam; };
        const Case cases[] = {
            {QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, false, WM_KEYDOWN, 0x41, 0x00000001},
            {QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, false, WM_KEYUP, 0x41, 0xC0000001},
            {QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, true, WM_KEYDOWN, 0x74, 0x40000001},
            {QEvent::KeyPress, Qt::Key_F24, Qt::NoModifier, false, WM_KEYDOWN, 0x87, 0x00000001},
            {QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier, false, WM_KEYDOWN, 0x21, 0x00000001},
            {QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier, false, WM_KEYDOWN, 0x22, 0x00000001},
            {QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, false, WM_KEYDOWN, 0x1B, 0x00000001},
            {QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, false, WM_KEYDOWN, 0x09, 0x00000001},
            {QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, false, WM_KEYDOWN, 0x31, 0x00000001},
            {QEvent::KeyPress, Qt::Key_Slash, Qt::NoModifier, false, WM_KEYDOWN, 0xBF, 0x00000001},
            {QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, false, WM_KEYDOWN, 0x6B, 0x00000001},
            {QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, false, WM_KEYDOWN, 0x67, 0x00000001},
            {QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, false, WM_KEYDOWN, 0x11, 0x00000001},
            {QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, false, WM_SYSKEYDOWN, 0x58, 0x20000001},
            {QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier, false, WM_SYSKEYUP, 0x12, 0xE0000001},
            {QEvent::KeyPress, Qt::Key_X, Qt::AltModifier | Qt::ControlModifier, false, WM_KEYDOWN, 0x58, 0x20000001},
        };
        for (const Case& c : cases) {
            log_.messages.clear();
            sendKey(c.type, c.key, c.modifiers, c.repeat);
            const std::vector<testing::Message> expected = {{c.message, c.vk, c.lParam}};
            QVERIFY2(log_.input() == expected, qPrintable(QString("key %1").arg(c.key, 0, 16)));
        }
        // The releases that auto-repeat inserts between repeated presses are not key-ups.
        log_.messages.clear();
        sendKey(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier, true);
        QVERIFY(log_.input().empty());
    }

    void mouseEventsCarryButtonsKeysAndSignedClientCoordinates() {
        log_.messages.clear();
        QTest::mousePress(&canvas(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
        QTest::mouseRelease(&canvas(), Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 21));
        QTest::mousePress(&canvas(), Qt::RightButton, Qt::ControlModifier, QPoint(3, 4));
        QTest::mouseRelease(&canvas(), Qt::RightButton, Qt::NoModifier, QPoint(3, 4));
        QTest::mousePress(&canvas(), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6));
        QMouseEvent move(QEvent::MouseMove, QPointF(-5, 3), canvas().mapToGlobal(QPointF(-5, 3)), Qt::NoButton,
                         Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas(), &move);
        QTest::mouseRelease(&canvas(), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6));

        const std::vector<testing::Message> expected = {
            {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 20)},
            {WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(12, 21)},
            {WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(3, 4)},
            {WM_RBUTTONUP, 0, MAKELPARAM(3, 4)},
            {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 6)},
            {WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(-5, 3)},
            {WM_MBUTTONUP, 0, MAKELPARAM(5, 6)},
        };
        std::vector<testing::Message> got;
        for (const testing::Message& m : log_.input()) {
            if (m.message != WM_MOUSEMOVE || m.lParam == MAKELPARAM(-5, 3)) got.push_back(m);
        }
        QVERIFY(got == expected);
    }

    void dropsArePostedAndCloseAsksTheProgram() {
        const QList<QUrl> urls = {QUrl::fromLocalFile("/tmp/a.bmp"), QUrl("https://example.org/x.bmp"),
                                  QUrl::fromLocalFile("/tmp/b c.pcx")};
        testing::dropFiles(platform_->window(), urls);
        QTest::qWait(20);
        QVERIFY2(log_.only(WM_DROPFILES).empty(), "a window that does not accept files gets no drop");

        platform_->acceptFiles(true);
        testing::dropFiles(platform_->window(), urls);
        QVERIFY2(log_.only(WM_DROPFILES).empty(), "the drop is posted, not sent while the drag runs");
        QTRY_COMPARE(log_.only(WM_DROPFILES).size(), size_t{1});
        QCOMPARE(platform_->droppedFiles(), (std::vector<std::string>{"/tmp/a.bmp", "/tmp/b c.pcx"}));
        platform_->finishDrop();
        QVERIFY(platform_->droppedFiles().empty());

        QCloseEvent close;
        QApplication::sendEvent(&platform_->window(), &close);
        QCOMPARE(log_.only(WM_CLOSE).size(), size_t{1});
        QVERIFY2(platform_->window().isVisible(), "only the program closes its window");
        platform_->defaultProcedure(WM_CLOSE, 0, 0);
        QCOMPARE(log_.only(WM_DESTROY).size(), size_t{1});
        QVERIFY(!platform_->window().isVisible());
    }

    void frameBarsAndClientKeepTheScrollArithmetic() {
        platform_->setWindowPos(10, 20, 500, 400);
        auto same = [](Rect r, Rect e) { return r.left == e.left && r.top == e.top && r.right == e.right && r.bottom == e.bottom; };
        QVERIFY(same(platform_->windowRect(), {10, 20, 510, 420}));
        QVERIFY(same(platform_->clientRect(), {0, 0, 492, 354}));
        QCOMPARE(log_.only(WM_SIZE).back().lParam, MAKELPARAM(492, 354));
        QTRY_COMPARE(canvas().size(), QSize(492, 354));
        QCOMPARE(platform_->backBuffer().size(), QSize(492, 354));

        log_.messages.clear();
        platform_->showScrollBar(SB_VERT, true);
        platform_->showScrollBar(SB_HORZ, true);
        QCOMPARE(log_.only(WM_SIZE).size(), size_t{2});
        QCOMPARE(log_.only(WM_SIZE).back().lParam, MAKELPARAM(476, 338));
        QVERIFY(same(platform_->windowRect(), {10, 20, 510, 420}));
        QCOMPARE(canvas().size(), QSize(476, 338));
        QCOMPARE(platform_->scrollBar(SB_VERT).geometry(), QRect(476, 0, 16, 338));
        platform_->showScrollBar(SB_VERT, true);
        QCOMPARE(log_.only(WM_SIZE).size(), size_t{2});

        // The program, not the bar, decides where a scroll request leads.
        platform_->setScrollRange(SB_VERT, 0, 100, true);
        platform_->setScrollPos(SB_VERT, 500, true);
        QCOMPARE(platform_->scrollPos(SB_VERT), 100);
        platform_->setScrollPos(SB_VERT, 10, true);
        react_ = [this](UINT m, WPARAM w, LPARAM) {
            if (m == WM_VSCROLL && LOWORD(w) == SB_LINEDOWN) platform_->setScrollPos(SB_VERT, platform_->scrollPos(SB_VERT) + 16, true);
        };
        platform_->scrollBar(SB_VERT).triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(log_.only(WM_VSCROLL).size(), size_t{1});
        QCOMPARE(LOWORD(log_.only(WM_VSCROLL)[0].wParam), uint16_t{SB_LINEDOWN});
        QCOMPARE(platform_->scrollBar(SB_VERT).value(), 26);
        platform_->scrollBar(SB_VERT).setSliderPosition(70);
        QCOMPARE(log_.only(WM_VSCROLL).back().wParam, MAKEWPARAM(SB_THUMBTRACK, 70));
    }

    void updateWindowPaintsOnceAndTheCanvasShowsTheBuffer() {
        QTest::qWait(50);  // let the first exposure's paint go by
        react_ = [this](UINT m, WPARAM, LPARAM) {
            if (m == WM_PAINT) platform_->deviceContext().fillRect(0, 0, 4, 4, makeColor(255, 0, 0));
        };
        log_.messages.clear();
        platform_->invalidate();
        QVERIFY(platform_->hasUpdateRegion());
        platform_->updateWindow();
        QCOMPARE(log_.only(WM_PAINT).size(), size_t{1});
        QVERIFY(!platform_->hasUpdateRegion());
        platform_->updateWindow();
        QCOMPARE(log_.only(WM_PAINT).size(), size_t{1});
        QCOMPARE(canvas().grab().toImage().pixel(1, 1) & 0xFFFFFFu, 0xFF0000u);
        QCOMPARE(platform_->deviceContext().getPixel(3, 3), makeColor(255, 0, 0));
        QCOMPARE(platform_->deviceContext().getPixel(4, 4), makeColor(255, 255, 255));
    }

    void brushCursorShowsTheOutlineFromTheTwoPlanes() {
        // An inverting outline (AND 1, XOR 1) along the top row and left column of a 5 x 3 box.
        std::vector<uint8_t> andPlane(128, 0xFF), xorPlane(128, 0x00);
        xorPlane[0] = 0xF8;  // row 0: pixels 0..4
        for (int y = 1; y < 3; ++y) xorPlane[4 * y] = 0x80;  // column 0
        andPlane[4 * 31] = 0x7F;  // row 31, pixel 0: AND 0, XOR 0 is black
        platform_->setBrushCursor(andPlane, xorPlane);
        const QCursor cursor = canvas().cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(0, 0));
        const QImage bitmap = cursor.bitmap().toImage(), mask = cursor.mask().toImage();
        const QRgb one = QColor(Qt::color1).rgb();  // bitmap and mask bits that are set
        auto shown = [&](int x, int y) { return mask.pixel(x, y) == one; };
        auto black = [&](int x, int y) { return shown(x, y) && bitmap.pixel(x, y) == one; };
        QVERIFY(black(0, 0) && black(4, 0) && black(0, 2) && black(0, 31));
        QVERIFY2(shown(1, 1) && !black(1, 1), "an inverting outline is edged with white");
        QVERIFY(!shown(10, 10));
        platform_->setArrowCursor();
        QCOMPARE(canvas().cursor().shape(), Qt::ArrowCursor);
    }

    void helpOpensTheShippedPageOrTheOneUnderThePrefix() {
        // The sources lie three folders above this file: docs/help.html is found from there.
        const QDir root = QFileInfo(QString::fromUtf8(__FILE__)).dir().absoluteFilePath("../..");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(root.absolutePath());
        QDesktopServices::setUrlHandler("file", this, "captureUrl");
        platform_->openHelp("VYD.HLP");
        QDesktopServices::unsetUrlHandler("file");
        QDir::setCurrent(previous);
        QCOMPARE(opened_.size(), qsizetype{1});
        QCOMPARE(QFileInfo(opened_[0].toLocalFile()).canonicalFilePath(),
                 QFileInfo(root.absoluteFilePath("docs/help.html")).canonicalFilePath());

        // An installed editor finds the page under its prefix.
        QTemporaryDir prefix;
        const QDir installed(prefix.path());
        QVERIFY(installed.mkpath("bin") && installed.mkpath("libexec/vyd") && installed.mkpath("share/doc/vyd"));
        const QString page = prefix.filePath("share/doc/vyd/help.html"), elsewhere = prefix.filePath("libexec");
        QVERIFY(QFile(page).open(QIODevice::WriteOnly));
        QCOMPARE(findHelpPage("VYD.HLP", elsewhere, prefix.filePath("libexec/vyd")), page);
        QCOMPARE(findHelpPage("VYD.HLP", elsewhere, prefix.filePath("bin")), page);
        QCOMPARE(findHelpPage("VYD.HLP", elsewhere, prefix.filePath("opt/x/y")), QString());
    }

    void keyPollTakesKeysAndHoldsBackTheRest() {
        QCoreApplication::postEvent(&canvas(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QCoreApplication::postEvent(&canvas(), new QMouseEvent(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2),
                                                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(&canvas(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier));
        log_.messages.clear();
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        QVERIFY(platform_->peekKeyMessage(message, wParam, lParam));
        QCOMPARE(message, WM_KEYDOWN);
        QCOMPARE(wParam, WPARAM{VK_ESCAPE});
        QVERIFY(platform_->peekKeyMessage(message, wParam, lParam));
        QCOMPARE(message, WM_KEYUP);
        QVERIFY(!platform_->peekKeyMessage(message, wParam, lParam));
        QVERIFY2(log_.input().empty(), "nothing is dispatched while a long operation polls");
    }
};

QTEST_MAIN(WindowTest)
#include "qt_window_test.moc"
