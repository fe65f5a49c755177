// The window as the user sees it: every control where it belongs, with its text and font,
// one option group across the panels, the tab order, the timers, and the monitor kept out of
// sight whatever happens to the window's size.
#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

#include "form1_fixture.h"

namespace {

struct ControlRow {
    const char* name;
    const char* className;
    const char* text;
    QRect geometry;
};

// Left, top, width and height in logical pixels. Text1 to Text5 show the fixture clock's
// 2026-03-07 08:05, which start-up writes over the design-time texts.
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

constexpr int kClientHeight = 199;

const char* const kOptions[] = {"Option1", "Option2",  "Option3",  "Option4",
                                "Option5", "Option6",  "Option7",  "Option8",
                                "Option9", "Option10", "Option11", "Option12"};

// The controls in Arial: the selector and the small monitor boxes.
const char* const kArialControls[] = {"cboConnectionType", "lblType",   "lblRecv",
                                      "lblSent",           "lblDSpeed", "lblUSpeed"};

bool isArialControl(const char* name) {
    return std::any_of(std::begin(kArialControls), std::end(kArialControls),
                       [name](const char* arial) { return qstrcmp(arial, name) == 0; });
}

QString visibleText(const QWidget* control) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        return combo->currentText();
    }
    return control->property("text").toString();
}

bool isChineseFamily(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

class Form1Layout : public Form1Test {
  protected:
    QRect geometryInForm(const QWidget* control) const {
        return {control->mapTo(form_.get(), QPoint(0, 0)), control->size()};
    }

    std::vector<QWidget*> hiddenControls() const {
        std::vector<QWidget*> hidden;
        for (const ControlRow& row : kControls) {
            if (row.geometry.top() >= kClientHeight) {
                hidden.push_back(control(row.name));
            }
        }
        return hidden;
    }

    void expectHiddenControlsOutOfSight() const {
        for (QWidget* hidden : hiddenControls()) {
            EXPECT_TRUE(hidden->visibleRegion().isEmpty())
                << hidden->objectName().toStdString() << " shows " << form_->width() << "x"
                << form_->height();
        }
        EXPECT_FALSE(control("Command5")->visibleRegion().isEmpty());
    }
};

TEST_F(Form1Layout, EveryControlHasItsKindTextAndPlace) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = control(row.name);
        EXPECT_STREQ(widget->metaObject()->className(), row.className);
        EXPECT_EQ(visibleText(widget), QString::fromUtf8(row.text));
        EXPECT_EQ(geometryInForm(widget), row.geometry);
    }
}

