// The traffic monitor behind tmrUpdate: turns snapshots of the interface table into download
// and upload rates, their tops and averages, the monitor's captions and the graph's points.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/clsLineGraph.h"
#include "graph/drawing_surface.h"
#include "graph/graph_data.h"
#include "monitor/selector_position.h"
#include "netstats/CIpHelper.h"
#include "netstats/interface_traffic.h"
#include "platform/interface_table.h"
#include "platform/monotonic_clock.h"
#include "platform/settings_store.h"
#include "scheduler/rate_tops.h"
#include "text/formatted_number.h"

// What cboConnectionType lists: each interface's description and one space, in table order,
// and the position to select (kNoSelection for none).
struct SelectorContents {
    std::vector<std::string> entries;
    int selected = kNoSelection;
};

// What one tick writes into the window, as UTF-8. A caption the tick did not write keeps its
// text; the selector is refilled only when the tick says so.
struct MonitorCaptions {
    std::optional<std::string> lblType;
    std::optional<std::string> lblRecv;
    std::optional<std::string> lblSent;
    std::optional<std::string> lblDownloadSpeedTop;
    std::optional<std::string> lblUploadSpeedTop;
    std::optional<std::string> lblDownloadSpeedAverage;
    std::optional<std::string> lblUploadSpeedAverage;
    std::optional<std::string> lblDSpeed;
    std::optional<std::string> lblUSpeed;
    std::optional<SelectorContents> cboConnectionType;
};

class TrafficMonitor {
  public:
    // Seeds the graph with 100 zeros and binds it to pic1 with the start-up colours; draws
    // nothing yet. The tops are the window's, shared with the triggers.
    TrafficMonitor(InterfaceTable& table, DrawingSurface& pic1, const SettingsStore& settings,
                   const MonotonicClock& clock, RateTops& tops);

    // The selector as the table stands now; the selection comes from the "Connection" setting.
    SelectorContents readSelector();

    // One tick, given the selector's selected position and item count, on one snapshot of the
    // table. Rates, tops, averages and the graph are in bytes per second over the time since
    // the previous reading, from each interface's own counters; the first reading only
    // becomes that baseline.
    MonitorCaptions tmrUpdate_Timer(int selectedPosition, int selectorItemCount);

    const std::shared_ptr<GraphData>& colGraphData() const { return colGraphData_; }
    double dblDownloadSpeedAverage() const { return dblDownloadSpeedAverage_; }
    double dblUploadSpeedAverage() const { return dblUploadSpeedAverage_; }

  private:
    // The summed counters of one snapshot, which only the totals show, and the moment it was
    // taken; the interfaces' own counters go to counters_.
    struct Reading {
        std::int32_t lngRecv = 0;
        std::int32_t lngSent = 0;
        std::int64_t takenAt = 0;
    };
    // This tick's rates in bytes per second.
    struct Rates {
        double download = 0;
        double upload = 0;
    };
    // A current rate's caption, in whole bytes or in KB.
    struct RateCaption {
        RateCaption();
        std::string operator()(double bytesPerSecond);
        FormattedNumber bytes;
        FormattedNumber kilobytes;
    };

    void configureGraph(DrawingSurface& pic1);
    SelectorContents selectorOf(const CInterfaces& interfaces) const;
    std::optional<Reading> takeReading(const CInterfaces& interfaces);
    static void showSelected(const CInterfaces& interfaces, int selectedPosition,
                             MonitorCaptions& captions);
    void showTotals(const Reading& reading, MonitorCaptions& captions);
    void measure(const Reading& reading, MonitorCaptions& captions);
    Rates ratesSinceBaseline(std::int64_t elapsedNanoseconds) const;
    void raiseTops(const Rates& rates);
    void updateAverages(const Rates& rates);
    void showRateLines(MonitorCaptions& captions);
    void appendGraphPoint();
    void showCurrentRates(const Rates& rates, MonitorCaptions& captions);
    std::optional<SelectorContents> upkeepSelector(const CInterfaces& interfaces,
                                                   int selectorItemCount) const;

    CIpHelper objIpHelper_;
    const SettingsStore& settings_;
    const MonotonicClock& clock_;
    RateTops& rateTops_;
    std::shared_ptr<GraphData> colGraphData_;
    clsLineGraph objLineGraph_;
    // Each interface's counters at this tick's reading and at the baseline; swapped, never
    // reallocated, from tick to tick.
    std::vector<InterfaceCounters> counters_;
    std::vector<InterfaceCounters> lastCounters_;
    // When lastCounters_ were read; nothing until the first reading.
    std::optional<std::int64_t> lastReadingAt_;
    double dblDownloadSpeedAverage_ = 0;
    double dblUploadSpeedAverage_ = 0;
    // The captions' texts, kept from tick to tick.
    FormattedNumber recvText_;
    FormattedNumber sentText_;
    FormattedNumber downloadTopText_;
    FormattedNumber uploadTopText_;
    FormattedNumber downloadAverageText_;
    FormattedNumber uploadAverageText_;
    FormattedNumber graphPointText_;
    RateCaption downloadRateText_;
    RateCaption uploadRateText_;
};
