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

QString SeriesSaveRules::changedQuestion(const QString& name)
{
    return QStringLiteral("The series %1 was changed since it was opened. Replace it with the values shown?").arg(name);
}

QString SeriesSaveRules::goneMessage(const QString& name)
{
    return QStringLiteral("The series %1 was removed since it was opened; it is saved as a new series.").arg(name);
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
    plan.name = target;
    plan.path = seriesPath(folder, target);
    if (unchanged)
        return plan;
    const bool targetExists = QFileInfo::exists(plan.path) || QFileInfo(plan.path).isSymLink();
    plan.replacesOther = targetExists;
    // the series moves when the new name is free: its opened file goes
    // (whether it is still there is seen under the write's lock)
    if (!targetExists && SeriesStore::namesListedFile(openedAs))
        plan.movedFrom = openedAs;
    return plan;
}

SeriesSaveRules::Result SeriesSaveRules::save(const QString& folder, const QString& name, const QString& openedAs,
                                              const FileStamp& opened, const QStringList& values,
                                              const Questions& questions, QString* error)
{
    const Plan planned = plan(folder, name, openedAs);
    if (planned.path.isEmpty())
        return Result::BadName;
    if (planned.replacesOther && !(questions.askReplace && questions.askReplace()))
        return Result::Declined;
    QStringList trimmed;
    trimmed.reserve(values.size());
    for (const QString& value : values)
        trimmed.append(Trim_Str(value));

    // The opened file is checked when this save replaces or removes it;
    // saved onto another series, it stays as it is.
    SeriesStore::Origin origin;
    if (name == openedAs || !planned.movedFrom.isEmpty()) {
        origin.name = openedAs;
        origin.stamp = opened;
        origin.moves = !planned.movedFrom.isEmpty();
    }
    const SeriesStore store(folder, batch_file_EXT);
    for (;;) {
        SeriesStore::SaveResult written = SeriesStore::SaveResult::Failed;
        FileStamp found;
        const auto write = [&] { written = store.replaceFrom(planned.name, trimmed, origin, &found, error); };
        if (questions.run)
            questions.run(write);
        else
            write();
        if (written == SeriesStore::SaveResult::Written)
            return Result::Saved;
        if (written == SeriesStore::SaveResult::Failed)
            return Result::WriteFailed;
        // The file is not what was read: the user decides, and the next
        // write checks it against what the user decided on.
        if (found.isMissing()) {
            if (questions.tellGone)
                questions.tellGone(openedAs);
        } else if (!(questions.askChanged && questions.askChanged(openedAs))) {
            return Result::KeptChanged;
        }
        origin.stamp = found;
    }
}
