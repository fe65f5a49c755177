#include "scheduler/action_reporter.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "scheduler/power_action.h"
#include "time/automation_date.h"

namespace {

// The panel's own name on every start, passed on to the launcher that does the starting.
class PanelLauncher final : public ProcessLauncher {
  public:
    PanelLauncher(const ActionReporter& reporter, std::string panel,
                  std::unique_ptr<ProcessLauncher> inner)
        : reporter_(reporter), panel_(std::move(panel)), inner_(std::move(inner)) {}

    bool startMinimized(std::string_view commandLine) override {
        return logged(commandLine, inner_->startMinimized(commandLine));
    }

    bool startSuspend(SuspendState state, std::string_view commandLine) override {
        return logged(commandLine, inner_->startSuspend(state, commandLine));
    }

    std::unique_ptr<ProcessLauncher> reportingTo(CommandEnded ended) const override {
        return inner_->reportingTo(std::move(ended));
    }

  private:
    bool logged(std::string_view commandLine, bool started) const {
        reporter_.reportStart(panel_, commandLine, started);
        return started;
    }

    const ActionReporter& reporter_;
    std::string panel_;
    std::unique_ptr<ProcessLauncher> inner_;
};

std::string timestamp(double date) {
    const DateTimeFields at = fieldsOfAutomationDate(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    return text;
}

// A refusal with its status, or an end that could not be learnt; either with the first error
// line when there is one.
std::string endResult(const CommandEnd& end) {
    std::string result;
    if (!end.learnt) {
        result = "结果未知";
    } else if (end.exitStatus) {
        result = "未执行（退出状态 " + std::to_string(*end.exitStatus) + "）";
    } else {
        result = "未执行（退出状态未知）";
    }
    if (!end.firstErrorLine.empty()) {
        result.append("：").append(end.firstErrorLine);
    }
    return result;
}

}  // namespace

ActionReporter::ActionReporter(const Clock& clock, PostToWindowThread post, ShowMessage show,
                               WriteLogLine log)
    : clock_(clock), show_(std::move(show)), log_(std::move(log)), link_(std::make_shared<Link>()) {
    link_->post = std::move(post);
    link_->reporter = this;
}

ActionReporter::~ActionReporter() {
    const std::lock_guard lock(link_->mutex);
    link_->post = nullptr;
    link_->reporter = nullptr;
}

std::unique_ptr<ProcessLauncher> ActionReporter::launcherFor(std::string panel,
                                                             const ProcessLauncher& system) {
    CommandEnded ended = [link = link_, panel](std::string_view commandLine,
                                               const CommandEnd& end) {
        handOver(link, panel, std::string(commandLine), end);
    };
    return std::make_unique<PanelLauncher>(*this, std::move(panel),
                                           system.reportingTo(std::move(ended)));
}

void ActionReporter::reportStart(std::string_view panel, std::string_view commandLine,
                                 bool started) const {
    writeLogLine(panel, commandLine, started ? "已开始" : "无法启动");
}

void ActionReporter::reportMissed(std::string_view panel, std::string_view commandLine,
                                  double target) const {
    writeLogLine(panel, commandLine,
                 "已错过设定时间，未执行（设定时间 " + timestamp(target) + "）");
}

// On a waiting thread: nothing of the reporter is touched here, only handed to the window's
// thread, where the reporter is asked for again in case it has gone meanwhile.
void ActionReporter::handOver(const std::shared_ptr<Link>& link, std::string panel,
                              std::string commandLine, CommandEnd end) {
    const std::lock_guard lock(link->mutex);
    if (!link->post) {
        return;
    }
    link->post([link, panel = std::move(panel), commandLine = std::move(commandLine),
                end = std::move(end)] {
        const ActionReporter* reporter = nullptr;
        {
            const std::lock_guard windowLock(link->mutex);
            reporter = link->reporter;
        }
        if (reporter != nullptr) {
            reporter->reportEnd(panel, commandLine, end);
        }
    });
}

// An end that could not be learnt is most likely a command that ran (a suspend that worked
// and woke again): it is logged, and no refusal is shown for it.
void ActionReporter::reportEnd(std::string_view panel, std::string_view commandLine,
                               const CommandEnd& end) const {
    if (end.learnt && end.exitStatus == 0) {
        return;
    }
    writeLogLine(panel, commandLine, endResult(end));
    if (const std::optional<std::string> message = refusalMessage(commandLine, end)) {
        show_(*message);
    }
}

void ActionReporter::writeLogLine(std::string_view panel, std::string_view commandLine,
                                  std::string_view result) const {
    std::string line = "lanhe-shutdown " + timestamp(clock_.now()) + " [";
    line.append(panel).append("] \"").append(commandLine).append("\" ").append(result);
    log_(line);
}
