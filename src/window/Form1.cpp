#include "window/Form1.h"

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("蓝禾自动关机"));
}
