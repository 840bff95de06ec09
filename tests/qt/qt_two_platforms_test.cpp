// One behaviour, two platforms: the same actions as a script on the headless platform and on the Qt
// platform (real menu items, drops, keys and close, boxes answered as they come up) must leave the same
// transcript.
#include <QAbstractButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QtTest>
#include <deque>
#include <sstream>

#include "app/app_state.h"
#include "app/startup.h"
#include "platform/recording_platform.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"
#include "support/run.h"

using namespace vyd;

namespace {

// Dropping two files, a new image of width 100, 2-color, work on object 1, the PCX header page, Escape, and
// closing twice: answered No, then Yes.
const char* const kSteps[] = {"drop /tmp/first.bmp /tmp/second.bmp", "menu 1321", "menu 1601", "menu 1329",
                              "menu 1282", "key ESCAPE", "close", "close"};
const char* const kAnswers[] = {"", "dialog accept 3=100\n", "", "", "", "", "answer no\n", "answer yes\n"};

}  // namespace

class TwoPlatformsTest : public QObject {
    Q_OBJECT

private slots:
    void headlessAndQtLeaveTheSameTranscript() {
        std::string script;
        for (size_t i = 0; i < std::size(kSteps); ++i) script += kAnswers[i] + std::string(kSteps[i]) + "\n";
        const vydtest::Outcome headless = vydtest::script(script);
        QCOMPARE(headless.status, 0);
        QVERIFY(headless.out.find("quit 0") != std::string::npos);

        std::ostringstream transcript;
        QtPlatform qt;
        RecordingPlatform platform(qt, transcript);
        std::deque<QMessageBox::StandardButton> answers = {QMessageBox::Ok, QMessageBox::No, QMessageBox::Yes};
        testing::ModalAnswerer answerer([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                if (answers.empty()) return false;
                box->button(answers.front())->click();
                answers.pop_front();
                return true;
            }
            if (auto* dialog = dynamic_cast<TemplateDialog*>(modal)) {
                qobject_cast<QLineEdit*>(dialog->control(3))->setText("100");
                QTest::keyClick(dialog, Qt::Key_Return);
                return true;
            }
            return false;
        });
        AppState app;
        QVERIFY(startApplication(app, platform, {}));
        QVERIFY(QTest::qWaitForWindowExposed(&qt.window()));
        QMenuBar& bar = *qt.window().menuBar();
        for (const std::string step : kSteps) {
            if (step.starts_with("drop")) {
                testing::dropFiles(qt.window(),
                                   {QUrl::fromLocalFile("/tmp/first.bmp"), QUrl::fromLocalFile("/tmp/second.bmp")});
                QTRY_VERIFY(transcript.str().find("dragdrop") != std::string::npos);
            } else if (step.starts_with("key")) {
                QTest::keyClick(&qt.canvas(), Qt::Key_Escape);
            } else if (step.starts_with("close")) {
                QCloseEvent close;
                QApplication::sendEvent(&qt.window(), &close);
            } else {
                QAction* item = testing::itemWithId(bar, std::stoi(step.substr(5)));
                QVERIFY(item);
                item->trigger();
            }
            // Whatever a message loop with an empty queue would deliver, then the pending repaint.
            QTest::qWait(10);
            QTRY_VERIFY(!qt.hasUpdateRegion() || qt.quitRequested());
            qt.updateWindow();
        }
        QVERIFY(answers.empty());
        QVERIFY(qt.quitRequested());
        QCOMPARE(QString::fromStdString(transcript.str()), QString::fromStdString(headless.out));
    }
};

QTEST_MAIN(TwoPlatformsTest)
#include "qt_two_platforms_test.moc"
