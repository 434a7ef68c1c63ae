#include "data/SeriesSaveRules.h"

#include "app/Globals.h"
#include "app/StringHelpers.h"
#include "data/SeriesFileWriter.h"
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
    const QString cleaned = cleanedName(name);
    if (cleaned.isEmpty())
        return plan;
    plan.folder = folder;
    plan.name = cleaned;
    plan.path = seriesPath(folder, cleaned);
    const bool targetExists = QFileInfo::exists(plan.path) || QFileInfo(plan.path).isSymLink();
    // compared as typed, as the name field and the opened name stand
    const bool renamed = name != openedAs;
    plan.replacesOther = targetExists && renamed;

    // the series moves when it was opened under another name and the new
    // name is free
    const QString oldCleaned = cleanedName(openedAs);
    if (!targetExists && renamed && !oldCleaned.isEmpty()) {
        const QString candidate = seriesPath(folder, oldCleaned);
        if (candidate != plan.path && QFileInfo(candidate).isFile())
            plan.oldPath = candidate;
    }
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
    if (!SeriesStore(plan.folder, batch_file_EXT).write(plan.name, trimmed, SeriesStore::WriteMode::Replace, error))
        return Result::WriteFailed;
    if (!plan.oldPath.isEmpty())
        SeriesFileWriter::removeFile(plan.oldPath);
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
