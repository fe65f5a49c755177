// The graph's sample list, oldest sample first: the window appends to it and Draw trims it,
// so both hold the very same list.
#pragma once

#include <deque>

using GraphData = std::deque<double>;
