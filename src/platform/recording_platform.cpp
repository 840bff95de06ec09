#include "platform/recording_platform.h"

#include <map>

#include "platform/transcript.h"

namespace vyd {

namespace {

const char* ownerName(Owner owner) {
    switch (owner) {
        case Owner::Main: return "main";
        case Owner::Viewer: return "viewer";
        case Owner::None: return "none";
    }
    return "none";
}

const char* buttonsName(UINT flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_YESNO: return "yesno";
        case MB_YESNOCANCEL: return "yesnocancel";
        case MB_OKCANCEL: return "okcancel";
        default: return "ok";
    }
}

const char* answerName(int answer) {
    switch (answer) {
        case IDYES: return "yes";
        case IDNO: return "no";
        case IDCANCEL: return "cancel";
        default: return "ok";
    }
}

// Wraps a dialog procedure to note the fields as the box filled them and the button that ended it.
class RecordingProcedure : public DialogProcedure {
public:
    RecordingProcedure(const DialogTemplate& dialog, DialogProcedure& inner) : dialog_(dialog), inner_(inner) {}
    void onInit(DialogFields& fields) override {
        inner_.onInit(fields);
        for (const DialogControl& control : dialog_.controls) {
            if (control.id < 0 || control.kind == ControlKind::Button) continue;
            filled_.append(" ").append(std::to_string(control.id)).append("=").append(quoteText(fields.text(control.id)));
        }
    }
    bool onCommand(int id, DialogFields& fields) override {
        bool ended = inner_.onCommand(id, fields);
        if (ended) endedWith_ = id;
        return ended;
    }
    std::string line() const {
        return "dialog " + dialog_.name + filled_ + " -> " + (endedWith_ == IDOK ? "accept" : "cancel");
    }

private:
    const DialogTemplate& dialog_;
    DialogProcedure& inner_;
    std::string filled_;
    int endedWith_ = IDCANCEL;
};

}  // namespace

bool RecordingPlatform::createMainWindow(const std::string& title) {
    recordedTitle_ = title;
    titleRecorded_ = true;
    out_ << "title " << quoteText(title) << "\n";
    return inner_.createMainWindow(title);
}

void RecordingPlatform::setTitle(const std::string& title) {
    inner_.setTitle(title);
    if (!titleRecorded_ || title != recordedTitle_) {
        out_ << "title " << quoteText(title) << "\n";
        recordedTitle_ = title;
        titleRecorded_ = true;
    }
}

void RecordingPlatform::postQuit(int code) {
    out_ << "quit " << code << "\n";
    inner_.postQuit(code);
}

void RecordingPlatform::attachMenu(MenuBar which) {
    inner_.attachMenu(which);
    if (which != recordedMenu_ && which != MenuBar::None) {
        out_ << "menu " << (which == MenuBar::Main ? "main" : "null") << "\n";
    }
    recordedMenu_ = which;
}

int RecordingPlatform::messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) {
    int answer = inner_.messageBox(owner, text, caption, flags);
    out_ << "messagebox owner=" << ownerName(owner)
         << " icon=" << ((flags & MB_ICONMASK) == MB_ICONEXCLAMATION ? "exclamation" : "none")
         << " buttons=" << buttonsName(flags) << " caption=" << quoteText(caption) << " text=" << quoteText(text)
         << " -> " << answerName(answer) << "\n";
    return answer;
}

void RecordingPlatform::runDialog(const DialogTemplate& dialog, DialogProcedure& procedure) {
    RecordingProcedure recording(dialog, procedure);
    inner_.runDialog(dialog, recording);
    out_ << recording.line() << "\n";
}

std::optional<std::string> RecordingPlatform::chooseFile(const FileChooserRequest& request) {
    auto answer = inner_.chooseFile(request);
    out_ << "chooser " << (request.forSaving ? "save" : "open") << " title=" << quoteText(request.title)
         << " filter=" << request.filterIndex << " initial=" << quoteText(request.initialName) << " -> "
         << (answer ? quoteText(*answer) : std::string("cancel")) << "\n";
    return answer;
}

std::optional<Color> RecordingPlatform::chooseColor(Color initial, std::array<Color, 16>& customColors) {
    auto answer = inner_.chooseColor(initial, customColors);
    out_ << "colourchooser initial=" << colourHex(initial) << " -> " << (answer ? colourHex(*answer) : "cancel") << "\n";
    return answer;
}

void RecordingPlatform::beep() {
    out_ << "beep\n";
    inner_.beep();
}

bool RecordingPlatform::putClipboardBitmap(const Image& image) {
    out_ << "clipboard bitmap " << image.width() << "x" << image.height() << " bpp=" << image.bitCount() << "\n";
    return inner_.putClipboardBitmap(image);
}

void RecordingPlatform::shellOpen(const std::string& program, const std::string& parameter) {
    out_ << "shell open " << quoteText(program) << " " << quoteText(parameter) << "\n";
    inner_.shellOpen(program, parameter);
}

void RecordingPlatform::openHelp(const std::string& file) {
    out_ << "help " << quoteText(file) << "\n";
    inner_.openHelp(file);
}

}  // namespace vyd
