#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "app/dialog_fields.h"
#include "app/dialogs.h"
#include "app/scroll_bars.h"
#include "platform/headless_platform.h"

using namespace vyd;

namespace {

// The headless platform, remembering what the last box showed when it was created.
class ObservingPlatform : public HeadlessPlatform {
public:
    std::string lastTemplate;
    std::map<int, std::string> shown;

    void runDialog(const DialogTemplate& dialog, DialogProcedure& procedure) override {
        struct Recorder : DialogProcedure {
            DialogProcedure& inner;
            const DialogTemplate& dialog;
            std::map<int, std::string>& shown;
            Recorder(DialogProcedure& i, const DialogTemplate& d, std::map<int, std::string>& s)
                : inner(i), dialog(d), shown(s) {}
            void onInit(DialogFields& fields) override {
                inner.onInit(fields);
                shown.clear();
                for (const DialogControl& control : dialog.controls) shown[control.id] = fields.text(control.id);
            }
            bool onCommand(int id, DialogFields& fields) override { return inner.onCommand(id, fields); }
        } recorder(procedure, dialog, shown);
        lastTemplate = dialog.name;
        HeadlessPlatform::runDialog(dialog, recorder);
    }
};

struct Session {
    ObservingPlatform ui;
    AppState app;
    Session() {
        app.platform = &ui;
        ui.setClientSize(600, 400);
    }
    void answer(bool accept, std::vector<std::pair<int, std::string>> fields = {}) {
        ui.queueDialogAnswer({accept, std::move(fields)});
    }
    Level& current() { return app.currentLevel(); }
};

}  // namespace

