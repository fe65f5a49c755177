// The monitor tick without widgets: snapshots from a fake table, time from a fake monotonic
// clock, the graph drawn on a recording surface.
#include "window/TrafficMonitor.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "monitor_test_support.h"
#include "support/fake_interface_table.h"
#include "support/fake_monotonic_clock.h"
#include "support/fake_settings_store.h"
#include "support/recording_surface.h"

namespace {

using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;

class TrafficMonitorTest : public ::testing::Test {
  protected:
    // One interface "eth0" whose counters stand at the given totals; then, after the given
    // time has passed, one tick.
    MonitorCaptions tickAt(std::int64_t afterMilliseconds, std::uint32_t received,
                           std::uint32_t sent) {
        table_.setRows({interfaceRow("eth0", received, sent)});
        clock_.advanceMilliseconds(afterMilliseconds);
        return tick();
    }
    MonitorCaptions tick() {
        MonitorCaptions captions = monitor_.tmrUpdate_Timer(selected_, itemCount_);
        EXPECT_EQ(monitor_.colGraphData()->size(), 100u);
        return captions;
    }
    double newestPoint() const { return monitor_.colGraphData()->back(); }

    FakeInterfaceTable table_{{interfaceRow("eth0")}};
    ProbedTable throwingTable_{table_};
    RecordingSurface pic1_;
    FakeSettingsStore settings_;
    FakeMonotonicClock clock_{5'000'000'000};
    RateTops tops_;
    TrafficMonitor monitor_{throwingTable_, pic1_, settings_, clock_, tops_};
    int selected_ = 0;
    int itemCount_ = 1;
};

TEST_F(TrafficMonitorTest, StartsWithHundredZerosAndTheStartUpLookWithoutDrawing) {
    const clsLineGraph& graph = monitor_.objLineGraph();

    EXPECT_EQ(monitor_.colGraphData()->size(), 100u);
    EXPECT_THAT(*monitor_.colGraphData(), Each(0.0));
    EXPECT_EQ(graph.DataCollection(), monitor_.colGraphData()) << "one shared list";
    EXPECT_EQ(graph.PictureBox(), &pic1_);
    EXPECT_EQ(graph.PicBackground(), 0x000000u);
    EXPECT_EQ(graph.PicForeground(), 0x00FF00u);
    EXPECT_EQ(graph.BorderColor(), 0x0000FFu);
    EXPECT_EQ(graph.BorderSize(), 0);
    EXPECT_EQ(graph.GridColor(), 0x808000u);
    EXPECT_TRUE(graph.GridVisible());
    EXPECT_TRUE(pic1_.calls.empty());
}

TEST_F(TrafficMonitorTest, FirstTickOnlyRecordsTheBaseline) {
    const MonitorCaptions first = tickAt(0, 5'000'000, 1'000'000);

    EXPECT_EQ(first.lblType, "eth0 ");
    EXPECT_EQ(first.lblRecv, "4,883 KB");
    EXPECT_EQ(first.lblSent, "977 KB");
    for (const auto& rateCaption :
         {first.lblDownloadSpeedTop, first.lblUploadSpeedTop, first.lblDownloadSpeedAverage,
          first.lblUploadSpeedAverage, first.lblDSpeed, first.lblUSpeed}) {
        EXPECT_EQ(rateCaption, std::nullopt) << "no rate from all traffic since start";
    }
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 0);
    EXPECT_EQ(tops_.dblUploadSpeedTop, 0);
    EXPECT_EQ(monitor_.dblDownloadSpeedAverage(), 0);
    EXPECT_THAT(*monitor_.colGraphData(), Each(0.0));
    EXPECT_THAT(pic1_.calls, Contains(RecordingSurface::Op::Clear)) << "the graph is drawn";

    const MonitorCaptions second = tickAt(100, 5'000'000 + 5120, 1'000'000 + 1024);
    EXPECT_EQ(second.lblDSpeed, "50.00 KBS ") << "5120 bytes in 100 ms";
    EXPECT_EQ(second.lblUSpeed, "10.00 KBS ");
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 51200);
    EXPECT_EQ(tops_.dblUploadSpeedTop, 10240);
}

