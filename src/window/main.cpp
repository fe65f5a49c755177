#include <QApplication>
#include <memory>

#include "platform/process_launcher.h"
#include "platform/process_list.h"
#include "window/Form1.h"
#include "window/message_box.h"
#include "window/qt_translation.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installChineseQtTexts(app);
    const std::unique_ptr<ProcessList> processes = makeSystemProcessList();
    const std::unique_ptr<ProcessLauncher> launcher = makeSystemProcessLauncher();
    Form1 window({*processes, *launcher},
                 [&window](const QString& text) { showMessageBox(&window, text); });
    window.show();
    return QApplication::exec();
}