TEST(NumberFields, LeadingNumberAsFormattedInputReadsIt) {
    EXPECT_EQ(scanNumber("12abc"), 12.0);
    EXPECT_EQ(scanNumber(" 7"), 7.0);
    EXPECT_EQ(scanNumber("\t-2.5e2x"), -250.0);
    EXPECT_EQ(scanNumber("+.5"), 0.5);
    EXPECT_EQ(scanNumber("3.e"), 3.0);  // an exponent without digits is not part of the number
    EXPECT_EQ(scanNumber("90\xB0"), 90.0);
    EXPECT_EQ(scanNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(scanNumber("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(scanNumber("1e-400"), 0.0);
    for (const char* none : {"", "   ", "abc", ".", "-", "e5", "nan", "inf", "\xB0"}) {
        EXPECT_FALSE(scanNumber(none).has_value()) << none;
    }
}

TEST(DialogTemplates, IdentifiersAreUniqueAndEveryBoxCanBeAnsweredOrCancelled) {
    for (const DialogTemplate* t : {&askTemplate(), &levelDetailsTemplate(), &newImageTemplate(), &colorWashTemplate()}) {
        SCOPED_TRACE(t->name);
        std::set<int> ids;
        int edits = 0;
        for (const DialogControl& c : t->controls) {
            EXPECT_TRUE(c.w > 0 && c.h > 0 && c.x >= 0 && c.y >= 0 && c.x < t->w && c.y < t->h) << c.id << " " << c.text;
            if (c.id == -1) {  // a label
                EXPECT_EQ(c.kind, ControlKind::Static);
                EXPECT_FALSE(c.text.empty());
                continue;
            }
            EXPECT_TRUE(ids.insert(c.id).second) << "identifier " << c.id << " twice";
            EXPECT_EQ(c.kind == ControlKind::Button, c.id == 1 || c.id == 2) << c.id;
            edits += c.kind == ControlKind::Edit;
        }
        EXPECT_TRUE(ids.count(1) && ids.count(2)) << "OK and cancel";
        EXPECT_GT(edits, 0);
    }
}

TEST(QuestionBox, AskNumberRetriesUntilANumberAndCancelGivesTheDefault) {
    Session s;
    s.answer(true, {{11, "12abc"}});
    EXPECT_EQ(askNumber(s.app, "distance to viewpoint", "1000"), 12);
    EXPECT_EQ(s.ui.shown[6], "distance to viewpoint");
    EXPECT_EQ(s.ui.shown[11], "1000");
    s.answer(true, {{11, " 7"}});
    EXPECT_EQ(askNumber(s.app, "distance to viewpoint", "1000"), 7);
    s.answer(true, {{11, "abc"}});
    s.answer(true, {{11, ""}});
    s.answer(true, {{11, "3.5"}});
    EXPECT_EQ(askNumber(s.app, "blurring range?", "2"), 3.5);
    s.answer(false, {{11, "55"}});  // typed, then cancelled
    EXPECT_EQ(askNumber(s.app, "distance to viewpoint", "1000"), 1000);
    s.answer(false);
    EXPECT_EQ(askNumber(s.app, "caption?", "none"), 0);  // a default without a number ends the question

    s.answer(true, {{11, "a caption"}});
    EXPECT_EQ(askText(s.app, "caption for this slide?", ""), "a caption");
    s.answer(false, {{11, "typed"}});
    EXPECT_EQ(askText(s.app, "caption for this slide?", "old"), "old");
}

TEST(LevelDetailsBox, StoresThetaBrushScaleAndZoomAsClampedAndShowsThemAgain) {
    Session s;
    s.app.levels.currentIndex = 3;
    s.answer(true, {{7, "90\xB0"}, {16, "0.5"}, {3, "0"}, {12, "-3"}, {21, "12.5"}, {11, "2.5"}});
    runLevelDetailsBox(s.app);
    Level& level = s.current();
    EXPECT_NEAR(level.rotationCos, 0, 1e-15);
    EXPECT_EQ(level.rotationSin, 1);
    EXPECT_EQ(level.brushSize, 1);
    EXPECT_EQ(level.scaleX, 0.01);
    EXPECT_EQ(s.app.view.zoomAllX, 0.01);
    EXPECT_EQ(level.originX, 12.5);
    EXPECT_EQ(level.priority, 2.5f);

    s.answer(true, {{16, "100"}, {21, "not a number"}, {7, "sideways"}});
    runLevelDetailsBox(s.app);
    EXPECT_EQ(s.ui.shown[7], "90\xB0");
    EXPECT_EQ(s.ui.shown[6], "level 3");
    EXPECT_EQ(s.ui.shown[5], " ");  // no file name: the blank stays
    EXPECT_EQ(s.ui.shown[3], "0.01");
    EXPECT_EQ(s.ui.shown[16], "1");
    EXPECT_EQ(level.brushSize, 64);
    EXPECT_EQ(level.originX, 12.5);  // text without a number leaves the value alone
    EXPECT_EQ(level.rotationSin, 1);

    s.answer(true, {{16, "7.9"}});
    runLevelDetailsBox(s.app);
    EXPECT_EQ(level.brushSize, 7);
    s.answer(false, {{16, "3"}, {21, "99"}});
    runLevelDetailsBox(s.app);
    EXPECT_EQ(level.brushSize, 7);
    EXPECT_EQ(level.originX, 12.5);
}

TEST(LevelDetailsBox, BackgroundKeepsItsPlacementAndTheMoveStaysWithinTheSlack) {
    Session s;
    Level& background = s.app.levels[0];
    background.name = "/pictures/sky.bmp";
    createImage(background.image, -1, 24, 200, 100);
    updateSlack(s.app);  // as every resize of the window does
    s.answer(true, {{21, "40"}, {22, "-3"}, {3, "2"}, {7, "45"}, {11, "9"}, {14, "-50"}, {15, "30"}});
    runLevelDetailsBox(s.app);
    EXPECT_EQ(s.ui.shown[5], ", loaded from /pictures/sky.bmp,bpp=24:24,200*100");
    EXPECT_EQ(background.originX, 0);
    EXPECT_EQ(background.originY, 0);
    EXPECT_EQ(background.scaleX, 1);
    EXPECT_EQ(background.rotationCos, 1);
    EXPECT_EQ(background.rotationSin, 0);
    EXPECT_EQ(background.priority, 0);
    EXPECT_EQ(s.app.view.moveAllX, 0);   // negative moves become 0
    EXPECT_EQ(s.app.view.moveAllY, 30);  // within the slack of 400 + 1 - 100
    s.answer(true, {{15, "5000"}});
    runLevelDetailsBox(s.app);
    EXPECT_EQ(s.app.view.moveAllY, 301);
}

TEST(SizeBoxes, NewImageSidesAreClampedAndFilledWithWhite) {
    Session s;
    s.answer(true, {{3, "0"}, {4, "5000"}});
    runNewImageBox(s.app);
    Image& image = s.current().image;
    EXPECT_EQ(image.width(), 1);
    EXPECT_EQ(image.height(), 4094);
    EXPECT_EQ(image.mode, kMode16);
    EXPECT_EQ(image.bitCount(), 8);
    s.answer(true, {{3, "-20"}, {4, "3.9"}});
    runNewImageBox(s.app);
    EXPECT_EQ(s.ui.shown[3], "1");
    EXPECT_EQ(s.ui.shown[4], "4094");
    ASSERT_EQ(image.width(), 1);
    ASSERT_EQ(image.height(), 3);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(image.row(y)[0], 15);
    s.answer(true, {{3, "70000"}, {4, "junk"}});  // the low 16 bits of 70000; junk keeps the shown height
    runNewImageBox(s.app);
    EXPECT_EQ(image.width(), 4094);  // 4464 is still above the limit
    EXPECT_EQ(image.height(), 3);
    s.answer(false, {{3, "10"}});
    runNewImageBox(s.app);
    EXPECT_EQ(image.width(), 4094);
}

TEST(SizeBoxes, TilingKeepsTheLowSixteenBitsAndRefusesSizesItCannotHold) {
    Session s;
    Image& image = s.current().image;
    createImage(image, kMode16, 8, 3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) image.row(y)[x] = static_cast<uint8_t>(x + 3 * y);
    }
    s.answer(true, {{3, "70000"}, {4, "5"}});
    runTilingBox(s.app);
    ASSERT_EQ(image.width(), 4464);
    ASSERT_EQ(image.height(), 5);
    EXPECT_EQ(image.row(4)[4463], 4463 % 3 + 3 * (4 % 2));

    // 65536 keeps no bits at all; a 40000-wide 8-bit image is beyond the record's limits: the picture stays.
    s.ui.queueMessageBoxAnswer(IDOK);
    s.answer(true, {{3, "65536"}, {4, "5"}});
    runTilingBox(s.app);
    EXPECT_EQ(image.width(), 4464);
    EXPECT_TRUE(image.hasPixels());
    s.ui.queueMessageBoxAnswer(IDOK);
    s.answer(true, {{3, "40000"}, {4, "1"}});
    runTilingBox(s.app);
    EXPECT_EQ(image.width(), 4464);
    EXPECT_EQ(image.row(4)[4463], 4463 % 3 + 3 * (4 % 2));
    s.answer(true, {{3, "-5"}, {4, "0.5"}});
    runTilingBox(s.app);
    EXPECT_EQ(image.width(), 1);
    EXPECT_EQ(image.height(), 1);
    EXPECT_EQ(image.row(0)[0], 0);
}

TEST(ColorWashBox, OrderAndNoiseAreClamped) {
    Session s;
    uint8_t order = 4, noise = 0;
    s.answer(true, {{4, "9"}, {3, "-1"}});
    EXPECT_TRUE(runColorWashBox(s.app, order, noise));
    EXPECT_EQ(s.ui.shown[4], "4");
    EXPECT_EQ(s.ui.shown[3], "0%");
    EXPECT_EQ(s.ui.shown[5], "");
    EXPECT_EQ(order, 5);
    EXPECT_EQ(noise, 0);
    s.answer(true, {{4, "2.7"}, {3, "75%"}});
    runColorWashBox(s.app, order, noise);
    EXPECT_EQ(order, 2);
    EXPECT_EQ(noise, 50);
    s.answer(false, {{4, "1"}});
    EXPECT_FALSE(runColorWashBox(s.app, order, noise));
    EXPECT_EQ(order, 2);
}
