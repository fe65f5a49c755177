#include "window/Form1.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <utility>

#include "monitor/skip_on_failure.h"
#include "scheduler/messages.h"
#include "time/automation_date.h"
#include "window/OptionPanels.h"
#include "window/PanelGroup.h"
#include "window/Pic1Surface.h"
#include "window/ResourceIconEngine.h"
#include "window/WindowSizeKeeper.h"
#include "window/accessible_roles.h"
#include "window/control_factory.h"
#include "window/font_substitution.h"
#include "window/grey_text.h"
#include "window/qt_text.h"

namespace {

const QSize kClientSize{1038, 199};
// Each panel's name, as its log lines and a screen reader give it.
constexpr const char* kClockPanel = "按时间";
constexpr const char* kRatePanel = "按网速";
constexpr const char* kProcessExitPanel = "进程结束";
constexpr int kHintWeight = 290;

QIcon applicationIcon() {
    QStringList files;
    for (const int size : {16, 32, 48, 256}) {
        files << QStringLiteral(":/icons/lanhe-shutdown-%1.png").arg(size);
    }
    return QIcon(new ResourceIconEngine(files));
}

QFont arialFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

QTimer* addTimer(QObject* parent, const char* name, int intervalMs, bool enabled) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    if (enabled) {
        timer->start();
    }
    return timer;
}

// A text box lays out its text once in the application's font before it takes the window's.
// While the controls are made, the application's font is the window's, so that no second font
// is loaded just for that; message boxes and menus get the system's font back afterwards.
class ApplicationFontWhileBuilding {
  public:
    explicit ApplicationFontWhileBuilding(const QFont& font) : saved_(QApplication::font()) {
        QApplication::setFont(font);
    }
    ~ApplicationFontWhileBuilding() { QApplication::setFont(saved_); }
    ApplicationFontWhileBuilding(const ApplicationFontWhileBuilding&) = delete;
    ApplicationFontWhileBuilding& operator=(const ApplicationFontWhileBuilding&) = delete;

  private:
    const QFont saved_;
};

}  // namespace

Form1::Form1(const Form1Services& services, ShowMessage showMessage, QWidget* parent)
    : QWidget(parent),
      showMessage_(std::move(showMessage)),
      actionReporter_(
          services.clock,
          [this](std::function<void()> task) {
              QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          },
          [this](const std::string& message) { showMessage_(QString::fromStdString(message)); },
          services.writeLog),
      clockLauncher_(actionReporter_.launcherFor(kClockPanel, services.launcher)),
      rateLauncher_(actionReporter_.launcherFor(kRatePanel, services.launcher)),
      processExitLauncher_(actionReporter_.launcherFor(kProcessExitPanel, services.launcher)),
      processExitTrigger_(services.processes, *processExitLauncher_),
      clockTrigger_(services.clock, *clockLauncher_, rateTops_,
                    [this](std::string_view commandLine, double target) {
                        actionReporter_.reportMissed(kClockPanel, commandLine, target);
                    }),
      rateTrigger_(*rateLauncher_, rateTops_) {
    // Before the first change a screen reader hears of, which fixes the window's role.
    installAccessibleRoles();
    setUpWindow();
    const ApplicationFontWhileBuilding windowFont(font());
    createClientArea();
    createSeparators();
    createLeftPanel();
    createMonitorControls();
    createMonitorCounters();
    createHiddenSchedulerControls();
    createMiddlePanel();
    createRightPanel();
    createTimers();
    connectButtons();
    labelTextBoxes();
    groupPanels();
    orderTabStops();
    new OptionPanels({{Option1, Option2, Option3, Option4},
                      {Option5, Option6, Option7, Option8},
                      {Option9, Option10, Option11, Option12}},
                     this);
    Form_Load(services);
}

void Form1::setUpWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(kApplicationTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    new WindowSizeKeeper(*this, kClientSize);
    registerCjkFontSubstitutions();
    setFont(QFont(QStringLiteral("Microsoft YaHei"), 12, QFont::Normal));
}

// The icon is some 270 kB of pixels for the window system. It is handed over on the event loop's
// next turn after the window is shown, when the request to map the window has gone out, so that
// it does not hold up the window's first appearance; the window need not be drawn for it.
void Form1::showEvent(QShowEvent* event) {
    if (!iconRequested_) {
        iconRequested_ = true;
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(applicationIcon()); }, Qt::QueuedConnection);
    }
    QWidget::showEvent(event);
}

