// The back buffer's device context and the conversions at the Qt boundary: device-independent bitmaps of
// every depth land bottom-up through their palettes, lines leave out their last point, text is drawn in
// the named font, and Windows-1252 maps to Unicode and back.
#include <QtTest>

#include "qt/cp1252.h"
#include "qt/qt_device_context.h"
#include "qt/qt_platform.h"

using namespace vyd;

namespace {

// A picture of the given depth whose palette entry i is (i, 2i, 3i) in (blue, green, red).
Image paletted(int bits, int width, int height) {
    Image image;
    createImage(image, bits == 8 ? kMode256 : kMode16, bits, width, height);
    for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i), 0};
    for (int v = 0; v < height; ++v) std::fill_n(image.row(v), image.stride, 0);
    return image;
}

Color paletteColour(int i) { return makeColor(uint8_t(3 * i), uint8_t(2 * i), uint8_t(i)); }

QImage whiteBuffer(int w, int h) {
    QImage buffer(w, h, QImage::Format_RGB32);
    buffer.fill(Qt::white);
    return buffer;
}

}  // namespace

class DrawingTest : public QObject {
    Q_OBJECT

private slots:
    void blitPlacesRowsTopDownThroughThePaletteAndRefusesShortBuffers() {
        QImage buffer = whiteBuffer(12, 8);
        QtDeviceContext dc(buffer);

        Image eight = paletted(8, 3, 2);
        eight.row(0)[0] = 7;  // top-left
        eight.row(1)[2] = 9;  // bottom-right
        dc.blitImage(eight, 1, 1);
        QCOMPARE(dc.getPixel(1, 1), paletteColour(7));
        QCOMPARE(dc.getPixel(3, 2), paletteColour(9));
        QCOMPARE(dc.getPixel(2, 1), paletteColour(0));
        QCOMPARE(dc.getPixel(0, 0), makeColor(255, 255, 255));
        QCOMPARE(dc.getPixel(4, 1), makeColor(255, 255, 255));

        Image four = paletted(4, 3, 1);
        four.row(0)[0] = 0x5A;  // pixels 5 and 10: the high nibble comes first
        four.row(0)[1] = 0xC0;
        dc.blitImage(four, 0, 5);
        for (int x = 0; x < 3; ++x) QCOMPARE(dc.getPixel(x, 5), paletteColour(x == 0 ? 5 : x == 1 ? 10 : 12));

        Image one = paletted(1, 10, 1);
        one.row(0)[0] = 0x81;  // pixels 0 and 7 set: the leftmost pixel is the top bit
        one.row(0)[1] = 0x40;  // pixel 9 set
        dc.blitImage(one, -1, 6);  // the first column lies left of the buffer
        for (int x = 0; x < 9; ++x) QCOMPARE(dc.getPixel(x, 6), paletteColour(x == 6 || x == 8));

        Image truecolor;
        createImage(truecolor, kModeTrue24, 24, 2, 1);
        const uint8_t bgr[] = {10, 20, 30, 40, 50, 60};
        std::copy(std::begin(bgr), std::end(bgr), truecolor.row(0));
        dc.blitImage(truecolor, 10, 7);
        QCOMPARE(dc.getPixel(10, 7), makeColor(30, 20, 10));
        QCOMPARE(dc.getPixel(11, 7), makeColor(60, 50, 40));

        // A picture claiming more rows than its buffer holds, or none at all, is not drawn.
        const QImage before = buffer.copy();
        Image tall = paletted(8, 4, 4), empty;
        tall.header.biHeight = 4000;
        dc.blitImage(tall, 0, 0);
        dc.blitImage(empty, 0, 0);
        QCOMPARE(buffer, before);
    }

    void linesLeaveOutTheirLastPointAndClip() {
        QImage buffer = whiteBuffer(8, 8);
        QtDeviceContext dc(buffer);
        const Color black = 0;
        dc.line(1, 1, 1, 5, black);  // x = 1, y = 1..4
        dc.line(6, 2, 2, 2, black);  // y = 2, x = 6 down to 3
        dc.line(-3, 7, 3, 7, black);
        for (int y = 0; y < 8; ++y) QCOMPARE(dc.getPixel(1, y) == black, (y >= 1 && y <= 4) || y == 7);
        for (int x = 0; x < 8; ++x) QCOMPARE(dc.getPixel(x, 2) == black, x == 1 || (x >= 3 && x <= 6));
        QCOMPARE(dc.getPixel(3, 7), makeColor(255, 255, 255));
        QCOMPARE(dc.getPixel(-1, 0), kNoColor);
    }

    void textIsDrawnBelowItsTopLeftInArial() {
        QCOMPARE(QFontInfo(fontFor({})).family(), QString("Liberation Sans"));
        QImage buffer = whiteBuffer(200, 40);
        QtDeviceContext dc(buffer);
        dc.textOut(10, 12, "(there is no current background image)");
        int top = 40, left = 200, dark = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (qGray(buffer.pixel(x, y)) < 128) {
                    top = std::min(top, y);
                    left = std::min(left, x);
                    ++dark;
                }
            }
        }
        QVERIFY(dark > 100);
        QVERIFY2(top >= 12 && top <= 16, qPrintable(QString("top %1").arg(top)));
        QVERIFY(left >= 10 && left <= 12);
    }

    void windows1252MapsToUnicodeAndBack() {
        QCOMPARE(fromCp1252("\x80\x8A\x9F\xB0\xE9"), QString::fromUtf8("\u20AC\u0160\u0178\u00B0\u00E9"));
        std::string all;
        for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
        QCOMPARE(toCp1252(fromCp1252(all)), all);
        QCOMPARE(toCp1252(QString::fromUtf8("\u4E2D x")), std::string("? x"));
        // File names come in the file system's UTF-8 and are shown as such; other texts are Windows-1252.
        QCOMPARE(displayText("/tmp/caf\xC3\xA9.bmp"), QString::fromUtf8("/tmp/caf\u00E9.bmp"));
        QCOMPARE(displayText("90\xB0"), QString::fromUtf8("90\u00B0"));
    }
};

QTEST_MAIN(DrawingTest)
#include "qt_drawing_test.moc"
