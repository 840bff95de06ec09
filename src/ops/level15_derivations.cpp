#include "ops/level15_derivations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "modes/colors.h"

namespace vyd {

namespace {

const uint8_t* pixelAt(const Image& image, int x, int y) { return image.row(y) + 3 * x; }

int greyAt(const uint8_t* row, int x) {
    return greyValue(colorOfPixel(row + 3 * x));
}

// A fresh 24-bit picture of the source's size and mode, or false when source is unfit or memory runs out.
bool makeLike(const Image& source, Image& made) {
    if (!source.hasPixels() || source.bitCount() != 24 || source.width() <= 0 || source.height() <= 0) return false;
    return createImage(made, source.mode, 24, source.width(), source.height()) != nullptr;
}

// A sample coordinate as a pixel index: clamped to the picture, then truncated. A coordinate that is not a
// number (an infinite stretch of a zero offset, far out on the tangent) samples the pivot, or 0 when the
// pivot is not a number either.
int sampleIndex(double v, double pivot, int size) {
    if (std::isnan(v)) v = std::isnan(pivot) ? 0.0 : pivot;
    return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(size - 1)));
}

int floorDiv4(int v) { return v >= 0 ? v / 4 : -((3 - v) / 4); }

uint8_t slopeCode(int slope) { return static_cast<uint8_t>(127 + floorDiv4(std::max(slope, -508))); }

int32_t clamp255(int32_t v) { return std::clamp<int32_t>(v, 0, 255); }

// A plane of height x width signed 32-bit values, zeroed, indexed [y][x].
class Plane {
public:
    Plane(int width, int height)
        : width_(width), values_(new (std::nothrow) int32_t[static_cast<size_t>(width) * height]()) {}
    explicit operator bool() const { return values_ != nullptr; }
    int32_t* operator[](int y) { return values_.get() + static_cast<size_t>(y) * width_; }

private:
    int width_;
    std::unique_ptr<int32_t[]> values_;
};

}  // namespace

const char* derivationRefusalText(DerivationRefusal refusal) {
    switch (refusal) {
        case DerivationRefusal::OnLevel15: return "you can't do this with level 15";
        case DerivationRefusal::NotTruecolor: return "must be truecolor";
        case DerivationRefusal::TooSmall: return "the image must be at least 4 by 4";
        case DerivationRefusal::None:
        case DerivationRefusal::Nothing: break;
    }
    return nullptr;
}

DerivationRefusal derivationRefusal(const LevelTable& levels, Derivation kind) {
    const Image& image = levels.current().image;
    if (kind != Derivation::OneChannel) {
        if (!image.hasPixels()) return DerivationRefusal::Nothing;
        // The slopes need a pixel on either side: a picture one pixel wide or high has none to measure.
        if (kind == Derivation::IntoBumpMap && (image.width() < 2 || image.height() < 2)) {
            return DerivationRefusal::Nothing;
        }
    }
    if (levels.currentIndex == kTopLevel) return DerivationRefusal::OnLevel15;
    if (image.bitCount() != 24) return DerivationRefusal::NotTruecolor;
    if (kind == Derivation::FromBumpMap && (image.width() < 4 || image.height() < 4)) {
        return DerivationRefusal::TooSmall;
    }
    return DerivationRefusal::None;
}

bool removeBarrelDistortion(const Image& source, Image& destination, double pivotX, double pivotY, double distance) {
    Image made;
    if (!makeLike(source, made)) return false;
    const int width = source.width(), height = source.height();
    for (int y = 0; y < height; ++y) {
        uint8_t* out = made.row(y);
        for (int x = 0; x < width; ++x, out += 3) {
            double dx = x - pivotX, dy = y - pivotY;
            const double t = std::sqrt(dx * dx + dy * dy) / distance;
            if (t != 0) {
                const double k = t / std::tan(t);
                dx *= k;
                dy *= k;
            }
            const int sx = sampleIndex(pivotX + dx, pivotX, width), sy = sampleIndex(pivotY + dy, pivotY, height);
            std::memcpy(out, pixelAt(source, sx, sy), 3);
        }
    }
    adoptImage(destination, made);
    return true;
}

