#include "app/convert_tool.h"

#include <cstdlib>

#include "app/app_state.h"
#include "app/commands_modes.h"
#include "app/image_files.h"
#include "formats/jpeg.h"

namespace vyd {

namespace {

constexpr const char* kUsage =
    "usage: vyd convert IN OUT [--mode 2|16|chequer|256|dither|grey|true] [--quality N]";

// The Modes-menu command each --mode value stands for.
struct ModeOption {
    const char* name;
    int command;
};
constexpr ModeOption kModeOptions[] = {
    {"2", 1601},   {"16", 1604},     {"chequer", 1636}, {"256", 1544},
    {"dither", 1561}, {"grey", 1545}, {"true", 1560},
};

// A drawing surface that draws nothing.
class NoDrawing : public DeviceContext {
public:
    int width() const override { return 0; }
    int height() const override { return 0; }
    void fillWhite() override {}
    void fillRect(int, int, int, int, Color) override {}
    void blitImage(const Image&, int, int) override {}
    void line(int, int, int, int, Color) override {}
    void setPixel(int, int, Color) override {}
    Color getPixel(int, int) const override { return kNoColor; }
    void textOut(int, int, const std::string&, const FontSpec&, Color) override {}
    void drawTextWrapped(int, int, int, int, const std::string&, const FontSpec&) override {}
};

// The platform of a batch run: no window, no user. Message boxes become lines on the error stream and
// are answered as if by the default button; choosers, dialogs and colour choosers are cancelled.
class BatchPlatform : public Platform {
public:
    explicit BatchPlatform(std::ostream& err) : err_(err) {}
    int boxesShown() const { return boxes_; }

    int messageBox(Owner, const std::string& text, const std::string& caption, UINT flags) override {
        ++boxes_;
        std::string line = text;
        if (!caption.empty()) line += ": " + caption;
        for (char& c : line) {
            if (c == '\n' || c == '\r') c = ' ';
        }
        err_ << line << '\n';
        switch (flags & MB_TYPEMASK) {
            case MB_YESNO: return IDNO;
            case MB_YESNOCANCEL:
            case MB_OKCANCEL: return IDCANCEL;
            default: return IDOK;
        }
    }

