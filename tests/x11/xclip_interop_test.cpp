// The clipboard shared with xclip on a real X server: a picture the program puts there comes out of xclip
// as a PNG with its colours, and a PNG xclip offers comes in with its own (indexed, as the PNG is).
#include <QClipboard>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "qt/qt_platform.h"

using namespace vyd;

const QList<QRgb> kColours = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(17, 34, 51), qRgb(0, 0, 0)};

class XclipTest : public QObject {
    Q_OBJECT
    QtPlatform platform_;

    // Keeps the event loop (which serves the selection) running until `done` or five seconds have gone.
    bool spinUntil(const std::function<bool()>& done) {
        QDeadlineTimer deadline(5000);
        while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        return done();
    }

private slots:
    void xclipReadsWhatThePlatformPuts() {
        Image image;
        QVERIFY(initImageSized(image, 24, 24, 3, 2));
        for (int i = 0; i < 6; ++i) {
            const RgbQuad colour = RgbQuad::fromValue(kColours[i]);
            std::copy_n(&colour.rgbBlue, 3, image.row(i / 3) + 3 * (i % 3));
        }
        QVERIFY(platform_.putClipboardBitmap(image));
        QProcess xclip;
        xclip.start("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"});
        QVERIFY(spinUntil([&] { return xclip.state() == QProcess::NotRunning; }));
        const QImage png = QImage::fromData(xclip.readAllStandardOutput(), "PNG");
        QCOMPARE(png.size(), QSize(3, 2));
        for (int i = 0; i < 6; ++i) QCOMPARE(png.pixel(i % 3, i / 3), kColours[i]);
    }

    void thePlatformReadsWhatXclipOffers() {
        QTemporaryDir dir;
        QImage picture(3, 2, QImage::Format_Indexed8);
        picture.setColorTable(kColours);
        for (int i = 0; i < 6; ++i) picture.setPixel(i % 3, i / 3, 5 - i);
        QVERIFY(picture.save(dir.filePath("in.png")));
        platform_.emptyClipboard();
        QProcess xclip;  // stays in the foreground serving the selection until it is killed
        xclip.start("xclip", {"-quiet", "-selection", "clipboard", "-t", "image/png", "-i", dir.filePath("in.png")});
        std::optional<Image> dib;
        QVERIFY(spinUntil([&] { return (dib = platform_.clipboardBitmap()) && dib->bitCount() == 8; }));
        xclip.kill();
        xclip.waitForFinished(2000);
        for (int i = 0; i < 6; ++i) QCOMPARE(dib->palette[dib->row(i / 3)[i % 3]].value(), kColours[5 - i] & 0xFFFFFFu);
    }
};

QTEST_MAIN(XclipTest)
#include "xclip_interop_test.moc"
