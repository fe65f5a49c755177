#include "graph/clsLineGraph.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/recording_surface.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::FloatEq;
using ::testing::FloatNear;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using Op = RecordingSurface::Op;
using Shape = RecordingSurface::Shape;

constexpr Color kBorder = 0x0000FF;
constexpr Color kGrid = 0x808000;
constexpr Color kLine = 0x00FF00;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Table rows carry a name, used for the test's name and in failure messages.
template <typename Case>
requires requires(const Case& row) {
    row.name;
}
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

template <typename Case>
std::string rowName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// Given a graph configured like the window's, on a fresh 375 × 112 surface in twips.
class LineGraphTest : public ::testing::Test {
  protected:
    LineGraphTest() { configure(surface); }

    void configure(RecordingSurface& target) {
        graph.setPictureBox(&target);
        graph.setDataCollection(samples);
        graph.setPicBackground(0x000000);
        graph.setPicForeground(kLine);
        graph.setBorderColor(kBorder);
        graph.setBorderSize(0);
        graph.setGridColor(kGrid);
        graph.setGridVisible(true);
    }

    // count samples 0, 1, 2, … so that the remaining ones show which were trimmed.
    void fillCounting(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            samples->push_back(static_cast<double>(i));
        }
    }

    RecordingSurface surface;
    std::shared_ptr<GraphData> samples = std::make_shared<GraphData>();
    clsLineGraph graph;
};

TEST_F(LineGraphTest, PreparesAFreshSurfaceBeforeDrawing) {
    graph.setGridVisible(false);

    graph.Draw();

    EXPECT_THAT(surface.ops(),
                ElementsAre(Op::GetPersistentDrawing, Op::SetPersistentDrawing, Op::Clear,
                            Op::GetPenWidth, Op::GetCoordinateUnit, Op::SetCoordinateUnit,
                            Op::GetBackgroundColor, Op::SetBackgroundColor));
    EXPECT_TRUE(surface.state().persistentDrawing);
    EXPECT_EQ(surface.state().unit, CoordinateUnit::Pixels);
    EXPECT_EQ(surface.state().background, 0x000000u);
}

TEST_F(LineGraphTest, LeavesAPreparedSurfaceSettingsAloneAndOnlyClearsIt) {
    RecordingSurface prepared(
        {.persistentDrawing = true, .unit = CoordinateUnit::Pixels, .background = 0x000000});
    configure(prepared);
    graph.setGridVisible(false);

    graph.Draw();

    EXPECT_THAT(prepared.ops(), ElementsAre(Op::GetPersistentDrawing, Op::Clear, Op::GetPenWidth,
                                            Op::GetCoordinateUnit, Op::GetBackgroundColor));
}

TEST_F(LineGraphTest, EmptyListGetsFrameAndGridButNoLine) {
    graph.setBorderSize(1);

    graph.Draw();

    EXPECT_THAT(surface.outlines(), SizeIs(2 + 30));
    EXPECT_THAT(surface.lines(), IsEmpty());
    EXPECT_THAT(*samples, IsEmpty());
}

TEST_F(LineGraphTest, WithoutAListDrawsFrameAndGridOnlyAndWithoutASurfaceNothing) {
    graph.setDataCollection(nullptr);
    graph.Draw();
    EXPECT_THAT(surface.outlines(), SizeIs(30));
    EXPECT_THAT(surface.lines(), IsEmpty());

    const std::size_t callsBefore = surface.calls().size();
    graph.setPictureBox(nullptr);
    graph.setDataCollection(samples);
    fillCounting(150);
    graph.Draw();
    EXPECT_THAT(*samples, SizeIs(150));
    EXPECT_EQ(surface.calls().size(), callsBefore);
}

class TrimTest : public LineGraphTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(TrimTest, RemovesTheOldestUntilExactlyAHundredRemainInTheCallersList) {
    const std::size_t count = GetParam();
    fillCounting(count);

    graph.Draw();

    ASSERT_THAT(*samples, SizeIs(100));
    EXPECT_EQ(samples->front(), static_cast<double>(count - 100));
    EXPECT_EQ(samples->back(), static_cast<double>(count - 1));
    EXPECT_THAT(surface.lines(), SizeIs(100));
}

INSTANTIATE_TEST_SUITE_P(HundredOrMore, TrimTest, ::testing::Values(100, 101, 150, 1000));

