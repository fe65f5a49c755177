#include "graph/clsLineGraph.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <numeric>
#include <tuple>
#include <utility>

#include "support/recording_surface.h"

namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;
using Shape = RecordingSurface::Shape;

constexpr Color kBorder = 0x0000FF;
constexpr Color kGrid = 0x808000;
constexpr Color kLine = 0x00FF00;

// A graph configured like the window's, on a 375 × 112 surface in twips.
class LineGraphTest : public ::testing::Test {
  protected:
    LineGraphTest() {
        graph.setPictureBox(&surface);
        graph.setDataCollection(samples);
        graph.setPicForeground(kLine);
        graph.setBorderColor(kBorder);
        graph.setGridColor(kGrid);
        graph.setGridVisible(true);
    }

    void redraw() {
        surface.outlines.clear();
        surface.lines.clear();
        graph.Draw();
    }

    RecordingSurface surface;
    std::shared_ptr<GraphData> samples = std::make_shared<GraphData>();
    clsLineGraph graph;
};

TEST_F(LineGraphTest, MissingListOrSurfaceIsNoFault) {
    graph.setDataCollection(nullptr);
    graph.Draw();
    EXPECT_THAT(surface.outlines, SizeIs(30));
    graph.setDataCollection(samples);
    graph.setPictureBox(nullptr);
    samples->assign(150, 1);
    graph.Draw();
    EXPECT_THAT(*samples, SizeIs(150));
}

TEST_F(LineGraphTest, DrawsOneSegmentPerSampleOfTheCallersListTrimmedToTheNewestHundred) {
    for (std::size_t count : {1, 99, 101, 1000}) {
        samples->assign(count, 0);
        std::iota(samples->begin(), samples->end(), 0.0);  // the rest show which were trimmed
        redraw();
        const std::size_t kept = count < 100 ? count : 100;
        ASSERT_THAT(*samples, SizeIs(kept)) << count;
        EXPECT_EQ(samples->front(), static_cast<double>(count - kept)) << count;
        EXPECT_THAT(surface.lines, SizeIs(kept)) << count;
        EXPECT_EQ(surface.calls.back(), "drawLine") << count;
    }
}

// With the list empty: b + 1 frame outlines, the kth at (k, k)-(W − p − k, H − p − k) for a pen
// p pixels wide, then the grid from (b, b) over the plot of W − 2b by H − 2b, and no line.
TEST_F(LineGraphTest, EmptyListGetsFrameOfBorderSizePlusOneOutlinesAndGridInsideIt) {
    for (const auto& [border, pen] : {std::pair{0, 1}, {1, 1}, {2, 1}, {3, 1}, {1, 2}}) {
        surface.pen = static_cast<std::int16_t>(pen);
        graph.setBorderSize(static_cast<std::int16_t>(border));
        redraw();
        const auto frame = static_cast<std::size_t>(border > 0 ? border + 1 : 0);
        ASSERT_THAT(surface.outlines, SizeIs(frame + 30)) << border;
        for (std::size_t k = 0; k < frame; ++k) {
            const auto f = static_cast<float>(k);
            EXPECT_EQ(surface.outlines[k], (Shape{f, f, 375 - pen - f, 112 - pen - f, kBorder}));
        }
        const auto b = static_cast<float>(border);
        EXPECT_EQ(surface.outlines[frame], (Shape{b, b, (375 - 2 * b) / 20, 112 - 2 * b, kGrid}));
        EXPECT_THAT(surface.lines, IsEmpty());
    }
}

// Setting a property never draws; Draw first makes the surface keep its drawing and clears it
// in PicBackground. 379 − 99 × 3.79 + 2 in single precision would give 5.79000854, not 5.79.
TEST_F(LineGraphTest, WorkedExampleOnA379By112Surface) {
    surface.width = 379;
    samples->assign(99, 5);
    samples->push_back(25);
    graph.setPicBackground(0x123456);
    EXPECT_THAT(surface.calls, IsEmpty());
    graph.Draw();
    EXPECT_THAT(surface.calls, ::testing::Contains("clear"));
    EXPECT_EQ(std::pair(surface.persistent, surface.background), std::pair(true, 0x123456u));
    // Divided first, then multiplied: 112 × 9 / 10 would round to 100.800003, not 100.799995.
    for (int k = 1; k <= 20; ++k) {
        const auto f = static_cast<float>(k);
        EXPECT_EQ(surface.outlines.at(k - 1), (Shape{0, 0, 18.95f * f, 112, kGrid}));
        if (k <= 10) {
            EXPECT_EQ(surface.outlines.at(19 + k), (Shape{0, 0, 379, 11.2f * f, kGrid}));
        }
    }
    EXPECT_EQ(surface.lines.at(0), (Shape{2, 106.4f, 2, 106.4f, kLine}));
    EXPECT_EQ(surface.lines.at(1).x2, 5.79f);
    EXPECT_EQ(surface.lines.at(99), (Shape{373.42f, 106.4f, 377.21f, 84, kLine}));
}