// After the baseline 1,000,000 / 500,000: the time passed and the bytes added, then what the
// tick leaves. Tops and averages in bytes per second.
struct TickRow {
    std::int64_t afterMilliseconds;
    std::uint32_t receivedAdded;
    std::uint32_t sentAdded;
    bool topsClearedBefore;
    double downloadTop;
    double uploadTop;
    double downloadAverage;
    double uploadAverage;
    const char* lblDSpeed;
    const char* lblUSpeed;
    const char* lblDownloadSpeedTop;
    const char* lblUploadSpeedTop;
    const char* lblDownloadSpeedAverage;
    const char* lblUploadSpeedAverage;
    double graphPoint;
};

const TickRow kScript[] = {
    {1000, 1023, 1024, false, 1023, 1024, 511.5, 512, "1023 BS ", "1.00 KBS ",
     "下载速率: 1.00 Kb/S", "上载速率: 1.00 Kb/S", "平均下载速率: 0.50 Kb/S",
     "平均上载速率: 0.50 Kb/S", 5},
    {100, 5120, 0, false, 51200, 1024, 25855.75, 256, "50.00 KBS ", "0 BS ", "下载速率: 50.00 Kb/S",
     "上载速率: 1.00 Kb/S", "平均下载速率: 25.25 Kb/S", "平均上载速率: 0.25 Kb/S", 30},
    {250, 512, 256, false, 51200, 1024, 13951.875, 640, "2.00 KBS ", "1.00 KBS ",
     "下载速率: 50.00 Kb/S", "上载速率: 1.00 Kb/S", "平均下载速率: 13.62 Kb/S",
     "平均上载速率: 0.63 Kb/S", 18},
    {1000, 6142, 0, true, 6142, 0, 10046.9375, 320, "6.00 KBS ", "0 BS ", "下载速率: 6.00 Kb/S",
     "上载速率: 0.00 Kb/S", "平均下载速率: 9.81 Kb/S", "平均上载速率: 0.31 Kb/S", 14},
};

TEST_F(TrafficMonitorTest, ScriptedTicksGiveRatesPerSecondTopsAveragesCaptionsAndPoints) {
    std::uint32_t received = 1'000'000;
    std::uint32_t sent = 500'000;
    tickAt(0, received, sent);
    int tickNumber = 1;
    for (const TickRow& row : kScript) {
        SCOPED_TRACE("tick " + std::to_string(++tickNumber));
        if (row.topsClearedBefore) {
            tops_ = {};
        }
        received += row.receivedAdded;
        sent += row.sentAdded;
        const MonitorCaptions captions = tickAt(row.afterMilliseconds, received, sent);

        EXPECT_EQ(tops_.dblDownloadSpeedTop, row.downloadTop);
        EXPECT_EQ(tops_.dblUploadSpeedTop, row.uploadTop);
        EXPECT_EQ(monitor_.dblDownloadSpeedAverage(), row.downloadAverage);
        EXPECT_EQ(monitor_.dblUploadSpeedAverage(), row.uploadAverage);
        EXPECT_EQ(captions.lblDSpeed, row.lblDSpeed);
        EXPECT_EQ(captions.lblUSpeed, row.lblUSpeed);
        EXPECT_EQ(captions.lblDownloadSpeedTop, row.lblDownloadSpeedTop);
        EXPECT_EQ(captions.lblUploadSpeedTop, row.lblUploadSpeedTop);
        EXPECT_EQ(captions.lblDownloadSpeedAverage, row.lblDownloadSpeedAverage);
        EXPECT_EQ(captions.lblUploadSpeedAverage, row.lblUploadSpeedAverage);
        EXPECT_EQ(newestPoint(), row.graphPoint);
    }
}

TEST_F(TrafficMonitorTest, ConstantRateDrawsTheAverageHalfWayOnEachTick) {
    tickAt(0, 0, 0);
    tickAt(1000, 10240, 0);
    const double start = monitor_.dblDownloadSpeedAverage();
    ASSERT_EQ(start, 5120);
    const double rate = 2048;
    std::uint32_t received = 10240;
    for (int k = 1; k <= 12; ++k) {
        SCOPED_TRACE("tick " + std::to_string(k));
        received += 512;
        tickAt(250, received, 0);
        EXPECT_DOUBLE_EQ(monitor_.dblDownloadSpeedAverage(),
                         rate + (start - rate) / static_cast<double>(1 << k));
    }
}

