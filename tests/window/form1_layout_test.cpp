// The window as the user sees it: every control where it belongs, one option group across the
// panels, the tab order, the timers, and the monitor kept out of sight whatever the window's size.
#include <gmock/gmock.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRadioButton>
#include <QWindow>
#include <functional>

#include "form1_fixture.h"

namespace {

struct ControlRow {
    const char* name;
    const char* className;
    const char* text;
    QRect geometry;
};

// Left, top, width and height in logical pixels. Text1 to Text5 show the fixture clock's
// 2026-03-07 08:05, which start-up writes without leading zeros.
const ControlRow kControls[] = {
    {"Label1", "QLabel", "于", {16, 16, 17, 25}},
    {"Text1", "QLineEdit", "2026", {40, 16, 49, 25}},
    {"Label2", "QLabel", "年", {96, 16, 25, 25}},
    {"Text2", "QLineEdit", "3", {120, 16, 25, 25}},
    {"Label3", "QLabel", "月", {152, 16, 17, 25}},
    {"Text3", "QLineEdit", "7", {176, 16, 25, 25}},
    {"Label4", "QLabel", "日", {208, 16, 17, 25}},
    {"Text4", "QLineEdit", "8", {232, 16, 25, 26}},
    {"Label5", "QLabel", "时", {264, 16, 17, 25}},
    {"Text5", "QLineEdit", "5", {288, 16, 25, 25}},
    {"Label6", "QLabel", "分", {320, 16, 25, 25}},
    {"Option1", "QRadioButton", "关机", {24, 80, 57, 33}},
    {"Option2", "QRadioButton", "重启", {104, 80, 65, 33}},
    {"Option3", "QRadioButton", "睡眠", {192, 80, 73, 33}},
    {"Option4", "QRadioButton", "休眠", {280, 80, 57, 33}},
    {"Command1", "QPushButton", "确定", {88, 144, 177, 33}},
    {"Line1", "QWidget", "", {344, 0, 1, 288}},
    {"Label8", "QLabel", "在", {352, 16, 17, 25}},
    {"Text8", "QLineEdit", "300", {376, 16, 49, 29}},
    {"Label9", "QLabel", "秒内，网速持续低于", {432, 16, 145, 25}},
    {"Text9", "QLineEdit", "50", {584, 16, 49, 29}},
    {"Label10", "QLabel", "KB每秒", {640, 16, 57, 25}},
    {"Option8", "QRadioButton", "关机", {368, 80, 57, 33}},
    {"Option7", "QRadioButton", "重启", {448, 80, 65, 33}},
    {"Option6", "QRadioButton", "睡眠", {536, 80, 73, 33}},
    {"Option5", "QRadioButton", "休眠", {624, 80, 65, 33}},
    {"Command4", "QPushButton", "确定", {440, 144, 169, 33}},
    {"Line2", "QWidget", "", {696, 0, 1, 288}},
    {"Label11", "QLabel", "当PID为", {760, 16, 97, 25}},
    {"Text10", "QLineEdit", "0", {824, 16, 57, 29}},
    {"Label12", "QLabel", "的进程结束时", {888, 16, 289, 25}},
    {"Label13", "QLabel", "PID可在任务管理器-详细信息中查看 ", {776, 56, 201, 17}},
    {"Option9", "QRadioButton", "关机", {712, 80, 57, 33}},
    {"Option10", "QRadioButton", "重启", {792, 80, 65, 33}},
    {"Option11", "QRadioButton", "睡眠", {880, 80, 73, 33}},
    {"Option12", "QRadioButton", "休眠", {968, 80, 65, 33}},
    {"Command5", "QPushButton", "确定", {792, 144, 169, 33}},
    {"cboConnectionType", "QComboBox", "", {408, 1000, 364, 22}},
    {"PIC1", "Pic1Surface", "", {240, 808, 379, 116}},
    {"lblType", "QLabel", "TokenRing ", {544, 944, 286, 31}},
    {"lblDownloadSpeedTop", "QLabel", "下载速率:", {416, 424, 350, 28}},
    {"lblUploadSpeedTop", "QLabel", "上载速率:", {424, 392, 230, 36}},
    {"lblDownloadSpeedAverage", "QLabel", "平均下载速率:", {544, 800, 390, 44}},
    {"lblUploadSpeedAverage", "QLabel", "平均上载速率:", {544, 824, 366, 28}},
    {"lblRecv", "QLabel", "Label1", {816, 912, 110, 23}},
    {"lblSent", "QLabel", "Label1", {816, 792, 110, 23}},
    {"lblDSpeed", "QLabel", "Label6", {816, 832, 110, 23}},
    {"lblUSpeed", "QLabel", "Label7", {816, 880, 110, 23}},
    {"Text6", "QLineEdit", "Text6", {448, 832, 201, 49}},
    {"Command3", "QPushButton", "Command3", {528, 448, 89, 57}},
};

TEST_F(Form1Test, EveryControlHasItsKindTextPlaceAndAccessibleName) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = control(row.name);
        const QString text = widget->property("text").toString();
        EXPECT_STREQ(widget->metaObject()->className(), row.className);
        EXPECT_EQ(text, QString::fromUtf8(row.text));
        EXPECT_EQ(QRect(widget->mapTo(form_.get(), QPoint()), widget->size()), row.geometry);
        EXPECT_FALSE(widget->accessibleName().trimmed().isEmpty());
    }
}

