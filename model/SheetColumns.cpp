#include "model/SheetColumns.h"

#include "app/StringHelpers.h"

#include <algorithm>

bool SheetColumns::fits(const QStringList& tableTitles) const
{
    if (places.size() != tableTitles.size() || places.isEmpty() || places[0] != 0 || titles.isEmpty()
        || titles.size() > maxColumns + 1 || !titles[0].isEmpty())
        return false;
    for (int c = 1; c < places.size(); ++c) {
        const int place = places[c];
        if (place <= places[c - 1] || place >= titles.size() || titles[place] != Trim_Str(tableTitles[c]))
            return false;
    }
    return true;
}

int SheetColumns::columnAt(int place) const
{
    if (place < 1)
        return -1;
    // Places rise: a binary search finds it.
    const auto it = std::lower_bound(places.cbegin() + (places.isEmpty() ? 0 : 1), places.cend(), place);
    return it != places.cend() && *it == place ? int(it - places.cbegin()) : -1;
}

bool SheetColumns::firstRowRepeats(const QStringList& tableTitles, const QMap<QString, QString>& firstRow)
{
    if (tableTitles.size() < 2 || firstRow.isEmpty())
        return false;
    for (int c = 1; c < tableTitles.size(); ++c) {
        if (Trim_Str(firstRow.value(QStringLiteral("Column%1").arg(c))) != Trim_Str(tableTitles[c]))
            return false;
    }
    return true;
}