TEST_F(TrafficMonitorTest, GraphPointIsTheAverageAsShownRoundedDownPlusFive) {
    tickAt(0, 0, 0);
    tickAt(1000, 6142, 0);
    ASSERT_EQ(monitor_.dblDownloadSpeedAverage(), 3071);
    EXPECT_EQ(newestPoint(), 8) << "2.999 KB shows as 3.00";

    tickAt(1000, 6142, 0);
    EXPECT_EQ(newestPoint(), 6) << "1535.5 bytes: 1.50 KB";
    EXPECT_EQ(monitor_.colGraphData()->at(98), 8) << "the previous point moved one place left";
}

TEST_F(TrafficMonitorTest, CurrentRateSwitchesToKilobytesFrom1024BytesPerSecond) {
    struct Row {
        std::int64_t afterMilliseconds;
        std::uint32_t bytes;
        const char* caption;
    };
    const Row rows[] = {
        {1000, 0, "0 BS "},        {1000, 1, "1 BS "},
        {1000, 1023, "1023 BS "},  {1000, 1024, "1.00 KBS "},
        {1000, 1536, "1.50 KBS "}, {4000, 4093, "1023 BS "},  // 1023.25 per second
        {2000, 2047, "1.00 KBS "},  // 1023.5 would be written 1024: shown in KB
        {100, 1, "10 BS "},        {100, 5'000'000, "48828.13 KBS "},
    };
    std::uint32_t received = 0;
    tickAt(0, received, 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        received += row.bytes;
        EXPECT_EQ(tickAt(row.afterMilliseconds, received, 0).lblDSpeed, row.caption);
    }
}

