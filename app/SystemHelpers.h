#pragma once

#include <QString>

// The current date and time formatted with a date pattern ("M-d-yyyy",
// "dd-MMM-yy", "h:mm:ss a", "HH:mm:ss", ...); see formatWithDatePattern.
// Both behave the same.
QString Get_date_Value(const QString& pattern);
QString Get_time_Value(const QString& pattern);

// The version number of the window system layer the renderer compares
// against; always above 1038, so cards are rendered as vector drawings.
int Get_OS_Version();
