// Form1 built on fakes and a recorder of the messages it shows, on screen (offscreen) so that
// clicks and keys reach it as they reach a user's.
#pragma once

#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "support/fake_clock.h"
#include "support/fake_interface_table.h"
#include "support/fake_monotonic_clock.h"
#include "support/fake_process_watch.h"
#include "support/fake_settings_store.h"
#include "support/recording_launcher.h"
#include "window/Form1.h"

// What 确定 shows once a panel is armed.
inline const QString kArmed = QStringLiteral("设置成功!");

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class Form1Test : public ::testing::Test {
  protected:
    void SetUp() override { start(); }
    // Builds and shows a new window on the fakes as they stand.
    void start();
    template <class Control = QWidget>
    Control* control(const char* name) const {
        auto* found = form_->findChild<Control*>(QLatin1String(name));
        if (found == nullptr) {
            throw std::runtime_error(std::string("no control named ") + name);
        }
        return found;
    }
    QTimer* timer(const char* name) const { return control<QTimer>(name); }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    void typeInto(const char* name, const QString& text);
    // One tick of the named timer, delivered through its timeout signal.
    void tick(const char* timerName) { QMetaObject::invokeMethod(timer(timerName), "timeout"); }
    // One tmrUpdate tick this long after the last.
    void tickAfter(std::int64_t milliseconds) {
        monotonicClock_.advanceMilliseconds(milliseconds);
        tick("tmrUpdate");
    }

    FakeProcessWatch processes_{{1, 4242, 5678}};
    RecordingLauncher launcher_;
    FakeInterfaceTable table_;
    FakeSettingsStore settings_;
    FakeClock clock_{{2026, 3, 7, 8, 5, 0}};
    FakeMonotonicClock monotonicClock_;
    std::vector<QString> messages_;
    std::vector<std::string> log_;
    // Whether Timer4 was running as each message was shown.
    std::vector<bool> timer4WhenShown_;
    // Runs while a message is shown, as the box's own event loop lets timers run.
    std::function<void()> whileMessageShown_;
    std::unique_ptr<Form1> form_;
};
