#include "window/message_box.h"

#include <QMessageBox>

#include "scheduler/messages.h"
#include "window/qt_text.h"

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, toQString(kApplicationTitle), text, QMessageBox::Ok,
                    parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
