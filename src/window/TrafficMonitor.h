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
#include "netstats/CIpHelper.h"
#include "platform/interface_table.h"
#include "platform/monotonic_clock.h"
#include "platform/selector_position.h"
#include "platform/settings_store.h"
#include "scheduler/rate_tops.h"

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

    // The selector as the table stands now, one fresh snapshot per entry; the selection
    // comes from the "Connection" setting.
    SelectorContents readSelector();

    // One tick, given the selector's selected position and item count. Rates, tops, averages
    // and the graph are in bytes per second over the time since the previous reading; the
    // first reading only becomes that baseline.
    MonitorCaptions tmrUpdate_Timer(int selectedPosition, int selectorItemCount);

    const std::shared_ptr<GraphData>& colGraphData() const { return colGraphData_; }
    double dblDownloadSpeedAverage() const { return dblDownloadSpeedAverage_; }
    double dblUploadSpeedAverage() const { return dblUploadSpeedAverage_; }

  private:
    // The summed counters of one snapshot and the moment it was taken.
    struct Reading {
        std::int32_t lngRecv = 0;
        std::int32_t lngSent = 0;
        std::int64_t takenAt = 0;
    };
    // This tick's change of the counters: bytes per tick, and bytes per second.
    struct Rates {
        std::int32_t lngRecvDelta = 0;
        std::int32_t lngSentDelta = 0;
        double download = 0;
        double upload = 0;
    };

    void configureGraph(DrawingSurface& pic1);
    std::optional<Reading> takeSnapshot(int selectedPosition, MonitorCaptions& captions);
    void showTotals(const Reading& reading, MonitorCaptions& captions) const;
    void measure(const Reading& reading, MonitorCaptions& captions);
    Rates ratesSinceBaseline(const Reading& reading, std::int64_t elapsedNanoseconds) const;
    void raiseTops(const Rates& rates);
    void updateAverages(const Rates& rates);
    void showRateLines(MonitorCaptions& captions) const;
    void appendGraphPoint();
    static void showCurrentRates(const Rates& rates, MonitorCaptions& captions);
    std::optional<SelectorContents> upkeepSelector(int selectorItemCount);

    CIpHelper objIpHelper_;
    const SettingsStore& settings_;
    const MonotonicClock& clock_;
    RateTops& rateTops_;
    std::shared_ptr<GraphData> colGraphData_;
    clsLineGraph objLineGraph_;
    std::int32_t lngLastRecv_ = 0;
    std::int32_t lngLastSent_ = 0;
    // When lngLastRecv and lngLastSent were read; nothing until the first reading.
    std::optional<std::int64_t> lastReadingAt_;
    double dblDownloadSpeedAverage_ = 0;
    double dblUploadSpeedAverage_ = 0;
};
