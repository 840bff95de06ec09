// The size box "VYDNEWIMAGE", used for a new blank image and for resizing the current image by tiling.
#include <cstring>

#include "app/dialog_fields.h"
#include "app/dialog_first_row.h"
#include "app/dialogs.h"
#include "app/scroll_bars.h"
#include "compose/numeric.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr int kWidthField = 3;
constexpr int kHeightField = 4;

// The box's fields and its first row; what "accept" does is the subclass's.
class SizeProcedure : public DialogProcedure {
public:
    explicit SizeProcedure(AppState& app) : app_(app) {}

    void onInit(DialogFields& fields) override {
        fillFirstRow(app_, fields, ", now loaded from %s", true);
        const Image& image = app_.currentLevel().image;
        shownWidth_ = image.width();
        shownHeight_ = image.height();
        fields.setText(kWidthField, formatText("%ld", static_cast<long>(shownWidth_)));
        fields.setText(kHeightField, formatText("%ld", static_cast<long>(shownHeight_)));
    }

    bool onCommand(int id, DialogFields& fields) override {
        if (id == IDCANCEL) return true;
        if (id != IDOK) return false;
        // A field that holds no number keeps the value shown when the box opened.
        const double width = readFieldNumber(fields, kWidthField).value_or(shownWidth_);
        const double height = readFieldNumber(fields, kHeightField).value_or(shownHeight_);
        accept(width, height);
        const int current = app_.levels.currentIndex;
        sanitizeLevel(app_, current);
        updateSlack(app_);
        updateScrollBars(app_);
        return true;
    }

protected:
    virtual void accept(double width, double height) = 0;
    AppState& app_;

private:
    int shownWidth_ = 0, shownHeight_ = 0;
};

// "&new": a 16-color image of colour index 15, 1..4094 pixels a side.
class NewImageProcedure : public SizeProcedure {
public:
    using SizeProcedure::SizeProcedure;

protected:
    static int side(double value) {
        const int v = low16(truncLikeProcessor(value));
        if (v <= 1) return 1;
        if (v >= 4094) return 4094;
        return v;
    }
    void accept(double width, double height) override {
        Image fresh;
        if (!createImage(fresh, kMode16, 8, side(width), side(height))) return;  // the old image stays
        std::memset(fresh.pixels.data(), 15, fresh.pixelBytes());
        adoptImage(app_.currentLevel().image, fresh);
    }
};

// "resize with &tiling": the current picture repeated to fill the new size (1..999999, low 16 bits kept).
class TilingProcedure : public SizeProcedure {
public:
    using SizeProcedure::SizeProcedure;

protected:
    static int side(double value) {
        if (value <= 1) value = 1;
        if (value >= 999999) value = 999999;
        return low16(static_cast<int64_t>(value));
    }
    void accept(double width, double height) override {
        const int w = side(width), h = side(height);
        Image& image = app_.currentLevel().image;
        if (!image.hasPixels() || image.width() <= 0 || image.height() <= 0) return;  // nothing to repeat
        // A size the image record cannot hold (low 16 bits that are 0 or negative, a row that is too long),
        // or memory that cannot be had, leaves the picture as it was.
        Image tiled;
        if (w > 0 && h > 0 && sizeWithinLimits(image.bitCount(), w, h)) {
            tiled = cloneImage(image);
            if (tiled.hasPixels() && !tileImage(tiled, w, h)) tiled.pixels.reset();
        }
        if (!tiled.hasPixels()) {
            app_.ui().messageBox(Owner::Main, formatText("I can't make an image %d pixels wide and %d high", w, h),
                                 "error", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        adoptImage(image, tiled);
    }
};

}  // namespace

void runNewImageBox(AppState& app) {
    NewImageProcedure procedure(app);
    app.ui().runDialog(newImageTemplate(), procedure);
}

void runTilingBox(AppState& app) {
    TilingProcedure procedure(app);
    app.ui().runDialog(newImageTemplate(), procedure);
}

}  // namespace vyd
