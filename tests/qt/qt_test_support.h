// Helpers shared by the Qt front-end tests: a window procedure that records what reaches it, and an
// answerer that deals with modal boxes from a timer while they run.
#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

#include "platform_api/win32.h"

namespace vyd::testing {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Message&) const = default;
};

struct MessageLog {
    std::vector<Message> messages;
    template <class Keep>
    std::vector<Message> where(Keep keep) const {
        std::vector<Message> found;
        std::ranges::copy_if(messages, std::back_inserter(found), keep);
        return found;
    }
    std::vector<Message> only(UINT kind) const { return where([=](const Message& m) { return m.message == kind; }); }
    // The messages other than the ones the window system sends on its own (focus, size, paint).
    std::vector<Message> input() const {
        return where([](const Message& m) {
            return m.message != WM_SETFOCUS && m.message != WM_KILLFOCUS && m.message != WM_SIZE && m.message != WM_PAINT;
        });
    }
};

// The bar's item sending command `id`, on the bar itself or in one of its popups; null when there is none.
inline QAction* itemWithId(QMenuBar& bar, int id) {
    for (QAction* top : bar.actions()) {
        if (!top->menu() && top->data().toInt() == id) return top;
        for (QAction* item : top->menu() ? top->menu()->actions() : QList<QAction*>{}) {
            if (!item->isSeparator() && item->data().toInt() == id) return item;
        }
    }
    return nullptr;
}

// Drags the files onto the window and drops them there.
inline void dropFiles(QWidget& window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

// Calls `handle` with the active modal widget every few milliseconds while it is installed; `handle`
// returns true when it has dealt with the widget.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<bool(QWidget*)> handle) : handle_(std::move(handle)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (handle_(modal)) ++handled_;
            }
        });
        timer_.start(5);
    }
    int handled() const { return handled_; }

private:
    std::function<bool(QWidget*)> handle_;
    QTimer timer_;
    int handled_ = 0;
};

}  // namespace vyd::testing
