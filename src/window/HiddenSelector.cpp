#include "window/HiddenSelector.h"

#include <QAbstractItemView>
#include <QEvent>

HiddenSelector::HiddenSelector(QWidget* parent) : QComboBox(parent) {}

void HiddenSelector::showPopup() {}

// On a font change QComboBox builds its list (a window, a view and their item machinery, most
// of a megabyte of code and data for a list that never opens) only to hand it the font. Until
// something has built the list, the change stops here: a list built later inherits the font.
void HiddenSelector::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && findChild<QAbstractItemView*>() == nullptr) {
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}
