// The monitor tick on its own: snapshots from a fake table, time from a fake monotonic clock,
// the graph drawn on PIC1 and read back pixel by pixel.
#include "monitor/TrafficMonitor.h"

#include <QImage>

#include "form1_fixture.h"
#include "window/Pic1Surface.h"

namespace {

class TrafficMonitorTest : public ::testing::Test {
  protected:
    // One tick after the given time, with "eth0" at the given totals.
    MonitorCaptions tickAt(std::int64_t afterMilliseconds, std::uint32_t received,
                           std::uint32_t sent = 0) {
        table_.rows = {interfaceRow("eth0", received, sent)};
        clock_.advanceMilliseconds(afterMilliseconds);
        MonitorCaptions captions = monitor_.tmrUpdate_Timer(0, 1);
        EXPECT_EQ(monitor_.colGraphData()->size(), 100u);
        return captions;
    }

    FakeInterfaceTable table_{{interfaceRow("eth0")}};
    Pic1Surface pic1_;
    FakeSettingsStore settings_;
    FakeMonotonicClock clock_{5'000'000'000};
    RateTops tops_;
    TrafficMonitor monitor_{table_, pic1_, settings_, clock_, tops_};
};

// The first tick draws the list, here set to 5 but the last item 25, on the 375 × 112 area:
// grid lines at 18.75·k and 11.2·k, 5 at y = 106.4 from x = 2, 25 at x = 373.25 and y = 84.
TEST_F(TrafficMonitorTest, TheGraphShowsTealGridAndGreenLineOnBlack) {
    monitor_.colGraphData()->assign(99, 5.0);
    monitor_.colGraphData()->push_back(25);
    tickAt(0, 0);
    const QImage image = pic1_.grab().toImage().copy(pic1_.contentsRect());
    const QRgb black = qRgb(0, 0, 0), teal = qRgb(0, 128, 128), green = qRgb(0, 255, 0);
    const std::tuple<int, int, QRgb> pixels[] = {
        {10, 50, black}, {0, 50, teal},   {10, 0, teal},     {19, 50, teal},   {10, 34, teal},
        {1, 106, black}, {2, 106, green}, {200, 106, green}, {373, 84, green}, {374, 84, black}};
    for (const auto& [x, y, colour] : pixels) {
        EXPECT_EQ(image.pixel(x, y), colour) << x << ", " << y;
    }
    EXPECT_EQ(pic1_.grab().toImage().copy(pic1_.contentsRect()), image) << "painted again";
}

// After the baseline 1,000,000 / 500,000: the time passed and the bytes added; then the tops
// and averages in bytes per second, the rate captions and the graph point: the average in KB
// as its caption shows it, rounded down, plus 5. The upload captions are formatted alike and
// read in the window's test.
struct TickRow {
    std::int64_t afterMilliseconds;
    std::int64_t receivedAdded, sentAdded;
    double downloadTop, uploadTop, downloadAverage, uploadAverage;
    const char *dSpeed, *uSpeed, *downloadTopCaption, *downloadAverageCaption;
    double graphPoint;
};

const TickRow kScript[] = {
    {1000, 1023, 1024, 1023, 1024, 511.5, 512, "1023 BS ", "1.00 KBS ", "下载速率: 1.00 Kb/S",
     "平均下载速率: 0.50 Kb/S", 5},
    {100, 5120, 0, 51200, 1024, 25855.75, 256, "50.00 KBS ", "0 BS ", "下载速率: 50.00 Kb/S",
     "平均下载速率: 25.25 Kb/S", 30},
    {250, 512, 256, 51200, 1024, 13951.875, 640, "2.00 KBS ", "1.00 KBS ", "下载速率: 50.00 Kb/S",
     "平均下载速率: 13.62 Kb/S", 18},
    {2000, 2047, 0, 51200, 1024, 7487.6875, 320, "1.00 KBS ", "0 BS ", "下载速率: 50.00 Kb/S",
     "平均下载速率: 7.31 Kb/S", 12},  // 1023.5 bytes would be written 1024: shown in KB
    {1000, 6840, 0, 51200, 1024, 7163.84375, 160, "6.68 KBS ", "0 BS ", "下载速率: 50.00 Kb/S",
     "平均下载速率: 7.00 Kb/S", 12},  // 6.996 KB shows as 7.00
};

// The first tick only records the baseline: all traffic since start is no rate, and the graph
// keeps the 100 zeros it starts with.
TEST_F(TrafficMonitorTest, ScriptedTicksGiveRatesPerSecondTopsAveragesCaptionsAndPoints) {
    std::uint32_t received = 1'000'000;
    std::uint32_t sent = 500'000;
    const MonitorCaptions first = tickAt(0, received, sent);
    EXPECT_EQ(std::tuple(first.lblRecv, first.lblSent, first.lblDSpeed, first.lblDownloadSpeedTop),
              std::tuple("977 KB", "488 KB", std::nullopt, std::nullopt));
    EXPECT_EQ(monitor_.colGraphData()->back(), 0.0);
    for (const TickRow& row : kScript) {
        SCOPED_TRACE(row.dSpeed);
        received += static_cast<std::uint32_t>(row.receivedAdded);
        sent += static_cast<std::uint32_t>(row.sentAdded);
        const MonitorCaptions shown = tickAt(row.afterMilliseconds, received, sent);
        EXPECT_EQ(
            std::tuple(tops_.dblDownloadSpeedTop, tops_.dblUploadSpeedTop,
                       monitor_.dblDownloadSpeedAverage(), monitor_.dblUploadSpeedAverage()),
            std::tuple(row.downloadTop, row.uploadTop, row.downloadAverage, row.uploadAverage));
        EXPECT_EQ(
            std::tuple(shown.lblDSpeed, shown.lblUSpeed, shown.lblDownloadSpeedTop,
                       shown.lblDownloadSpeedAverage),
            std::tuple(row.dSpeed, row.uSpeed, row.downloadTopCaption, row.downloadAverageCaption));
        EXPECT_EQ(monitor_.colGraphData()->back(), row.graphPoint);
    }
}

// Mended: the loopback's 10^9 bytes came first in the total, which then dropped eth0's bytes
// once the sum would pass 2^31: a download at 10,000 KB/s read as none.
TEST_F(TrafficMonitorTest, EachInterfaceIsMeasuredOnItsOwnWhereTheirSumWouldOverflow) {
    IfRow eth0 = interfaceRow("eth0", 1'200'000'000);
    eth0.index = 2;
    for (int second = 0; second < 2; ++second, eth0.inOctets += 10'240'000) {
        table_.rows = {interfaceRow("lo", 1'000'000'000), eth0};
        clock_.advanceMilliseconds(1000);
        monitor_.tmrUpdate_Timer(0, 1);
    }
    EXPECT_EQ(tops_.dblDownloadSpeedTop, 10'240'000);
}

// Mended: a counter that restarted from above 2^31 read as a burst of 1.29 GB in 100 ms. The
// Linux table tells it by the 64-bit counter, the Windows one by the interface's speed; the
// traffic after it counts from the restarted value.
TEST_F(TrafficMonitorTest, ACounterRestartedFromAbove2To31IsNoTraffic) {
    for (const bool keeps64 : {true, false}) {
        SCOPED_TRACE(keeps64 ? "64-bit counters" : "a speed of 1 Gb/s");
        RateTops tops;
        TrafficMonitor monitor(table_, pic1_, settings_, clock_, tops);
        const auto tick = [&](std::uint32_t received) {
            IfRow eth0 = interfaceRow("eth0", received);
            eth0.speed = keeps64 ? 0 : 1'000'000'000;
            table_.rows = {eth0};
            table_.rowOctets64.assign(keeps64 ? 1 : 0, Octets64{received, 0});
            clock_.advanceMilliseconds(100);
            return monitor.tmrUpdate_Timer(0, 1).lblDSpeed;
        };
        tick(3'000'000'000);
        EXPECT_EQ(tick(1500), "0 BS ");
        EXPECT_EQ(tick(1500 + 10'240), "100.00 KBS ");
        EXPECT_EQ(tops.dblDownloadSpeedTop, 102'400);
    }
}

// A tick of no length, and one whose table holds no interface (what a table that could not be
// read gives, pinned in CIpHelper_test.cpp), measure nothing; the next good one measures
// across them.
TEST_F(TrafficMonitorTest, TicksOfNoLengthOrWithoutATableAreNoReadings) {
    tickAt(0, 100'000);
    EXPECT_EQ(tickAt(0, 101'000).lblDSpeed, std::nullopt);
    table_.rows = {};
    clock_.advanceMilliseconds(100);
    EXPECT_EQ(monitor_.tmrUpdate_Timer(0, 1).lblRecv, std::nullopt) << "no total of 0";
    EXPECT_EQ(std::pair(tops_.dblDownloadSpeedTop, tops_.sinceRateTick.measured),
              std::pair(0.0, false));
    EXPECT_EQ(tickAt(100, 102'048).lblDSpeed, "10.00 KBS ") << "2048 bytes in 200 ms";
}

}  // namespace
