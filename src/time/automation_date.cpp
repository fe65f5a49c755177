#include "time/automation_date.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr long long kSecondsPerDay = 86400;
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;
constexpr sys_days kDayZero = std::chrono::year{1899} / std::chrono::December / 30;

struct DayAndTime {
    long long dayNumber = 0;
    long long secondOfDay = 0;
};

DayAndTime splitIntoDays(long long seconds) {
    const long long dayNumber = seconds / kSecondsPerDay;
    const long long secondOfDay = seconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        return {dayNumber - 1, secondOfDay + kSecondsPerDay};
    }
    return {dayNumber, secondOfDay};
}

// Before day zero an automation date counts whole days backwards but the time of day still
// forwards (-1.25 is 29 December 1899, 6:00), so whole days and the time of day are kept apart.
double automationDate(DayAndTime moment) {
    const double timeOfDay = static_cast<double>(moment.secondOfDay) / kSecondsPerDay;
    const double whole = static_cast<double>(moment.dayNumber);
    return moment.dayNumber < 0 ? whole - timeOfDay : whole + timeOfDay;
}

// The seconds since day zero on a plain, evenly running scale.
long long secondsSinceDayZero(double date) {
    const double wholeDays = std::trunc(date);
    const long long secondOfDay = std::llround(std::abs(date - wholeDays) * kSecondsPerDay);
    return static_cast<long long>(wholeDays) * kSecondsPerDay + secondOfDay;
}

bool isTimeOfDay(const DateTimeFields& fields) {
    return fields.hour >= 0 && fields.hour < 24 && fields.minute >= 0 && fields.minute < 60 &&
           fields.second >= 0 && fields.second < 60;
}

}  // namespace

std::optional<double> automationDateFromFields(const DateTimeFields& fields) {
    if (fields.year < kFirstYear || fields.year > kLastYear || fields.month < 1 ||
        fields.month > 12 || fields.day < 1 || fields.day > 31 || !isTimeOfDay(fields)) {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year{fields.year},
                              std::chrono::month{static_cast<unsigned>(fields.month)},
                              std::chrono::day{static_cast<unsigned>(fields.day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return automationDate(
        {.dayNumber = (sys_days{date} - kDayZero).count(),
         .secondOfDay = fields.hour * 3600LL + fields.minute * 60LL + fields.second});
}

DateTimeFields fieldsOfAutomationDate(double date) {
    const DayAndTime moment = splitIntoDays(secondsSinceDayZero(date));
    const year_month_day calendar{kDayZero + days{moment.dayNumber}};
    return DateTimeFields{.year = static_cast<int>(calendar.year()),
                          .month = static_cast<int>(static_cast<unsigned>(calendar.month())),
                          .day = static_cast<int>(static_cast<unsigned>(calendar.day())),
                          .hour = static_cast<int>(moment.secondOfDay / 3600),
                          .minute = static_cast<int>(moment.secondOfDay / 60 % 60),
                          .second = static_cast<int>(moment.secondOfDay % 60)};
}

double addSeconds(double date, long long seconds) {
    return automationDate(splitIntoDays(secondsSinceDayZero(date) + seconds));
}

long long secondsBetween(double from, double to) {
    return secondsSinceDayZero(to) - secondsSinceDayZero(from);
}

double automationDateOfLocalTime(const std::tm& local) {
    return automationDateFromFields({.year = local.tm_year + 1900,
                                     .month = local.tm_mon + 1,
                                     .day = local.tm_mday,
                                     .hour = local.tm_hour,
                                     .minute = local.tm_min,
                                     .second = std::min(local.tm_sec, 59)})
        .value_or(0);
}
