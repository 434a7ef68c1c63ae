#include "data/SeriesSaveRules.h"

#include "app/Globals.h"
#include "app/StringHelpers.h"
#include "data/SeriesFileWriter.h"

#include <QFileInfo>

QString SeriesSaveRules::cleanedName(const QString& name)
{
    const QString cleaned = Remove_Reserve_Char_In_File_Name(name);
    if (cleaned.isEmpty() || cleaned == QLatin1String(".") || cleaned == QLatin1String("..")
        || cleaned.contains(QLatin1Char('/')) || cleaned.contains(QLatin1Char('\\'))
        || cleaned.contains(QChar(0)))
        return {};
    return cleaned;
}

QString SeriesSaveRules::seriesPath(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name + QLatin1Char('.') + batch_file_EXT;
}

SeriesSaveRules::Result SeriesSaveRules::save(const QString& folder, const QString& name,
                                              const QString& openedAs, const QStringList& values,
                                              const AskReplace& askReplace)
{
    const QString cleaned = cleanedName(name);
    if (cleaned.isEmpty())
        return Result::BadName;
    const QString path = seriesPath(folder, cleaned);
    const bool targetExists = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    const bool renamed = name != openedAs;

    if (targetExists && renamed && !(askReplace && askReplace()))
        return Result::Declined;

    // the series moves when it was opened under another name and the new
    // name is free; its old file goes once the new one is complete
    QString oldPath;
    const QString oldCleaned = cleanedName(openedAs);
    if (!targetExists && renamed && !oldCleaned.isEmpty()) {
        const QString candidate = seriesPath(folder, oldCleaned);
        if (candidate != path && QFileInfo(candidate).isFile())
            oldPath = candidate;
    }

    QStringList kept;
    kept.reserve(values.size());
    for (const QString& value : values) {
        const QString trimmed = Trim_Str(value);
        if (!trimmed.isEmpty())
            kept.append(trimmed);
    }
    if (!SeriesFileWriter::writeValues(path, kept))
        return Result::WriteFailed;
    if (!oldPath.isEmpty())
        SeriesFileWriter::removeFile(oldPath);
    return Result::Saved;
}
