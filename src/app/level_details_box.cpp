// The level details box "VYDLEVEL": the current level's placement, priority and brush size and the view's
// zoom and move, shown with "%g" and read back as numbers; and the clamping that follows every details or
// size box.
#include <cmath>
#include <limits>
#include <numbers>

#include "app/dialog_fields.h"
#include "app/dialog_first_row.h"
#include "app/dialogs.h"
#include "app/scroll_bars.h"
#include "compose/geometry.h"
#include "util/text_format.h"

namespace vyd {

namespace {

enum Field {
    kOriginX = 21, kOriginY = 22, kScaleX = 3, kScaleY = 4, kTheta = 7, kPriority = 11, kPivotX = 8,
    kPivotY = 10, kMoveX = 14, kMoveY = 15, kZoomX = 12, kZoomY = 13, kBrushSize = 16,
};

constexpr const char* kDegreeFormat = "%g\xB0";  // the degree sign of Windows-1252

// A number read as single precision: beyond its range it is infinite.
float toSinglePrecision(double value) {
    if (std::fabs(value) > std::numeric_limits<float>::max()) {
        return value < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

// Raises a zoom or scale of 0.01 or less (or one that is not a number) to 0.01.
void atLeastOneHundredth(double& value) {
    if (!(value > 0.01)) value = 0.01;
}

// The move is at most the slack, and not below 0.
void limitMove(double& move, double slack) {
    move = minOf(move, slack);
    if (!(move > 0)) move = 0;
}

class LevelDetailsProcedure : public DialogProcedure {
public:
    explicit LevelDetailsProcedure(AppState& app) : app_(app) {}

    void onInit(DialogFields& fields) override {
        fillFirstRow(app_, fields, ", loaded from %s", false);
        const Level& level = app_.currentLevel();
        const ViewState& view = app_.view;
        zoomXOnOpening_ = view.zoomAllX;
        zoomYOnOpening_ = view.zoomAllY;
        fields.setText(kOriginX, formatText("%g", level.originX));
        fields.setText(kOriginY, formatText("%g", level.originY));
        fields.setText(kScaleX, formatText("%g", level.scaleX));
        fields.setText(kScaleY, formatText("%g", level.scaleY));
        fields.setText(kTheta, formatText(kDegreeFormat, rotationDegrees(level)));
        fields.setText(kPriority, formatText("%g", static_cast<double>(level.priority)));
        fields.setText(kPivotX, formatText("%g", level.pivotX));
        fields.setText(kPivotY, formatText("%g", level.pivotY));
        fields.setText(kMoveX, formatText("%g", view.moveAllX));
        fields.setText(kMoveY, formatText("%g", view.moveAllY));
        fields.setText(kZoomX, formatText("%g", view.zoomAllX));
        fields.setText(kZoomY, formatText("%g", view.zoomAllY));
        fields.setText(kBrushSize, formatText("%d", static_cast<int>(level.brushSize)));
    }

    bool onCommand(int id, DialogFields& fields) override {
        if (id == IDCANCEL) return true;
        if (id != IDOK) return false;
        Level& level = app_.currentLevel();
        ViewState& view = app_.view;
        // A field whose text holds no number leaves its value as it was.
        const auto store = [&fields](int field, double& target) {
            if (auto value = readFieldNumber(fields, field)) target = *value;
        };
        store(kOriginX, level.originX);
        store(kOriginY, level.originY);
        store(kScaleX, level.scaleX);
        store(kScaleY, level.scaleY);
        if (auto degrees = readFieldNumber(fields, kTheta)) {
            const double radians = *degrees * std::numbers::pi / 180;
            level.rotationCos = std::cos(radians);
            level.rotationSin = std::sin(radians);
        }
        if (auto priority = readFieldNumber(fields, kPriority)) level.priority = toSinglePrecision(*priority);
        store(kPivotX, level.pivotX);
        store(kPivotY, level.pivotY);
        store(kMoveX, view.moveAllX);
        store(kMoveY, view.moveAllY);
        store(kZoomX, view.zoomAllX);
        store(kZoomY, view.zoomAllY);
        if (auto brush = readFieldNumber(fields, kBrushSize)) {
            double size = *brush;
            if (size < 1) size = 1;
            if (size >= 64) size = 64;
            level.brushSize = static_cast<int8_t>(size);
        }
        sanitizeLevel(app_, app_.levels.currentIndex);
        updateSlack(app_);
        if (view.zoomAllX != zoomXOnOpening_ || view.zoomAllY != zoomYOnOpening_) updateScrollBars(app_);
        return true;
    }

private:
    AppState& app_;
    double zoomXOnOpening_ = 1, zoomYOnOpening_ = 1;
};

}  // namespace

void sanitizeLevel(AppState& app, int index) {
    Level& level = app.levels[index];
    ViewState& view = app.view;
    if (index == 0) {
        level.originX = level.originY = 0;
        level.scaleX = level.scaleY = 1;
        level.rotationCos = 1;
        level.rotationSin = 0;
        level.priority = 0;
    }
    atLeastOneHundredth(view.zoomAllX);
    atLeastOneHundredth(level.scaleX);
    atLeastOneHundredth(view.zoomAllY);
    atLeastOneHundredth(level.scaleY);
    limitMove(view.moveAllX, view.slackX);
    limitMove(view.moveAllY, view.slackY);
}

void runLevelDetailsBox(AppState& app) {
    LevelDetailsProcedure procedure(app);
    app.ui().runDialog(levelDetailsTemplate(), procedure);
}

}  // namespace vyd
