// The one-line question box "ASKDB": a prompt, an edit field with the answer, "accept" and "cancel".
#include "app/dialog_fields.h"
#include "app/dialogs.h"

namespace vyd {

namespace {

constexpr int kPromptField = 6;
constexpr int kAnswerField = 11;

class AskProcedure : public DialogProcedure {
public:
    explicit AskProcedure(AppState& app) : app_(app) {}
    bool accepted() const { return accepted_; }

    void onInit(DialogFields& fields) override {
        app_.ui().validate();  // the main window is not repainted under the box
        fields.setText(kPromptField, app_.shell.askPrompt);
        fields.setText(kAnswerField, app_.shell.askAnswer);
    }
    bool onCommand(int id, DialogFields& fields) override {
        if (id == IDOK) {
            app_.shell.askAnswer = fields.text(kAnswerField).substr(0, kFieldTextLimit);
            accepted_ = true;
            return true;
        }
        return id == IDCANCEL;
    }

private:
    AppState& app_;
    bool accepted_ = false;
};

// Runs the box; the answer (or, when cancelled, the default) is left in askAnswer.
bool runAskBox(AppState& app, const std::string& prompt, const std::string& defaultText) {
    Platform& ui = app.ui();
    ui.validate();
    app.shell.askPrompt = prompt.substr(0, kFieldTextLimit);
    app.shell.askAnswer = defaultText.substr(0, kFieldTextLimit);
    AskProcedure procedure(app);
    ui.runDialog(askTemplate(), procedure);
    ui.setFocusToMain();
    ui.invalidate();
    return procedure.accepted();
}

}  // namespace

std::string askText(AppState& app, const std::string& prompt, const std::string& defaultText) {
    runAskBox(app, prompt, defaultText);
    return app.shell.askAnswer;
}

double askNumber(AppState& app, const std::string& prompt, const std::string& defaultText) {
    for (;;) {
        const bool accepted = runAskBox(app, prompt, defaultText);
        const std::optional<double> value = scanNumber(app.shell.askAnswer);
        if (value) return *value;
        // A cancelled box whose default holds no number must not ask forever.
        if (!accepted) return 0;
    }
}

}  // namespace vyd