TEST_F(TrafficMonitorTest, NegativeDeltaShowsInBytesKeepsTheTopAndPullsTheAverageDown) {
    tickAt(0, 100'000, 0);
    tickAt(1000, 102'048, 0);
    ASSERT_EQ(tops_.dblDownloadSpeedTop, 2048);
    ASSERT_EQ(monitor_.dblDownloadSpeedAverage(), 1024);

    const MonitorCaptions captions = tickAt(1000, 97'048, 0);

    EXPECT_EQ(captions.lblDSpeed, "-5000 BS ");
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 2048);
    EXPECT_EQ(monitor_.dblDownloadSpeedAverage(), -1988);
    EXPECT_EQ(captions.lblDownloadSpeedAverage, "平均下载速率: -1.94 Kb/S");
    EXPECT_EQ(newestPoint(), 3) << "below 5: floor(-1.94) + 5";
}

TEST_F(TrafficMonitorTest, OverflowingDeltaCountsAsZeroAndTheNewTotalIsStillRemembered) {
    tickAt(0, 2'000'000'000, 0);
    tickAt(1000, 2'000'004'096, 0);
    ASSERT_EQ(tops_.dblDownloadSpeedTop, 4096);

    // The summed counter passes 2^31: as a signed total it falls to −2,147,480,000.
    const std::uint32_t wrapped = 2'147'487'296;
    const MonitorCaptions overflow = tickAt(1000, wrapped, 0);
    EXPECT_EQ(overflow.lblDSpeed, "0 BS ");
    EXPECT_EQ(overflow.lblRecv, "-2,097,148 KB");
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 4096);
    EXPECT_EQ(monitor_.dblDownloadSpeedAverage(), 1024) << "(0 + 2048) / 2";

    const MonitorCaptions next = tickAt(1000, wrapped + 3072, 0);
    EXPECT_EQ(next.lblDSpeed, "3.00 KBS ") << "measured from the remembered wrapped total";
}

TEST_F(TrafficMonitorTest, TickOfNoLengthGivesNoRateAndTheNextMeasuresAcrossBoth) {
    tickAt(0, 0, 0);
    const MonitorCaptions instant = tickAt(0, 1000, 0);
    EXPECT_EQ(instant.lblDSpeed, std::nullopt);
    EXPECT_EQ(instant.lblRecv, "1 KB");
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 0);
    EXPECT_THAT(*monitor_.colGraphData(), Each(0.0));

    const MonitorCaptions next = tickAt(100, 2000, 0);
    EXPECT_EQ(next.lblDSpeed, "19.53 KBS ") << "2000 bytes in 100 ms";
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 20000);
}

TEST_F(TrafficMonitorTest, UnreadableSnapshotIsNoReadingAndTheNextGoodOneMeasuresAcrossIt) {
    tickAt(0, 100'000, 0);

    table_.answerSizeQueryWith(kIfTableNotSupported);
    clock_.advanceMilliseconds(100);
    const MonitorCaptions unreadable = tick();
    EXPECT_EQ(unreadable.lblType, std::nullopt);
    EXPECT_EQ(unreadable.lblRecv, std::nullopt) << "no reading, not a total of 0";
    EXPECT_EQ(unreadable.lblDSpeed, std::nullopt);
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 0);
    ASSERT_TRUE(unreadable.cboConnectionType.has_value());
    EXPECT_TRUE(unreadable.cboConnectionType->entries.empty());
    EXPECT_EQ(unreadable.cboConnectionType->selected, kNoSelection);

    table_.answerSizeQueryWith(kIfTableInsufficientBuffer);
    itemCount_ = 0;
    selected_ = kNoSelection;
    const MonitorCaptions good = tickAt(100, 102'048, 0);
    EXPECT_EQ(good.lblDSpeed, "10.00 KBS ") << "2048 bytes over both ticks, 200 ms";
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 10240) << "no spike of all traffic since start";
    ASSERT_TRUE(good.cboConnectionType.has_value());
    EXPECT_THAT(good.cboConnectionType->entries, ElementsAre("eth0 "));
    EXPECT_EQ(good.cboConnectionType->selected, 0);
}

TEST_F(TrafficMonitorTest, TypeShowsTheInterfaceAtTheSelectedPositionOnly) {
    table_.setRows({interfaceRow("eth0"), interfaceRow("wlan0")});
    itemCount_ = 2;
    const std::pair<int, std::optional<std::string>> rows[] = {
        {0, "eth0 "}, {1, "wlan0 "}, {kNoSelection, std::nullopt}, {2, std::nullopt}};
    for (const auto& [position, caption] : rows) {
        SCOPED_TRACE(position);
        selected_ = position;
        EXPECT_EQ(tick().lblType, caption);
    }
}

TEST_F(TrafficMonitorTest, SelectorIsRebuiltFromTheSettingWhenTheCountChangesOnly) {
    settings_.store("蓝禾自动关机", "Setting", "Connection", "2");
    table_.setRows({interfaceRow("eth0", 10), interfaceRow("wlan0", 20)});
    itemCount_ = 2;
    selected_ = 1;
    EXPECT_EQ(tick().cboConnectionType, std::nullopt);

    table_.setRows({interfaceRow("wlan0", 20), interfaceRow("eth0", 10)});
    const MonitorCaptions swapped = tick();
    EXPECT_EQ(swapped.cboConnectionType, std::nullopt) << "same count, entries kept";
    EXPECT_EQ(swapped.lblType, "eth0 ") << "whatever now stands at the selected position";

    table_.setRows({interfaceRow("wlan0"), interfaceRow("eth0"), interfaceRow("usb0")});
    const MonitorCaptions appeared = tick();
    ASSERT_TRUE(appeared.cboConnectionType.has_value());
    EXPECT_THAT(appeared.cboConnectionType->entries, ElementsAre("wlan0 ", "eth0 ", "usb0 "));
    EXPECT_EQ(appeared.cboConnectionType->selected, 2);
}

TEST_F(TrafficMonitorTest, ThrowingStatementsAreSkippedAndTheNextTickStartsAfresh) {
    tickAt(0, 1000, 0);
    throwingTable_.throwing = true;
    clock_.advanceMilliseconds(100);
    MonitorCaptions failed;
    EXPECT_NO_THROW(failed = tick());
    EXPECT_EQ(failed.lblType, std::nullopt);
    EXPECT_EQ(failed.lblRecv, std::nullopt);
    EXPECT_EQ(failed.cboConnectionType, std::nullopt);

    throwingTable_.throwing = false;
    const MonitorCaptions next = tickAt(100, 3048, 0);
    EXPECT_EQ(next.lblType, "eth0 ");
    EXPECT_EQ(next.lblDSpeed, "10.00 KBS ") << "2048 bytes since the last good reading";
}

}  // namespace