class ShortListTest : public LineGraphTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ShortListTest, DrawsOneSegmentPerSampleAndKeepsTheList) {
    const std::size_t count = GetParam();
    samples->assign(count, 50);

    graph.Draw();

    EXPECT_THAT(surface.lines(), SizeIs(count));
    EXPECT_THAT(*samples, SizeIs(count));
    EXPECT_EQ(surface.calls().back().op, Op::DrawLine);
}

INSTANTIATE_TEST_SUITE_P(FewerThanAHundred, ShortListTest, ::testing::Values(1, 2, 50, 99));

TEST_F(LineGraphTest, ASingleSampleIsAZeroLengthSegmentAtTheStart) {
    samples->push_back(50);

    graph.Draw();

    EXPECT_THAT(surface.lines(), ElementsAre(Shape{2, 56, 2, 56, kLine}));
}

struct FrameCase {
    const char* name;
    std::int16_t borderSize;
    std::int16_t penWidth;
    std::vector<Shape> outlines;
};

class FrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameTest, DrawsBorderSizePlusOneOutlinesInsetByThePenWidth) {
    RecordingSurface surface({.penWidth = GetParam().penWidth});
    clsLineGraph graph;
    graph.setPictureBox(&surface);
    graph.setBorderColor(kBorder);
    graph.setBorderSize(GetParam().borderSize);

    graph.Draw();

    EXPECT_THAT(surface.outlines(), ElementsAreArray(GetParam().outlines));
}

INSTANTIATE_TEST_SUITE_P(
    BorderSizes, FrameTest,
    ::testing::Values(
        FrameCase{"None", 0, 1, {}},
        FrameCase{"One", 1, 1, {{0, 0, 374, 111, kBorder}, {1, 1, 373, 110, kBorder}}},
        FrameCase{
            "Two",
            2,
            1,
            {{0, 0, 374, 111, kBorder}, {1, 1, 373, 110, kBorder}, {2, 2, 372, 109, kBorder}}},
        FrameCase{"Three",
                  3,
                  1,
                  {{0, 0, 374, 111, kBorder},
                   {1, 1, 373, 110, kBorder},
                   {2, 2, 372, 109, kBorder},
                   {3, 3, 371, 108, kBorder}}},
        FrameCase{
            "OneWithPenWidthTwo", 1, 2, {{0, 0, 373, 110, kBorder}, {1, 1, 372, 109, kBorder}}},
        FrameCase{"Negative", -5, 1, {}}),
    rowName<FrameCase>);

TEST_F(LineGraphTest, WorkedExampleOnA375By112Surface) {
    samples->assign(99, 5);
    samples->push_back(25);

    graph.Draw();

    const std::vector<Shape> outlines = surface.outlines();
    ASSERT_THAT(outlines, SizeIs(30));
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(outlines[k - 1], (Shape{0, 0, 18.75f * static_cast<float>(k), 112, kGrid}));
    }
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(outlines[19 + k], (Shape{0, 0, 375, 11.2f * static_cast<float>(k), kGrid}));
    }
    // Divided first: 112 × 9 / 10 would round to 100.800003 instead.
    EXPECT_EQ(outlines[28].y2, 100.799995f);
    const std::vector<Shape> lines = surface.lines();
    ASSERT_THAT(lines, SizeIs(100));
    EXPECT_EQ(lines.front().x1, 2);
    EXPECT_THAT(lines.front().y1, FloatEq(106.4f));
    EXPECT_EQ(lines.front().x2, 2);
    EXPECT_EQ(lines[1].x2, 5.75f);
    EXPECT_EQ(lines.back().x2, 373.25f);
    EXPECT_THAT(lines.back().y2, FloatEq(84));
    EXPECT_THAT(lines.back().y1, FloatEq(106.4f));
}

TEST_F(LineGraphTest, DataLineIsComputedInDoublePrecision) {
    RecordingSurface wide({.width = 379});
    configure(wide);
    samples->assign(100, 0);

    graph.Draw();

    // 379 − 99 × 3.79 + 2 in single precision would give 5.79000854.
    EXPECT_EQ(wide.lines().at(1).x2, 5.79f);
}

