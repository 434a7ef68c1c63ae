#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Formats a date and time with a pattern of the common date-pattern syntax
// used by date formatters (runs of pattern letters such as "yyyy", "MMM",
// "d", "h", "HH", "mm", "ss", "a"; text in single quotes is literal, "''" is
// one quote; other characters are copied). This is not Qt's own format
// syntax: "h" is always the 12-hour clock, "a" gives "AM"/"PM", "E" is the
// day name, and letters unknown to the syntax are copied unchanged.
QString formatWithDatePattern(const QDateTime& dateTime, const QString& pattern,
                              const QLocale& locale = QLocale());
