#include "platform/script_runner.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>

#include "app/startup.h"
#include "app/clipboard_transfer.h"
#include "app/image_files.h"
#include "platform/headless_platform.h"
#include "platform/key_names.h"
#include "platform/recording_platform.h"
#include "platform/transcript.h"

namespace vyd {

namespace {

bool isScriptAction(const std::string& word) {
    static const char* const kActions[] = {"menu", "key", "keydown", "keyup", "syskeydown", "press", "release",
                                           "move", "drop", "close", "size", "paint", "answer", "choose", "dialog",
                                           "colour", "clipboard", "print", "save"};
    for (const char* action : kActions) {
        if (word == action) return true;
    }
    return false;
}

class ScriptError {
public:
    explicit ScriptError(std::string reason) : why(std::move(reason)) {}
    std::string why;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool parseInteger(const std::string& word, long& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    int base = (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) ? 16 : 10;
    value = std::strtol(word.c_str(), &end, base);
    return end && *end == '\0';
}

long integerArgument(const std::vector<std::string>& words, size_t i, const char* what) {
    long value = 0;
    if (i >= words.size()) throw ScriptError(std::string("missing ") + what);
    if (!parseInteger(words[i], value)) throw ScriptError(std::string("not a number: ") + words[i]);
    return value;
}

std::string formatNumber(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string hex8(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", v);
    return text;
}

// The session a script drives: the state, the headless platform and the transcript around it.
class ScriptSession {
public:
    explicit ScriptSession(std::ostream& out) : out_(out), recording_(headless_, out) {}

    void start() {
        if (!startApplication(app_, recording_, {})) throw ScriptError("the main window could not be created");
        deliverPendingRepaint();
    }
    bool finished() const { return headless_.quitPosted(); }
    void run(const std::vector<std::string>& words);

private:
    void send(UINT message, WPARAM wParam, LPARAM lParam) { recording_.sendMessage(message, wParam, lParam); }
    void deliverPendingRepaint() {
        if (!headless_.quitPosted() && headless_.invalid()) recording_.updateWindow();
    }
    bool keyDown(int vk) const {
        auto it = keysDown_.find(vk);
        return it != keysDown_.end() && it->second;
    }
    WPARAM mouseFlags() const {
        WPARAM flags = 0;
        if (buttons_ & 1) flags |= MK_LBUTTON;
        if (buttons_ & 2) flags |= MK_RBUTTON;
        if (buttons_ & 4) flags |= MK_MBUTTON;
        if (keyDown(VK_SHIFT)) flags |= MK_SHIFT;
        if (keyDown(VK_CONTROL)) flags |= MK_CONTROL;
        return flags;
    }
    void keyAction(const std::vector<std::string>& words);
    void mouseAction(const std::vector<std::string>& words);
    void answerAction(const std::vector<std::string>& words);
    void dialogAction(const std::vector<std::string>& words);
    void clipboardAction(const std::vector<std::string>& words);
    void saveAction(const std::vector<std::string>& words);
    void printState();
    void printTexts(const RasterDeviceContext& dc);
    bool writeImage(const std::string& path, const Image& image) {
        FileSettings scratch = app_.files;
        return writeImageFile(headless_, scratch, app_.modes, path, image);
    }

    std::ostream& out_;
    HeadlessPlatform headless_;
    RecordingPlatform recording_;
    AppState app_;
    int buttons_ = 0;  // bit 0 left, 1 right, 2 middle
    std::map<int, bool> keysDown_;
};

void ScriptSession::run(const std::vector<std::string>& words) {
    const std::string& action = words[0];
    if (action == "menu") {
        long id = integerArgument(words, 1, "command identifier");
        send(WM_COMMAND, static_cast<WPARAM>(id & 0xFFFF), 0);
    } else if (action == "key" || action == "keydown" || action == "keyup" || action == "syskeydown") {
        keyAction(words);
    } else if (action == "press" || action == "release" || action == "move") {
        mouseAction(words);
    } else if (action == "drop") {
        headless_.setDroppedFiles(std::vector<std::string>(words.begin() + 1, words.end()));
        send(WM_DROPFILES, 1, 0);
    } else if (action == "close") {
        send(WM_CLOSE, 0, 0);
    } else if (action == "size") {
        long w = integerArgument(words, 1, "width"), h = integerArgument(words, 2, "height");
        if (w < 0 || h < 0 || w > 32767 || h > 32767) throw ScriptError("size out of range");
        headless_.setClientSize(static_cast<int>(w), static_cast<int>(h));
    } else if (action == "paint") {
        recording_.invalidate();
        recording_.updateWindow();
    } else if (action == "answer") {
        answerAction(words);
    } else if (action == "choose") {
        if (words.size() != 2) throw ScriptError("choose needs a path or cancel");
        headless_.queueChooserAnswer(words[1] == "cancel" ? std::nullopt : std::optional<std::string>(words[1]));
    } else if (action == "dialog") {
        dialogAction(words);
    } else if (action == "colour") {
        if (words.size() != 2) throw ScriptError("colour needs RRGGBB or cancel");
        if (words[1] == "cancel") {
            headless_.queueColourAnswer(std::nullopt);
        } else {
            long rgb = 0;
            if (words[1].size() != 6 || !parseInteger("0x" + words[1], rgb)) throw ScriptError("bad colour: " + words[1]);
            headless_.queueColourAnswer(makeColor(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)));
        }
    } else if (action == "clipboard") {
        clipboardAction(words);
    } else if (action == "print") {
        if (words.size() != 2) throw ScriptError("print needs state, page or viewer");
        if (words[1] == "state") {
            printState();
        } else if (words[1] == "page") {
            printTexts(headless_.backBuffer());
        } else if (words[1] == "viewer") {
            out_ << "viewer " << (headless_.viewerExists() ? "title=" + quoteText(headless_.viewerTitle()) : "none")
                 << "\n";
            printTexts(headless_.viewerBuffer());
        } else {
            throw ScriptError("print needs state, page or viewer");
        }
    } else if (action == "save") {
        saveAction(words);
    } else {
        throw ScriptError("unknown action " + action);
    }
    deliverPendingRepaint();
}

void ScriptSession::keyAction(const std::vector<std::string>& words) {
    const std::string& action = words[0];
    if (words.size() < 2) throw ScriptError("missing key name");
    int vk = virtualKeyFromName(words[1]);
    if (vk < 0) throw ScriptError("unknown key " + words[1]);
    bool repeat = false;
    if (words.size() == 3 && words[2] == "repeat" && action == "keydown") repeat = true;
    else if (words.size() != 2) throw ScriptError("too many words for " + action);
    const LPARAM down = 1 | (repeat ? KF_PREVIOUS_STATE : 0);
    const LPARAM up = 1 | KF_PREVIOUS_STATE | KF_TRANSITION;
    if (action == "syskeydown") {
        send(WM_SYSKEYDOWN, static_cast<WPARAM>(vk), down);
    } else if (action == "keydown") {
        keysDown_[vk] = true;
        send(WM_KEYDOWN, static_cast<WPARAM>(vk), down);
    } else if (action == "keyup") {
        keysDown_[vk] = false;
        send(WM_KEYUP, static_cast<WPARAM>(vk), up);
    } else {
        keysDown_[vk] = true;
        send(WM_KEYDOWN, static_cast<WPARAM>(vk), down);
        if (headless_.quitPosted()) return;
        keysDown_[vk] = false;
        send(WM_KEYUP, static_cast<WPARAM>(vk), up);
    }
}

void ScriptSession::mouseAction(const std::vector<std::string>& words) {
    const std::string& action = words[0];
    size_t at = 1;
    int button = 0;
    UINT down = 0, up = 0;
    if (action != "move") {
        if (words.size() < 2) throw ScriptError("missing button");
        const std::string& name = words[1];
        if (name == "left") { button = 1; down = WM_LBUTTONDOWN; up = WM_LBUTTONUP; }
        else if (name == "right") { button = 2; down = WM_RBUTTONDOWN; up = WM_RBUTTONUP; }
        else if (name == "middle") { button = 4; down = WM_MBUTTONDOWN; up = WM_MBUTTONUP; }
        else throw ScriptError("unknown button " + name);
        at = 2;
    }
    long x = integerArgument(words, at, "x"), y = integerArgument(words, at + 1, "y");
    if (words.size() != at + 2) throw ScriptError("too many words for " + action);
    if (x < -32768 || x > 32767 || y < -32768 || y > 32767) throw ScriptError("coordinates out of range");
    LPARAM where = MAKELPARAM(static_cast<int>(x), static_cast<int>(y));
    if (action == "move") {
        send(WM_MOUSEMOVE, mouseFlags(), where);
    } else if (action == "press") {
        buttons_ |= button;
        send(down, mouseFlags(), where);
    } else {
        buttons_ &= ~button;
        send(up, mouseFlags(), where);
    }
}

void ScriptSession::answerAction(const std::vector<std::string>& words) {
    static const std::map<std::string, int> kAnswers = {{"ok", IDOK}, {"yes", IDYES}, {"no", IDNO}, {"cancel", IDCANCEL}};
    if (words.size() != 2 || !kAnswers.count(words[1])) throw ScriptError("answer needs ok, yes, no or cancel");
    headless_.queueMessageBoxAnswer(kAnswers.at(words[1]));
}

void ScriptSession::dialogAction(const std::vector<std::string>& words) {
    if (words.size() < 2 || (words[1] != "accept" && words[1] != "cancel")) throw ScriptError("dialog needs accept or cancel");
    DialogAnswer answer;
    answer.accept = words[1] == "accept";
    for (size_t i = 2; i < words.size(); ++i) {
        size_t eq = words[i].find('=');
        long id = 0;
        if (eq == std::string::npos || !parseInteger(words[i].substr(0, eq), id)) throw ScriptError("bad field " + words[i]);
        answer.fields.emplace_back(static_cast<int>(id), words[i].substr(eq + 1));
    }
    headless_.queueDialogAnswer(std::move(answer));
}

void ScriptSession::clipboardAction(const std::vector<std::string>& words) {
    if (words.size() < 2) throw ScriptError("clipboard needs put, text, clear or save");
    const std::string& what = words[1];
    if (what == "clear" && words.size() == 2) {
        headless_.setClipboardImage(std::nullopt);
    } else if (what == "text" && words.size() == 3) {
        headless_.setClipboardText(words[2]);
    } else if (what == "put" && words.size() == 3) {
        Image image;
        FileSettings scratch = app_.files;
        if (!readImageFile(headless_, scratch, app_.modes, words[2], image)) throw ScriptError("cannot read " + words[2]);
        if (!headless_.setClipboardImage(std::move(image))) throw ScriptError("cannot make a bitmap of " + words[2]);
    } else if (what == "save" && words.size() == 3) {
        std::optional<Image> bitmap = headless_.clipboardBitmap();
        if (!bitmap) throw ScriptError("the clipboard holds no bitmap");
        Image picture;
        if (!pictureOfClipboardBitmap(*bitmap, picture) || !writeImage(words[2], picture))
            throw ScriptError("cannot write " + words[2]);
    } else {
        throw ScriptError("bad clipboard action");
    }
}

void ScriptSession::saveAction(const std::vector<std::string>& words) {
    if (words.size() == 3 && words[1] == "display") {
        if (!writeImage(words[2], app_.view.displayImage)) throw ScriptError("cannot write " + words[2]);
    } else if (words.size() == 4 && words[1] == "level") {
        long n = integerArgument(words, 2, "level");
        if (n < 0 || n >= kLevelCount) throw ScriptError("no level " + words[2]);
        if (!writeImage(words[3], app_.levels[static_cast<int>(n)].image)) throw ScriptError("cannot write " + words[3]);
    } else {
        throw ScriptError("save needs display FILE or level N FILE");
    }
}

// One line per text drawn since the window was last cleared: `text X,Y "..."` (with `red` for red text),
// or `wrapped X,Y "..."` for word-wrapped text.
void ScriptSession::printTexts(const RasterDeviceContext& dc) {
    for (const DrawnText& t : dc.drawnTexts()) {
        out_ << (t.wrapped ? "wrapped " : "text ") << t.x << "," << t.y << (t.color == kTextRed ? " red " : " ")
             << quoteText(t.text) << "\n";
    }
}

void ScriptSession::printState() {
    for (int i = 0; i < kLevelCount; ++i) {
        const Level& l = app_.levels[i];
        out_ << "level " << i << (i == app_.levels.currentIndex ? " current" : "") << (l.shown ? "" : " hidden")
             << " altered=" << int(l.altered) << " name=" << quoteText(l.name) << " mode=" << l.image.mode
             << " bpp=" << l.image.bitCount() << " size=" << l.image.width() << "x" << l.image.height()
             << " origin=" << formatNumber(l.originX) << "," << formatNumber(l.originY)
             << " scale=" << formatNumber(l.scaleX) << "," << formatNumber(l.scaleY)
             << " rot=" << formatNumber(l.rotationCos) << "," << formatNumber(l.rotationSin)
             << " pivot=" << formatNumber(l.pivotX) << "," << formatNumber(l.pivotY)
             << " priority=" << formatNumber(l.priority) << " brush=" << int(l.brushSize)
             << " left=" << hex8(l.image.leftColor) << " right=" << hex8(l.image.rightColor) << "\n";
    }
    const ViewState& v = app_.view;
    Rect client = headless_.clientRect();
    std::string info = app_.shell.infoScreen == kInfoNone ? "none" : std::string(1, char(app_.shell.infoScreen));
    out_ << "view zoom=" << formatNumber(v.zoomAllX) << "," << formatNumber(v.zoomAllY)
         << " move=" << formatNumber(v.moveAllX) << "," << formatNumber(v.moveAllY)
         << " client=" << client.width() << "x" << client.height() << " info=" << info
         << " slide=" << app_.slideScreen << " bwlimit=" << app_.modes.bwlimit << " from0=" << app_.modes.from0
         << " from255=" << app_.modes.from255 << "\n";
}

}  // namespace

bool splitScriptLine(const std::string& line, std::vector<std::string>& words, std::string& why) {
    words.clear();
    std::string word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c == '"') { quoted = false; continue; }
            if (c != '\\') { word += c; continue; }
            if (++i >= line.size()) { why = "unfinished escape"; return false; }
            char e = line[i];
            if (e == '"' || e == '\\') word += e;
            else if (e == 'n') word += '\n';
            else if (e == 'x' && i + 2 < line.size() && hexDigit(line[i + 1]) >= 0 && hexDigit(line[i + 2]) >= 0) {
                word += static_cast<char>(hexDigit(line[i + 1]) * 16 + hexDigit(line[i + 2]));
                i += 2;
            } else { why = std::string("bad escape \\") + e; return false; }
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) { words.push_back(word); word.clear(); inWord = false; }
            continue;
        }
        inWord = true;
        if (c == '"') quoted = true;
        else word += c;
    }
    if (quoted) { why = "unterminated quote"; return false; }
    if (inWord) words.push_back(word);
    return true;
}