TEST_F(LineGraphTest, GridAndLineKeepAMarginOfBorderSize) {
    graph.setBorderSize(2);
    samples->assign(100, 150);

    graph.Draw();

    const std::vector<Shape> outlines = surface.outlines();
    ASSERT_THAT(outlines, SizeIs(3 + 30));
    EXPECT_EQ(outlines[3], (Shape{2, 2, 371.f / 20, 108, kGrid}));
    EXPECT_EQ(outlines.back().x2, 371);
    EXPECT_THAT(outlines.back().y2, FloatEq(108));
    const std::vector<Shape> lines = surface.lines();
    ASSERT_THAT(lines, SizeIs(100));
    // The start point is b + 2 and not clamped; every other point is held at y = b.
    EXPECT_EQ(lines.front().x1, 4);
    EXPECT_THAT(lines.front().y1, FloatEq(-54));
    EXPECT_EQ(lines.front().x2, 2);
    EXPECT_THAT(lines, ::testing::Each(::testing::Field(&Shape::y2, 2)));

    // With b = 3 the start point is b + 2 = 5 and the first sample at x = 2 is held at x = 3.
    graph.setBorderSize(3);
    samples->assign(100, 0);
    graph.Draw();
    EXPECT_EQ(surface.lines().at(100), (Shape{5, 106, 3, 106, kLine}));
}

struct ValueCase {
    const char* name;
    double value;
    float y;
};

class ValueTest : public LineGraphTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueTest, MapsAValueOntoTheFixedScaleClampingOnlyAtTheTop) {
    samples->assign(100, GetParam().value);

    graph.Draw();

    const std::vector<Shape> lines = surface.lines();
    ASSERT_THAT(lines, SizeIs(100));
    // The start point is not clamped.
    EXPECT_THAT(lines.front().y1, FloatNear(GetParam().y, 1e-4f));
    EXPECT_THAT(lines.back().y2, FloatNear(GetParam().y > 0 ? GetParam().y : 0, 1e-4f));
}

INSTANTIATE_TEST_SUITE_P(Values, ValueTest,
                         ::testing::Values(ValueCase{"Zero", 0, 112}, ValueCase{"Hundred", 100, 0},
                                           ValueCase{"MinusTen", -10, 123.2f},
                                           ValueCase{"HundredFifty", 150, -56}),
                         rowName<ValueCase>);

struct BadItemCase {
    const char* name;
    std::size_t position;  // from 1
    double item;
    std::size_t linesDrawn;
};

class BadItemTest : public LineGraphTest, public ::testing::WithParamInterface<BadItemCase> {};

TEST_P(BadItemTest, DrawsUpToTheFirstItemThatCannotBeDrawn) {
    fillCounting(100);
    (*samples)[GetParam().position - 1] = GetParam().item;

    graph.Draw();

    EXPECT_THAT(surface.outlines(), SizeIs(30));
    EXPECT_THAT(surface.lines(), SizeIs(GetParam().linesDrawn));
}

INSTANTIATE_TEST_SUITE_P(UnusualItems, BadItemTest,
                         ::testing::Values(BadItemCase{"NaNFirst", 1, kNaN, 0},
                                           BadItemCase{"NaNInTheMiddle", 50, kNaN, 49},
                                           BadItemCase{"InfinityLast", 100, kInfinity, 99},
                                           BadItemCase{"MinusInfinity", 7, -kInfinity, 6},
                                           BadItemCase{"BelowSinglePrecision", 30, -1e300, 29},
                                           BadItemCase{"OverflowingTheScale", 30,
                                                       std::numeric_limits<double>::max(), 29}),
                         rowName<BadItemCase>);

struct OverflowCase {
    const char* name;
    std::int16_t borderSize;
    std::int16_t penWidth;
    bool gridVisible;
    std::size_t outlines;
    std::size_t lines;
};

class OverflowTest : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(OverflowTest, SixteenBitOverflowStopsQuietly) {
    const OverflowCase& c = GetParam();
    RecordingSurface surface({.penWidth = c.penWidth});
    auto samples = std::make_shared<GraphData>(101, 10.0);
    clsLineGraph graph;
    graph.setPictureBox(&surface);
    graph.setDataCollection(samples);
    graph.setBorderSize(c.borderSize);
    graph.setGridVisible(c.gridVisible);

    graph.Draw();

