#include "app/SystemHelpers.h"

#include "platform/DatePattern.h"

#include <QDateTime>

QString Get_date_Value(const QString& pattern)
{
    return formatWithDatePattern(QDateTime::currentDateTime(), pattern);
}

QString Get_time_Value(const QString& pattern)
{
    return formatWithDatePattern(QDateTime::currentDateTime(), pattern);
}

int Get_OS_Version()
{
    return 2000;
}
