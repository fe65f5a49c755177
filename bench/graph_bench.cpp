// The traffic graph's full repaint on PIC1, as the monitor runs it on every tick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "graph/clsLineGraph.h"
#include "graph/graph_data.h"
#include "window/Pic1Surface.h"

namespace {

// Widgets need an application object; without a display they are drawn offscreen.
void ensureApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "lanhe-bench";
    static char* argv[] = {name, nullptr};
    // Lives until the program ends, after every benchmark has run.
    static auto* application = new QApplication(argc, argv);
    benchmark::DoNotOptimize(application);
}

// One appended sample and one Draw of the full list with the start-up colours, as each
// monitor tick does.
void Pic1DrawFullList(benchmark::State& state) {
    ensureApplication();
    Pic1Surface pic1;
    auto samples = std::make_shared<GraphData>(100, 5.0);
    clsLineGraph graph;
    graph.setPictureBox(&pic1);
    graph.setDataCollection(samples);
    graph.setPicBackground(0x000000);
    graph.setPicForeground(0x00FF00);
    graph.setBorderColor(0x0000FF);
    graph.setBorderSize(0);
    graph.setGridColor(0x808000);
    graph.setGridVisible(true);
    int tick = 0;
    for (auto _ : state) {
        samples->push_back(5 + tick++ % 50);
        graph.Draw();
    }
}
BENCHMARK(Pic1DrawFullList);

}  // namespace