TEST_F(Form1Layout, WindowHasTheCaptionAFixedClientAreaAndNoMaximizeButton) {
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("蓝禾自动关机"));
    EXPECT_EQ(form_->size(), QSize(1038, 199));
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    EXPECT_FALSE(form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(Form1Layout, WindowIconCarriesEverySize) {
    const QList<QSize> sizes = form_->windowIcon().availableSizes();
    for (const int side : {16, 32, 48, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
}

TEST_F(Form1Layout, TextsInTheWindowFontResolveToAnInstalledChineseFamilyAt12Points) {
    for (const ControlRow& row : kControls) {
        if (isArialControl(row.name) || qstrcmp(row.name, "Label13") == 0) {
            continue;
        }
        SCOPED_TRACE(row.name);
        const QWidget* widget = control(row.name);
        const QFontInfo resolved(widget->font());
        EXPECT_TRUE(isChineseFamily(resolved.family())) << resolved.family().toStdString();
        EXPECT_DOUBLE_EQ(resolved.pointSizeF(), 12.0);
        EXPECT_EQ(widget->font().weight(), QFont::Normal);
        const QFontMetrics metrics(widget->font());
        for (const char32_t character : visibleText(widget).toUcs4()) {
            EXPECT_TRUE(metrics.inFontUcs4(character))
                << "no glyph for U+" << std::hex << static_cast<unsigned>(character);
        }
    }
}

TEST_F(Form1Layout, HintIsGreyLightNinePointsInTheChineseFamily) {
    const auto* hint = control<QLabel>("Label13");
    const QFontInfo resolved(hint->font());
    EXPECT_TRUE(isChineseFamily(resolved.family())) << resolved.family().toStdString();
    EXPECT_DOUBLE_EQ(resolved.pointSizeF(), 9.0);
    EXPECT_EQ(hint->font().weight(), QFont::Light);
    const QColor hintColor = hint->palette().color(QPalette::WindowText);
    const QColor textColor = control("Label11")->palette().color(QPalette::WindowText);
    EXPECT_NE(hintColor, textColor);
    EXPECT_EQ(hintColor.red(), hintColor.green());
    EXPECT_EQ(hintColor.green(), hintColor.blue());
}

TEST_F(Form1Layout, MonitorControlsUseTheirOwnArialFontsAndColours) {
    for (const char* name : kArialControls) {
        SCOPED_TRACE(name);
        const QFont font = control(name)->font();
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
        EXPECT_EQ(font.bold(), qstrcmp(name, "cboConnectionType") == 0);
    }
    EXPECT_EQ(control("lblType")->palette().color(QPalette::WindowText), QColor(0x40, 0x40, 0x40));
    for (const char* name : {"lblRecv", "lblSent", "lblDSpeed", "lblUSpeed"}) {
        SCOPED_TRACE(name);
        const QWidget* box = control(name);
        EXPECT_TRUE(box->autoFillBackground());
        EXPECT_EQ(box->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
    EXPECT_EQ(control("PIC1")->palette().color(QPalette::Window), QColor(0xF0, 0xF0, 0xF0));
}

TEST_F(Form1Layout, SeparatorsRunDownTheWholeWindowBetweenThePanels) {
    for (const auto& [name, x] : {std::pair{"Line1", 344}, std::pair{"Line2", 696}}) {
        SCOPED_TRACE(name);
        const QWidget* line = control(name);
        EXPECT_EQ(geometryInForm(line), QRect(x, 0, 1, 288));
        EXPECT_TRUE(line->autoFillBackground());
        EXPECT_NE(line->palette().color(QPalette::Window),
                  form_->palette().color(QPalette::Window));
        EXPECT_FALSE(line->visibleRegion().isEmpty());
    }
}

TEST_F(Form1Layout, TwelveOptionsAreDirectChildrenOfTheWindowAndNoneIsChosenAtStart) {
    for (const char* name : kOptions) {
        SCOPED_TRACE(name);
        const auto* option = control<QRadioButton>(name);
        EXPECT_EQ(option->parentWidget(), form_.get());
        EXPECT_TRUE(option->autoExclusive());
        EXPECT_FALSE(option->isChecked());
    }
}

TEST_F(Form1Layout, ChoosingInAnotherPanelClearsTheFirstChoice) {
    const std::pair<const char*, const char*> choices[] = {
        {"Option1", "Option11"},  // 关机 left, then 睡眠 right
        {"Option8", "Option12"},  // 关机 middle, then 休眠 right
        {"Option9", "Option5"},   // 关机 right, then 休眠 middle
        {"Option12", "Option3"},  // 休眠 right, then 睡眠 left
    };
    for (const auto& [first, second] : choices) {
        SCOPED_TRACE(std::string(first) + " then " + second);
        click(first);
        ASSERT_TRUE(control<QRadioButton>(first)->isChecked());
        click(second);
        for (const char* name : kOptions) {
            EXPECT_EQ(control<QRadioButton>(name)->isChecked(), qstrcmp(name, second) == 0) << name;
        }
    }
}

TEST_F(Form1Layout, FocusChainRunsLeftPanelThenHiddenControlsThenMiddleThenRightPanel) {
    const QStringList expected = QStringLiteral(
                                     "Text1 Text2 Text3 Text4 Text5 Option1 Option2 Option3 "
                                     "Option4 Command1 cboConnectionType Text6 Command3 Text8 "
                                     "Text9 Option5 Option6 Option7 Option8 Command4 Text10 "
                                     "Command5 Option9 Option10 Option11 Option12 Text1")
                                     .split(u' ');
    QStringList chain{"Text1"};
    for (QWidget* next = control("Text1")->nextInFocusChain(); chain.size() < expected.size();
         next = next->nextInFocusChain()) {
        if (next->focusPolicy() != Qt::NoFocus) {
            chain.append(next->objectName());
        }
    }
    EXPECT_EQ(chain, expected);
}

// The twelve options are one group, and like any option group it is one stop for the Tab key:
// the chosen option, or the first in the chain while none is chosen.
TEST_F(Form1Layout, TabStopsOnceInTheOptionGroupAtItsChosenOption) {
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    const auto tabsFrom = [](QWidget* start, int presses) {
        start->setFocus(Qt::TabFocusReason);
        QStringList visited{start->objectName()};
        for (int press = 0; press < presses; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        return visited;
    };
    EXPECT_EQ(tabsFrom(control("Text5"), 2), QStringList({"Text5", "Option1", "Command1"}));
    EXPECT_EQ(tabsFrom(control("Text9"), 2), QStringList({"Text9", "Command4", "Text10"}));

    click("Option11");
    EXPECT_EQ(tabsFrom(control("Text5"), 1), QStringList({"Text5", "Command1"}));
    EXPECT_EQ(tabsFrom(control("Text10"), 3),
              QStringList({"Text10", "Command5", "Option11", "Text1"}));
}

TEST_F(Form1Layout, EveryControlAUserCanReachHasAnAccessibleName) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = control(row.name);
        EXPECT_FALSE(widget->accessibleName().trimmed().isEmpty());
        if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget)) {
            EXPECT_EQ(widget->accessibleName(), visibleText(widget).trimmed());
        }
    }
    QStringList shutdownDescriptions;
    for (const char* name : {"Option1", "Option8", "Option9"}) {
        shutdownDescriptions.append(control(name)->accessibleDescription());
    }
    shutdownDescriptions.removeDuplicates();
    EXPECT_EQ(shutdownDescriptions.size(), 3) << "the three 关机 options must be told apart";
}

TEST_F(Form1Layout, TimersHaveTheirIntervalsAndOnlyTimer4StartsOff) {
    const std::tuple<const char*, int, bool> timers[] = {
        {"tmrUpdate", 100, true},
        {"Timer1", 4000, true},
        {"Timer3", 1000, true},
        {"Timer4", 1000, false},
    };
    for (const auto& [name, interval, active] : timers) {
        SCOPED_TRACE(name);
        EXPECT_EQ(timer(name)->interval(), interval);
        EXPECT_EQ(timer(name)->isActive(), active);
    }
}

TEST_F(Form1Layout, HiddenControlsStayOutOfSightAtTheFixedSize) {
    for (QWidget* hidden : hiddenControls()) {
        EXPECT_TRUE(hidden->isVisible()) << "must keep taking keyboard focus";
    }
    expectHiddenControlsOutOfSight();
}

TEST_F(Form1Layout, HiddenControlsStayOutOfSightWhenTheWindowIsEnlarged) {
    const std::pair<const char*, std::function<void(Form1&)>> attempts[] = {
        {"resize", [](Form1& form) { form.resize(1280, 800); }},
        {"maximize", [](Form1& form) { form.showMaximized(); }},
        {"full screen", [](Form1& form) { form.showFullScreen(); }},
        {"window manager ignoring the size hints",
         [](Form1& form) { form.windowHandle()->setGeometry(0, 0, 1280, 800); }},
    };
    for (const auto& [what, enlarge] : attempts) {
        SCOPED_TRACE(what);
        enlarge(*form_);
        QCoreApplication::processEvents();
        expectHiddenControlsOutOfSight();
    }
}

TEST_F(Form1Layout, HiddenControlsStayOutOfSightWhateverTheMonitorWritesIntoThem) {
    const QString longText = QStringLiteral("平均下载速率: 123,456,789.00 KB\n").repeated(20);
    for (QWidget* hidden : hiddenControls()) {
        if (auto* label = qobject_cast<QLabel*>(hidden)) {
            label->setText(longText);
        } else if (auto* box = qobject_cast<QLineEdit*>(hidden)) {
            box->setText(longText);
        }
    }
    control<QComboBox>("cboConnectionType")->addItems({longText, longText});
    QCoreApplication::processEvents();
    expectHiddenControlsOutOfSight();
}

}  // namespace
