#include "compose/geometry.h"

#include <cmath>
#include <numbers>

#include "compose/numeric.h"

namespace vyd {

Complex complexMultiply(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
}

Complex conjugate(Complex a) { return {a.re, -a.im}; }

double angleOf(Complex c) {
    if (c.re == 0 && c.im == 0) return 0;
    return std::atan2(c.im, c.re);
}

Complex unitVector(double x, double y) {
    double squared = x * x + y * y;
    if (squared == 0) return {1, 0};
    double length = std::sqrt(squared);
    return {x / length, y / length};
}

double minOf(double a, double b) { return a < b ? a : b; }
double maxOf(double a, double b) { return a > b ? a : b; }
int16_t minOf(int16_t a, int16_t b) { return a < b ? a : b; }
int16_t maxOf(int16_t a, int16_t b) { return a > b ? a : b; }

Point levelPixelToPicture(const ViewState& view, const Level& level, int u, int v) {
    const double c = level.rotationCos, s = level.rotationSin;
    return {view.zoomAllX * (level.originX + c * level.scaleX * u + s * level.scaleY * v) + view.moveAllX,
            view.zoomAllY * (level.originY - s * level.scaleX * u + c * level.scaleY * v) + view.moveAllY};
}

LevelPixel pictureToLevelPixel(const ViewState& view, const Level& level, double x, double y, bool unbounded) {
    double px = x - view.moveAllX, py = y - view.moveAllY;
    if (view.zoomAllX * view.zoomAllY != 0) {
        px /= view.zoomAllX;
        py /= view.zoomAllY;
    }
    const double dx = px - level.originX, dy = py - level.originY;
    double p = level.rotationCos * dx - level.rotationSin * dy;
    double q = level.rotationSin * dx + level.rotationCos * dy;
    if (level.scaleX * level.scaleY != 0) {
        p /= level.scaleX;
        q /= level.scaleY;
    }
    if (!unbounded) {
        // Truncation toward zero keeps the pixel on the level exactly when -1 < p < width (and so for q).
        if (!(p > -1 && p < level.image.width() && q > -1 && q < level.image.height())) return kNotOnLevel;
    }
    return {truncToInt32(p), truncToInt32(q)};
}

double rotationDegrees(const Level& level) {
    return angleOf({level.rotationCos, level.rotationSin}) * 180 / std::numbers::pi;
}

void transformAboutPivot(Level& level, Complex anchor, Complex current, bool rotate, bool scale) {
    Complex r{level.rotationCos, level.rotationSin};
    const Complex w{level.scaleX * level.pivotX, level.scaleY * level.pivotY};
    // The pivot's picture position before zoom and move, and its offset from the origin.
    Complex offset = complexMultiply(conjugate(r), w);
    const Complex pivot{level.originX + offset.re, level.originY + offset.im};

    if (rotate) {
        const Complex turn = complexMultiply(anchor, conjugate(current));
        const Complex unit = unitVector(turn.re, turn.im);
        r = complexMultiply(r, unit);
        level.rotationCos = r.re;
        level.rotationSin = r.im;
        offset = complexMultiply(conjugate(unit), offset);
    }
    if (scale) {
        const double from = anchor.re * anchor.re + anchor.im * anchor.im;
        const double to = current.re * current.re + current.im * current.im;
        if (from != 0 && to != 0) {
            const double factor = std::sqrt(to / from);
            level.scaleX *= factor;
            level.scaleY *= factor;
            offset = {offset.re * factor, offset.im * factor};
        }
    }
    level.originX = pivot.re - offset.re;
    level.originY = pivot.im - offset.im;
}

}  // namespace vyd
