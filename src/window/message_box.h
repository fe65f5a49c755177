// The program's message box: modal, an OK button only, no icon, titled "蓝禾自动关机".
#pragma once

#include <QString>

class QWidget;

// Shows the text over parent and returns once the user has closed the box.
void showMessageBox(QWidget* parent, const QString& text);
