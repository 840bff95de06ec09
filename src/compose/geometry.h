// Level geometry: where a level pixel lands in the picture and which level pixel lies under a picture point,
// and the rotation and scaling of a level about its pivot.
//
// A level pixel (u, v) is column u from the left and row v from the top. A level places its pixel corner (0,0)
// at (originX, originY), magnifies its columns by scaleX and its rows by scaleY and turns by theta, held as
// (rotationCos, rotationSin); a positive theta turns the level counter-clockwise on the screen. The view's
// zoom and move then apply to every level alike.
#pragma once

#include <cstdint>

#include "compose/view_state.h"
#include "image/levels.h"

namespace vyd {

// A point of the picture (or of the client area), in pixels; not truncated.
struct Point {
    double x = 0, y = 0;
};

struct Complex {
    double re = 0, im = 0;
};

struct LevelPixel {
    int u = 0, v = 0;
    bool operator==(const LevelPixel&) const = default;
};

inline constexpr LevelPixel kNotOnLevel{-1, -1};

Complex complexMultiply(Complex a, Complex b);
Complex conjugate(Complex a);
// atan2(im, re); 0 when both parts are 0.
double angleOf(Complex c);
// (x, y) divided by its length, or (1, 0) when x*x + y*y is 0.
Complex unitVector(double x, double y);
double minOf(double a, double b);
double maxOf(double a, double b);
int16_t minOf(int16_t a, int16_t b);
int16_t maxOf(int16_t a, int16_t b);

// The picture point of level pixel (u, v) of `level` under the view's zoom and move.
Point levelPixelToPicture(const ViewState& view, const Level& level, int u, int v);

// The level pixel under picture point (x, y): the exact inverse of levelPixelToPicture, truncated toward
// zero (so a point just left of column 0 gives column 0). Unless `unbounded`, a point off the level's image
// gives kNotOnLevel.
LevelPixel pictureToLevelPixel(const ViewState& view, const Level& level, double x, double y, bool unbounded);

// The theta the level details show, in degrees.
double rotationDegrees(const Level& level);

// Rotates (when `rotate`) and scales (when `scale`, rotation first) the level about its pivot so that the
// pivot stays where it is in the picture. `anchor` and `current` are two level positions, each the integer
// level pixel minus the pivot: the rotation turns the level by the angle between them and the scaling
// multiplies both scales by |current| / |anchor| (only when both are non-zero). The caller decides whether
// the level may be changed at all (never level 0, no rotation while rotations are suppressed).
void transformAboutPivot(Level& level, Complex anchor, Complex current, bool rotate, bool scale);

}  // namespace vyd