// A theme switched while the program runs reaches the window as a new palette; the hint and the
// separators have colours of their own, taken from the old one.
void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        showHintInGreyText();
        for (QWidget* separator : {Line1, Line2}) {
            setControlColor(separator, QPalette::Window, separatorColor());
        }
    }
    QWidget::changeEvent(event);
}

// The system's grey text, as the hint has on Windows, yet never too faint to read.
void Form1::showHintInGreyText() {
    setControlColor(Label13, QPalette::WindowText, readableGreyText(palette()));
}

// Enter presses the focused button, as on Windows. Qt leaves that to buttons in dialogs, which
// would also draw them as default buttons; here the key comes up unhandled.
void Form1::keyPressEvent(QKeyEvent* event) {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button != nullptr && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::createClientArea() {
    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("clientArea"));
    clientArea_->setGeometry(QRect(QPoint(0, 0), kClientSize));
}

void Form1::createSeparators() {
    const QColor inactiveCaption = separatorColor();
    Line1 = addPanel(clientArea_, "Line1", {5160, 0, 15, 4320}, inactiveCaption,
                     QStringLiteral("分隔线"));
    Line2 = addPanel(clientArea_, "Line2", {10440, 0, 15, 4320}, inactiveCaption,
                     QStringLiteral("分隔线"));
}

// Qt has no inactive-caption role; Mid is the palette's grey for lines between areas.
QColor Form1::separatorColor() const {
    return palette().color(QPalette::Mid);
}

void Form1::createLeftPanel() {
    const QString when = QStringLiteral("到达设定时间时执行");
    Label1 = addLabel(this, "Label1", QStringLiteral("于"), {240, 240, 255, 375});
    Text1 = addTextBox(this, "Text1", QStringLiteral("69"), {600, 240, 735, 375},
                       QStringLiteral("年份"));
    Label2 = addLabel(this, "Label2", QStringLiteral("年"), {1440, 240, 375, 375});
    Text2 = addTextBox(this, "Text2", QStringLiteral("12"), {1800, 240, 375, 375},
                       QStringLiteral("月份"));
    Label3 = addLabel(this, "Label3", QStringLiteral("月"), {2280, 240, 255, 375});
    Text3 = addTextBox(this, "Text3", QStringLiteral("12"), {2640, 240, 375, 375},
                       QStringLiteral("日期"));
    Label4 = addLabel(this, "Label4", QStringLiteral("日"), {3120, 240, 255, 375});
    Text4 = addTextBox(this, "Text4", QStringLiteral("12"), {3480, 240, 375, 390},
                       QStringLiteral("小时"));
    Label5 = addLabel(this, "Label5", QStringLiteral("时"), {3960, 240, 255, 375});
    Text5 = addTextBox(this, "Text5", QStringLiteral("59"), {4320, 240, 375, 375},
                       QStringLiteral("分钟"));
    Label6 = addLabel(this, "Label6", QStringLiteral("分"), {4800, 240, 375, 375});
    Option1 = addOption(this, "Option1", QStringLiteral("关机"), {360, 1200, 855, 495}, when);
    Option2 = addOption(this, "Option2", QStringLiteral("重启"), {1560, 1200, 975, 495}, when);
    Option3 = addOption(this, "Option3", QStringLiteral("睡眠"), {2880, 1200, 1095, 495}, when);
    Option4 = addOption(this, "Option4", QStringLiteral("休眠"), {4200, 1200, 855, 495}, when);
    Command1 = addButton(this, "Command1", QStringLiteral("确定"), {1320, 2160, 2655, 495},
                         QStringLiteral("按时间执行所选操作"));
}

void Form1::createMiddlePanel() {
    const QString when = QStringLiteral("网速持续低于设定值时执行");
    Label8 = addLabel(this, "Label8", QStringLiteral("在"), {5280, 240, 255, 375});
    Text8 = addTextBox(this, "Text8", QStringLiteral("300"), {5640, 240, 735, 435},
                       QStringLiteral("持续秒数"));
    Label9 = addLabel(this, "Label9", QStringLiteral("秒内，网速持续低于"), {6480, 240, 2175, 375});
    Text9 = addTextBox(this, "Text9", QStringLiteral("50"), {8760, 240, 735, 435},
                       QStringLiteral("网速（KB每秒）"));
    Label10 = addLabel(this, "Label10", QStringLiteral("KB每秒"), {9600, 240, 855, 375});
    Option8 = addOption(this, "Option8", QStringLiteral("关机"), {5520, 1200, 855, 495}, when);
    Option7 = addOption(this, "Option7", QStringLiteral("重启"), {6720, 1200, 975, 495}, when);
    Option6 = addOption(this, "Option6", QStringLiteral("睡眠"), {8040, 1200, 1095, 495}, when);
    Option5 = addOption(this, "Option5", QStringLiteral("休眠"), {9360, 1200, 975, 495}, when);
    Command4 = addButton(this, "Command4", QStringLiteral("确定"), {6600, 2160, 2535, 495},
                         QStringLiteral("按网速执行所选操作"));
}

