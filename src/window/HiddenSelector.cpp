#include "window/HiddenSelector.h"

HiddenSelector::HiddenSelector(QWidget* parent) : QComboBox(parent) {}

void HiddenSelector::showPopup() {}