    void setWindowProcedure(WindowProcedure) override {}
    bool createMainWindow(const std::string& title) override { title_ = title; return true; }
    void destroyMainWindow() override {}
    void setTitle(const std::string& title) override { title_ = title; }
    std::string title() const override { return title_; }
    Rect clientRect() const override { return {}; }
    Rect windowRect() const override { return {}; }
    Rect normalPlacement() const override { return {}; }
    void setWindowPos(int, int, int, int) override {}
    bool isMinimized() const override { return false; }
    int systemMetric(int) const override { return 0; }
    void invalidate() override {}
    void validate() override {}
    bool hasUpdateRegion() const override { return false; }
    void updateWindow() override {}
    LRESULT sendMessage(UINT, WPARAM, LPARAM) override { return 0; }
    LRESULT defaultProcedure(UINT, WPARAM, LPARAM) override { return 0; }
    void postQuit(int) override {}
    void setFocusToMain() override {}
    DeviceContext& deviceContext() override { return drawing_; }
    void flushDrawing() override {}
    void setMenus(const std::vector<MenuItem>&, const std::vector<MenuItem>&) override {}
    void attachMenu(MenuBar) override {}
    MenuBar attachedMenu() const override { return MenuBar::None; }
    void drawMenuBar() override {}
    int menuItemCount(int) const override { return 0; }
    void appendMenuItem(int, int, const std::string&) override {}
    void enableMenuItemByPosition(int, int, bool) override {}
    void checkMenuItem(int, bool) override {}
    void showScrollBar(int, bool) override {}
    bool scrollBarShown(int) const override { return false; }
    void setScrollRange(int, int, int, bool) override {}
    void scrollRange(int, int& minimum, int& maximum) const override { minimum = maximum = 0; }
    void setScrollPos(int, int, bool) override {}
    int scrollPos(int) const override { return 0; }
    void runDialog(const DialogTemplate&, DialogProcedure&) override {}
    std::optional<std::string> chooseFile(const FileChooserRequest&) override { return std::nullopt; }
    std::optional<Color> chooseColor(Color, std::array<Color, 16>&) override { return std::nullopt; }
    void beep() override {}
    bool openClipboard() override { return false; }
    void closeClipboard() override {}
    void emptyClipboard() override {}
    std::vector<UINT> clipboardFormats() override { return {}; }
    std::optional<Image> clipboardBitmap() override { return std::nullopt; }
    bool putClipboardBitmap(const Image&) override { return false; }
    bool createViewerWindow(const std::string&, WindowProcedure) override { return false; }
    bool viewerExists() const override { return false; }
    void destroyViewerWindow() override {}
    void setViewerMenu(const std::vector<MenuItem>&) override {}
    void setViewerTitle(const std::string&) override {}
    std::string viewerTitle() const override { return {}; }
    DeviceContext& viewerDeviceContext() override { return drawing_; }
    void repaintViewer() override {}
    LRESULT viewerDefaultProcedure(UINT, WPARAM, LPARAM) override { return 0; }
    void bringToTop(Owner) override {}
    void setArrowCursor() override {}
    void setBrushCursor(const std::vector<uint8_t>&, const std::vector<uint8_t>&) override {}
    uint32_t tickCount() override { return 0; }
    void sleepMs(uint32_t) override {}
    bool peekKeyMessage(UINT&, WPARAM&, LPARAM&) override { return false; }
    void acceptFiles(bool) override {}
    std::vector<std::string> droppedFiles() const override { return {}; }
    void finishDrop() override {}
    void shellOpen(const std::string&, const std::string&) override {}
    void openHelp(const std::string&) override {}

private:
    std::ostream& err_;
    std::string title_;
    NoDrawing drawing_;
    int boxes_ = 0;
};

struct ConvertRequest {
    std::string in, out;
    int modeCommand = 0;  // 0: keep the colour mode
    std::optional<int> quality;
};

// The problem with the arguments, or the empty text when they make a request.
std::string parseArguments(const std::vector<std::string>& args, ConvertRequest& request) {
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--mode" || arg == "--quality") {
            if (i + 1 == args.size()) return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "--mode") {
                request.modeCommand = 0;
                for (const ModeOption& option : kModeOptions) {
                    if (value == option.name) request.modeCommand = option.command;
                }
                if (!request.modeCommand) return "unknown mode: " + value;
            } else {
                char* end = nullptr;
                const double number = std::strtod(value.c_str(), &end);
                if (value.empty() || *end != '\0') return "the quality must be a number: " + value;
                request.quality = clampJpegQuality(number);
            }
        } else if (arg.size() > 2 && arg.starts_with("--")) {
            return "unknown option: " + arg;
        } else if (files.size() == 2) {
            return "one picture at a time: " + arg + " is a third file";
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) return "missing IN and OUT";
    if (files.size() == 1) return "missing OUT";
    request.in = files[0];
    request.out = files[1];
    return {};
}

}  // namespace

std::string convertArgumentsProblem(const std::vector<std::string>& args) {
    ConvertRequest request;
    return parseArguments(args, request);
}

int runConvert(const std::vector<std::string>& args, std::ostream& err) {
    ConvertRequest request;
    const std::string problem = parseArguments(args, request);
    if (!problem.empty()) {
        err << problem << '\n' << kUsage << '\n';
        return 2;
    }
    BatchPlatform ui(err);
    AppState app;
    app.platform = &ui;
    if (request.quality) app.files.jpegQuality = *request.quality;
    Level& level = app.currentLevel();

    if (!readImageFile(ui, app.files, app.modes, request.in, level.image)) return 1;
    if (request.modeCommand) {
        // The menu command itself: a failed conversion shows its box and leaves the picture as it was.
        const int boxesBefore = ui.boxesShown();
        commandConvertMode(app, request.modeCommand);
        if (ui.boxesShown() != boxesBefore) return 1;
    }
    if (!writeImageFile(ui, app.files, app.modes, request.out, level.image)) {
        ui.messageBox(Owner::Main, request.out, "write failed", MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    return 0;
}

}  // namespace vyd
