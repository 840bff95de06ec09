// Modal dialogs built from template descriptions and driven by a dialog procedure.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vyd {

enum class ControlKind { Static, Edit, Button };

struct DialogControl {
    int id;
    ControlKind kind;
    int x, y, w, h;  // dialog units
    std::string text;
};

struct DialogTemplate {
    std::string name;   // "ASKDB", "VYDLEVEL", ...
    std::string title;  // empty = no title
    int x, y, w, h;
    std::vector<DialogControl> controls;
};

// The fields of a running dialog, by control id (texts are Windows-1252 bytes).
class DialogFields {
public:
    virtual ~DialogFields() = default;
    virtual void setText(int id, const std::string& text) = 0;
    virtual std::string text(int id) const = 0;
};

// A dialog procedure: fills the fields on creation and handles the buttons. onCommand returns true when
// the dialog ends. Escape and the close button arrive as the command IDCANCEL (2).
class DialogProcedure {
public:
    virtual ~DialogProcedure() = default;
    virtual void onInit(DialogFields& fields) = 0;
    virtual bool onCommand(int id, DialogFields& fields) = 0;
};

}  // namespace vyd
