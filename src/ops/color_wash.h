// The graded colour wash: a least-squares fit of one bivariate polynomial per colour channel to level 15's
// colours (its key colours left out), painted into the current level's picture.
#pragma once

#include <vector>

#include "image/image.h"
#include "image/levels.h"
#include "ops/operation_monitor.h"

namespace vyd {

// Gauss-Jordan elimination over `count` rows of count + 3 doubles each (the coefficient matrix, then three
// right-hand sides). On success row k's last three columns hold the solution for unknown k. Returns false
// when a row has no nonzero pivot left (the system is singular).
bool solveEquations(std::vector<double>& rows, int count);

enum class WashRefusal { None, NotTruecolor, OnLevel15 };

// The text the user is shown for a refusal (nullptr for None).
const char* washRefusalText(WashRefusal refusal);

// Why the wash cannot run on the current level, checked in this order: either picture without pixels or
// not 24 bits a pixel; the current level being level 15.
WashRefusal washRefusal(const LevelTable& levels);

enum class WashResult { Painted, Interrupted, Singular };

// Fits a polynomial of total degree `order` (clamped to 0..5) to level15's pixels over the area the two
// pictures share and paints it into target. Pixels of level15 holding its leftColor or rightColor are left
// out of the fit; target pixels under rightColor are left unchanged. Each row of the fit shows "searching
// row N" and each row of the paint "painting row N", the title restored after every row. Esc at the start of
// a fit row abandons the wash (nothing painted: Interrupted); at the start of a paint row it skips that row.
// After each paint row the monitor is shown the rows done so far.
// Singular: the equations had no solution, nothing painted. The caller checks washRefusal first.
WashResult colorWash(Image& target, const Image& level15, int order, OperationMonitor& monitor);

}  // namespace vyd