bool makeBumpMap(const Image& source, Image& destination) {
    const int width = source.width(), height = source.height();
    if (width < 2 || height < 2) return false;
    Image made;
    if (!makeLike(source, made)) return false;
    for (int y = 1; y < height; ++y) {
        const uint8_t* above = source.row(y - 1);
        const uint8_t* here = source.row(y);
        uint8_t* out = made.row(y);
        for (int x = 1; x < width; ++x) {
            const int topLeft = greyAt(above, x - 1), topRight = greyAt(above, x);
            const int bottomLeft = greyAt(here, x - 1), bottomRight = greyAt(here, x);
            const int gy = (bottomRight + bottomLeft) - (topRight + topLeft);
            const int gx = (topRight + bottomRight) - (topLeft + bottomLeft);
            uint8_t* p = out + 3 * x;
            p[0] = 0;
            p[1] = slopeCode(gy);
            p[2] = slopeCode(gx);
        }
        std::memcpy(out, out + 3, 3);
    }
    std::memcpy(made.row(0), made.row(1), static_cast<size_t>(3) * width);
    adoptImage(destination, made);
    return true;
}

bool rebuildFromBumpMap(const Image& source, Image& destination) {
    const int w = source.width(), h = source.height();
    if (w < 4 || h < 4 || !source.hasPixels() || source.bitCount() != 24) return false;
    // A: diagonal differences H[y][x] - H[y-1][x-1]; B: anti-diagonal ones H[y][x-1] - H[y-1][x]; H: brightness.
    Plane A(w, h), B(w, h), H(w, h);
    if (!A || !B || !H) return false;
    Image made;
    if (!makeLike(source, made)) return false;

    for (int y = 1; y < h; ++y) {
        for (int x = 1; x < w; ++x) {
            const uint8_t* p = pixelAt(source, x == 1 ? 0 : x, y);
            const int green = p[1], red = p[2];
            A[y][x] = 2 * (red + green) - 508;
            B[y][x - 1] = 2 * (green - red);
        }
    }

    // The first two rows from a white top-left corner.
    H[0][0] = H[0][1] = H[0][2] = H[0][3] = 255;
    for (int x = 0; x < 3; ++x) H[1][x] = clamp255(H[0][x + 1] + B[1][x]);
    for (int x = 4; x < w; ++x) {
        int32_t v = std::min(H[0][x - 2] + A[1][x - 1], 255);
        v = std::max(v - B[1][x - 1], 0);
        H[1][x - 1] = v;
        H[0][x] = clamp255(v);
    }
    H[1][w - 1] = clamp255(H[0][w - 2] + A[1][w - 1]);

    for (int pass = 0; pass < 4; ++pass) {
        for (int y = 2; y < h; ++y) {
            for (int x = 0; x < 3; ++x) H[y][x] = clamp255(H[y - 1][x + 1] + B[y][x]);
            for (int x = 3; x < w; ++x) H[y][x] = clamp255(H[y - 1][x - 1] + A[y][x]);
        }
        for (int y = h - 2; y >= 0; --y) {
            int32_t* row = H[y];
            int32_t* below = H[y + 1];
            row[0] = clamp255(below[1] - A[y + 1][1]);
            for (int x = 1; x < w - 1; ++x) {
                row[x] = clamp255((below[x - 1] - B[y + 1][x - 1] + below[x + 1] - A[y + 1][x + 1]) / 2);
            }
            row[w - 1] = clamp255(below[w - 2] - B[y + 1][w - 2]);
        }
    }

    for (int y = 0; y < h; ++y) {
        uint8_t* out = made.row(y);
        for (int x = 0; x < w; ++x, out += 3) out[0] = out[1] = out[2] = static_cast<uint8_t>(clamp255(H[y][x]));
    }
    adoptImage(destination, made);
    return true;
}

bool copyOneChannel(const Image& source, Image& destination, Channel channel) {
    Image made;
    if (!makeLike(source, made)) return false;
    const int kept = static_cast<int>(channel);
    for (int y = 0; y < source.height(); ++y) {
        const uint8_t* in = source.row(y);
        uint8_t* out = made.row(y);
        for (int x = 0; x < source.width(); ++x) {
            uint8_t* p = out + 3 * x;
            p[0] = p[1] = p[2] = 0;
            p[kept] = in[3 * x + kept];
        }
    }
    adoptImage(destination, made);
    return true;
}

}  // namespace vyd
