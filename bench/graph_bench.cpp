// The traffic graph's full repaint on PIC1, as the monitor runs it on every tick.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_application.h"
#include "graph/clsLineGraph.h"
#include "graph/graph_data.h"
#include "window/Pic1Surface.h"

namespace {

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
