#include <gtest/gtest.h>

#include "app/command_table.h"
#include "app/commands_jpeg.h"
#include "platform/headless_platform.h"

using namespace vyd;

namespace {

constexpr int kAnswerField = 11;  // the question box's edit field

DialogAnswer typed(const std::string& text) { return {true, {{kAnswerField, text}}}; }

}  // namespace

TEST(SetJpegQuality, TakesTheWholePartOfTheAnswerClampedToOneToOneHundred) {
    HeadlessPlatform ui;
    AppState app;
    app.platform = &ui;
    EXPECT_EQ(app.files.jpegQuality, 80);
    const std::pair<const char*, int> answers[] = {{"0", 1}, {"1", 1}, {"100", 100}, {"150", 100},
                                                   {"-5", 1}, {"55.9", 55}, {"  42 percent", 42}};
    for (const auto& [answer, quality] : answers) {
        SCOPED_TRACE(answer);
        ui.queueDialogAnswer(typed(answer));
        EXPECT_EQ(commandSetJpegQuality(app, kCommandSetJpegQuality), Ending::Update);
        EXPECT_EQ(app.files.jpegQuality, quality);
    }
    // Cancelling answers the default, the current quality: it stays.
    app.files.jpegQuality = 37;
    ui.queueDialogAnswer({false, {}});
    commandSetJpegQuality(app, kCommandSetJpegQuality);
    EXPECT_EQ(app.files.jpegQuality, 37);
}

TEST(SetJpegQuality, IsTheModesMenuCommand1357) {
    const CommandEntry* entry = findCommand(kCommandSetJpegQuality);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->handler, &commandSetJpegQuality);
}