void Form1::createRightPanel() {
    const QString when = QStringLiteral("进程结束时执行");
    Label11 = addLabel(this, "Label11", QStringLiteral("当PID为"), {11400, 240, 1455, 375});
    Text10 = addTextBox(this, "Text10", QStringLiteral("0"), {12360, 240, 855, 435},
                        QStringLiteral("进程PID"));
    Label12 = addLabel(this, "Label12", QStringLiteral("的进程结束时"), {13320, 240, 4335, 375});
    Label13 = addLabel(this, "Label13", QStringLiteral("PID可在任务管理器-详细信息中查看 "),
                       {11640, 840, 3015, 255});
    // Between Qt's ExtraLight (200) and Light (300): the face's own weight, which Qt 6 takes.
    Label13->setFont(QFont(QStringLiteral("Microsoft YaHei Light"), 9, kHintWeight));
    showHintInGreyText();
    Option9 = addOption(this, "Option9", QStringLiteral("关机"), {10680, 1200, 855, 495}, when);
    Option10 = addOption(this, "Option10", QStringLiteral("重启"), {11880, 1200, 975, 495}, when);
    Option11 = addOption(this, "Option11", QStringLiteral("睡眠"), {13200, 1200, 1095, 495}, when);
    Option12 = addOption(this, "Option12", QStringLiteral("休眠"), {14520, 1200, 975, 495}, when);
    Command5 = addButton(this, "Command5", QStringLiteral("确定"), {11880, 2160, 2535, 495},
                         QStringLiteral("进程结束时执行所选操作"));
}

void Form1::createMonitorControls() {
    cboConnectionType = addDropDownList(clientArea_, "cboConnectionType", {6120, 15000, 5460, 330},
                                        QStringLiteral("网络接口"));
    cboConnectionType->setFont(arialFont(true));
    for (const auto role : {QPalette::Base, QPalette::Button}) {
        setControlColor(cboConnectionType, role, colorFromBgr(0xFFFFFF));
    }
    for (const auto role : {QPalette::Text, QPalette::ButtonText}) {
        setControlColor(cboConnectionType, role, colorFromBgr(0x000000));
    }
    // PIC1 keeps its own size, which leaves the graph its 375 × 112 pixels inside the frame.
    PIC1 = new Pic1Surface(clientArea_);
    PIC1->move(pixelsFromTwips({3600, 12120, 5685, 1750}).topLeft());
    PIC1->setAccessibleName(QStringLiteral("网速图"));
    setControlColor(PIC1, QPalette::Window, colorFromBgr(0xF0F0F0));
    lblType =
        addLabel(clientArea_, "lblType", QStringLiteral("TokenRing "), {8160, 14160, 4290, 465});
    lblType->setFont(arialFont(false));
    setControlColor(lblType, QPalette::WindowText, colorFromBgr(0x404040));
    lblDownloadSpeedTop = addLabel(clientArea_, "lblDownloadSpeedTop", QStringLiteral("下载速率:"),
                                   {6240, 6360, 5250, 420});
    lblUploadSpeedTop = addLabel(clientArea_, "lblUploadSpeedTop", QStringLiteral("上载速率:"),
                                 {6360, 5880, 3450, 540});
    lblDownloadSpeedAverage = addLabel(clientArea_, "lblDownloadSpeedAverage",
                                       QStringLiteral("平均下载速率:"), {8160, 12000, 5850, 660});
    lblUploadSpeedAverage = addLabel(clientArea_, "lblUploadSpeedAverage",
                                     QStringLiteral("平均上载速率:"), {8160, 12360, 5490, 420});
    for (QLabel* label :
         {lblDownloadSpeedTop, lblUploadSpeedTop, lblDownloadSpeedAverage, lblUploadSpeedAverage}) {
        setControlColor(label, QPalette::WindowText, colorFromBgr(0x000000));
    }
}

