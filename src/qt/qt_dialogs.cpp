#include "qt/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "qt/cp1252.h"

namespace vyd {

namespace {

// A window title as the logic gives it: "[*]" would otherwise mark a modified document.
QString titleText(const std::string& bytes) { return displayText(bytes).replace("[*]", "[*][*]"); }

QMessageBox::Icon iconFor(UINT flags) {
    switch (flags & MB_ICONMASK) {
        case MB_ICONHAND: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONEXCLAMATION: return QMessageBox::Warning;
        case MB_ICONASTERISK: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

struct BoxButton {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<BoxButton> buttonsFor(UINT flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        case MB_YESNOCANCEL:
            return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        default: return {{QMessageBox::Ok, IDOK}};
    }
}

QColor colourFromColorRef(Color value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

Color colorRefFromColour(const QColor& colour) {
    return static_cast<Color>(colour.red()) | (static_cast<Color>(colour.green()) << 8) |
           (static_cast<Color>(colour.blue()) << 16);
}

}  // namespace

int showMessageBox(QWidget* parent, const std::string& text, const std::string& caption, UINT flags) {
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    box.setWindowTitle(titleText(caption));
    box.setIcon(iconFor(flags));
    const std::vector<BoxButton> buttons = buttonsFor(flags);
    QMessageBox::StandardButtons standard;
    for (const BoxButton& b : buttons) standard |= b.button;
    box.setStandardButtons(standard);
    box.setDefaultButton(buttons.front().button);
    const int chosen = box.exec();
    for (const BoxButton& b : buttons) {
        if (chosen == b.button) return b.answer;
    }
    return buttons.back().answer;
}

TemplateDialog::TemplateDialog(QWidget* parent, const DialogTemplate& dialog, DialogProcedure& procedure)
    : QDialog(parent), procedure_(procedure) {
    setWindowTitle(titleText(dialog.title));
    setModal(true);
    setFixedSize(dialogUnitsX(dialog.w), dialogUnitsY(dialog.h));
    placement_ = QPoint(dialogUnitsX(dialog.x), dialogUnitsY(dialog.y));
    QWidget* firstStop = nullptr;
    for (const DialogControl& control : dialog.controls) {
        QWidget* widget = nullptr;
        const QString text = fromCp1252(control.text);
        switch (control.kind) {
            case ControlKind::Static: {
                auto* label = new QLabel(text, this);
                label->setTextFormat(Qt::PlainText);
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                widget = label;
                break;
            }
            case ControlKind::Edit:
                widget = new QLineEdit(text, this);
                break;
            case ControlKind::Button: {
                auto* button = new QPushButton(text, this);
                button->setAutoDefault(false);
                const int id = control.id;
                connect(button, &QPushButton::clicked, this, [this, id] { command(id); });
                widget = button;
                break;
            }
        }
        widget->setGeometry(dialogUnitsX(control.x), dialogUnitsY(control.y), dialogUnitsX(control.w),
                            dialogUnitsY(control.h));
        controls_.emplace(control.id, widget);
        if (!firstStop && control.kind != ControlKind::Static) firstStop = widget;
    }
    if (firstStop) firstStop->setFocus();
}

void TemplateDialog::run(QPoint origin) {
    procedure_.onInit(*this);
    move(origin + placement_);
    if (auto* edit = qobject_cast<QLineEdit*>(focusWidget())) edit->selectAll();
    exec();
}

QWidget* TemplateDialog::control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void TemplateDialog::setText(int id, const std::string& text) {
    QWidget* widget = control(id);
    const QString value = fromCp1252(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(value);
    else if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(value);
}

std::string TemplateDialog::text(int id) const {
    QWidget* widget = control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return toCp1252(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return toCp1252(edit->text());
    if (auto* button = qobject_cast<QPushButton*>(widget)) return toCp1252(button->text());
    return {};
}

void TemplateDialog::command(int id) {
    if (procedure_.onCommand(id, *this)) done(id);
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter presses the button that has the focus, and is "OK" everywhere else.
            if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
            else command(IDOK);
            break;
        case Qt::Key_Escape:
            command(IDCANCEL);
            break;
        default:
            QDialog::keyPressEvent(event);
    }
}

void TemplateDialog::reject() { command(IDCANCEL); }

QStringList nameFiltersFor(const std::vector<FileFilter>& filters) {
    QStringList result;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const QString& pattern : fromCp1252(filter.pattern).split(';', Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            if (p == "*.*" || p == "*") {
                patterns << "*";
                continue;
            }
            // Extensions are matched regardless of case, as the pictures users bring often have upper-case names.
            patterns << p;
            if (p.toUpper() != p) patterns << p.toUpper();
        }
        result << fromCp1252(filter.description) + " (" + patterns.join(' ') + ")";
    }
    return result;
}

std::optional<std::string> runFileChooser(QWidget* parent, const FileChooserRequest& request) {
    QFileDialog chooser(parent, titleText(request.title));
    chooser.setAcceptMode(request.forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    chooser.setFileMode(request.forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    chooser.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & OFN_OVERWRITEPROMPT) == 0);
    const QStringList filters = nameFiltersFor(request.filters);
    if (!filters.isEmpty()) chooser.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        chooser.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.initialName.empty()) chooser.selectFile(fromFileName(request.initialName));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return std::nullopt;
    return toFileName(chooser.selectedFiles().first());
}

std::optional<Color> runColourChooser(QWidget* parent, Color initial, std::array<Color, 16>& customColors) {
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, colourFromColorRef(customColors[i]));
    QColorDialog chooser(QColor(QRgb(0xFF000000u | (initial & 0xFFFFFFu))), parent);
    const bool chosen = chooser.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i) {
        // An entry the user left alone keeps its value whole, top byte included.
        const Color chosenEntry = colorRefFromColour(QColorDialog::customColor(i));
        if (chosenEntry != (customColors[i] & 0xFFFFFFu)) customColors[i] = chosenEntry;
    }
    if (!chosen) return std::nullopt;
    return static_cast<Color>(chooser.selectedColor().rgb() & 0xFFFFFFu);
}

}  // namespace vyd
