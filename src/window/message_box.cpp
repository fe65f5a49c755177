#include "window/message_box.h"

#include <QMessageBox>

#include "scheduler/messages.h"
#include "window/qt_text.h"

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, toQString(kApplicationTitle), text, QMessageBox::Ok,
                    parent);
    // A refusal quotes a command's error output: shown as it stands, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
