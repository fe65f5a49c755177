// Start-up and the monitor tick in the window: the selector and its selection, a start-up that
// fails, the captions, PIC1, and tmrUpdate around each tick.
#include <new>

#include "form1_fixture.h"
#include "window/Pic1Surface.h"
#include "window/start_up.h"

namespace {

// Each test builds the window once the table and the setting it starts with are in place.
class MonitorWindow : public Form1Test {
  protected:
    void SetUp() override { table_.rows = {interfaceRow("eth0"), interfaceRow("wlan0")}; }
    void storeConnection(const char* value) {
        settings_.store("蓝禾自动关机", "Setting", "Connection", value);
    }
    QComboBox* selector() const { return control<QComboBox>("cboConnectionType"); }
    QString caption(const char* label) const { return control<QLabel>(label)->text(); }
};

// Start-up has no recovery of its own: what escapes it is shown, and the program ends.
TEST_F(MonitorWindow, AFailingStartUpIsShownAndReportedAsFailed) {
    const ShowMessage record = [this](const QString& text) { messages_.push_back(text); };
    EXPECT_TRUE(startUpOrReport([this] { start(); }, record));
    table_.probe = [] { throw std::bad_alloc(); };
    EXPECT_FALSE(startUpOrReport([this] { start(); }, record));
    EXPECT_THAT(messages_, ::testing::ElementsAre(QStringLiteral("启动失败：std::bad_alloc")));
}

TEST_F(MonitorWindow, TicksDrawPic1AndWriteEachCaptionInItsLabel) {
    storeConnection("1");
    table_.rows = {interfaceRow("eth0", 1'536'000, 2048), interfaceRow("wlan0")};
    start();
    tickAfter(100);
    table_.rows = {interfaceRow("eth0", 1'536'000 + 3072, 2048 + 1024), interfaceRow("wlan0")};
    tickAfter(250);
    EXPECT_EQ(control<Pic1Surface>("PIC1")->backgroundColor(), 0x000000u) << "PIC1 drawn";
    for (const auto& [label, text] : {std::pair{"lblType", "wlan0 "},
                                      {"lblRecv", "1,503 KB"},
                                      {"lblSent", "3 KB"},
                                      {"lblDSpeed", "12.00 KBS "},
                                      {"lblUSpeed", "4.00 KBS "},
                                      {"lblDownloadSpeedTop", "下载速率: 12.00 Kb/S"},
                                      {"lblUploadSpeedTop", "上载速率: 4.00 Kb/S"},
                                      {"lblDownloadSpeedAverage", "平均下载速率: 6.00 Kb/S"},
                                      {"lblUploadSpeedAverage", "平均上载速率: 2.00 Kb/S"}}) {
        EXPECT_EQ(caption(label), text) << label;
    }
    // The tops shown are Timer1's to clear; Timer3 takes back only the rate trigger's own.
    for (const auto& [timer, top] :
         {std::pair{"Timer3", "下载速率: 12.00 Kb/S"}, {"Timer1", "下载速率: 1.00 Kb/S"}}) {
        tick(timer);
        table_.rows[0].inOctets += 1024;
        tickAfter(1000);
        EXPECT_EQ(caption("lblDownloadSpeedTop"), top) << "after " << timer;
    }
}

// A stored position of none leaves the interfaces listed without selection, where Qt would
// select the first item added; which texts name none is pinned in selector_position_test.cpp.
// The setting is read again for every rebuild.
TEST_F(MonitorWindow, TheSelectorIsBuiltFromTheSettingAtStartUpAndWhenTheCountChanges) {
    storeConnection("-1");
    start();
    EXPECT_EQ(selector()->currentIndex(), -1);
    storeConnection("1");
    selector()->setCurrentIndex(0);

    table_.rows = {interfaceRow("wlan0"), interfaceRow("eth0")};
    tickAfter(100);
    EXPECT_EQ(selector()->itemText(0), "eth0 ") << "swapped: no rebuild";
    EXPECT_EQ(caption("lblType"), "wlan0 ") << "whatever stands at the selected position";

    table_.rows = {interfaceRow("wlan0"), interfaceRow("eth0"), interfaceRow("usb0")};
    tickAfter(100);
    EXPECT_EQ(selector()->count(), 3);
    EXPECT_EQ(selector()->itemText(0), "wlan0 ");
    EXPECT_EQ(selector()->currentIndex(), 1) << "the hand-made choice gives way to the setting";
}

// No click may run inside the tick (its box would freeze the monitor halfway), nor the tick
// overlap itself; a failing statement is skipped and the timer runs on.
TEST_F(MonitorWindow, TheTickRunsAloneWithItsTimerOffAndEndsWithTheTimerOn) {
    start();
    bool otherEventRan = false;
    QMetaObject::invokeMethod(
        form_.get(), [&] { otherEventRan = true; }, Qt::QueuedConnection);
    std::vector<bool> timerOnOrEventRan;
    bool throwing = true;
    table_.probe = [&] {
        timerOnOrEventRan.push_back(timer("tmrUpdate")->isActive() || otherEventRan);
        if (throwing) {
            throw std::bad_alloc();
        }
    };
    tickAfter(100);
    EXPECT_TRUE(timer("tmrUpdate")->isActive());
    throwing = false;
    tickAfter(100);
    EXPECT_EQ(caption("lblRecv"), "0 KB") << "the monitor goes on after the failure";

    EXPECT_THAT(timerOnOrEventRan,
                ::testing::AllOf(::testing::SizeIs(::testing::Gt(2)), ::testing::Each(false)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(otherEventRan) << "the event was pending all along";
}

}  // namespace
