// Start-up and the monitor tick in the window: the selector and its selection, the clock
// fields, PIC1, the captions, and tmrUpdate around each tick. The window is built after the
// table and the setting are in place and never shown, so no real timer ever ticks here.
#include <gmock/gmock.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QTimer>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "form1_fixture.h"
#include "monitor_test_support.h"
#include "support/fake_clock.h"
#include "support/fake_interface_table.h"
#include "support/fake_monotonic_clock.h"
#include "support/fake_process_list.h"
#include "support/fake_settings_store.h"
#include "support/recording_launcher.h"
#include "window/Form1.h"
#include "window/Pic1Surface.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;

class MonitorWindow : public ::testing::Test {
  protected:
    Form1& start() {
        form_ = std::make_unique<Form1>(
            Form1Services{processes_, launcher_, table_, settings_, clock_, monotonicClock_},
            [](const QString&) {});
        return *form_;
    }
    void storeConnection(const char* value) {
        settings_.store("蓝禾自动关机", "Setting", "Connection", value);
    }

    template <class Control = QWidget>
    Control* control(const char* name) const {
        return findControl<Control>(*form_, name);
    }
    QComboBox* selector() const { return control<QComboBox>("cboConnectionType"); }
    QString caption(const char* label) const { return control<QLabel>(label)->text(); }
    QStringList selectorItems() const {
        QStringList items;
        for (int i = 0; i < selector()->count(); ++i) {
            items.append(selector()->itemText(i));
        }
        return items;
    }
    // One tick of tmrUpdate, delivered through its timeout signal, after the given time.
    void tickAfter(std::int64_t milliseconds) {
        monotonicClock_.advanceMilliseconds(milliseconds);
        QMetaObject::invokeMethod(control<QTimer>("tmrUpdate"), "timeout");
    }

    FakeProcessList processes_{{1}};
    RecordingLauncher launcher_;
    FakeInterfaceTable rows_{{interfaceRow("eth0"), interfaceRow("wlan0"), interfaceRow("lo")}};
    ProbedTable table_{rows_};
    FakeSettingsStore settings_;
    FakeClock clock_{{2026, 3, 7, 8, 5, 0}};
    FakeMonotonicClock monotonicClock_;
    std::unique_ptr<Form1> form_;
};

struct SelectionRow {
    const char* name;
    const char* stored;  // nothing stored when null
    int selected;
};

void PrintTo(const SelectionRow& row, std::ostream* out) {
    *out << (row.stored != nullptr ? row.stored : "(nothing stored)");
}

class StoredConnection : public MonitorWindow,
                         public ::testing::WithParamInterface<SelectionRow> {};

