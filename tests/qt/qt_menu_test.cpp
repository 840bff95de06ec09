// The real menu bar against the command table: popups, item texts, identifiers, separators, the
// appended level items, check marks and greying by position, and the commands the items send.
#include <QMenuBar>
#include <QtTest>

#include "app/app_state.h"
#include "app/command_table.h"
#include "app/startup.h"
#include "qt/cp1252.h"
#include "qt/qt_platform.h"
#include "qt/qt_test_support.h"

using namespace vyd;

namespace {

struct Entry {
    QString popup;  // empty for an item on the bar itself
    QString text;
    int id;
    bool separator;
};

// What the menu bar must hold: the command table in order, with the fourteen level items that start-up
// appends to "&Levels" after "work on object &1".
std::vector<Entry> expectedEntries() {
    std::vector<Entry> entries;
    for (const CommandEntry& command : commandTable()) {
        const QString popup = command.popup ? QString::fromLatin1(command.popup) : QString();
        entries.push_back({popup, command.text ? QString::fromLatin1(command.text) : QString(), command.id,
                           command.text == nullptr});
        if (command.id == 1329) {
            for (int n = 2; n <= 15; ++n) entries.push_back({popup, QString("work on object &%1").arg(n), 1328 + n, false});
        }
    }
    return entries;
}

std::vector<Entry> actualEntries(QMenuBar& bar) {
    std::vector<Entry> entries;
    for (QAction* top : bar.actions()) {
        if (!top->menu()) {
            entries.push_back({QString(), top->text(), top->data().toInt(), false});
            continue;
        }
        for (QAction* item : top->menu()->actions())
            entries.push_back({top->text(), item->text(), item->isSeparator() ? 0 : item->data().toInt(), item->isSeparator()});
    }
    return entries;
}

QAction* itemWithId(QMenuBar& bar, int id) {
    for (QAction* top : bar.actions()) {
        if (!top->menu() && top->data().toInt() == id) return top;
        if (!top->menu()) continue;
        for (QAction* item : top->menu()->actions()) {
            if (!item->isSeparator() && item->data().toInt() == id) return item;
        }
    }
    return nullptr;
}

}  // namespace

class MenuTest : public QObject {
    Q_OBJECT

private slots:
    void startUpBuildsTheCommandTableAsMenuBar() {
        QtPlatform platform;
        AppState app;
        QVERIFY(startApplication(app, platform, {}));
        QMenuBar& bar = *platform.window().menuBar();

        const std::vector<Entry> expected = expectedEntries();
        const std::vector<Entry> actual = actualEntries(bar);
        QCOMPARE(actual.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const QString where = QString("entry %1 (%2)").arg(i).arg(expected[i].text);
            QVERIFY2(actual[i].popup == expected[i].popup, qPrintable(where + " popup " + actual[i].popup));
            QVERIFY2(actual[i].text == expected[i].text, qPrintable(where + " text " + actual[i].text));
            QVERIFY2(actual[i].id == expected[i].id, qPrintable(where));
            QVERIFY2(actual[i].separator == expected[i].separator, qPrintable(where));
        }
        // The fourth popup is "&Levels", and only the background's item carries the check mark.
        QCOMPARE(bar.actions().at(kLevelsPopup)->text(), QString("&Levels"));
        for (int i = 0; i < 16; ++i) QCOMPARE(itemWithId(bar, 1328 + i)->isChecked(), i == 0);
        // Shortcut texts follow a tab, as the menu shows them in their own column.
        QCOMPARE(itemWithId(bar, 1307)->text(), QString("&hide/show current level\tctrl-H"));
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
        QCOMPARE(LOWORD(log.only(WM_COMMAND)[0].wParam), uint16_t{1328});
        QCOMPARE(HIWORD(log.only(WM_COMMAND)[0].wParam), uint16_t{0});
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

        // The null menu replaces the bar while an information page is shown, and the main menu returns.
        platform.attachMenu(MenuBar::Null);
        QCOMPARE(bar.actions().size(), qsizetype{1});
        QCOMPARE(bar.actions().at(0)->text(), fromCp1252(kNullMenuText));
        QCOMPARE(bar.actions().at(0)->data().toInt(), kNullMenuItem);
        platform.attachMenu(MenuBar::Main);
        QCOMPARE(bar.actions().size(), static_cast<qsizetype>(mainMenuDescription().size()));
        QVERIFY(!itemWithId(bar, 1329)->isEnabled());
    }
};

QTEST_MAIN(MenuTest)
#include "qt_menu_test.moc"
