// Modal boxes: a message box shows the exact text, caption, icon and buttons and answers with the button
// pressed; a dialog built from a template lays out its controls in dialog units, hands commands to its
// procedure and gives back the edited texts as Windows-1252 bytes; chooser filters read as the program's.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "qt/qt_dialogs.h"
#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"

using namespace vyd;

namespace {

struct SeenBox { QString text, title; QMessageBox::Icon icon = QMessageBox::NoIcon; QMessageBox::StandardButtons buttons; };

// The question box of the program: a prompt, an answer field, "accept" and "cancel".
DialogTemplate questionTemplate() {
    return {"ASKDB", "", 10, 34, 300, 27,
            {{6, ControlKind::Static, 2, 1, 200, 12, " "},
             {11, ControlKind::Edit, 2, 13, 200, 12, ""},
             {1, ControlKind::Button, 201, 1, 40, 12, "accept"},
             {2, ControlKind::Button, 201, 13, 40, 12, "cancel"}}};
}

class QuestionProcedure : public DialogProcedure {
public:
    std::vector<int> commands;
    std::string answer = "unchanged";
    void onInit(DialogFields& fields) override {
        fields.setText(6, "theta in degrees?");
        fields.setText(11, "45\xB0");
    }
    // Cancel is refused: the dialog stays open.
    bool onCommand(int id, DialogFields& fields) override {
        commands.push_back(id);
        if (id == IDOK) answer = fields.text(11);
        return id == IDOK;
    }
};

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsTextCaptionIconAndButtons() {
        QtPlatform platform;
        struct Case { UINT flags; QMessageBox::StandardButton press; QMessageBox::Icon icon;
                      QMessageBox::StandardButtons buttons; int answer; };
        const Case cases[] = {
            {MB_OK | MB_ICONEXCLAMATION, QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok, IDOK},
            {MB_YESNO, QMessageBox::No, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No, IDNO},
            {MB_YESNOCANCEL | MB_ICONEXCLAMATION, QMessageBox::Cancel, QMessageBox::Warning,
             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, IDCANCEL},
        };
        for (const Case& c : cases) {
            SeenBox seen;
            testing::ModalAnswerer answerer([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box) return false;
                seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons()};
                box->button(c.press)->click();
                return true;
            });
            // The degree sign (0xB0) and the euro sign (0x80) of Windows-1252, and markup shown as it is.
            const int answer = platform.messageBox(Owner::None, "<b>90\xB0</b> costs \x80 5", "0 3 ", c.flags);
            QCOMPARE(answer, c.answer);
            QCOMPARE(seen.text, QString::fromUtf8("<b>90\u00B0</b> costs \u20AC 5"));
            QCOMPARE(seen.title, QString("0 3 "));
            QCOMPARE(seen.icon, c.icon);
            QCOMPARE(seen.buttons, c.buttons);
        }
    }

    void templateDialogLaysOutControlsAndReturnsTheEditedTextUnlessRefused() {
        QtPlatform platform;
        QuestionProcedure procedure;
        QStringList labels;
        QRect editGeometry;
        QString shownAnswer;
        bool stayedOpen = false;
        testing::ModalAnswerer answerer([&](QWidget* modal) {
            auto* dialog = dynamic_cast<TemplateDialog*>(modal);
            if (!dialog) return false;
            for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
            for (QPushButton* button : dialog->findChildren<QPushButton*>()) labels << button->text();
            auto* edit = qobject_cast<QLineEdit*>(dialog->control(11));
            editGeometry = edit->geometry();
            shownAnswer = edit->text();
            edit->setText(QString::fromUtf8("90\u00B0"));
            QTest::keyClick(edit, Qt::Key_Escape);
            qobject_cast<QPushButton*>(dialog->control(2))->click();
            stayedOpen = dialog->isVisible();
            QTest::keyClick(edit, Qt::Key_Return);
            return true;
        });
        platform.runDialog(questionTemplate(), procedure);
        labels.sort();
        QCOMPARE(labels, (QStringList{"accept", "cancel", "theta in degrees?"}));
        QCOMPARE(editGeometry, QRect(3, 26, 300, 24));  // (2, 13, 200, 12) in dialog units
        QCOMPARE(shownAnswer, QString::fromUtf8("45\u00B0"));
        QVERIFY(stayedOpen);
        QCOMPARE(procedure.commands, (std::vector<int>{IDCANCEL, IDCANCEL, IDOK}));
        QCOMPARE(procedure.answer, std::string("90\xB0"));
    }

    void chooserFiltersNameEveryPatternAndAllFiles() {
        const QStringList filters = nameFiltersFor({{"BMP files", "*.bmp"}, {"all files", "*.*"}, {"pictures", "*.gif;*.PCX"}});
        QCOMPARE(filters, (QStringList{"BMP files (*.bmp *.BMP)", "all files (*)", "pictures (*.gif *.GIF *.PCX)"}));
    }
};

QTEST_MAIN(DialogTest)
#include "qt_dialog_test.moc"
