// The desktop clipboard's pictures reach the program at their own depth with their colours, the program's
// pictures reach the clipboard with theirs, its formats are named, and the viewer window lives from its
// creation to its close.
#include <QClipboard>
#include <QtTest>

#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"

using namespace vyd;

namespace {

// The colour of pixel (x, y) of a DIB of any depth, read from its bytes; the top byte is the spare byte.
Color dibPixel(const Image& dib, int x, int y) {
    const uint8_t* row = dib.row(y);
    const unsigned word = row[2 * x] | row[2 * x + 1] << 8;
    auto five = [&](int shift) { return (word >> shift & 31) * 255 / 31; };
    switch (dib.bitCount()) {
        case 1: return dib.palette[row[x / 8] >> (7 - x % 8) & 1].value();
        case 8: return dib.palette[row[x]].value();
        case 16: return makeColor(five(10), five(5), five(0));
        case 24: return colorOfPixel(row + 3 * x);
        default: return colorOfPixel(row + 4 * x) | Color(row[4 * x + 3]) << 24;
    }
}

const QList<QRgb> kColours = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 255, 255), qRgb(0, 0, 0)};
Color value(QRgb rgb) { return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

}  // namespace

class ClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void picturesComeAtTheirOwnDepth() {
        QtPlatform platform;
        using F = QImage;
        const struct { QImage::Format format; int bits, colours; } cases[] = {
            {F::Format_Mono, 1, 2}, {F::Format_MonoLSB, 1, 2}, {F::Format_Indexed8, 8, 5}, {F::Format_RGB16, 16, 5},
            {F::Format_RGB555, 16, 5}, {F::Format_RGB444, 16, 5}, {F::Format_RGB888, 24, 5}, {F::Format_BGR888, 24, 5},
            {F::Format_RGB32, 32, 5}, {F::Format_ARGB32, 32, 5}, {F::Format_Grayscale8, 32, 2}};
        for (const auto& c : cases) {
            // Nine pixels a row cross a byte of a one-bit row; the two rows differ, so their order shows.
            QImage picture(9, 2, c.format);
            const QList<QRgb> colours = kColours.mid(c.format == F::Format_Grayscale8 ? 3 : 0, c.colours);
            if (c.bits <= 8) picture.setColorTable(colours);
            auto at = [&](int x, int y) { return (x + 3 * y) % colours.size(); };
            for (int i = 0; i < 18; ++i)
                picture.setPixel(i % 9, i / 9, c.bits <= 8 ? at(i % 9, i / 9) : colours[at(i % 9, i / 9)]);
            QGuiApplication::clipboard()->setImage(picture);
            const std::optional<Image> dib = platform.clipboardBitmap();
            QVERIFY2(dib && dib->bitCount() == c.bits && dib->mode == c.bits, qPrintable(QString::number(c.format)));
            QCOMPARE(QSize(dib->width(), dib->height()), QSize(9, 2));
            for (int i = 0; i < 18; ++i) QCOMPARE(dibPixel(*dib, i % 9, i / 9), value(colours[at(i % 9, i / 9)]));
        }
        QGuiApplication::clipboard()->setImage(QImage(kMaxDimension + 1, 1, QImage::Format_Mono));
        QVERIFY(!platform.clipboardBitmap());
    }

    void picturesGoWithTheirColoursAndFormatsAreNamed() {
        QtPlatform platform;
        for (int bits : {8, 24}) {
            Image image;
            QVERIFY(initImageSized(image, bits, bits, 3, 2));
            for (int i = 0; i < 6; ++i) {
                const RgbQuad colour = RgbQuad::fromValue(value(kColours[i % 5]) ^ (i == 5 ? 0x123456u : 0));
                image.palette[i + 7] = colour;
                if (bits == 8) image.row(i / 3)[i % 3] = uint8_t(i + 7);
                else std::copy_n(&colour.rgbBlue, 3, image.row(i / 3) + 3 * (i % 3));
            }
            QVERIFY(platform.putClipboardBitmap(image));
            const std::vector<UINT> formats = platform.clipboardFormats();
            QVERIFY(std::ranges::count(formats, CF_BITMAP) == 1 && std::ranges::count(formats, CF_DIB) == 1);
            const QImage back = QGuiApplication::clipboard()->image();
            QCOMPARE(back.size(), QSize(3, 2));
            for (int i = 0; i < 6; ++i) QCOMPARE(value(back.pixel(i % 3, i / 3)), dibPixel(image, i % 3, i / 3));
        }
        QGuiApplication::clipboard()->setText("hello");
        QCOMPARE(platform.clipboardFormats(), (std::vector<UINT>{CF_TEXT, CF_OEMTEXT}));
        QVERIFY(!platform.clipboardBitmap().has_value());
        platform.emptyClipboard();
        QVERIFY(platform.clipboardFormats().empty());
    }

    void theViewerLivesFromCreationToClose() {
        QtPlatform platform;
        testing::MessageLog log;
        auto procedure = [&](UINT m, WPARAM w, LPARAM l) {
            log.messages.push_back({m, w, l});
            if (m == WM_PAINT) platform.viewerDeviceContext().fillRect(0, 0, 2, 2, makeColor(255, 0, 0));
            return m == WM_CLOSE ? platform.viewerDefaultProcedure(m, w, l) : LRESULT{0};
        };
        QVERIFY(platform.createViewerWindow("Clipboard", procedure));
        QVERIFY(!platform.createViewerWindow("Again", procedure));
        QPointer<ViewerWindow> viewer = platform.viewerWindow();
        platform.setViewerMenu({MenuItem{0, "&View", false, false, {MenuItem{42, "&Bitmap", false, false, {}}}}});
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QCOMPARE(viewer->canvas().size(), QSize(640, 480));  // the menu bar comes on top of the client area
        testing::itemWithId(*viewer->menuBar(), 42)->trigger();
        platform.repaintViewer();
        viewer->canvas().repaint();  // uncovering shows the buffer only
        viewer->resize(700, 600);
        QTRY_COMPARE(viewer->backBuffer().width(), 700);
        QCOMPARE(viewer->backBuffer().pixel(1, 1), qRgb(255, 0, 0));
        testing::ModalAnswerer answer([&](QWidget* box) { return box->parentWidget() == viewer && box->close(); });
        platform.messageBox(Owner::Viewer, "Text", "Caption", MB_OK);
        QCOMPARE(answer.handled(), 1);
        viewer->close();
        QCOMPARE(log.messages, (std::vector<testing::Message>{{WM_CREATE, 0, 0}, {WM_COMMAND, 42, 0}, {WM_PAINT, 0, 0},
                                                              {WM_CLOSE, 0, 0}, {WM_DESTROY, 0, 0}}));
        QVERIFY(!platform.viewerExists());
        QTRY_VERIFY(viewer.isNull());
    }
};

QTEST_MAIN(ClipboardTest)
#include "qt_clipboard_test.moc"
