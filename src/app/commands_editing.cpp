#include "app/commands_editing.h"

#include "app/channel_question.h"
#include "ops/geometry_edits.h"
#include "ops/line_edits.h"
#include "ops/pixel_edits.h"

namespace vyd {

namespace {

constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

void warn(AppState& app, Owner owner, const char* text, const std::string& caption) {
    app.ui().messageBox(owner, text, caption, kWarning);
}

// The truecolor edits refuse other depths with one box and end with an update.
template <typename Edit>
Ending truecolorEdit(AppState& app, Edit edit) {
    Image& image = app.currentLevel().image;
    if (image.bitCount() != 24) {
        warn(app, Owner::None, "must be truecolor", "");
        return Ending::Update;
    }
    edit(image);
    return Ending::Refresh;
}

bool heldAt8or24(const Image& image) { return image.bitCount() == 8 || image.bitCount() == 24; }

}  // namespace

Ending commandMakeNonBackground(AppState& app, int) {
    const bool white = app.ui().messageBox(Owner::Main, "white (yes) or black (no)?", "", MB_YESNO) == IDYES;
    if (makeNonBackground(app.currentLevel().image, white) == EditResult::WrongMode) {
        warn(app, Owner::None, "I can't do this to 2-color or 256-color images", "");
    }
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

Ending commandTrimEdges(AppState& app, int) {
    if (!trimTransparentEdges(app.currentLevel().image)) return Ending::DefaultProcessing;
    markAltered(app.currentLevel());
    return Ending::Redraw;
}

Ending commandWhitenAboveLimit(AppState& app, int) {
    switch (whitenAboveLimit(app.currentLevel().image, app.modes.bwlimit)) {
        case EditResult::WrongMode: warn(app, Owner::None, "I can't do this with truecolor yet", "error"); break;
        case EditResult::NoWhite: warn(app, Owner::None, "I can't find a white palette", "error"); break;
        case EditResult::Done: break;
    }
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

Ending commandShrinkBackground(AppState& app, int) {
    return truecolorEdit(app, [](Image& image) { shrinkBackground(image); });
}

Ending commandMultiplyByLeftColor(AppState& app, int) {
    const Color left = app.buttons.left;
    return truecolorEdit(app, [left](Image& image) { multiplyByColor(image, left); });
}

Ending commandInvertColor(AppState& app, int) {
    return truecolorEdit(app, [&app](Image& image) {
        invertChannel(image, askChannel(app, "which color do you want me to invert?"));
    });
}

Ending commandBrightestChannel(AppState& app, int) {
    return truecolorEdit(app, [](Image& image) { setToBrightestChannel(image); });
}

Ending commandDarkestChannel(AppState& app, int) {
    return truecolorEdit(app, [](Image& image) { setToDarkestChannel(image); });
}

Ending commandFlipTopBottom(AppState& app, int) {
    flipTopBottom(app.currentLevel().image);
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

Ending commandFlipLeftRight(AppState& app, int) {
    Image& image = app.currentLevel().image;
    if (heldAt8or24(image)) {
        flipLeftRight(image);
    } else {
        warn(app, Owner::None, "not bpp==8 or bpp==24", "BUG FOUND");
    }
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

Ending commandRotateRight(AppState& app, int) {
    Level& level = app.currentLevel();
    if (heldAt8or24(level.image)) {
        rotateRight(level.image);
    } else {
        warn(app, Owner::None, "not bpp==8 or bpp==24", "BUG FOUND");
    }
    // The picture's shape changed: the whole window is repainted from a blank.
    app.ui().invalidate();
    level.pivotX = level.pivotY = 0;
    markAltered(level);
    return Ending::Refresh;
}

Ending commandReverseColors(AppState& app, int) {
    if (!reverseColors(app.currentLevel().image)) return Ending::DefaultProcessing;
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

Ending commandLineDrawing(AppState& app, int) {
    markAltered(app.currentLevel());
    if (!makeLineDrawing(app.currentLevel().image)) {
        warn(app, Owner::Main, "I can't do this to truecolor", app.levels[0].name);
        return Ending::Redraw;
    }
    return Ending::Refresh;
}

Ending commandHalveSize(AppState& app, int) {
    Level& level = app.currentLevel();
    const bool twoColor = level.image.mode == kMode2;
    switch (halveBlackWins(level.image)) {
        case HalveResult::Done:
            markAltered(level);
            if (!twoColor) level.pivotX = level.pivotY = 0;
            return Ending::Refresh;
        case HalveResult::Truecolor:
            app.ui().messageBox(Owner::Main, "I can't do this to a truecolor image", "error", kWarning);
            return Ending::DefaultProcessing;
        case HalveResult::NoWhite:
            warn(app, Owner::None, "I can't find a white palette", "error");
            return Ending::DefaultProcessing;
        case HalveResult::NoBody:
            warn(app, Owner::Main, "can't make bitmap body", "");
            return Ending::Plain;
        case HalveResult::NotHandled:
            break;
    }
    return Ending::DefaultProcessing;
}

Ending commandThinLines(AppState& app, int) {
    if (!thinLines(app.currentLevel().image)) {
        warn(app, Owner::Main, "image is not 2-color", "");
        return Ending::Update;
    }
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

}  // namespace vyd