TEST_F(Form1Test, WindowHasItsCaptionIconFixedClientAreaAndTimers) {
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("蓝禾自动关机"));
    EXPECT_EQ(form_->size(), QSize(1038, 199));
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    EXPECT_FALSE(form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form_->windowIcon().availableSizes().size(), 4) << "icon resources missing";
    for (const auto& [name, interval, active] :
         {std::tuple{"tmrUpdate", 100, true}, std::tuple{"Timer1", 4000, true},
          std::tuple{"Timer3", 1000, true}, std::tuple{"Timer4", 1000, false}}) {
        EXPECT_EQ(timer(name)->interval(), interval) << name;
        EXPECT_EQ(timer(name)->isActive(), active) << name;
    }
}

// No text may show as boxes: every glyph comes from an installed Chinese family.
TEST_F(Form1Test, PanelTextsResolveToAChineseFamilyWithEveryGlyph) {
    for (const char* name : {"Label9", "Text1", "Option1", "Command1", "Label12", "Label13"}) {
        const QWidget* widget = control(name);
        const QFontInfo resolved(widget->font());
        EXPECT_TRUE(QFontDatabase::writingSystems(resolved.family())
                        .contains(QFontDatabase::SimplifiedChinese))
            << name << " in " << resolved.family().toStdString();
        const bool hint = qstrcmp(name, "Label13") == 0;
        EXPECT_DOUBLE_EQ(resolved.pointSizeF(), hint ? 9.0 : 12.0) << name;
        for (const char32_t glyph : widget->property("text").toString().toUcs4()) {
            EXPECT_TRUE(QFontMetrics(widget->font()).inFontUcs4(glyph)) << name;
        }
    }
}

TEST_F(Form1Test, TheTwelveOptionsAreOneGroupAcrossThePanels) {
    for (const char* chosen : {"Option1", "Option11", "Option5", "Option12", "Option3"}) {
        click(chosen);
        for (int n = 1; n <= 12; ++n) {
            const QString name = QStringLiteral("Option%1").arg(n);
            EXPECT_EQ(control<QRadioButton>(qPrintable(name))->isChecked(), name == chosen)
                << name.toStdString() << " after clicking " << chosen;
        }
    }
}

TEST_F(Form1Test, FocusChainRunsLeftPanelThenHiddenControlsThenMiddleThenRightPanel) {
    QString chain = QStringLiteral("Text1");
    for (QWidget* next = control("Text1")->nextInFocusChain(); next != control("Text1");
         next = next->nextInFocusChain()) {
        if (next->focusPolicy() != Qt::NoFocus) {
            chain += ' ' + next->objectName();
        }
    }
    EXPECT_EQ(chain,
              "Text1 Text2 Text3 Text4 Text5 Option1 Option2 Option3 Option4 Command1 "
              "cboConnectionType Text6 Command3 Text8 Text9 Option5 Option6 Option7 Option8 "
              "Command4 Text10 Command5 Option9 Option10 Option11 Option12");
}

// The controls below the client area stay visible to Qt, so that they keep taking the
// keyboard focus, yet are never seen.
TEST_F(Form1Test, HiddenControlsStayOutOfSightWhenTheWindowIsEnlarged) {
    const std::pair<const char*, std::function<void(Form1&)>> attempts[] = {
        {"maximize", [](Form1& form) { form.showMaximized(); }},
        {"window manager ignoring the size hints",
         [](Form1& form) { form.windowHandle()->setGeometry(0, 0, 1280, 800); }},
    };
    for (const auto& [what, enlarge] : attempts) {
        enlarge(*form_);
        QCoreApplication::processEvents();
        EXPECT_FALSE(control("Command1")->visibleRegion().isEmpty()) << what;
        for (const ControlRow& row : kControls) {
            if (row.geometry.top() >= 199) {
                EXPECT_TRUE(control(row.name)->isVisible()) << row.name;
                EXPECT_TRUE(control(row.name)->visibleRegion().isEmpty())
                    << row.name << " shows after " << what;
            }
        }
    }
}

}  // namespace
