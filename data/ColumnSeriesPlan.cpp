#include "data/ColumnSeriesPlan.h"

#include "data/SeriesStore.h"

#include <QSet>

ColumnSeriesPlan ColumnSeriesPlan::make(const QStringList& names, const Check& exists, const Check& inUse)
{
    ColumnSeriesPlan plan;
    QSet<QString> planned;
    for (const QString& typed : names) {
        Column column;
        column.name = SeriesStore::validSeriesName(typed);
        if (column.name.isEmpty()) {
            column.step = Step::BadName;
        } else {
            const bool stored = exists && exists(column.name);
            if (stored && inUse && inUse(column.name) && !plan.inUse.contains(column.name))
                plan.inUse.append(column.name);
            // a second column of the same name would replace what the first
            // one wrote: asked like any stored series
            if (stored || planned.contains(column.name))
                column.step = Step::AskReplace;
            planned.insert(column.name);
        }
        plan.columns.append(column);
    }
    return plan;
}

QString ColumnSeriesPlan::inUseMessage(const QStringList& names)
{
    const bool one = names.size() == 1;
    return (one ? QStringLiteral("This Batch Processing Series is in use by the open design:\n")
                : QStringLiteral("These Batch Processing Series are in use by the open design:\n"))
        + names.join(QLatin1Char('\n'))
        + (one ? QStringLiteral("\nNo series was imported. Please untick this column or change its Batch "
                                "Processing Series Name.")
               : QStringLiteral("\nNo series was imported. Please untick these columns or change their Batch "
                                "Processing Series Names."));
}

QString ColumnSeriesPlan::stoppedMessage(const QStringList& written, const QStringList& notWritten,
                                         const QString& reason)
{
    if (written.isEmpty() && reason == SeriesStore::busyMessage)
        return reason;
    const QString why = QStringLiteral("Reason: ") + reason;
    if (written.isEmpty())
        return QStringLiteral("No series was imported.\n") + why;
    return QStringLiteral("These Batch Processing Series were imported:\n") + written.join(QLatin1Char('\n'))
        + QStringLiteral("\nThese were not imported:\n") + notWritten.join(QLatin1Char('\n')) + QLatin1Char('\n') + why;
}