int runScript(const std::string& text, std::ostream& out, std::ostream& err) {
    auto fail = [&](size_t lineNumber, const std::string& why) {
        out.flush();
        err << "script error: line " << lineNumber << ": " << why << "\n";
        return 2;
    };
    // Parse every line before running any, so a malformed script does nothing at all.
    std::vector<std::pair<size_t, std::vector<std::string>>> actions;
    std::istringstream lines(text);
    std::string line;
    size_t lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (line.find('\0') != std::string::npos) return fail(lineNumber, "binary data in the script");
        std::vector<std::string> words;
        std::string why;
        if (!splitScriptLine(line, words, why)) return fail(lineNumber, why);
        if (words.empty() || words[0][0] == '#') continue;
        if (!isScriptAction(words[0])) return fail(lineNumber, "unknown action " + words[0]);
        actions.emplace_back(lineNumber, std::move(words));
    }
    ScriptSession session(out);
    size_t current = 0;
    try {
        session.start();
        for (const auto& [number, words] : actions) {
            current = number;
            if (session.finished()) break;
            session.run(words);
        }
    } catch (const ScriptError& e) {
        return fail(current, e.why);
    } catch (const UnansweredError& e) {
        return fail(current, e.what());
    }
    out.flush();
    return 0;
}

int runScriptFile(const std::string& path, std::ostream& out, std::ostream& err) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << "script error: line 0: cannot open " << path << "\n";
        return 2;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return runScript(text.str(), out, err);
}

}  // namespace vyd
