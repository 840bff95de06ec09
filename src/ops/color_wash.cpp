#include "ops/color_wash.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "util/text_format.h"

namespace vyd {

bool solveEquations(std::vector<double>& rows, int count) {
    if (count <= 0) return true;
    const size_t n = static_cast<size_t>(count), columns = n + 3;
    if (rows.size() < n * columns) return false;
    const auto row = [&](size_t r) { return rows.data() + r * columns; };

    std::vector<bool> used(n, false);
    std::vector<size_t> pivotColumn(n);
    for (size_t r = 0; r < n; ++r) {
        double* pivotRow = row(r);
        // The largest entry among the columns not used yet; the first one wins a tie.
        size_t k = n;
        double largest = 0;
        for (size_t c = 0; c < n; ++c) {
            if (!used[c] && std::fabs(pivotRow[c]) > largest) {
                largest = std::fabs(pivotRow[c]);
                k = c;
            }
        }
        if (k == n) return false;
        const double pivot = pivotRow[k];
        pivotRow[k] = 1;
        for (size_t c = 0; c < columns; ++c) pivotRow[c] /= pivot;
        for (size_t o = 0; o < n; ++o) {
            if (o == r) continue;
            double* other = row(o);
            const double factor = other[k];
            for (size_t c = 0; c < columns; ++c) other[c] -= factor * pivotRow[c];
        }
        used[k] = true;
        pivotColumn[r] = k;
    }

    // Row k becomes the row that pivoted on column k; the swaps are then undone on the coefficient
    // columns, in reverse order.
    std::vector<size_t> rowOfColumn(n);
    for (size_t r = 0; r < n; ++r) rowOfColumn[pivotColumn[r]] = r;
    std::vector<std::pair<size_t, size_t>> swaps;
    for (size_t k = 0; k < n; ++k) {
        const size_t r = rowOfColumn[k];
        if (r == k) continue;
        std::swap_ranges(row(k), row(k) + columns, row(r));
        // Row k's former content now sits at row r.
        rowOfColumn[pivotColumn[k]] = r;
        std::swap(pivotColumn[k], pivotColumn[r]);
        swaps.emplace_back(k, r);
    }
    for (auto it = swaps.rbegin(); it != swaps.rend(); ++it) {
        for (size_t i = 0; i < n; ++i) std::swap(row(i)[it->first], row(i)[it->second]);
    }
    return true;
}

const char* washRefusalText(WashRefusal refusal) {
    switch (refusal) {
        case WashRefusal::NotTruecolor: return "this image & 15 must be truecolor";
        case WashRefusal::OnLevel15: return "I can't make a wash on image 15";
        case WashRefusal::None: break;
    }
    return nullptr;
}

WashRefusal washRefusal(const LevelTable& levels) {
    const Image& current = levels.current().image;
    const Image& level15 = levels[kLevelCount - 1].image;
    if (!current.hasPixels() || !level15.hasPixels() || current.bitCount() != 24 || level15.bitCount() != 24) {
        return WashRefusal::NotTruecolor;
    }
    if (levels.currentIndex == kLevelCount - 1) return WashRefusal::OnLevel15;
    return WashRefusal::None;
}

namespace {

Color colourAt(const uint8_t* row, int x) {
    return colorOfPixel(row + 3 * x);
}

uint8_t channelValue(double s) {
    if (s > 255) return 255;
    if (!(s >= 0)) return 0;  // below 0 (or no number at all)
    return static_cast<uint8_t>(s);
}

// Adds x^a * y^b for b = 0..N-1 to moment[0..N-1] for the fitted columns x of one row, pixel after
// pixel; the N sums stay in registers while the row is read.
template <int N>
void addMoments(const std::vector<int>& columns, const double* xPowers, const double* yPowers, double* moment) {
    double sum[N];
    for (int b = 0; b < N; ++b) sum[b] = moment[b];
    for (const int x : columns) {
        const double xa = xPowers[x];
        for (int b = 0; b < N; ++b) sum[b] += xa * yPowers[b];
    }
    for (int b = 0; b < N; ++b) moment[b] = sum[b];
}

// Adds blue, green and red times x^a * y^b of the fitted pixels of one row to the right-hand sides of the
// terms (a, b) for b = 0..N-1 (three a term); channels holds three values a fitted pixel.
template <int N>
void addRightSides(const std::vector<int>& columns, const double* channels, const double* xPowers,
                   const double* yPowers, double* sides) {
    double sum[3 * N];
    for (int i = 0; i < 3 * N; ++i) sum[i] = sides[i];
    for (const int x : columns) {
        const double xa = xPowers[x];
        for (int b = 0; b < N; ++b) {
            for (int c = 0; c < 3; ++c) sum[3 * b + c] += channels[c] * xa * yPowers[b];
        }
        channels += 3;
    }
    for (int i = 0; i < 3 * N; ++i) sides[i] = sum[i];
}

using MomentAdder = void (*)(const std::vector<int>&, const double*, const double*, double*);
using RightSideAdder = void (*)(const std::vector<int>&, const double*, const double*, const double*, double*);
// Indexed by N - 1: up to 2 x 5 + 1 moments and 5 + 1 terms share one power of x.
constexpr MomentAdder kMomentAdders[] = {addMoments<1>, addMoments<2>, addMoments<3>, addMoments<4>,
                                         addMoments<5>, addMoments<6>, addMoments<7>, addMoments<8>,
                                         addMoments<9>, addMoments<10>, addMoments<11>};
constexpr RightSideAdder kRightSideAdders[] = {addRightSides<1>, addRightSides<2>, addRightSides<3>,
                                               addRightSides<4>, addRightSides<5>, addRightSides<6>};

}  // namespace

WashResult colorWash(Image& target, const Image& level15, int order, OperationMonitor& monitor) {
    const int m = std::clamp(order, 0, 5);
    const int width = std::min(target.width(), level15.width());
    const int height = std::min(target.height(), level15.height());
    const size_t span = static_cast<size_t>(std::max({width, height, 0}));

    // Terms x^a * y^b with a + b <= m: a = 0..m, and for each a, b = 0..m - a.
    struct Term {
        int a, b;
    };
    std::vector<Term> terms;
    for (int a = 0; a <= m; ++a) {
        for (int b = 0; b <= m - a; ++b) terms.push_back({a, b});
    }
    const size_t termCount = terms.size();

    // power[r][t] = t^r for r up to 2m, each row the previous times t (0^0 = 1).
    const int maxPower = 2 * m;
    std::vector<double> powers(static_cast<size_t>(maxPower + 1) * span);
    const auto power = [&](int r) { return powers.data() + static_cast<size_t>(r) * span; };
    for (size_t t = 0; t < span; ++t) power(0)[t] = 1;
    for (int r = 1; r <= maxPower; ++r) {
        for (size_t t = 0; t < span; ++t) power(r)[t] = power(r - 1)[t] * static_cast<double>(t);
    }

    // Entry (i, j) of the normal equations gains x^(ai+aj) * y^(bi+bj) from every sample, so it equals the
    // moment sum of x^p * y^q for p = ai + aj, q = bi + bj, summed in the same pixel order.
    const size_t momentSide = static_cast<size_t>(maxPower + 1);
    std::vector<double> moments(momentSide * momentSide, 0.0);
    std::vector<double> rightSides(termCount * 3, 0.0);
    std::vector<double> yPowers(momentSide);
    std::vector<int> fitted;       // the columns of a row that take part
    std::vector<double> channels;  // their blue, green and red
    const Color leftKey = level15.leftColor, rightKey = level15.rightColor;

    for (int y = 0; y < height; ++y) {
        monitor.showRowTitle(formatText("searching row %d", y));
        if (monitor.stopRequested()) {
            monitor.restoreTitle();
            return WashResult::Interrupted;
        }
        for (size_t q = 0; q < momentSide; ++q) yPowers[q] = power(static_cast<int>(q))[y];
        const uint8_t* sampleRow = level15.row(y);
        fitted.clear();
        channels.clear();
        for (int x = 0; x < width; ++x) {
            const Color p = colourAt(sampleRow, x);
            if (p == leftKey || p == rightKey) continue;
            fitted.push_back(x);
            channels.insert(channels.end(), {static_cast<double>(blueOf(p)), static_cast<double>(greenOf(p)),
                                             static_cast<double>(redOf(p))});
        }
        // Every sum gains the row's pixels in column order, as pixel after pixel would add them.
        size_t firstTerm = 0;
        for (int a = 0; a <= maxPower; ++a) {
            kMomentAdders[maxPower - a](fitted, power(a), yPowers.data(),
                                        moments.data() + static_cast<size_t>(a) * momentSide);
            if (a > m) continue;
            kRightSideAdders[m - a](fitted, channels.data(), power(a), yPowers.data(),
                                    rightSides.data() + 3 * firstTerm);
            firstTerm += static_cast<size_t>(m - a + 1);
        }
        monitor.restoreTitle();
    }

    const size_t columns = termCount + 3;
    std::vector<double> equations(termCount * columns);
    for (size_t i = 0; i < termCount; ++i) {
        for (size_t j = 0; j < termCount; ++j) {
            const size_t p = static_cast<size_t>(terms[i].a + terms[j].a);
            const size_t q = static_cast<size_t>(terms[i].b + terms[j].b);
            equations[i * columns + j] = moments[p * momentSide + q];
        }
        for (size_t c = 0; c < 3; ++c) equations[i * columns + termCount + c] = rightSides[3 * i + c];
    }
    if (!solveEquations(equations, static_cast<int>(termCount))) return WashResult::Singular;
    std::vector<double> coefficients[3];
    for (size_t c = 0; c < 3; ++c) {
        coefficients[c].resize(termCount);
        for (size_t k = 0; k < termCount; ++k) coefficients[c][k] = equations[k * columns + termCount + c];
    }

    std::vector<const double*> xRows(termCount);
    for (size_t k = 0; k < termCount; ++k) xRows[k] = power(terms[k].a);
    // Each pixel's sum runs over the terms in order; a whole row's sums are built side by side, term by term.
    const size_t rowLength = static_cast<size_t>(std::max(width, 0));
    std::vector<double> sums(rowLength);
    for (int y = 0; y < height; ++y) {
        monitor.showRowTitle(formatText("painting row %d", y));
        if (!monitor.stopRequested()) {
            const uint8_t* sampleRow = level15.row(y);
            uint8_t* out = target.row(y);
            for (size_t c = 0; c < 3; ++c) {
                std::fill(sums.begin(), sums.end(), 0.0);
                double* s = sums.data();
                for (size_t k = 0; k < termCount; ++k) {
                    const double coefficient = coefficients[c][k], yb = power(terms[k].b)[y];
                    const double* xa = xRows[k];
                    for (size_t x = 0; x < rowLength; ++x) s[x] += coefficient * xa[x] * yb;
                }
                for (int x = 0; x < width; ++x) {
                    if (colourAt(sampleRow, x) != rightKey) out[3 * x + c] = channelValue(s[x]);
                }
            }
        }
        monitor.restoreTitle();
        monitor.showProgress({0, 0, width, y + 1});
    }
    return WashResult::Painted;
}

}  // namespace vyd
