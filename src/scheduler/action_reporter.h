// What the panels' power actions came to, told to the user and to the system log: a log line
// for each start, each refusal, each end that could not be learnt and each missed target, and
// one message for each refusal.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/process_launcher.h"

class ActionReporter {
  public:
    // Runs a task on the window's thread, later, unless the window has gone by then. It is
    // called from the threads that wait for commands.
    using PostToWindowThread = std::function<void(std::function<void()> task)>;
    using ShowMessage = std::function<void(const std::string& message)>;
    using WriteLogLine = std::function<void(std::string_view line)>;

    ActionReporter(const Clock& clock, PostToWindowThread post, ShowMessage show, WriteLogLine log);
    ActionReporter(const ActionReporter&) = delete;
    ActionReporter& operator=(const ActionReporter&) = delete;
    // Ends that arrive afterwards are dropped; the commands themselves run on.
    ~ActionReporter();

    // The launcher through which the named panel starts its actions with `system`. Used and
    // dropped on the window's thread only, never after this reporter.
    std::unique_ptr<ProcessLauncher> launcherFor(std::string panel, const ProcessLauncher& system);

    // A start by the panel: logged, with whether the command could be started.
    void reportStart(std::string_view panel, std::string_view commandLine, bool started) const;

    // A target the panel found long passed, so that its command was not started: logged with
    // the target.
    void reportMissed(std::string_view panel, std::string_view commandLine, double target) const;

  private:
    // What the waiting threads share with the window's thread; outlives the reporter.
    struct Link {
        std::mutex mutex;
        PostToWindowThread post;
        const ActionReporter* reporter = nullptr;
    };

    static void handOver(const std::shared_ptr<Link>& link, std::string panel,
                         std::string commandLine, CommandEnd end);
    void reportEnd(std::string_view panel, std::string_view commandLine,
                   const CommandEnd& end) const;
    void writeLogLine(std::string_view panel, std::string_view commandLine,
                      std::string_view result) const;

    const Clock& clock_;
    ShowMessage show_;
    WriteLogLine log_;
    std::shared_ptr<Link> link_;
};
