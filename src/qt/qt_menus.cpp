#include "qt/qt_menus.h"

#include "qt/cp1252.h"

namespace vyd {

MenuBarModel::MenuBarModel(CommandSink sink) : sink_(std::move(sink)), owner_(std::make_unique<QObject>()) {}

MenuBarModel::~MenuBarModel() = default;

QAction* MenuBarModel::makeItem(const MenuItem& item, QObject* parent) {
    // Menu texts mark accelerators with '&' and a literal ampersand with "&&", as Qt does; text after a
    // tab is shown as the item's shortcut.
    auto* action = new QAction(fromCp1252(item.text), parent);
    action->setData(item.id);
    // Only a checked item shows a check box, as a menu shows only the check mark.
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    QObject::connect(action, &QAction::triggered, action, [this, action](bool checked) {
        // Check marks change only when the program sets them.
        if (action->isCheckable()) action->setChecked(!checked);
        sink_(action->data().toInt());
    });
    return action;
}

void MenuBarModel::build(const std::vector<MenuItem>& mainMenu, const std::vector<MenuItem>& nullMenu) {
    mainBar_.clear();
    popupAt_.clear();
    nullBar_.clear();
    menus_.clear();
    owner_ = std::make_unique<QObject>();
    for (const MenuItem& entry : mainMenu) {
        if (entry.items.empty()) {
            mainBar_.push_back(makeItem(entry, owner_.get()));
            popupAt_.push_back(nullptr);
            continue;
        }
        auto menu = std::make_unique<QMenu>(fromCp1252(entry.text));
        for (const MenuItem& item : entry.items) {
            if (item.separator) menu->addSeparator();
            else menu->addAction(makeItem(item, menu.get()));
        }
        mainBar_.push_back(menu->menuAction());
        popupAt_.push_back(menu.get());
        menus_.push_back(std::move(menu));
    }
    for (const MenuItem& entry : nullMenu) nullBar_.push_back(makeItem(entry, owner_.get()));
}

void MenuBarModel::attach(QMenuBar& bar, MenuBar which) {
    bar.clear();
    if (which == MenuBar::Main) {
        for (QAction* action : mainBar_) bar.addAction(action);
    } else if (which == MenuBar::Null) {
        for (QAction* action : nullBar_) bar.addAction(action);
    }
    attached_ = which;
}

QMenu* MenuBarModel::popup(int popup) const {
    if (popup < 0 || popup >= static_cast<int>(popupAt_.size())) return nullptr;
    return popupAt_[popup];
}

int MenuBarModel::itemCount(int popup) const {
    if (popup < 0 || popup >= static_cast<int>(popupAt_.size())) return -1;
    QMenu* menu = popupAt_[popup];
    return menu ? static_cast<int>(menu->actions().size()) : 0;
}

void MenuBarModel::append(int popup, int id, const std::string& text) {
    QMenu* menu = this->popup(popup);
    if (!menu) return;
    MenuItem item;
    item.id = id;
    item.text = text;
    menu->addAction(makeItem(item, menu));
}

void MenuBarModel::enableByPosition(int popup, int position, bool enabled) {
    QMenu* menu = this->popup(popup);
    if (!menu) return;
    const QList<QAction*> actions = menu->actions();
    if (position >= 0 && position < actions.size()) actions[position]->setEnabled(enabled);
}

namespace {
void setCheck(QAction* action, bool checked) {
    action->setCheckable(checked);
    action->setChecked(checked);
}
}  // namespace

void MenuBarModel::check(int id, bool checked) {
    for (size_t i = 0; i < mainBar_.size(); ++i) {
        if (!popupAt_[i] && mainBar_[i]->data().toInt() == id) setCheck(mainBar_[i], checked);
    }
    for (const auto& menu : menus_) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->data().toInt() == id) setCheck(action, checked);
        }
    }
}

}  // namespace vyd