void Form1::createMonitorCounters() {
    const QColor white = colorFromBgr(0xFFFFFF);
    const QColor black = colorFromBgr(0x000000);
    lblRecv = addLabel(clientArea_, "lblRecv", QStringLiteral("Label1"), {12240, 13680, 1650, 345});
    lblSent = addLabel(clientArea_, "lblSent", QStringLiteral("Label1"), {12240, 11880, 1650, 345});
    lblDSpeed =
        addLabel(clientArea_, "lblDSpeed", QStringLiteral("Label6"), {12240, 12480, 1650, 345});
    lblUSpeed =
        addLabel(clientArea_, "lblUSpeed", QStringLiteral("Label7"), {12240, 13200, 1650, 345});
    for (QLabel* label : {lblRecv, lblSent, lblDSpeed, lblUSpeed}) {
        label->setFont(arialFont(false));
        label->setAutoFillBackground(true);
        setControlColor(label, QPalette::Window, white);
        setControlColor(label, QPalette::WindowText, black);
    }
}

void Form1::createHiddenSchedulerControls() {
    Text6 = addTextBox(clientArea_, "Text6", QStringLiteral("Text6"), {6720, 12480, 3015, 735},
                       QStringLiteral("Text6"));
    Command3 = addButton(clientArea_, "Command3", QStringLiteral("Command3"),
                         {7920, 6720, 1335, 855}, QStringLiteral("显示当前网速值"));
}

void Form1::createTimers() {
    tmrUpdate = addTimer(this, "tmrUpdate", 100, true);
    Timer1 = addTimer(this, "Timer1", 4000, true);
    Timer3 = addTimer(this, "Timer3", 1000, true);
    Timer4 = addTimer(this, "Timer4", 1000, false);
    connect(tmrUpdate, &QTimer::timeout, this, &Form1::tmrUpdate_Timer);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    connect(Timer4, &QTimer::timeout, this, &Form1::Timer4_Timer);
}

void Form1::connectButtons() {
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
}

// A screen reader reads each text box with the label before it.
void Form1::labelTextBoxes() {
    const std::pair<QLabel*, QLineEdit*> labelled[] = {
        {Label1, Text1}, {Label2, Text2}, {Label3, Text3}, {Label4, Text4},
        {Label5, Text5}, {Label8, Text8}, {Label9, Text9}, {Label11, Text10},
    };
    for (const auto& [label, textBox] : labelled) {
        label->setBuddy(textBox);
    }
}

// So that a screen reader says which panel a 确定 belongs to. The twelve options stay one choice
// and option buttons: OptionPanels joins them, not the widget that holds them.
void Form1::groupPanels() {
    new PanelGroup(this, QString::fromUtf8(kClockPanel),
                   {Option1, Option2, Option3, Option4, Command1});
    new PanelGroup(this, QString::fromUtf8(kRatePanel),
                   {Option8, Option7, Option6, Option5, Command4});
    new PanelGroup(this, QString::fromUtf8(kProcessExitPanel),
                   {Option9, Option10, Option11, Option12, Command5});
}

