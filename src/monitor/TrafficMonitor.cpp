#include "monitor/TrafficMonitor.h"

#include <cmath>
#include <utility>

#include "monitor/skip_on_failure.h"
#include "text/number_format.h"

namespace {

constexpr std::size_t kGraphSamples = 100;
constexpr double kBytesPerKilobyte = 1024;
constexpr double kNanosecondsPerSecond = 1e9;
// A graph point sits this far above the download average in KB per second.
constexpr double kGraphPointLift = 5;

constexpr const char* kTotalPattern = "###,###,###,###,##0 KB";
constexpr const char* kRateLinePattern = "###,###,###,###,#0.#0 Kb/S";
constexpr const char* kGraphPointPattern = "###,###,###,###,#0.#0";
constexpr const char* kBytesPattern = "0 BS ";
constexpr const char* kKilobytesPattern = "0.#0 KBS ";

double perSecond(std::uint64_t bytes, std::int64_t elapsedNanoseconds) {
    return static_cast<double>(bytes) * kNanosecondsPerSecond /
           static_cast<double>(elapsedNanoseconds);
}

// Only a strictly larger rate raises a top; the monitor never lowers one.
void raiseTop(double& top, double rate) {
    if (top < rate) {
        top = rate;
    }
}

std::string rateLine(const char* prefix, FormattedNumber& text, double bytesPerSecond) {
    return prefix + text(bytesPerSecond / kBytesPerKilobyte);
}

}  // namespace

TrafficMonitor::RateCaption::RateCaption() : bytes(kBytesPattern), kilobytes(kKilobytesPattern) {}

// Whole bytes below 1024, KB from there on. The choice goes by the value as it is written, so
// that 1023.6 bytes per second shows as 1.00 KBS, never as 1024 BS.
std::string TrafficMonitor::RateCaption::operator()(double bytesPerSecond) {
    if (std::round(bytesPerSecond) < kBytesPerKilobyte) {
        return bytes(bytesPerSecond);
    }
    return kilobytes(bytesPerSecond / kBytesPerKilobyte);
}

TrafficMonitor::TrafficMonitor(InterfaceTable& table, DrawingSurface& pic1,
                               const SettingsStore& settings, const MonotonicClock& clock,
                               RateTops& tops)
    : objIpHelper_(table),
      settings_(settings),
      clock_(clock),
      rateTops_(tops),
      colGraphData_(std::make_shared<GraphData>(kGraphSamples, 0.0)),
      recvText_(kTotalPattern),
      sentText_(kTotalPattern),
      downloadTopText_(kRateLinePattern),
      uploadTopText_(kRateLinePattern),
      downloadAverageText_(kRateLinePattern),
      uploadAverageText_(kRateLinePattern),
      graphPointText_(kGraphPointPattern) {
    configureGraph(pic1);
}

void TrafficMonitor::configureGraph(DrawingSurface& pic1) {
    objLineGraph_.setPictureBox(&pic1);
    objLineGraph_.setDataCollection(colGraphData_);
    objLineGraph_.setPicBackground(0x000000);
    objLineGraph_.setPicForeground(0x00FF00);
    objLineGraph_.setBorderColor(0x0000FF);
    objLineGraph_.setBorderSize(0);
    objLineGraph_.setGridColor(0x808000);
    objLineGraph_.setGridVisible(true);
}

SelectorContents TrafficMonitor::readSelector() {
    return selectorOf(*objIpHelper_.Interfaces());
}

SelectorContents TrafficMonitor::selectorOf(const CInterfaces& interfaces) const {
    SelectorContents contents;
    for (const auto& record : interfaces) {
        contents.entries.push_back(record->InterfaceDescription() + " ");
    }
    contents.selected =
        preferredSelectorPosition(settings_, static_cast<int>(contents.entries.size()));
    return contents;
}

// The tick never lets the window handle messages on its way: no click or other timer can
// run in the middle of it and find the tops or the averages half updated. Everything in it
// reads the one snapshot it takes.
MonitorCaptions TrafficMonitor::tmrUpdate_Timer(int selectedPosition, int selectorItemCount) {
    MonitorCaptions captions;
    std::shared_ptr<CInterfaces> interfaces;
    skipOnFailure([&] { interfaces = objIpHelper_.Interfaces(); });
    std::optional<Reading> reading;
    if (interfaces) {
        skipOnFailure([&] { showSelected(*interfaces, selectedPosition, captions); });
        skipOnFailure([&] { reading = takeReading(*interfaces); });
    }
    if (reading) {
        skipOnFailure([&] { showTotals(*reading, captions); });
        measure(*reading, captions);
    }
    skipOnFailure([this] { objLineGraph_.Draw(); });
    if (interfaces) {
        skipOnFailure(
            [&] { captions.cboConnectionType = upkeepSelector(*interfaces, selectorItemCount); });
    }
    return captions;
}

