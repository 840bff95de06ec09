// One behaviour, two platforms: the same actions through the main window procedure on the headless
// platform (answers queued) and on the Qt platform (real menu items, drops, keys and close, boxes
// answered as they come up) must leave the same transcript.
#include <QAbstractButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QtTest>
#include <deque>
#include <sstream>

#include "app/app_state.h"
#include "app/startup.h"
#include "platform/headless_platform.h"
#include "platform/recording_platform.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"

using namespace vyd;

namespace {

constexpr int kNew = 1321, kToTwoColours = 1601, kWorkOnObject1 = 1329, kPcxHeader = 1282;
const QList<QUrl> kTwoFiles = {QUrl::fromLocalFile("/tmp/first.bmp"), QUrl::fromLocalFile("/tmp/second.bmp")};

// The actions, each as the headless platform and the Qt window receive it.
enum class Action { DropTwo, New, ToTwoColours, WorkOnObject1, PcxHeader, Escape, Close };
const Action kActions[] = {Action::DropTwo, Action::New,     Action::ToTwoColours, Action::WorkOnObject1,
                           Action::PcxHeader, Action::Escape, Action::Close,        Action::Close};

int commandOf(Action action) {
    switch (action) {
        case Action::New: return kNew;
        case Action::ToTwoColours: return kToTwoColours;
        case Action::WorkOnObject1: return kWorkOnObject1;
        case Action::PcxHeader: return kPcxHeader;
        default: return 0;
    }
}

std::string runHeadless() {
    std::ostringstream transcript;
    HeadlessPlatform headless;
    RecordingPlatform platform(headless, transcript);
    AppState app;
    if (!startApplication(app, platform, {})) return "start failed";
    headless.queueMessageBoxAnswer(IDOK);   // one file at a time please
    headless.queueDialogAnswer({true, {{3, "100"}}});
    headless.queueMessageBoxAnswer(IDNO);   // altered levels: do not exit yet
    headless.queueMessageBoxAnswer(IDYES);  // altered levels: exit
    for (Action action : kActions) {
        switch (action) {
            case Action::DropTwo:
                headless.setDroppedFiles({"/tmp/first.bmp", "/tmp/second.bmp"});
                headless.sendMessage(WM_DROPFILES, 1, 0);
                break;
            case Action::Escape:
                headless.sendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
                headless.sendMessage(WM_KEYUP, VK_ESCAPE, LPARAM{1} | KF_PREVIOUS_STATE | KF_TRANSITION);
                break;
            case Action::Close: headless.sendMessage(WM_CLOSE, 0, 0); break;
            default: headless.sendMessage(WM_COMMAND, static_cast<WPARAM>(commandOf(action)), 0);
        }
        headless.updateWindow();
    }
    return transcript.str();
}

}  // namespace

class TwoPlatformsTest : public QObject {
    Q_OBJECT

private slots:
    void headlessAndQtLeaveTheSameTranscript() {
        const std::string expected = runHeadless();
        QVERIFY(expected.find("dragdrop") != std::string::npos);
        QVERIFY(expected.find("dialog VYDNEWIMAGE") != std::string::npos);
        QVERIFY(expected.find("menu null") != std::string::npos);
        QVERIFY(expected.find("quit 0") != std::string::npos);

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
        for (Action action : kActions) {
            switch (action) {
                case Action::DropTwo: {
                    QMimeData data;
                    data.setUrls(kTwoFiles);
                    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                    QApplication::sendEvent(&qt.window(), &enter);
                    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                    QApplication::sendEvent(&qt.window(), &drop);
                    QTRY_VERIFY(transcript.str().find("dragdrop") != std::string::npos);
                    break;
                }
                case Action::Escape: QTest::keyClick(&qt.canvas(), Qt::Key_Escape); break;
                case Action::Close: {
                    QCloseEvent close;
                    QApplication::sendEvent(&qt.window(), &close);
                    break;
                }
                default: {
                    QAction* item = testing::itemWithId(bar, commandOf(action));
                    QVERIFY(item);
                    item->trigger();
                }
            }
            // Whatever a message loop with an empty queue would deliver, then the pending repaint.
            QTest::qWait(10);
            QTRY_VERIFY(!qt.hasUpdateRegion() || qt.quitRequested());
            qt.updateWindow();
        }
        QVERIFY(answers.empty());
        QVERIFY(qt.quitRequested());
        QCOMPARE(QString::fromStdString(transcript.str()), QString::fromStdString(expected));
    }
};

QTEST_MAIN(TwoPlatformsTest)
#include "qt_two_platforms_test.moc"
