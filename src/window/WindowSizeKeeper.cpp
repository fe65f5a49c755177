#include "window/WindowSizeKeeper.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QWidget>

namespace {

constexpr Qt::WindowStates kImposedStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// A Wayland compositor may configure any window maximized (a key binding, the maximize button
// Qt's own title bar always draws) and ends the connection unless the window then takes the
// configured size, which Qt keeps within the window's minimum and maximum: on a screen smaller
// than the window even a minimum alone breaks it. There the window's size is not bounded but
// brought back after the fact; everywhere else it is pinned.
bool compositorImposesSizes() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

WindowSizeKeeper::WindowSizeKeeper(QWidget& window, QSize size)
    : QObject(&window), window_(window), size_(size) {
    if (compositorImposesSizes()) {
        window_.resize(size_);
    } else {
        window_.setFixedSize(size_);
    }
    window_.installEventFilter(this);
}

bool WindowSizeKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && !leavingImposedState_ &&
        (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize)) {
        restoreOnNextTurn();
    }
    return QObject::eventFilter(watched, event);
}

bool WindowSizeKeeper::departsFromOwnSize() const {
    return (window_.windowState() & kImposedStates) || window_.size() != size_;
}

// The imposed state is first taken as it came, so that the window system sees it obeyed; the
// way back is a request of its own, on the event loop's next turn.
void WindowSizeKeeper::restoreOnNextTurn() {
    if (restoreQueued_ || !departsFromOwnSize()) {
        return;
    }
    restoreQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            restoreQueued_ = false;
            restore();
        },
        Qt::QueuedConnection);
}

// Leaving the imposed state brings back the size the window had before it. Until the window
// system has confirmed the state's end with a new size, the window keeps the imposed one: a
// compositor ends a client that resizes a window it still holds maximized.
void WindowSizeKeeper::restore() {
    if (window_.windowState() & kImposedStates) {
        const QScopedValueRollback leaving(leavingImposedState_, true);
        window_.setWindowState(window_.windowState() & ~kImposedStates);
    } else if (window_.size() != size_) {
        window_.resize(size_);
    }
}