void Form1::orderTabStops() {
    const QList<QWidget*> leftPanel{Text1,   Text2,   Text3,   Text4,   Text5,
                                    Option1, Option2, Option3, Option4, Command1};
    const QList<QWidget*> hidden{cboConnectionType, Text6, Command3};
    const QList<QWidget*> middlePanel{Text8, Text9, Option5, Option6, Option7, Option8, Command4};
    const QList<QWidget*> rightPanel{Text10, Command5, Option9, Option10, Option11, Option12};
    const QList<QWidget*> order = leftPanel + hidden + middlePanel + rightPanel;
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form1::Command1_Click() {
    const std::string year = Text1->text().toStdString();
    const std::string month = Text2->text().toStdString();
    const std::string day = Text3->text().toStdString();
    const std::string hour = Text4->text().toStdString();
    const std::string minute = Text5->text().toStdString();
    const ClockClickResult result = clockTrigger_.Command1_Click(
        {Option1->isChecked(), Option2->isChecked(), Option3->isChecked(), Option4->isChecked()},
        {year, month, day, hour, minute});
    if (result.Text6) {
        Text6->setText(QString::fromStdString(*result.Text6));
    }
    showMessage_(QString::fromStdString(result.message));
    // The box is modal and its own event loop keeps Timer1 ticking: the target armed before
    // holds until the user has closed it.
    if (result.targetPending) {
        clockTrigger_.acceptPendingTarget();
    }
}

void Form1::Command3_Click() {
    showMessage_(QString::fromStdString(rateTrigger_.Command3_Click()));
}

void Form1::Command4_Click() {
    const std::string message = rateTrigger_.Command4_Click(
        {Option5->isChecked(), Option6->isChecked(), Option7->isChecked(), Option8->isChecked()},
        Text8->text().toStdString(), Text9->text().toStdString());
    showMessage_(QString::fromStdString(message));
}

void Form1::Command5_Click() {
    Timer4->stop();
    const QByteArray pidText = Text10->text().toUtf8();
    const std::string message = processExitTrigger_.Command5_Click(
        {Option9->isChecked(), Option10->isChecked(), Option11->isChecked(), Option12->isChecked()},
        std::string_view(pidText.constData(), static_cast<std::size_t>(pidText.size())));
    keepTimer4WithTrigger();
    showMessage_(QString::fromStdString(message));
}

// Off while the tick runs, so that ticks never overlap; on again at its end whatever failed.
void Form1::tmrUpdate_Timer() {
    tmrUpdate->stop();
    skipOnFailure([this] {
        showMonitorCaptions(monitor_->tmrUpdate_Timer(cboConnectionType->currentIndex(),
                                                      cboConnectionType->count()));
    });
    tmrUpdate->start();
}

void Form1::showMonitorCaptions(const MonitorCaptions& captions) {
    const std::pair<QLabel*, const std::optional<std::string>&> labels[] = {
        {lblType, captions.lblType},
        {lblRecv, captions.lblRecv},
        {lblSent, captions.lblSent},
        {lblDownloadSpeedTop, captions.lblDownloadSpeedTop},
        {lblUploadSpeedTop, captions.lblUploadSpeedTop},
        {lblDownloadSpeedAverage, captions.lblDownloadSpeedAverage},
        {lblUploadSpeedAverage, captions.lblUploadSpeedAverage},
        {lblDSpeed, captions.lblDSpeed},
        {lblUSpeed, captions.lblUSpeed},
    };
    static_assert(std::size(labels) == std::tuple_size_v<decltype(shownCaptions_)>);
    // A caption that reads as before is left alone: at rest most of them do, tick after tick.
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        const auto& [label, caption] = labels[i];
        if (caption && caption != shownCaptions_[i]) {
            label->setText(toQString(*caption));
            shownCaptions_[i] = caption;
        }
    }
    if (captions.cboConnectionType) {
        showSelector(*captions.cboConnectionType);
    }
}

void Form1::Timer1_Timer() {
    showIfAny(clockTrigger_.Timer1_Timer());
}

void Form1::Timer3_Timer() {
    showIfAny(rateTrigger_.Timer3_Timer());
}

void Form1::Timer4_Timer() {
    const std::optional<std::string> message = processExitTrigger_.Timer4_Timer();
    keepTimer4WithTrigger();
    if (message) {
        showMessage_(QString::fromStdString(*message));
    }
}

// Timer4 runs exactly while the trigger is armed; it is set before any message box opens,
// because the box's own event loop keeps the timers ticking.
void Form1::keepTimer4WithTrigger() {
    if (!processExitTrigger_.armed()) {
        Timer4->stop();
    } else if (!Timer4->isActive()) {
        Timer4->start();
    }
}

void Form1::showIfAny(const std::optional<std::string>& message) {
    if (message) {
        showMessage_(QString::fromStdString(*message));
    }
}

// Start-up, before the window is shown and before any timer can tick. It never gives up: no
// interfaces, or a stored position the selector cannot take, leave the selector unselected.
void Form1::Form_Load(const Form1Services& services) {
    monitor_ = std::make_unique<TrafficMonitor>(services.interfaceTable, *PIC1, services.settings,
                                                services.monotonicClock, rateTops_);
    showSelector(monitor_->readSelector());
    fillClockFields(services.clock);
}

void Form1::showSelector(const SelectorContents& contents) {
    cboConnectionType->clear();
    for (const std::string& entry : contents.entries) {
        cboConnectionType->addItem(toQString(entry));
    }
    cboConnectionType->setCurrentIndex(contents.selected);
}

// One reading of the clock for all five fields, so that they never straddle a minute.
void Form1::fillClockFields(const Clock& clock) {
    const DateTimeFields now = fieldsOfAutomationDate(clock.now());
    Text1->setText(QString::number(now.year));
    Text2->setText(QString::number(now.month));
    Text3->setText(QString::number(now.day));
    Text4->setText(QString::number(now.hour));
    Text5->setText(QString::number(now.minute));
}
