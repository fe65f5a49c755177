// The one QApplication the benchmarks that build widgets need.
#pragma once

// Creates it on first use, offscreen unless a platform is set; it lives until the program ends.
void ensureApplication();
