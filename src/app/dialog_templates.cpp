// The dialog templates: controls, identifiers and rectangles in dialog units. Labels have no identifier of
// their own (-1).
#include "app/dialogs.h"

namespace vyd {

namespace {

constexpr int kLabel = -1;

DialogControl label(int x, int y, int w, int h, const char* text) {
    return {kLabel, ControlKind::Static, x, y, w, h, text};
}
DialogControl field(int id, int x, int y, int w, int h) { return {id, ControlKind::Edit, x, y, w, h, ""}; }
DialogControl button(int id, int x, int y, int w, int h, const char* text) {
    return {id, ControlKind::Button, x, y, w, h, text};
}
DialogControl fixedText(int id, int x, int y, int w, int h) { return {id, ControlKind::Static, x, y, w, h, " "}; }

DialogTemplate makeLevelDetails() {
    DialogTemplate t{"VYDLEVEL", "level details", 10, 36, 300, 98, {}};
    t.controls = {fixedText(6, 2, 0, 30, 12), fixedText(5, 32, 0, 300, 12)};
    struct Row {
        int y;
        const char* leftLabel;
        int leftId;
        const char* rightLabel;
        int rightId;
    };
    const Row rows[] = {
        {12, "origin x", 21, "origin y", 22},     {24, "scale x", 3, "scale y", 4},
        {36, "pivot x", 8, "pivot y", 10},        {48, "theta", 7, "priority", 11},
        {60, "zoom all x", 12, "zoom all y", 13}, {72, "move all x", 14, "move all y", 15},
        {84, "brush size", 16, nullptr, 0},
    };
    for (const Row& row : rows) {
        t.controls.push_back(label(2, row.y, 50, 12, row.leftLabel));
        t.controls.push_back(field(row.leftId, 50, row.y, 50, 12));
        if (row.rightLabel) {
            t.controls.push_back(label(102, row.y, 50, 12, row.rightLabel));
            t.controls.push_back(field(row.rightId, 150, row.y, 50, 12));
        }
    }
    t.controls.push_back(button(1, 205, 12, 40, 12, "continue"));
    t.controls.push_back(button(2, 205, 24, 40, 12, "cancel  "));
    return t;
}

}  // namespace

const DialogTemplate& askTemplate() {
    static const DialogTemplate t{"ASKDB", "", 10, 34, 300, 27,
                                  {fixedText(6, 2, 1, 200, 12), field(11, 2, 13, 200, 12),
                                   button(1, 201, 1, 40, 12, "accept"), button(2, 201, 13, 40, 12, "cancel")}};
    return t;
}

const DialogTemplate& levelDetailsTemplate() {
    static const DialogTemplate t = makeLevelDetails();
    return t;
}

const DialogTemplate& newImageTemplate() {
    static const DialogTemplate t{"VYDNEWIMAGE", "creating a new blank image", 10, 34, 300, 39,
                                  {fixedText(6, 2, 1, 30, 12), fixedText(5, 32, 1, 300, 12),
                                   label(2, 13, 60, 12, "width in pixels"), field(3, 62, 13, 50, 12),
                                   label(2, 25, 60, 12, "height in pixels"), field(4, 62, 25, 50, 12),
                                   button(1, 122, 13, 40, 12, "accept"), button(2, 122, 25, 40, 12, "cancel")}};
    return t;
}

const DialogTemplate& colorWashTemplate() {
    static const DialogTemplate t{"VYDCOLORWASH", "graded color wash", 10, 34, 300, 51,
                                  {fixedText(6, 2, 1, 30, 12), fixedText(5, 32, 1, 300, 12),
                                   label(2, 13, 140, 14, "order of polynomial to fit (< 6)"), field(4, 108, 13, 50, 12),
                                   label(2, 25, 60, 12, "max noise %"), field(3, 108, 25, 50, 12),
                                   button(1, 2, 37, 40, 12, "accept"), button(2, 44, 37, 40, 12, "cancel")}};
    return t;
}

}  // namespace vyd