TEST_P(StoredConnection, SelectsItsEntryAmongThreeInterfaces) {
    if (GetParam().stored != nullptr) {
        storeConnection(GetParam().stored);
    }
    start();
    EXPECT_EQ(selectorItems(), QStringList({"eth0 ", "wlan0 ", "lo "}));
    EXPECT_EQ(selector()->currentIndex(), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(Settings, StoredConnection,
                         ::testing::Values(SelectionRow{"NothingStored", nullptr, 0},
                                           SelectionRow{"Two", "2", 2},
                                           SelectionRow{"ThreeIsPastTheEnd", "3", 0},
                                           SelectionRow{"MinusOneIsNone", "-1", -1},
                                           SelectionRow{"BelowMinusOneIsNone", "-2", -1},
                                           SelectionRow{"NoNumber", "abc", 0},
                                           SelectionRow{"OneAndAHalfRoundsToEven", "1.5", 2},
                                           SelectionRow{"HalfRoundsToEvenZero", "0.5", 0},
                                           SelectionRow{"LeadingNumber", "2xyz", 2}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(MonitorWindow, EmptyTableStartsWithoutSelectionAndKeepsTicking) {
    rows_.setRows({});
    storeConnection("1");
    start();
    EXPECT_EQ(selector()->count(), 0);
    EXPECT_EQ(selector()->currentIndex(), -1);

    tickAfter(100);
    tickAfter(100);
    EXPECT_EQ(caption("lblType"), "TokenRing ");
    EXPECT_EQ(caption("lblRecv"), "Label1");
    EXPECT_TRUE(control<QTimer>("tmrUpdate")->isActive());
}

TEST_F(MonitorWindow, ClockFieldsShowThePresentTimeWithoutLeadingZeros) {
    struct Row {
        DateTimeFields now;
        QStringList texts;
    };
    const Row rows[] = {
        {{2026, 3, 7, 8, 5, 0}, {"2026", "3", "7", "8", "5"}},
        {{2026, 12, 31, 23, 59, 59}, {"2026", "12", "31", "23", "59"}},
        {{2030, 1, 1, 0, 0, 0}, {"2030", "1", "1", "0", "0"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.texts.join(' ').toStdString());
        clock_.set(row.now);
        start();
        QStringList shown;
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
            shown.append(control<QLineEdit>(name)->text());
        }
        EXPECT_EQ(shown, row.texts);
    }
}

TEST_F(MonitorWindow, GraphIsDrawnOnPic1FromTheFirstTickOn) {
    start();
    auto* pic1 = control<Pic1Surface>("PIC1");
    EXPECT_EQ(pic1->backgroundColor(), 0xF0F0F0u) << "start-up draws nothing";

    tickAfter(100);
    EXPECT_EQ(pic1->backgroundColor(), 0x000000u);
}

TEST_F(MonitorWindow, TicksWriteTheCaptionsInBytesPerSecond) {
    rows_.setRows({interfaceRow("eth0", 1'536'000), interfaceRow("wlan0")});
    storeConnection("1");
    start();
    tickAfter(100);
    EXPECT_EQ(caption("lblType"), "wlan0 ");
    EXPECT_EQ(caption("lblRecv"), "1,500 KB");
    EXPECT_EQ(caption("lblSent"), "0 KB");
    EXPECT_EQ(caption("lblDSpeed"), "Label6") << "the first tick is the baseline";

    rows_.setRows({interfaceRow("eth0", 1'536'000 + 3072), interfaceRow("wlan0")});
    tickAfter(250);
    EXPECT_EQ(caption("lblDSpeed"), "12.00 KBS ");
    EXPECT_EQ(caption("lblUSpeed"), "0 BS ");
    EXPECT_EQ(caption("lblDownloadSpeedTop"), "下载速率: 12.00 Kb/S");
    EXPECT_EQ(caption("lblUploadSpeedTop"), "上载速率: 0.00 Kb/S");
    EXPECT_EQ(caption("lblDownloadSpeedAverage"), "平均下载速率: 6.00 Kb/S");
    EXPECT_EQ(caption("lblUploadSpeedAverage"), "平均上载速率: 0.00 Kb/S");
}

TEST_F(MonitorWindow, NewInterfaceRebuildsTheSelectorAndTakesTheSettingAgain) {
    storeConnection("1");
    rows_.setRows({interfaceRow("eth0"), interfaceRow("wlan0")});
    start();
    selector()->setCurrentIndex(0);

    rows_.setRows({interfaceRow("wlan0"), interfaceRow("eth0")});
    tickAfter(100);
    EXPECT_EQ(selectorItems(), QStringList({"eth0 ", "wlan0 "})) << "swapped: no rebuild";
    EXPECT_EQ(selector()->currentIndex(), 0);
    EXPECT_EQ(caption("lblType"), "wlan0 ");

    rows_.setRows({interfaceRow("wlan0"), interfaceRow("eth0"), interfaceRow("usb0")});
    tickAfter(100);
    EXPECT_EQ(selectorItems(), QStringList({"wlan0 ", "eth0 ", "usb0 "}));
    EXPECT_EQ(selector()->currentIndex(), 1) << "the hand-made choice gives way to the setting";
}

TEST_F(MonitorWindow, TimerIsOffDuringTheTickAndOnAgainAfterFailingStatements) {
    start();
    QTimer* tmrUpdate = control<QTimer>("tmrUpdate");
    std::vector<bool> activeDuringReads;
    table_.probe = [&] { activeDuringReads.push_back(tmrUpdate->isActive()); };
    table_.throwing = true;

    tickAfter(100);

    EXPECT_FALSE(activeDuringReads.empty());
    EXPECT_THAT(activeDuringReads, Each(false));
    EXPECT_TRUE(tmrUpdate->isActive());
    EXPECT_EQ(caption("lblRecv"), "Label1");

    table_.throwing = false;
    tickAfter(100);
    EXPECT_EQ(caption("lblRecv"), "0 KB") << "the monitor goes on after the failure";
}

TEST_F(MonitorWindow, TickNeverLetsOtherEventsRunHalfway) {
    start();
    bool otherEventRan = false;
    QMetaObject::invokeMethod(
        form_.get(), [&] { otherEventRan = true; }, Qt::QueuedConnection);
    std::vector<bool> ranDuringReads;
    table_.probe = [&] { ranDuringReads.push_back(otherEventRan); };

    tickAfter(100);

    EXPECT_THAT(ranDuringReads, Each(false));
    EXPECT_FALSE(otherEventRan);
    QCoreApplication::processEvents();
    EXPECT_TRUE(otherEventRan) << "the event was pending all along";
}

}  // namespace