    EXPECT_THAT(surface.outlines(), SizeIs(c.outlines));
    EXPECT_THAT(surface.lines(), SizeIs(c.lines));
    // The list is trimmed only once the scales are known.
    EXPECT_THAT(*samples, SizeIs(c.lines > 0 ? 100 : 101));
}

INSTANTIATE_TEST_SUITE_P(
    BorderAndPen, OverflowTest,
    ::testing::Values(OverflowCase{"InsetOfTheLastOutline", 32767, 1, true, 32767, 0},
                      OverflowCase{"InsetOfTheSecondOutline", 1, 32767, true, 1, 0},
                      OverflowCase{"TwiceTheBorderInTheGrid", 16384, 1, true, 16385, 0},
                      OverflowCase{"TwiceTheBorderInTheScales", 16384, 1, false, 16385, 0},
                      OverflowCase{"TwiceTheBorderJustFits", 16383, 1, false, 16384, 100},
                      OverflowCase{"TwiceTheMostNegativeBorder", -32768, 1, true, 0, 0}),
    rowName<OverflowCase>);

TEST_F(LineGraphTest, SettersNeverDraw) {
    graph.setGridColor(1);
    graph.setGridVisible(false);
    graph.setBorderColor(2);
    graph.setBorderSize(3);
    graph.setPicForeground(4);
    graph.setPicBackground(5);
    graph.setDataCollection(samples);
    graph.setPictureBox(&surface);

    EXPECT_THAT(surface.calls(), IsEmpty());
    EXPECT_EQ(graph.DataCollection().get(), samples.get());
}

struct FailingCallCase {
    const char* name;
    Op op;
    int nth;
    std::size_t outlines;
    std::size_t lines;
    bool trimmed;
};

class FailingCallTest : public LineGraphTest,
                        public ::testing::WithParamInterface<FailingCallCase> {};

TEST_P(FailingCallTest, StopsQuietlyAtTheFailingCall) {
    const FailingCallCase& c = GetParam();
    graph.setBorderSize(1);
    fillCounting(101);
    surface.failCall(c.op, c.nth);

    graph.Draw();

    ASSERT_THAT(surface.calls(), ::testing::Not(IsEmpty()));
    EXPECT_EQ(surface.calls().back().op, c.op);
    EXPECT_TRUE(surface.calls().back().failed);
    EXPECT_THAT(surface.outlines(), SizeIs(c.outlines));
    EXPECT_THAT(surface.lines(), SizeIs(c.lines));
    EXPECT_THAT(*samples, SizeIs(c.trimmed ? 100 : 101));
}

INSTANTIATE_TEST_SUITE_P(
    EachOperation, FailingCallTest,
    ::testing::Values(
        FailingCallCase{"ReadPersistentDrawing", Op::GetPersistentDrawing, 1, 0, 0, false},
        FailingCallCase{"SetPersistentDrawing", Op::SetPersistentDrawing, 1, 0, 0, false},
        FailingCallCase{"Clear", Op::Clear, 1, 0, 0, false},
        FailingCallCase{"ReadPenWidth", Op::GetPenWidth, 1, 0, 0, false},
        FailingCallCase{"ReadUnit", Op::GetCoordinateUnit, 1, 0, 0, false},
        FailingCallCase{"SetUnit", Op::SetCoordinateUnit, 1, 0, 0, false},
        FailingCallCase{"ReadBackground", Op::GetBackgroundColor, 1, 0, 0, false},
        FailingCallCase{"SetBackground", Op::SetBackgroundColor, 1, 0, 0, false},
        FailingCallCase{"ReadWidthForTheFrame", Op::GetInnerWidth, 1, 0, 0, false},
        FailingCallCase{"ReadHeightForTheGrid", Op::GetInnerHeight, 2, 2, 0, false},
        FailingCallCase{"ReadWidthForTheLine", Op::GetInnerWidth, 3, 32, 0, false},
        FailingCallCase{"FirstOutline", Op::DrawRectangleOutline, 1, 0, 0, false},
        FailingCallCase{"FirstGridOutline", Op::DrawRectangleOutline, 3, 2, 0, false},
        FailingCallCase{"LastGridOutline", Op::DrawRectangleOutline, 32, 31, 0, false},
        FailingCallCase{"FirstSegment", Op::DrawLine, 1, 32, 0, true},
        FailingCallCase{"LastSegment", Op::DrawLine, 100, 32, 99, true}),
    rowName<FailingCallCase>);

}  // namespace
