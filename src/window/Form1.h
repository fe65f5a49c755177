// The program's one window: three trigger panels, the hidden traffic monitor and the timers.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "monitor/TrafficMonitor.h"
#include "platform/clock.h"
#include "scheduler/action_reporter.h"
#include "scheduler/clock_trigger.h"
#include "scheduler/process_exit_trigger.h"
#include "scheduler/rate_tops.h"
#include "scheduler/rate_trigger.h"
#include "window/form1_services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class Pic1Surface;

class Form1 : public QWidget {
    Q_OBJECT

  public:
    Form1(const Form1Services& services, ShowMessage showMessage, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private slots:
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void tmrUpdate_Timer();
    void Timer1_Timer();
    void Timer3_Timer();
    void Timer4_Timer();

  private:
    void setUpWindow();
    void createClientArea();
    void createLeftPanel();
    void createMiddlePanel();
    void createRightPanel();
    void createMonitorControls();
    void createMonitorCounters();
    void createHiddenSchedulerControls();
    void createSeparators();
    void createTimers();
    void connectButtons();
    void labelTextBoxes();
    void groupPanels();
    void orderTabStops();
    void showHintInGreyText();
    QColor separatorColor() const;
    void keepTimer4WithTrigger();
    void showIfAny(const std::optional<std::string>& message);

    void Form_Load(const Form1Services& services);
    void showSelector(const SelectorContents& contents);
    void fillClockFields(const Clock& clock);
    void showMonitorCaptions(const MonitorCaptions& captions);

    ShowMessage showMessage_;
    bool iconRequested_ = false;
    // Each panel starts its actions through its own launcher, so that logs and refusals name it.
    ActionReporter actionReporter_;
    std::unique_ptr<ProcessLauncher> clockLauncher_;
    std::unique_ptr<ProcessLauncher> rateLauncher_;
    std::unique_ptr<ProcessLauncher> processExitLauncher_;
    // The monitor raises these, Timer1 and Timer3 each clear their own pair: bytes per second.
    RateTops rateTops_;
    ProcessExitTrigger processExitTrigger_;
    // Declared after rateTops_, which they are built on.
    ClockTrigger clockTrigger_;
    RateTrigger rateTrigger_;
    // Created by Form_Load once PIC1 exists; lives as long as the window.
    std::unique_ptr<TrafficMonitor> monitor_;
    // What the monitor last wrote into each of its nine labels; nothing before the first write.
    std::array<std::optional<std::string>, 9> shownCaptions_;

    // Holds what must stay clipped to the client area whatever size a window manager forces
    // on the window: the separators and the monitor controls placed below the visible part.
    QWidget* clientArea_ = nullptr;

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLabel* Label6 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QPushButton* Command1 = nullptr;

    QLabel* Label8 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label10 = nullptr;
    QRadioButton* Option8 = nullptr;
    QRadioButton* Option7 = nullptr;
    QRadioButton* Option6 = nullptr;
    QRadioButton* Option5 = nullptr;
    QPushButton* Command4 = nullptr;

    QLabel* Label11 = nullptr;
    QLineEdit* Text10 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QRadioButton* Option9 = nullptr;
    QRadioButton* Option10 = nullptr;
    QRadioButton* Option11 = nullptr;
    QRadioButton* Option12 = nullptr;
    QPushButton* Command5 = nullptr;

    QComboBox* cboConnectionType = nullptr;
    Pic1Surface* PIC1 = nullptr;
    QLabel* lblType = nullptr;
    QLabel* lblDownloadSpeedTop = nullptr;
    QLabel* lblUploadSpeedTop = nullptr;
    QLabel* lblDownloadSpeedAverage = nullptr;
    QLabel* lblUploadSpeedAverage = nullptr;
    QLabel* lblRecv = nullptr;
    QLabel* lblSent = nullptr;
    QLabel* lblDSpeed = nullptr;
    QLabel* lblUSpeed = nullptr;
    QLineEdit* Text6 = nullptr;
    QPushButton* Command3 = nullptr;

    QWidget* Line1 = nullptr;
    QWidget* Line2 = nullptr;

    QTimer* tmrUpdate = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
};
