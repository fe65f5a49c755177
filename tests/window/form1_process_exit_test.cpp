// The right panel through the window: Text10 and the chosen option armed by 确定, and Timer4
// running exactly while the trigger is armed, also while a message box is open.
#include "form1_fixture.h"

namespace {

class RightPanel : public Form1Test {
  protected:
    void arm(const char* option, const QString& pid) {
        typeInto("Text10", pid);
        click(option);
        click("Command5");
    }
};

// What happens to the watched process 4242 after it was armed.
constexpr auto end4242 = [](FakeProcessWatch& processes) { processes.setRunning({1, 5678}); };
constexpr auto reuse4242 = [](FakeProcessWatch& processes) { processes.reuseId(4242); };
constexpr auto failReads = [](FakeProcessWatch& processes) { processes.failReads = true; };

// Text10 is read by its leading number; only a whole number that a process has arms. A refusal
// disarms and stops Timer4 before its box opens; an unreadable list finds nothing.
TEST_F(RightPanel, ThePidIsTheNumberTheTextBeginsWith) {
    const std::tuple<const char*, std::vector<std::uint32_t>, bool> rows[] = {
        {"4242abc", {1, 4242}, true},   {" 4242", {1, 4242}, true},
        {"12.5", {12, 13, 125}, false}, {"", {0, 4}, true},
        {"-1", {4294967295u}, false},   {"4294967295", {4294967295u}, true},
        {"4294967296", {0}, false},
    };
    const QString refused = QStringLiteral("当前没有该进程，请重新输入！");
    for (const auto& [text, running, found] : rows) {
        processes_.setRunning(running);
        arm("Option9", text);
        EXPECT_EQ(messages_.back(), found ? kArmed : refused) << '"' << text << '"';
        EXPECT_EQ(timer4WhenShown_.back(), found) << '"' << text << '"';
    }
    processes_.refuseIdentity = true;
    processes_.failReads = true;
    arm("Option9", "0");
    EXPECT_EQ(messages_.back(), refused);
}

// Mended: the process taken at 确定 is watched, not whoever is given its ID later, and a look
// that cannot tell is no answer. Where its identity is refused the ID is watched instead.
// Whatever happened first, the kind starts once when the process has gone, with Timer4 off.
// Option1 clears this panel's choice: the click re-arms with the kind armed before. An action
// that cannot start is reported once, and its box must not let Timer4 fire again.
TEST_F(RightPanel, EachOptionStartsItsKindOnceWhenTheProcessTakenAtTheClickHasGone) {
    const std::tuple<const char*, ActionKind, bool, void (*)(FakeProcessWatch&), bool, bool>
        rows[] = {
            {"Option9", 1, false, end4242, true, false},
            {"Option10", 2, false, reuse4242, true, false},
            {"Option11", 3, false, failReads, false, false},
            {"Option12", 4, true, failReads, false, false},
            {"Option1", 4, true, end4242, true, false},
            {"Option12", 4, false, end4242, true, true},
        };
    for (const auto& [option, kind, refuseIdentity, change, endsAtOnce, failing] : rows) {
        SCOPED_TRACE(option);
        processes_.setRunning({1, 4242});
        processes_.refuseIdentity = refuseIdentity;
        launcher_.failStarts(failing);
        messages_.clear();
        arm(option, "4242");
        const std::size_t before = launcher_.attempts().size();
        change(processes_);
        tick("Timer4");
        EXPECT_EQ(launcher_.attempts().size(), before + (endsAtOnce ? 1 : 0));
        processes_.failReads = false;
        end4242(processes_);
        tick("Timer4");
        tick("Timer4");
        const QString refusal = "无法执行：" + QString::fromStdString(commandLineOf(kind));
        EXPECT_EQ(messages_, (failing ? std::vector{kArmed, refusal} : std::vector{kArmed}));
        ASSERT_EQ(launcher_.attempts().size(), before + 1);
        EXPECT_EQ(launcher_.attempts().back(), commandLineOf(kind));
        EXPECT_FALSE(timer("Timer4")->isActive());
        EXPECT_EQ(timer4WhenShown_.back(), !failing) << "Timer4 as the last box opened";
    }
}

}  // namespace
