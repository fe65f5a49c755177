// cboConnectionType: a drop-down list that lies below the visible client area. It keeps its
// place in the tab order and its keys, but its list, a window of its own, never opens.
#pragma once

#include <QComboBox>

class HiddenSelector final : public QComboBox {
    Q_OBJECT

  public:
    explicit HiddenSelector(QWidget* parent);

    // F4, Alt+Down, Space and the mouse all come here: the monitor never shows on screen.
    void showPopup() override;

  protected:
    void changeEvent(QEvent* event) override;
};
