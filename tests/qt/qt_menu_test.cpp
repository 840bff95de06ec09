// The real menu bar against the description it is built from, the level items start-up appends, check marks
// and greying by position, and the commands the items send.
#include <QMenuBar>
#include <QtTest>

#include "app/app_state.h"
#include "app/command_table.h"
#include "app/startup.h"
#include "qt/cp1252.h"
#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"

using namespace vyd;
using vyd::testing::itemWithId;

namespace {

// The bar must show the description it was built from: popups, texts, identifiers, separators, check marks.
void compareWithDescription(QMenuBar& bar, const std::vector<MenuItem>& description) {
    const QList<QAction*> tops = bar.actions();
    QCOMPARE(tops.size(), static_cast<qsizetype>(description.size()));
    for (size_t p = 0; p < description.size(); ++p) {
        const MenuItem& want = description[p];
        QCOMPARE(tops[p]->text(), fromCp1252(want.text));
        QCOMPARE(tops[p]->menu() != nullptr, !want.items.empty());
        if (!tops[p]->menu()) {
            QCOMPARE(tops[p]->data().toInt(), want.id);
            continue;
        }
        const QList<QAction*> items = tops[p]->menu()->actions();
        QCOMPARE(items.size(), static_cast<qsizetype>(want.items.size()));
        auto shown = [](bool separator, const QString& text, int id, bool checked) {
            return separator ? QString("-") : QString("%1 #%2%3").arg(text).arg(id).arg(checked ? " checked" : "");
        };
        for (size_t i = 0; i < want.items.size(); ++i) {
            QCOMPARE(shown(items[i]->isSeparator(), items[i]->text(), items[i]->data().toInt(), items[i]->isChecked()),
                     shown(want.items[i].separator, fromCp1252(want.items[i].text), want.items[i].id, want.items[i].checked));
        }
    }
}

}  // namespace

class MenuTest : public QObject {
    Q_OBJECT

private slots:
    void theBarShowsItsDescriptionAndStartUpAppendsTheLevels() {
        {
            QtPlatform platform;
            platform.setMenus(mainMenuDescription(), nullMenuDescription());
            platform.attachMenu(MenuBar::Main);
            compareWithDescription(*platform.window().menuBar(), mainMenuDescription());
            platform.attachMenu(MenuBar::Null);
            compareWithDescription(*platform.window().menuBar(), nullMenuDescription());
        }
        // Start-up appends the items of levels 2 to 15 to "&Levels"; only the background's item is checked.
        QtPlatform platform;
        AppState app;
        QVERIFY(startApplication(app, platform, {}));
        QMenuBar& bar = *platform.window().menuBar();
        QCOMPARE(platform.menuItemCount(kLevelsPopup),
                 static_cast<int>(mainMenuDescription()[kLevelsPopup].items.size()) + 14);
        for (int i = 0; i < 16; ++i) {
            QAction* item = itemWithId(bar, kFirstLevelCommand + i);
            QVERIFY(item);
            QCOMPARE(item->isChecked(), i == 0);
            if (i >= 2) QCOMPARE(item->text(), QString("work on object &%1").arg(i));
        }
    }

    void itemsSendTheirCommandsAndKeepTheProgramsCheckMarks() {
        QtPlatform platform;
        testing::MessageLog log;
        platform.setWindowProcedure([&](UINT m, WPARAM w, LPARAM l) {
            log.messages.push_back({m, w, l});
            return LRESULT{0};
        });
        platform.setMenus(mainMenuDescription(), nullMenuDescription());
        platform.attachMenu(MenuBar::Main);
        QMenuBar& bar = *platform.window().menuBar();

        QAction* background = itemWithId(bar, 1328);
        QVERIFY(background && background->isChecked());
        background->trigger();
        QCOMPARE(log.only(WM_COMMAND).size(), size_t{1});
        QCOMPARE(log.only(WM_COMMAND)[0].wParam, WPARAM{1328});
        QVERIFY2(background->isChecked(), "choosing an item must not move its check mark");

        platform.checkMenuItem(1328, false);
        platform.checkMenuItem(1329, true);
        QVERIFY(!background->isChecked());
        QVERIFY(itemWithId(bar, 1329)->isChecked());

        // Positions count separators: in "&Levels" the background's item follows ten items and a separator.
        const int position = platform.menuItemCount(kLevelsPopup) - 2;
        QCOMPARE(position, 11);
        platform.enableMenuItemByPosition(kLevelsPopup, position + 1, false);
        QVERIFY(!itemWithId(bar, 1329)->isEnabled());
        QVERIFY(background->isEnabled());
        platform.appendMenuItem(kLevelsPopup, 1330, "work on object &2");
        QCOMPARE(platform.menuItemCount(kLevelsPopup), position + 3);
        itemWithId(bar, 1330)->trigger();
        QCOMPARE(LOWORD(log.only(WM_COMMAND).back().wParam), uint16_t{1330});

        // The main menu returns after the null menu with its items' states.
        platform.attachMenu(MenuBar::Null);
        platform.attachMenu(MenuBar::Main);
        QCOMPARE(bar.actions().size(), static_cast<qsizetype>(mainMenuDescription().size()));
        QVERIFY(!itemWithId(bar, 1329)->isEnabled());
    }
};

QTEST_MAIN(MenuTest)
#include "qt_menu_test.moc"
