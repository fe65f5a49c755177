// The left panel as a user drives it: type a date and a time, choose an action, click 确定, and
// the chosen command line is started once at the first Timer1 tick after that minute began.
#include <gmock/gmock.h>

#include <QLineEdit>
#include <QRadioButton>

#include "form1_fixture.h"
#include "platform/automation_date.h"

// Failure messages show a moment as the user reads it.
static void PrintTo(const DateTimeFields& moment, std::ostream* out) {
    *out << QStringLiteral("%1-%2-%3 %4:%5:%6")
                .arg(moment.year)
                .arg(moment.month)
                .arg(moment.day)
                .arg(moment.hour)
                .arg(moment.minute, 2, 10, QLatin1Char('0'))
                .arg(moment.second, 2, 10, QLatin1Char('0'))
                .toStdString();
}

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString kArmed = QStringLiteral("设置成功!");
const QString kChooseAction = QStringLiteral("请选择执行内容！");
const QString kNotADateTime = QStringLiteral("!请输入正确的时间!");
const QString kNotLaterThanNow = QStringLiteral("请输入正确的时间!");
const QString kCannotStart = QStringLiteral("无法执行：");

// Text1 to Text5 as the user types them.
struct TypedTime {
    QString year;
    QString month;
    QString day;
    QString hour;
    QString minute;
};

// A time of the fixture's day, 7 March 2026, typed without leading zeros.
TypedTime onTheSeventh(int hour, int minute) {
    return {QStringLiteral("2026"), QStringLiteral("3"), QStringLiteral("7"), QString::number(hour),
            QString::number(minute)};
}

class LeftPanel : public Form1Test {
  protected:
    void typeTime(const TypedTime& time) {
        typeInto("Text1", time.year);
        typeInto("Text2", time.month);
        typeInto("Text3", time.day);
        typeInto("Text4", time.hour);
        typeInto("Text5", time.minute);
    }
    void arm(const char* option, const TypedTime& time) {
        typeTime(time);
        click(option);
        click("Command1");
    }
    // Ticks Timer1 every 4 seconds, as it runs, until the given time of 7 March 2026; returns
    // the times of the ticks that started a command line.
    std::vector<DateTimeFields> tickTimer1Until(int hour, int minute) {
        std::vector<DateTimeFields> starts;
        const double end = dateOf({2026, 3, 7, hour, minute, 0});
        while (clock_.now() < end) {
            clock_.advanceSeconds(4);
            const std::size_t before = launcher_.attempts().size();
            tick("Timer1");
            if (launcher_.attempts().size() != before) {
                starts.push_back(fieldsOfAutomationDate(clock_.now()));
            }
        }
        return starts;
    }
    QString text6() const { return control<QLineEdit>("Text6")->text(); }
};

class LeftPanelOption : public LeftPanel, public ::testing::WithParamInterface<OptionRow> {};

// Armed at 8:05:00 for 8:06: the tick at 8:06:00 is not yet after the target.
TEST_P(LeftPanelOption, StartsItsActionOnceAtTheFirstTickAfterTheMinuteBegan) {
    arm(GetParam().option, onTheSeventh(8, 6));

    EXPECT_THAT(tickTimer1Until(8, 30), ElementsAre(DateTimeFields{2026, 3, 7, 8, 6, 4}));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(GetParam().kind)));
    EXPECT_THAT(messageTexts(), ElementsAre(kArmed));
}

INSTANTIATE_TEST_SUITE_P(EachAction, LeftPanelOption,
                         ::testing::Values(OptionRow{"Option1", 1}, OptionRow{"Option2", 2},
                                           OptionRow{"Option3", 3}, OptionRow{"Option4", 4}),
                         [](const auto& row) { return std::string(row.param.option); });

TEST_F(LeftPanel, ThePresentMinuteIsNotLaterThanNow) {
    clock_.advanceSeconds(59);
    arm("Option1", onTheSeventh(8, 5));

    EXPECT_THAT(messageTexts(), ElementsAre(kNotLaterThanNow));
    EXPECT_THAT(tickTimer1Until(9, 0), IsEmpty());
}

struct ComposedRow {
    TypedTime typed;
    QString text6;
    QString message;
};

TEST_F(LeftPanel, Text6HoldsTheFieldsExactlyAsTyped) {
    const ComposedRow rows[] = {
        {{"2026", "03", "07", "08", "06"}, "2026/03/07 08:06", kArmed},
        {{"2026", "3", "7", "8", "abc"}, "2026/3/7 8:abc", kNotADateTime},
        {{"2026", "3", "7", "８", "6"}, "2026/3/7 ８:6", kNotADateTime},
        {{"2026", "3", "7", "", "6"}, "2026/3/7 :6", kNotADateTime},
        {{"2026", "3", "7", " 8", "6"}, "2026/3/7  8:6", kNotADateTime},
        {{"2026", "2", "30", "8", "6"}, "2026/2/30 8:6", kNotADateTime},
        {{"2026", "3", "7", "24", "0"}, "2026/3/7 24:0", kNotADateTime},
        {{"26", "3", "8", "8", "6"}, "26/3/8 8:6", kNotADateTime},
        {{"2026", "3", "7", "7", "59"}, "2026/3/7 7:59", kNotLaterThanNow},
    };
    for (const ComposedRow& row : rows) {
        SCOPED_TRACE(row.text6.toStdString());
        messages_.clear();
        arm("Option1", row.typed);
        EXPECT_EQ(text6(), row.text6);
        EXPECT_THAT(messageTexts(), ElementsAre(row.message));
    }
}

