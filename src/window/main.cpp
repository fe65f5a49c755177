#include <QApplication>

#include "window/Form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    return QApplication::exec();
}
