#include "data/SeriesSaveRules.h"

#include "app/Globals.h"
#include "app/StringHelpers.h"
#include "data/SeriesStore.h"

#include <QFileInfo>

QString SeriesSaveRules::cleanedName(const QString& name)
{
    return SeriesStore::validSeriesName(name);
}

QString SeriesSaveRules::seriesPath(const QString& folder, const QString& name)
{
    return SeriesStore(folder, batch_file_EXT).filePath(name);
}

SeriesSaveRules::Plan SeriesSaveRules::plan(const QString& folder, const QString& name, const QString& openedAs)
{
    Plan plan;
    // The name the series was opened under is a file's name as listed and
    // is not cleaned: "50%" stays "50%", and never reaches "50".
    const bool unchanged = name == openedAs;
    const QString target = unchanged ? (SeriesStore::namesFileInFolder(name) ? name : QString()) : cleanedName(name);
    if (target.isEmpty())
        return plan;
    plan.folder = folder;
    plan.name = target;
    plan.path = seriesPath(folder, target);
    if (unchanged)
        return plan;
    const bool targetExists = QFileInfo::exists(plan.path) || QFileInfo(plan.path).isSymLink();
    plan.replacesOther = targetExists;
    // the series moves when the new name is free: its opened file goes
    if (!targetExists && !openedAs.isEmpty() && QFileInfo(seriesPath(folder, openedAs)).isFile())
        plan.movedFrom = openedAs;
    return plan;
}

SeriesSaveRules::Result SeriesSaveRules::carryOut(const Plan& plan, const QStringList& values, QString* error)
{
    if (plan.path.isEmpty())
        return Result::BadName;
    QStringList trimmed;
    trimmed.reserve(values.size());
    for (const QString& value : values)
        trimmed.append(Trim_Str(value));
    if (!SeriesStore(plan.folder, batch_file_EXT)
             .write(plan.name, trimmed, SeriesStore::WriteMode::Replace, error, plan.movedFrom))
        return Result::WriteFailed;
    return Result::Saved;
}

SeriesSaveRules::Result SeriesSaveRules::save(const QString& folder, const QString& name,
                                              const QString& openedAs, const QStringList& values,
                                              const AskReplace& askReplace)
{
    const Plan planned = plan(folder, name, openedAs);
    if (planned.path.isEmpty())
        return Result::BadName;
    if (planned.replacesOther && !(askReplace && askReplace()))
        return Result::Declined;
    return carryOut(planned, values);
}
