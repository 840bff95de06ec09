// The main window's menu bars built from the menu descriptions: the main menu and the null menu, with
// items addressed by popup position and item position or by identifier, as the logic addresses them.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <memory>
#include <vector>

#include "platform_api/platform.h"

namespace vyd {

class MenuBarModel {
public:
    // Called with the identifier of every item the user chooses.
    using CommandSink = std::function<void(int id)>;

    explicit MenuBarModel(CommandSink sink);
    ~MenuBarModel();
    MenuBarModel(const MenuBarModel&) = delete;
    MenuBarModel& operator=(const MenuBarModel&) = delete;

    void build(const std::vector<MenuItem>& mainMenu, const std::vector<MenuItem>& nullMenu);
    // Shows the chosen menu in the bar (MenuBar::None leaves it empty).
    void attach(QMenuBar& bar, MenuBar which);
    MenuBar attached() const { return attached_; }

    // The main menu's popup at a bar position; items count separators, as positions do. A plain item on
    // the bar has no items; a position past the bar gives -1 and nothing.
    int itemCount(int popup) const;
    QMenu* popup(int popup) const;
    void append(int popup, int id, const std::string& text);
    void enableByPosition(int popup, int position, bool enabled);
    void check(int id, bool checked);

private:
    QAction* makeItem(const MenuItem& item, QObject* parent);

    CommandSink sink_;
    std::unique_ptr<QObject> owner_;            // owns the plain actions of both bars
    std::vector<std::unique_ptr<QMenu>> menus_;  // the popups of the main menu
    std::vector<QAction*> mainBar_;             // the main bar's entries, in order
    std::vector<QMenu*> popupAt_;               // the popup of each entry, or nullptr for a plain item
    std::vector<QAction*> nullBar_;
    MenuBar attached_ = MenuBar::None;
};

}  // namespace vyd
