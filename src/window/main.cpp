#include <QApplication>
#include <cstdlib>
#include <memory>

#include "platform/clock.h"
#include "platform/interface_table.h"
#include "platform/monotonic_clock.h"
#include "platform/process_launcher.h"
#include "platform/process_watch.h"
#include "platform/running_mark.h"
#include "platform/settings_store.h"
#include "window/Form1.h"
#include "window/QtSettingsStore.h"
#include "window/message_box.h"
#include "window/qt_translation.h"
#include "window/start_up.h"

namespace {

// The operating system's services, kept as long as the window that uses them.
struct SystemServices {
    std::unique_ptr<ProcessWatch> processes = makeSystemProcessWatch();
    std::unique_ptr<ProcessLauncher> launcher = makeSystemProcessLauncher();
    std::unique_ptr<InterfaceTable> interfaceTable = makeSystemInterfaceTable();
    std::unique_ptr<SettingsStore> settings = makeUserSettingsStore();
    std::unique_ptr<Clock> clock = makeSystemClock();
    std::unique_ptr<MonotonicClock> monotonicClock = makeSystemMonotonicClock();

    Form1Services forForm1() const {
        return {*processes, *launcher, *interfaceTable, *settings, *clock, *monotonicClock};
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<RunningMark> running = markProgramRunning();
    QApplication app(argc, argv);
    installChineseQtTexts(app);
    std::unique_ptr<SystemServices> system;
    std::unique_ptr<Form1> window;
    const ShowMessage showOverWindow = [&window](const QString& text) {
        showMessageBox(window.get(), text);
    };
    const bool started = startUpOrReport(
        [&] {
            system = std::make_unique<SystemServices>();
            window = std::make_unique<Form1>(system->forForm1(), showOverWindow);
            window->show();
        },
        showOverWindow);
    return started ? QApplication::exec() : EXIT_FAILURE;
}