// Only the left and top edges hold the line in, at b. The start point (b + 2, y) is not held:
// from above the surface the first segment is clipped at its top edge.
TEST_F(LineGraphTest, ValuesMapOntoTheFixedScaleHeldOnlyAtTheTop) {
    // Border, every value, the first segment's start, every point's height.
    const std::tuple<std::int16_t, double, float, float, float> cases[] = {
        {2, 150, 29.0f / 14, 0, 2},
        {3, 0, 5, 106, 106},
    };
    for (const auto& [border, value, startX, startY, y] : cases) {
        graph.setBorderSize(border);
        samples->assign(100, value);
        redraw();
        ASSERT_THAT(surface.lines, SizeIs(100)) << border;
        EXPECT_EQ(surface.lines[0], (Shape{startX, startY, static_cast<float>(border), y, kLine}))
            << border;
        EXPECT_EQ(surface.lines[99].y2, y) << border;
    }
}

// However far below the plot a sample lies, the line is cut at the surface's bottom edge and
// goes on: the segment wholly below is left out. An item that cannot be drawn (NaN, infinity,
// a height beyond double precision) ends the line quietly before it.
TEST_F(LineGraphTest, SamplesBelowAreClippedAndAnItemThatCannotBeDrawnEndsTheLine) {
    // The positions from 1 of the first and last item set, the item, the segments drawn.
    const std::tuple<int, int, double, std::size_t> cases[] = {
        {50, 51, -10.0, 99},      {50, 51, -30000.0, 99},
        {50, 51, -1e300, 99},     {1, 1, NAN, 0},
        {100, 100, INFINITY, 99}, {30, 30, std::numeric_limits<double>::max(), 29}};
    for (const auto& [first, last, item, drawn] : cases) {
        SCOPED_TRACE(item);
        samples->assign(100, 5);
        std::fill(samples->begin() + first - 1, samples->begin() + last, item);
        redraw();
        ASSERT_THAT(surface.lines, SizeIs(drawn));
        if (item < 0) {
            EXPECT_EQ(surface.lines[49].y2, 112);
            EXPECT_EQ(surface.lines[50].y1, 112);
            EXPECT_FLOAT_EQ(surface.lines[98].y2, 106.4f);
        }
    }
}

// Draw ends quietly at the first thing it cannot do, which is the last call it makes, and keeps
// what it drew: 16-bit arithmetic (i + p in the frame, 2b in the grid and in the scales of the
// data line) that overflows, or the nth call of an operation, which fails. The list is trimmed
// only once the scales are known; with such borders no point lies on the surface.
TEST_F(LineGraphTest, StopsQuietlyAtAnOverflowOrAFailingCallKeepingWhatWasDrawn) {
    // Border, grid visible, the last call and its number if it fails; outlines and segments
    // drawn, samples left.
    const std::tuple<std::int16_t, bool, const char*, int, std::size_t, std::size_t, std::size_t>
        cases[] = {
            {32767, true, "drawRectangleOutline", 0, 32767, 0, 101},
            {16384, true, "innerHeight", 0, 16385, 0, 101},
            {16384, false, "innerHeight", 0, 16385, 0, 101},
            {16383, false, "innerHeight", 0, 16384, 0, 100},
            {-32768, true, "innerHeight", 0, 0, 0, 101},
            {1, true, "setBackgroundColor", 1, 0, 0, 101},
            {1, true, "drawRectangleOutline", 3, 2, 0, 101},
            {1, true, "innerWidth", 3, 32, 0, 101},
            {1, true, "drawLine", 100, 32, 99, 100},
        };
    for (const auto& [border, gridVisible, last, nth, outlines, lines, left] : cases) {
        SCOPED_TRACE(testing::Message() << border << ", " << last << " #" << nth);
        RecordingSurface failing;
        failing.failCall(last, nth);
        graph.setPictureBox(&failing);
        graph.setBorderSize(border);
        graph.setGridVisible(gridVisible);
        samples->assign(101, 10);
        graph.Draw();
        EXPECT_EQ(failing.calls.back(), last);
        EXPECT_THAT(failing.outlines, SizeIs(outlines));
        EXPECT_THAT(failing.lines, SizeIs(lines));
        EXPECT_THAT(*samples, SizeIs(left));
    }
}

}  // namespace
