#include <QApplication>
#include <memory>

#include "platform/clock.h"
#include "platform/interface_table.h"
#include "platform/monotonic_clock.h"
#include "platform/process_launcher.h"
#include "platform/process_watch.h"
#include "platform/settings_store.h"
#include "window/Form1.h"
#include "window/QtSettingsStore.h"
#include "window/message_box.h"
#include "window/qt_translation.h"

namespace {

// The platform layer's own reader where it has one (the registry on Windows), QSettings else.
std::unique_ptr<SettingsStore> makeUserSettingsStore() {
    if (std::unique_ptr<SettingsStore> store = makeSystemSettingsStore()) {
        return store;
    }
    return std::make_unique<QtSettingsStore>();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installChineseQtTexts(app);
    const std::unique_ptr<ProcessWatch> processes = makeSystemProcessWatch();
    const std::unique_ptr<ProcessLauncher> launcher = makeSystemProcessLauncher();
    const std::unique_ptr<InterfaceTable> interfaceTable = makeSystemInterfaceTable();
    const std::unique_ptr<SettingsStore> settings = makeUserSettingsStore();
    const std::unique_ptr<Clock> clock = makeSystemClock();
    const std::unique_ptr<MonotonicClock> monotonicClock = makeSystemMonotonicClock();
    Form1 window({*processes, *launcher, *interfaceTable, *settings, *clock, *monotonicClock},
                 [&window](const QString& text) { showMessageBox(&window, text); });
    window.show();
    return QApplication::exec();
}
