// Form1 built with a fake process list, a recording launcher and a recorder of the messages
// it shows, on screen (offscreen) so that clicks and keys reach it as they reach a user's.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "scheduler/action_kind.h"
#include "support/fake_clock.h"
#include "support/fake_interface_table.h"
#include "support/fake_monotonic_clock.h"
#include "support/fake_process_list.h"
#include "support/fake_settings_store.h"
#include "support/recording_launcher.h"
#include "window/Form1.h"

// Failure messages show texts as the user reads them.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// An option button and the kind of action it chooses; a test parameter shown by its name.
struct OptionRow {
    const char* option;
    ActionKind kind;
};

inline void PrintTo(const OptionRow& row, std::ostream* out) {
    *out << row.option;
}

// The window's control of that name and kind; a test that names a missing one fails there.
template <class Control = QWidget>
Control* findControl(const QWidget& form, const char* name) {
    auto* found = form.findChild<Control*>(QLatin1String(name));
    if (found == nullptr) {
        throw std::runtime_error(std::string("no control named ") + name);
    }
    return found;
}

class Form1Test : public ::testing::Test {
  protected:
    struct ShownMessage {
        QString text;
        bool timer4Active;
    };

    Form1Test();

    template <class Control = QWidget>
    Control* control(const char* name) const {
        return findControl<Control>(*form_, name);
    }
    QTimer* timer(const char* name) const { return control<QTimer>(name); }
    // The command line this platform starts for a kind of 1 to 4.
    static std::string commandLineOf(ActionKind kind);

    void click(const char* name);
    void typeInto(const char* name, const QString& text);
    // One tick of the named timer, delivered through its timeout signal.
    void tick(const char* timerName);
    std::vector<QString> messageTexts() const;
    // Clicks the hidden Command3 and returns the rate value it showed.
    QString shownRate();

    FakeProcessList processes_{{0, 1, 4242, 5678}};
    RecordingLauncher launcher_;
    FakeInterfaceTable interfaceTable_;
    FakeSettingsStore settings_;
    FakeClock clock_{{2026, 3, 7, 8, 5, 0}};
    FakeMonotonicClock monotonicClock_;
    std::vector<ShownMessage> messages_;
    // Runs while a message is shown, as the box's own event loop would let timers run.
    std::function<void()> whileMessageShown_;
    std::unique_ptr<Form1> form_;
};
