// The middle panel as a user drives it: type a duration and a threshold, choose an action,
// click 确定, and the chosen command line is started once the rate has stayed below the
// threshold for that many Timer3 ticks.
#include <gmock/gmock.h>

#include <QRadioButton>

#include "form1_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString kArmed = QStringLiteral("设置成功!");
const QString kChooseAction = QStringLiteral("请选择执行内容！");
const QString kNotAValidNumber = QStringLiteral("请输入正确的数值!");
const QString kCannotStart = QStringLiteral("无法执行：");

constexpr double kKilobyte = 1024;

class MiddlePanel : public Form1Test {
  protected:
    void arm(const char* option, const QString& seconds, const QString& kilobytes) {
        typeInto("Text8", seconds);
        typeInto("Text9", kilobytes);
        click(option);
        click("Command4");
    }
    // The traffic the monitor has seen, as a download top in KB per second.
    void setRate(double kilobytesPerSecond) {
        form_->rateTops() = {kilobytesPerSecond * kKilobyte, 0};
    }
    // One Timer3 tick at each rate; returns the numbers (from 1) of the ticks that started a
    // command line.
    std::vector<int> startsAt(const std::vector<double>& rates) {
        std::vector<int> starts;
        int number = 0;
        for (const double rate : rates) {
            ++number;
            setRate(rate);
            const std::size_t before = launcher_.attempts().size();
            tick("Timer3");
            if (launcher_.attempts().size() != before) {
                starts.push_back(number);
            }
        }
        return starts;
    }
};

class MiddlePanelOption : public MiddlePanel, public ::testing::WithParamInterface<OptionRow> {};

// No monitor traffic at all: every tick is below the threshold.
TEST_P(MiddlePanelOption, StartsItsActionOnceAtTheThirdLowTick) {
    arm(GetParam().option, QStringLiteral("3"), QStringLiteral("50"));

    EXPECT_THAT(startsAt({0, 0, 0, 0, 0, 0}), ElementsAre(3));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(GetParam().kind)));
    EXPECT_THAT(messageTexts(), ElementsAre(kArmed));
}

// The buttons stand 关机, 重启, 睡眠, 休眠 on screen but are named right to left.
INSTANTIATE_TEST_SUITE_P(EachAction, MiddlePanelOption,
                         ::testing::Values(OptionRow{"Option5", 4}, OptionRow{"Option6", 3},
                                           OptionRow{"Option7", 2}, OptionRow{"Option8", 1}),
                         [](const auto& row) { return std::string(row.param.option); });

struct RatesRow {
    std::vector<double> rates;
    std::vector<int> starts;
};

TEST_F(MiddlePanel, CountsConsecutiveTicksBelowTheThreshold) {
    const RatesRow rows[] = {
        {{60, 10, 10, 10}, {4}},
        {{10, 10, 60, 10, 10, 10}, {6}},
        {{10, 10, 50, 10, 10, 10}, {6}},  // equal to the threshold is not low
        {{10, 10, 10, 10, 10, 60, 10, 10, 10, 10}, {3, 9}},
        {{49.99, 49.99, 49.99}, {3}},
    };
    for (const RatesRow& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.rates));
        arm("Option8", QStringLiteral("3"), QStringLiteral("50"));
        EXPECT_EQ(startsAt(row.rates), row.starts);
    }
}

struct FieldsRow {
    QString seconds;
    QString kilobytes;
};

// Armed for 关机 after 3 low ticks, one low tick has passed when a click with a refused field
// chooses 重启: the kind, the fields and the count stay as they were.
TEST_F(MiddlePanel, ARefusedFieldSaysSoAndKeepsWhatWasArmed) {
    const FieldsRow rows[] = {
        {"0", "50"},   {"32768", "50"}, {"-3", "50"},  {"1.5", "50"}, {"", "50"},
        {"abc", "50"}, {"３", "50"},    {"1e3", "50"}, {"3 0", "50"}, {"3", "0"},
        {"3", "-50"},  {"3", ""},       {"3", "５０"}, {"3", "5e1"},
    };
    for (const FieldsRow& row : rows) {
        SCOPED_TRACE(("\"" + row.seconds + "\" \"" + row.kilobytes + "\"").toStdString());
        messages_.clear();
        arm("Option8", QStringLiteral("3"), QStringLiteral("50"));
        ASSERT_THAT(startsAt({10}), IsEmpty());

        arm("Option7", row.seconds, row.kilobytes);

        EXPECT_THAT(messageTexts(), ElementsAre(kArmed, kNotAValidNumber));
        ASSERT_THAT(startsAt({10, 10, 10}), ElementsAre(2));
        EXPECT_EQ(launcher_.attempts().back(), commandLineOf(1));
    }
}

