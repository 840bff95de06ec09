// Modal boxes on Qt: message boxes, dialogs built from templates, the file and colour choosers.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QStringList>
#include <array>
#include <map>
#include <optional>
#include <string>

#include "platform_api/platform.h"

class QWidget;

namespace vyd {

// A message box with the text, caption, icon and buttons of `flags`; returns IDOK, IDCANCEL, IDYES or
// IDNO. A box closed without a button answers as its escape button would (IDNO for Yes/No).
int showMessageBox(QWidget* parent, const std::string& text, const std::string& caption, UINT flags);

// Dialog units to pixels: one horizontal unit is 1.5 pixels and one vertical unit 2.
inline int dialogUnitsX(int units) { return (units * 3) / 2; }
inline int dialogUnitsY(int units) { return units * 2; }

// A dialog laid out from a template: statics are labels, edits line edits, buttons push buttons. Every
// button, Enter (IDOK) and Escape or the close button (IDCANCEL) are commands for the dialog procedure,
// which decides whether the dialog ends.
class TemplateDialog : public QDialog, public DialogFields {
public:
    TemplateDialog(QWidget* parent, const DialogTemplate& dialog, DialogProcedure& procedure);
    // Runs the procedure's creation step, then the dialog until the procedure ends it.
    void run(QPoint origin);

    void setText(int id, const std::string& text) override;
    std::string text(int id) const override;
    void command(int id);
    QWidget* control(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void accept() override {}

private:
    DialogProcedure& procedure_;
    QPoint placement_;
    std::map<int, QWidget*> controls_;
};

// The name filters of a chooser ("BMP files (*.bmp *.BMP)", "all files (*)") in the request's order.
QStringList nameFiltersFor(const std::vector<FileFilter>& filters);
std::optional<std::string> runFileChooser(QWidget* parent, const FileChooserRequest& request);
// Initial and chosen colours are colour values (blue low); the custom colours red low, as the chooser
// keeps them, and read back when the chooser closes.
std::optional<Color> runColourChooser(QWidget* parent, Color initial, std::array<Color, 16>& customColors);

}  // namespace vyd
