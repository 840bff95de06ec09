#include "app/image_pages.h"

#include <array>
#include <cstdint>

#include "app/level_titles.h"
#include "formats/pcx.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr const char* kTruecolorText = "truecolor mode so no palette";

// Every page starts the same: painted (validated), titled, blank.
DeviceContext& beginPage(AppState& app) {
    app.ui().validate();
    setWindowTitle(app);
    DeviceContext& dc = app.ui().deviceContext();
    dc.fillWhite();
    return dc;
}

// One palette entry of a listing, eight to a line: "%02x,%02x,%02x" 60 pixels apart, 15 pixels a line.
void drawEntry(DeviceContext& dc, int entry, int top, uint8_t a, uint8_t b, uint8_t c) {
    dc.textOut((entry % 8) * 60, (entry / 8) * 15 + top, formatText("%02x,%02x,%02x", a, b, c));
}

// A truecolor picture has no palette and no byte values to list: the page says so at height y instead.
bool saidTruecolor(DeviceContext& dc, const Image& image, int y) {
    if (image.bitCount() <= 8) return false;
    dc.textOut(0, y, kTruecolorText);
    return true;
}

void drawWrapped(AppState& app, DeviceContext& dc, const std::string& text) {
    const Rect client = app.ui().clientRect();
    dc.drawTextWrapped(client.left, client.top, client.width(), client.height(), text);
}

}  // namespace

void paintPcxHeaderPage(AppState& app) {
    DeviceContext& dc = beginPage(app);
    const PcxHeader h = parsePcxHeader(app.files.lastPcxHeader);
    drawWrapped(app, dc,
                formatText("Header of last PCX file read in:-\nID=%1d, version=%1d, code=%1d, %d bits/plane, %d "
                           "bytes/line\nX %1d to %1d, Y %1d to %1d, pixels/inch %1d * %1d, %1d planes",
                           h.manufacturer, h.version, h.encoding, h.bitsPerPixel, h.bytesPerLine, h.xMin, h.xMax,
                           h.yMin, h.yMax, h.hDpi, h.vDpi, h.nPlanes));
    const int bits = h.bitsPerPixel * h.nPlanes;
    if (bits > 8) return;
    dc.textOut(0, 48, "Palette (order is `blue green red'):-");
    // The header's triples are printed as the file stores them: red, green, blue.
    const int entries = bits == 1 ? 2 : 16;
    for (int b = 0; b < entries; ++b) {
        const uint8_t* triple = h.colormap + 3 * b;
        drawEntry(dc, b, 65, triple[0], triple[1], triple[2]);
    }
}

void paintPalettePage(AppState& app) {
    DeviceContext& dc = beginPage(app);
    const Image& image = app.currentLevel().image;
    if (saidTruecolor(dc, image, 15)) return;
    dc.textOut(0, 0, "Palette of current image (order is `blue green red'):-");
    const int entries = image.mode == kMode256 ? 256 : 16;
    const int step = image.mode == kMode2 ? 15 : 1;
    for (int b = 0; b < entries; b += step) {
        const RgbQuad& q = image.palette[b];
        drawEntry(dc, b, 17, q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
}

void paintByteFrequencyPage(AppState& app) {
    DeviceContext& dc = beginPage(app);
    const Image& image = app.currentLevel().image;
    if (saidTruecolor(dc, image, 0)) return;
    // A row of fewer than 8 bits a pixel holds fewer bytes than pixels: only the row's own bytes count.
    std::array<uint32_t, 256> counts{};
    if (image.hasPixels() && image.width() > 0 && image.height() > 0 && image.pixelBytes() <= image.pixels.size()) {
        const int32_t rowBytes = rowBytesUnpadded(image.bitCount(), image.width());
        const size_t counted = static_cast<size_t>(rowBytes < image.width() ? rowBytes : image.width());
        for (int y = 0; y < image.height(); ++y) {
            const uint8_t* row = image.row(y);
            for (size_t x = 0; x < counted; ++x) ++counts[row[x]];
        }
    }
    std::string text = "\nImage byte distribution of current image:-";
    for (uint32_t count : counts) text += formatText(" %ld", static_cast<long>(count));
    drawWrapped(app, dc, text);
}

}  // namespace vyd
