#include "app/mouse_buttons.h"

#include "app/endings.h"
#include "app/key_state.h"
#include "app/level_operations.h"
#include "app/pointer_gestures.h"

namespace vyd {

namespace {

enum class Phase { Press, Drag };

void takeColourFromScreen(AppState& app, Button button) {
    buttonColour(app, button) = pictureColourAt(app, app.shell.pointer);
}

// B and V: the current image's transparent colours.
void setPickedColour(AppState& app, Color& picked, bool clear) {
    if (clear) {
        picked = kNoColor;
    } else {
        const Color c = pictureColourAt(app, app.shell.pointer);
        if ((c >> 24) != 0) return;
        picked = c;
    }
    redrawNow(app);
}

// The digit key held for a zoom click, tried from 1 to 9; -1 when none.
int heldDigit(const AppState& app) {
    for (int d = 1; d <= 9; ++d) {
        if (keyHeld(app, '0' + d)) return d;
    }
    return -1;
}

void leftButton(AppState& app, Phase phase) {
    const bool press = phase == Phase::Press;
    const bool painting = app.view.paintDepth > 0;
    app.shell.penColor = app.buttons.left;
    Image& image = app.currentLevel().image;
    if (keyHeld(app, VK_F(3)) || keyHeld(app, 'E')) {
        if (press) chooseButtonColour(app, Button::Left, keyHeld(app, VK_F(3)));
    } else if (keyHeld(app, 'F')) {
        if (press) fillAtPointer(app, Button::Left, keyHeld(app, VK_SHIFT));
    } else if (keyHeld(app, 'U')) {
        smoothAtPointer(app);
    } else if (keyHeld(app, 'B')) {
        if (press) setPickedColour(app, image.leftColor, false);
    } else if (keyHeld(app, 'V')) {
        setPickedColour(app, image.leftColor, true);
    } else if (heldDigit(app) > 0) {
        if (press) zoomByDigit(app, heldDigit(app));
    } else if (keyHeld(app, VK_ESCAPE)) {
        if (press) {
            releaseKey(app, VK_ESCAPE);
            washCurrentLevel(app);
        }
    } else if (keyHeld(app, '0')) {
        if (press) zoomByDigit(app, 0);
    } else if (keyHeld(app, VK_F(1))) {
        releaseKey(app, VK_F(1));
        writeColourFileAtPointer(app);
    } else if (keyHeld(app, VK_F(12))) {
        releaseKey(app, VK_F(12));
        const Color c = pictureColourAt(app, app.shell.pointer);
        app.ui().messageBox(Owner::Main,
                            "blue " + std::to_string(blueOf(c)) + ", green " + std::to_string(greenOf(c)) +
                                ", red " + std::to_string(redOf(c)),
                            "this pixel is:-", MB_OK);
        app.ui().updateWindow();
    } else if (keyHeld(app, VK_LEFT) || keyHeld(app, VK_UP)) {
        colourRun(app, RampKind::Ramp, keyHeld(app, VK_LEFT));
    } else if (keyHeld(app, VK_RIGHT) || keyHeld(app, VK_DOWN)) {
        colourRun(app, RampKind::Snap, keyHeld(app, VK_RIGHT));
    } else if (keyHeld(app, 'R') || keyHeld(app, 'S')) {
        if (!painting) rotateOrScaleAboutPivot(app, keyHeld(app, 'R'), keyHeld(app, 'S'));
    } else if (keyHeld(app, 'A') || keyHeld(app, 'Z')) {
        if (!painting) averageNeighbours(app, keyHeld(app, 'A'), keyHeld(app, 'Z'));
    } else if (keyHeld(app, 'D')) {
        if (!painting) paintWithBrush(app, true);
    } else if (keyHeld(app, VK_F(2))) {
        if (!painting) {
            takeColourFromScreen(app, Button::Left);
            redrawNow(app);
        }
    } else if (!painting) {
        if (press) app.shell.dragArmed = true;
        if (!app.shell.dragArmed) return;
        if (app.view.rotationsSuppressed) paintWithBrush(app, false);
        else if (!press) moveLevelWithPointer(app);
    }
}

void middleButton(AppState& app, Phase phase) {
    const bool press = phase == Phase::Press;
    app.shell.penColor = app.buttons.middle;
    if (keyHeld(app, VK_F(3)) || keyHeld(app, 'E')) {
        if (press) chooseButtonColour(app, Button::Middle, keyHeld(app, VK_F(3)));
    } else if (keyHeld(app, 'F')) {
        if (press) fillAtPointer(app, Button::Middle, false);
    } else if (keyHeld(app, VK_F(2))) {
        takeColourFromScreen(app, Button::Middle);
    } else {
        if (press) app.shell.dragArmed = true;
        if (app.shell.dragArmed && app.view.rotationsSuppressed) paintWithBrush(app, false);
    }
}

void rightButton(AppState& app, Phase phase) {
    const bool press = phase == Phase::Press;
    app.shell.penColor = app.buttons.right;
    Image& image = app.currentLevel().image;
    // B, V, F3 or E, R and F act on the press only; a drag honours only F2 and the default.
    if (keyHeld(app, 'B')) {
        if (press) setPickedColour(app, image.rightColor, false);
    } else if (keyHeld(app, 'V')) {
        if (press) setPickedColour(app, image.rightColor, true);
    } else if (keyHeld(app, VK_F(3)) || keyHeld(app, 'E')) {
        if (press) chooseButtonColour(app, Button::Right, keyHeld(app, VK_F(3)));
    } else if (keyHeld(app, 'R')) {
        if (press) {
            const LevelPixel at = pointerLevelPixel(app);
            app.currentLevel().pivotX = at.u;
            app.currentLevel().pivotY = at.v;
        }
    } else if (keyHeld(app, 'F')) {
        if (press) fillAtPointer(app, Button::Right, false);
    } else if (keyHeld(app, VK_F(2))) {
        takeColourFromScreen(app, Button::Right);
    } else {
        if (press) app.shell.dragArmed = true;
        if (!app.shell.dragArmed) return;
        if (app.view.rotationsSuppressed) paintWithBrush(app, false);
        else selectLevelUnderPointer(app);
    }
}

void press(AppState& app, LPARAM lParam) {
    app.shell.pointer = app.shell.anchor = {static_cast<double>(GET_X_LPARAM(lParam)),
                                            static_cast<double>(GET_Y_LPARAM(lParam))};
}

}  // namespace

LRESULT handleMouseMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    ShellState& shell = app.shell;
    switch (message) {
        case WM_MOUSEMOVE:
            shell.anchor = shell.pointer;
            shell.pointer = {static_cast<double>(GET_X_LPARAM(lParam)), static_cast<double>(GET_Y_LPARAM(lParam))};
            if (shell.menuCommandPending) return 0;
            if (wParam & MK_LBUTTON) leftButton(app, Phase::Drag);
            else if (wParam & MK_MBUTTON) middleButton(app, Phase::Drag);
            else if (wParam & MK_RBUTTON) rightButton(app, Phase::Drag);
            return 0;
        case WM_LBUTTONDOWN:
            shell.menuCommandPending = false;
            press(app, lParam);
            leftButton(app, Phase::Press);
            return 0;
        case WM_LBUTTONUP:
            shell.menuCommandPending = false;
            return 0;
        case WM_MBUTTONDOWN:
            press(app, lParam);
            shell.dragArmed = false;
            middleButton(app, Phase::Press);
            return 0;
        case WM_RBUTTONDOWN:
            press(app, lParam);
            shell.dragArmed = false;
            rightButton(app, Phase::Press);
            return 0;
        default:
            return app.ui().defaultProcedure(message, wParam, lParam);
    }
}

}  // namespace vyd
