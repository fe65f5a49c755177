// The program's date-time: an automation date, the days since midnight of 30 December 1899 on
// the local wall clock, to the second; 0 stands for "not set".
#pragma once

#include <ctime>
#include <optional>

// A calendar date and a time of day, as a person reads them.
struct DateTimeFields {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateTimeFields&) const = default;
};

// The automation date of the fields; nothing for a date or time that does not exist (30
// February, hour 24, second 60) or a year outside 100 to 9999.
std::optional<double> automationDateFromFields(const DateTimeFields& fields);

// The calendar fields of an automation date from the year 100 to 9999, read to the nearest
// second so that a value produced from whole seconds always reads back to those seconds.
DateTimeFields fieldsOfAutomationDate(double date);

// The automation date that lies the given number of seconds later (earlier when negative).
double addSeconds(double date, long long seconds);

// How many seconds `to` lies after `from` on the wall clock (negative when before).
long long secondsBetween(double from, double to);

// The automation date of a local time as the C library breaks it down; 0 for a year outside
// 100 to 9999. A leap second reads as the last second of its minute.
double automationDateOfLocalTime(const std::tm& local);
