#include "window/Pic1Surface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>

#include "graph/clsLineGraph.h"
#include "graph/graph_data.h"

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kTeal = qRgb(0, 128, 128);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);

// Given PIC1 at its size and the graph configured as the window configures it at start-up.
class Pic1SurfaceTest : public ::testing::Test {
  protected:
    Pic1SurfaceTest() {
        graph.setPictureBox(&pic1);
        graph.setDataCollection(samples);
        graph.setPicBackground(0x000000);
        graph.setPicForeground(0x00FF00);
        graph.setBorderColor(0x0000FF);
        graph.setBorderSize(0);
        graph.setGridColor(0x808000);
        graph.setGridVisible(true);
    }

    // What the widget shows when it is painted, cut to the inner area.
    QImage shown() { return pic1.grab().toImage().copy(pic1.contentsRect()); }

    Pic1Surface pic1;
    std::shared_ptr<GraphData> samples = std::make_shared<GraphData>(100, 5.0);
    clsLineGraph graph;
};

TEST_F(Pic1SurfaceTest, IsPic1WithA375By112InnerAreaMeasuredInTwips) {
    EXPECT_EQ(pic1.objectName(), "PIC1");
    EXPECT_EQ(pic1.size(), QSize(379, 116));
    EXPECT_EQ(pic1.innerWidth(), 375 * 15);
    EXPECT_EQ(pic1.innerHeight(), 112 * 15);
    EXPECT_EQ(shown().pixel(10, 10), qRgb(0xF0, 0xF0, 0xF0));
}

TEST_F(Pic1SurfaceTest, StartUpGraphShowsTealGridAndGreenLineOnBlack) {
    samples->back() = 25;

    graph.Draw();

    const QImage image = shown();
    EXPECT_EQ(image.pixel(10, 50), kBlack);
    // The grid's shared left and top edges, vertical line 1 at 18.75, horizontal line 3 at 33.6.
    EXPECT_EQ(image.pixel(0, 50), kTeal);
    EXPECT_EQ(image.pixel(10, 0), kTeal);
    EXPECT_EQ(image.pixel(19, 50), kTeal);
    EXPECT_EQ(image.pixel(10, 34), kTeal);
    // Value 5 at y = 106.4 from x = 2 to the last segment, which climbs to value 25 at y = 84.
    EXPECT_EQ(image.pixel(1, 106), kBlack);
    EXPECT_EQ(image.pixel(2, 106), kGreen);
    EXPECT_EQ(image.pixel(200, 106), kGreen);
    EXPECT_EQ(image.pixel(373, 84), kGreen);
    EXPECT_EQ(image.pixel(374, 84), kBlack);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_NE(image.pixel(x, y), kRed) << "no frame, so no red at " << x << ", " << y;
        }
    }
}

TEST_F(Pic1SurfaceTest, FrameInBorderColorShowsPureRedOnTheEdges) {
    graph.setBorderSize(1);

    graph.Draw();

    const QImage image = shown();
    EXPECT_EQ(image.pixel(0, 50), kRed);
    EXPECT_EQ(image.pixel(374, 50), kRed);
    EXPECT_EQ(image.pixel(200, 0), kRed);
    EXPECT_EQ(image.pixel(200, 111), kRed);
}

TEST_F(Pic1SurfaceTest, DrawingShowsAgainWhenThePictureIsPaintedAgain) {
    graph.Draw();
    const QImage first = shown();

    const QImage second = shown();

    EXPECT_EQ(second.pixel(200, 106), kGreen);
    EXPECT_EQ(second, first);
}

TEST_F(Pic1SurfaceTest, WithoutPersistentDrawingADrawingShowsOnlyOnce) {
    ASSERT_TRUE(pic1.setCoordinateUnit(CoordinateUnit::Pixels));
    ASSERT_TRUE(pic1.drawLine(0, 50, 374, 50, 0x00FF00));

    EXPECT_EQ(shown().pixel(100, 50), kGreen);
    EXPECT_EQ(shown().pixel(100, 50), qRgb(0xF0, 0xF0, 0xF0));
}

TEST_F(Pic1SurfaceTest, TwipsAreFifteenToAPixel) {
    ASSERT_TRUE(pic1.setPersistentDrawing(true));

    ASSERT_TRUE(pic1.drawRectangleOutline(150, 150, 300, 300, 0x0000FF));

    const QImage image = shown();
    EXPECT_EQ(image.pixel(10, 10), kRed);
    EXPECT_EQ(image.pixel(20, 20), kRed);
    EXPECT_EQ(image.pixel(9, 9), qRgb(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(image.pixel(15, 15), qRgb(0xF0, 0xF0, 0xF0));
}

struct ColorCase {
    const char* name;
    Color color;
    QRgb shown;
};

void PrintTo(const ColorCase& row, std::ostream* out) {
    *out << row.name;
}

class Pic1ColorTest : public Pic1SurfaceTest, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(Pic1ColorTest, RedIsTheLowByte) {
    pic1.setPersistentDrawing(true);
    pic1.setCoordinateUnit(CoordinateUnit::Pixels);

    pic1.drawLine(5, 5, 5, 5, GetParam().color);

    EXPECT_EQ(shown().pixel(5, 5), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Colors, Pic1ColorTest,
    ::testing::Values(ColorCase{"Red", 0x0000FF, qRgb(255, 0, 0)},
                      ColorCase{"Green", 0x00FF00, qRgb(0, 255, 0)},
                      ColorCase{"Blue", 0xFF0000, qRgb(0, 0, 255)},
                      ColorCase{"Teal", 0x808000, qRgb(0, 128, 128)},
                      ColorCase{"TopByteIgnored", 0xFF563412, qRgb(0x12, 0x34, 0x56)}),
    [](const ::testing::TestParamInfo<ColorCase>& row) { return std::string(row.param.name); });

TEST_F(Pic1SurfaceTest, RefusesCoordinatesFarOutsideAndDrawsNothing) {
    pic1.setPersistentDrawing(true);
    pic1.setCoordinateUnit(CoordinateUnit::Pixels);
    const QImage before = shown();

    EXPECT_FALSE(pic1.drawLine(0, 0, 10, 1e9f, 0x00FF00));
    EXPECT_FALSE(pic1.drawRectangleOutline(-1e9f, 0, 10, 10, 0x00FF00));
    EXPECT_FALSE(pic1.drawLine(std::nanf(""), 0, 10, 10, 0x00FF00));

    EXPECT_EQ(shown(), before);
}

TEST_F(Pic1SurfaceTest, ResizingKeepsTheDrawingAndFillsTheNewAreaWithTheBackground) {
    graph.Draw();

    pic1.resize(479, 216);

    const QImage image = shown();
    ASSERT_EQ(image.size(), QSize(475, 212));
    EXPECT_EQ(image.pixel(200, 106), kGreen);
    EXPECT_EQ(image.pixel(450, 200), kBlack);
    EXPECT_EQ(pic1.innerWidth(), 475);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Widgets need a platform; without a display they are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