void TrafficMonitor::showSelected(const CInterfaces& interfaces, int selectedPosition,
                                  MonitorCaptions& captions) {
    if (const auto selected = interfaces.Item(selectedPosition + 1)) {
        captions.lblType = selected->InterfaceDescription() + " ";
    }
}

// A snapshot without a single interface is no reading: it is what a table that could not be
// read gives, and its totals of 0 would count all traffic since start as the next tick's rate.
std::optional<TrafficMonitor::Reading> TrafficMonitor::takeReading(const CInterfaces& interfaces) {
    if (interfaces.Count() == 0) {
        return std::nullopt;
    }
    readCounters(interfaces, objIpHelper_.octets64(), counters_);
    return Reading{static_cast<std::int32_t>(objIpHelper_.BytesReceived()),
                   static_cast<std::int32_t>(objIpHelper_.BytesSent()), clock_.nowNanoseconds()};
}

void TrafficMonitor::showTotals(const Reading& reading, MonitorCaptions& captions) {
    captions.lblRecv = recvText_(reading.lngRecv / kBytesPerKilobyte);
    captions.lblSent = sentText_(reading.lngSent / kBytesPerKilobyte);
}

// The first reading only becomes the baseline. A reading taken at the very instant of the
// baseline gives no rate; the baseline stays, so the next tick measures across both.
void TrafficMonitor::measure(const Reading& reading, MonitorCaptions& captions) {
    if (lastReadingAt_) {
        const std::int64_t elapsed = reading.takenAt - *lastReadingAt_;
        if (elapsed <= 0) {
            return;
        }
        const Rates rates = ratesSinceBaseline(elapsed);
        rateTops_.sinceRateTick.measured = true;
        skipOnFailure([&] { raiseTops(rates); });
        skipOnFailure([&] { updateAverages(rates); });
        skipOnFailure([&] { showRateLines(captions); });
        skipOnFailure([&] { appendGraphPoint(); });
        skipOnFailure([&] { showCurrentRates(rates, captions); });
    }
    std::swap(lastCounters_, counters_);
    lastReadingAt_ = reading.takenAt;
}

TrafficMonitor::Rates TrafficMonitor::ratesSinceBaseline(std::int64_t elapsedNanoseconds) const {
    const TrafficChange change = trafficBetween(lastCounters_, counters_, elapsedNanoseconds);
    return {perSecond(change.received, elapsedNanoseconds),
            perSecond(change.sent, elapsedNanoseconds)};
}

void TrafficMonitor::raiseTops(const Rates& rates) {
    raiseTop(rateTops_.dblDownloadSpeedTop, rates.download);
    raiseTop(rateTops_.dblUploadSpeedTop, rates.upload);
    raiseTop(rateTops_.sinceRateTick.downloadTop, rates.download);
    raiseTop(rateTops_.sinceRateTick.uploadTop, rates.upload);
}

// Half the newest rate, a quarter the one before, and so on; never reset.
void TrafficMonitor::updateAverages(const Rates& rates) {
    dblDownloadSpeedAverage_ = (rates.download + dblDownloadSpeedAverage_) / 2;
    dblUploadSpeedAverage_ = (rates.upload + dblUploadSpeedAverage_) / 2;
}

void TrafficMonitor::showRateLines(MonitorCaptions& captions) {
    captions.lblDownloadSpeedTop =
        rateLine("下载速率: ", downloadTopText_, rateTops_.dblDownloadSpeedTop);
    captions.lblUploadSpeedTop =
        rateLine("上载速率: ", uploadTopText_, rateTops_.dblUploadSpeedTop);
    captions.lblDownloadSpeedAverage =
        rateLine("平均下载速率: ", downloadAverageText_, dblDownloadSpeedAverage_);
    captions.lblUploadSpeedAverage =
        rateLine("平均上载速率: ", uploadAverageText_, dblUploadSpeedAverage_);
}

// The point is the download average in KB per second as the two-decimal text shows it,
// rounded down: 2.999 KB shows as 3.00 and gives 3, not 2.
void TrafficMonitor::appendGraphPoint() {
    const std::optional<double> shown =
        readGroupedNumber(graphPointText_(dblDownloadSpeedAverage_ / kBytesPerKilobyte));
    if (shown) {
        colGraphData_->push_back(std::floor(*shown) + kGraphPointLift);
    }
}

void TrafficMonitor::showCurrentRates(const Rates& rates, MonitorCaptions& captions) {
    captions.lblDSpeed = downloadRateText_(rates.download);
    captions.lblUSpeed = uploadRateText_(rates.upload);
}

// Rebuilt only when the number of interfaces changed: entries that merely changed places
// keep their old texts.
std::optional<SelectorContents> TrafficMonitor::upkeepSelector(const CInterfaces& interfaces,
                                                               int selectorItemCount) const {
    if (interfaces.Count() == selectorItemCount) {
        return std::nullopt;
    }
    return selectorOf(interfaces);
}