TEST_F(MiddlePanel, BlanksAroundTheNumbersAndTrailingZerosAreAccepted) {
    arm("Option8", QStringLiteral(" 3 "), QStringLiteral("50.0 "));

    EXPECT_THAT(messageTexts(), ElementsAre(kArmed));
    EXPECT_THAT(startsAt({49, 49, 49}), ElementsAre(3));
}

TEST_F(MiddlePanel, NothingStartsWithoutAnAction) {
    typeInto("Text8", QStringLiteral("1"));
    click("Command4");

    EXPECT_THAT(messageTexts(), ElementsAre(kChooseAction));
    EXPECT_THAT(startsAt({0, 0, 0, 0, 0}), IsEmpty());
}

TEST_F(MiddlePanel, ReclickingAfterChoosingInAnotherPanelRearmsWithTheEarlierAction) {
    arm("Option6", QStringLiteral("300"), QStringLiteral("50"));
    click("Option12");
    ASSERT_FALSE(control<QRadioButton>("Option6")->isChecked());

    typeInto("Text8", QStringLiteral("2"));
    click("Command4");

    EXPECT_THAT(messageTexts(), ElementsAre(kArmed, kArmed));
    EXPECT_THAT(startsAt({0, 0, 0}), ElementsAre(2));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));
}

// Timer3 keeps ticking while the box is open; the arming is already in force then.
TEST_F(MiddlePanel, ArmedAlreadyWhileTheBoxIsOpen) {
    whileMessageShown_ = [this] { startsAt({0, 0}); };
    arm("Option5", QStringLiteral("2"), QStringLiteral("50"));

    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(4)));
}

// The monitor saw 60 KB per second; only when Timer1 clears the tops can the count begin.
TEST_F(MiddlePanel, Timer1ClearingTheTopsLetsTheCountBegin) {
    arm("Option8", QStringLiteral("3"), QStringLiteral("50"));
    setRate(60);
    for (int second = 0; second < 3; ++second) {
        tick("Timer3");
    }
    ASSERT_THAT(launcher_.attempts(), IsEmpty());

    tick("Timer1");
    EXPECT_EQ(shownRate(), QStringLiteral("0"));
    tick("Timer3");
    tick("Timer3");
    EXPECT_THAT(launcher_.attempts(), IsEmpty());
    tick("Timer3");
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(1)));
}

struct ShownRateRow {
    double downloadBytes;
    double uploadBytes;
    QString shown;
};

TEST_F(MiddlePanel, Command3ShowsTheRateOfTheTwoTops) {
    const ShownRateRow rows[] = {
        {1500 * kKilobyte, 0, "1500"},
        {1000, 24, "1"},  // 0.98 + 0.02
        {1000, 0, "0.98"},
        {0, 0, "0"},
        {0, 2.5 * kKilobyte, "2.5"},
    };
    for (const ShownRateRow& row : rows) {
        SCOPED_TRACE(row.shown.toStdString());
        form_->rateTops() = {row.downloadBytes, row.uploadBytes};
        EXPECT_EQ(shownRate(), row.shown);
    }
}

TEST_F(MiddlePanel, Command3ChangesNothing) {
    arm("Option8", QStringLiteral("3"), QStringLiteral("50"));
    startsAt({10, 10});
    click("Command3");
    click("Command3");

    EXPECT_THAT(startsAt({10}), ElementsAre(1));
    EXPECT_THAT(messageTexts(), ElementsAre(kArmed, QStringLiteral("10"), QStringLiteral("10")));
}

TEST_F(MiddlePanel, ACommandThatCannotStartIsReportedOnce) {
    launcher_.failStarts(true);
    arm("Option6", QStringLiteral("2"), QStringLiteral("50"));
    startsAt({0, 0, 0, 0, 0});

    EXPECT_THAT(messageTexts(),
                ElementsAre(kArmed, kCannotStart + QString::fromStdString(commandLineOf(3))));
    EXPECT_EQ(launcher_.attempts().size(), 1u);
}

}  // namespace
