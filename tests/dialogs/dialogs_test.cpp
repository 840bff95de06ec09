#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <set>

#include "app/command_table.h"
#include "app/dialog_fields.h"
#include "app/dialogs.h"
#include "platform/headless_platform.h"
#include "platform/recording_platform.h"

using namespace vyd;

namespace {

struct Session {
    std::ostringstream transcript;
    HeadlessPlatform headless;
    RecordingPlatform ui{headless, transcript};
    AppState app;
    Session() { app.platform = &ui; }
    void answer(bool accept, std::vector<std::pair<int, std::string>> fields = {}) {
        headless.queueDialogAnswer({accept, std::move(fields)});
    }
};

}  // namespace

TEST(NumberFields, LeadingNumberAsFormattedInputReadsIt) {
    const double inf = std::numeric_limits<double>::infinity();
    // "3.e": an exponent without digits is not part of the number.
    for (auto [text, value] : {std::pair{"12abc", 12.0}, {" 7", 7.0}, {"\t-2.5e2x", -250.0}, {"+.5", 0.5}, {"3.e", 3.0},
                               {"90\xB0", 90.0}, {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0.0}})
        EXPECT_EQ(scanNumber(text), value) << text;
    for (const char* none : {"", "   ", "abc", ".", "-", "e5", "nan", "inf", "\xB0"})
        EXPECT_FALSE(scanNumber(none).has_value()) << none;
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

// What only a direct call reaches: a default without a number ends a number question, text questions, and the
// wash box's clamps of order and noise.
TEST(QuestionBoxes, DefaultWithoutANumberGivesZeroTextIsReturnedAsTypedAndWashOrderAndNoiseAreClamped) {
    Session s;
    s.answer(false);
    EXPECT_EQ(askNumber(s.app, "caption?", "none"), 0);
    s.answer(true, {{11, "a caption"}});
    EXPECT_EQ(askText(s.app, "caption for this slide?", ""), "a caption");
    s.answer(false, {{11, "typed"}});
    EXPECT_EQ(askText(s.app, "caption for this slide?", "old"), "old");
    uint8_t order = 4, noise = 0;
    s.answer(true, {{4, "9"}, {3, "-1"}});
    EXPECT_TRUE(runColorWashBox(s.app, order, noise));
    EXPECT_NE(s.transcript.str().find(" 5=\"\" 4=\"4\" 3=\"0%\" -> accept"), std::string::npos) << s.transcript.str();
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

TEST(SizeCommands, NewImageAndDetailsEndPlainAndSuppressedRotationsLeaveTheLevelUnrotated) {
    Session s;
    s.answer(true, {{3, "20"}, {4, "10"}});
    EXPECT_EQ(dispatchCommand(s.app, 1321), Ending::Plain);
    EXPECT_TRUE(s.headless.invalid());
    s.app.levels.currentIndex = 1;
    s.app.view.rotationsSuppressed = true;
    s.answer(true, {{7, "30"}});
    EXPECT_EQ(dispatchCommand(s.app, 1313), Ending::Plain);
    EXPECT_TRUE(s.app.levels[1].rotationCos == 1 && s.app.levels[1].rotationSin == 0);
}
