// Keeps a top-level window at the one size its layout is drawn for: no maximize, no full screen
// and no other size stays, whoever asked for it.
#pragma once

#include <QObject>
#include <QSize>

class QWidget;

class WindowSizeKeeper final : public QObject {
    Q_OBJECT

  public:
    // Gives window the size and stays with it as its child.
    WindowSizeKeeper(QWidget& window, QSize size);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool departsFromOwnSize() const;
    void restoreOnNextTurn();
    void restore();

    QWidget& window_;
    const QSize size_;
    bool restoreQueued_ = false;
    // Set while the window leaves an imposed state at our request; what that reports is ours.
    bool leavingImposedState_ = false;
};
