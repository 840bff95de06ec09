#include "app/commands_blur_edges.h"

#include <cmath>

#include "app/dialogs.h"
#include "app/title_status.h"
#include "ops/box_blur.h"
#include "ops/edge_marking.h"
#include "util/text_format.h"

namespace vyd {

namespace {

// The blur's row titles go straight to the window, and the title it found (up to 1023 characters) comes
// back once at the end.
class RowTitles : public OperationMonitor {
public:
    explicit RowTitles(Platform& ui) : ui_(ui), saved_(ui.title().substr(0, 1023)) {}
    bool stopRequested() override { return false; }
    void showProgress(const PixelRect&) override {}
    void showRowTitle(const std::string& text) override { ui_.setTitle(text); }
    void restoreTitle() override { ui_.setTitle(saved_); }

private:
    Platform& ui_;
    std::string saved_;
};

// The range from the answer: its size, truncated; beyond any picture side it is as good as the largest side.
int blurRange(double answer) {
    const double size = std::fabs(answer);
    return size < kMaxDimension ? static_cast<int>(size) : kMaxDimension;
}

EdgeColours edgeColoursFor(int answer) {
    if (answer == IDYES) return EdgeColours::Similar;
    if (answer == IDNO) return EdgeColours::Complementary;
    return EdgeColours::BlackUnlessOnBlack;
}

void refuseEdges(Platform& ui, const std::string& text) {
    ui.messageBox(Owner::Main, text, "mark edges", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

Ending commandBlur(AppState& app, int) {
    Image& image = app.currentLevel().image;
    if (!image.hasPixels() || image.bitCount() != 24) {
        app.ui().messageBox(Owner::None, "must be truecolor", "", MB_OK | MB_ICONEXCLAMATION);
        return Ending::Update;
    }
    const int range = blurRange(askNumber(app, "blurring range?", "10"));
    RowTitles titles(app.ui());
    boxBlur(image, range, &titles);
    return Ending::Refresh;
}

Ending commandMarkEdges(AppState& app, int) {
    Platform& ui = app.ui();
    TitleStatus calculating(ui, "hang on while I calculate the edges");
    Image assembled;
    switch (checkEdgeMarking(app.levels, app.view, assembled)) {
        case EdgeCheck::NoPicture:
            return Ending::Plain;
        case EdgeCheck::LevelFifteenBusy:
            refuseEdges(ui, formatText("image %d is not free", kTopLevel));
            return Ending::Plain;
        case EdgeCheck::NotSixteenColor:
            refuseEdges(ui, "all images used must be 2- or 16-color mode");
            return Ending::Plain;
        case EdgeCheck::Ready:
            break;
    }
    const int answer = ui.messageBox(Owner::Main,
                                     "YES = similar colors, NO = complementary colors, CANCEL = black unless on black",
                                     "what colors do you want the edges to be?", MB_YESNOCANCEL);
    TitleStatus thinking(ui, "don't interrupt me, I'm thinking");
    if (!markEdgeOverlaps(app.levels, app.view, assembled, edgeColoursFor(answer))) return Ending::Plain;

    Level& marks = app.levels[kTopLevel];
    markAltered(marks);
    setLevelName(marks, formatText("edges set up on image %d", kTopLevel));
    ui.messageBox(Owner::Main, marks.name, "mark edges", MB_OK);
    marks.name.resize(5);  // "edges"
    ui.invalidate();
    return Ending::Plain;  // the two titles come back as they go out of scope, the later one first
}

}  // namespace vyd
