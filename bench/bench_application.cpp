#include "bench_application.h"

#include <benchmark/benchmark.h>

#include <QApplication>

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