// Armed for 8:07 with 关机; a click with 重启 and a refused time changes the kind only.
TEST_F(LeftPanel, ARefusedTimeTakesTheKindAndKeepsTheTarget) {
    const std::pair<TypedTime, QString> refusals[] = {
        {{"2026", "3", "7", "8", "abc"}, kNotADateTime},
        {onTheSeventh(7, 0), kNotLaterThanNow},
    };
    for (const auto& [typed, message] : refusals) {
        SCOPED_TRACE(message.toStdString());
        clock_.set({2026, 3, 7, 8, 5, 0});
        messages_.clear();
        arm("Option1", onTheSeventh(8, 7));
        arm("Option2", typed);

        EXPECT_THAT(messageTexts(), ElementsAre(kArmed, message));
        ASSERT_THAT(tickTimer1Until(8, 30), ElementsAre(DateTimeFields{2026, 3, 7, 8, 7, 4}));
        EXPECT_EQ(launcher_.attempts().back(), commandLineOf(2));
    }
}

TEST_F(LeftPanel, NothingFiresBeforeASuccessfulClick) {
    click("Command1");
    EXPECT_THAT(messageTexts(), ElementsAre(kChooseAction));

    typeTime(onTheSeventh(8, 6));
    click("Option1");
    EXPECT_THAT(tickTimer1Until(9, 0), IsEmpty()) << "choosing alone arms nothing";
}

TEST_F(LeftPanel, FiresAgainOnlyAfterANewSuccessfulClick) {
    arm("Option3", onTheSeventh(8, 6));
    EXPECT_EQ(tickTimer1Until(8, 20).size(), 1u);

    arm("Option2", onTheSeventh(8, 21));
    EXPECT_THAT(tickTimer1Until(9, 0), ElementsAre(DateTimeFields{2026, 3, 7, 8, 21, 4}));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3), commandLineOf(2)));
}

TEST_F(LeftPanel, ReclickingAfterChoosingInAnotherPanelRearmsWithTheEarlierAction) {
    arm("Option4", onTheSeventh(8, 6));
    click("Option8");
    ASSERT_FALSE(control<QRadioButton>("Option4")->isChecked());

    typeInto("Text5", QStringLiteral("10"));
    click("Command1");

    EXPECT_THAT(messageTexts(), ElementsAre(kArmed, kArmed));
    EXPECT_THAT(tickTimer1Until(9, 0), ElementsAre(DateTimeFields{2026, 3, 7, 8, 10, 4}));
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(4)));
}

// The box's own event loop lets Timer1 tick while it is open: the new target must not fire
// before the user has closed the box.
TEST_F(LeftPanel, TheNewTargetIsArmedOnlyOnceTheBoxIsClosed) {
    std::size_t startedWhileOpen = 0;
    whileMessageShown_ = [&] {
        clock_.set({2026, 3, 7, 8, 6, 4});
        tick("Timer1");
        startedWhileOpen = launcher_.attempts().size();
    };
    arm("Option1", onTheSeventh(8, 6));
    whileMessageShown_ = nullptr;
    EXPECT_EQ(startedWhileOpen, 0u);

    EXPECT_THAT(tickTimer1Until(8, 10), ElementsAre(DateTimeFields{2026, 3, 7, 8, 6, 8}));
}

// Re-armed for 8:30 with 睡眠 while 8:06 is armed: while the box is open the old target holds,
// with the kind the click has just taken.
TEST_F(LeftPanel, WhileTheBoxIsOpenTheEarlierTargetHolds) {
    arm("Option1", onTheSeventh(8, 6));
    whileMessageShown_ = [this] {
        clock_.set({2026, 3, 7, 8, 6, 4});
        tick("Timer1");
    };
    arm("Option3", onTheSeventh(8, 30));
    whileMessageShown_ = nullptr;
    EXPECT_THAT(launcher_.attempts(), ElementsAre(commandLineOf(3)));

    EXPECT_THAT(tickTimer1Until(9, 0), ElementsAre(DateTimeFields{2026, 3, 7, 8, 30, 4}));
}

TEST_F(LeftPanel, ACommandThatCannotStartIsReportedOnce) {
    launcher_.failStarts(true);
    arm("Option4", onTheSeventh(8, 6));
    tickTimer1Until(8, 30);

    EXPECT_THAT(messageTexts(),
                ElementsAre(kArmed, kCannotStart + QString::fromStdString(commandLineOf(4))));
    EXPECT_EQ(launcher_.attempts().size(), 1u);
}

struct TopsRow {
    double downloadBytes;
    double uploadBytes;
    QString rateBefore;
    QString rateAfter;
};

TEST_F(LeftPanel, Timer1ClearsBothTopsOnlyWhenTheDownloadTopIsNotZero) {
    const TopsRow rows[] = {
        {2048, 1024, "3", "0"},
        {2048, 0, "2", "0"},
        {1, 2048, "2", "0"},
        {0, 2048, "2", "2"},
    };
    for (const TopsRow& row : rows) {
        SCOPED_TRACE(row.rateBefore.toStdString() + " " + row.rateAfter.toStdString());
        form_->rateTops() = {row.downloadBytes, row.uploadBytes};
        EXPECT_EQ(shownRate(), row.rateBefore);
        tick("Timer1");
        EXPECT_EQ(shownRate(), row.rateAfter);
    }
}

}  // namespace
