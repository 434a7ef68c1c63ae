#pragma once

// Writes a data series file: one value per line, each followed by "\n", in
// UTF-8, in the data folder under the series name with the series
// extension. The file is replaced or extended whole or not at all: the new
// content goes to a temporary file that then takes the file's place, so a
// failed write keeps the old series.

#include <QString>
#include <QStringList>

class SeriesImportFile
{
public:
    // Whether `name` can name a series file in the data folder: not empty,
    // not "." or "..", and holding no "/", "\" or NUL.
    static bool isAcceptableName(const QString& name);

    // Data_Folder_Path/name.batch_file_EXT
    static QString pathOf(const QString& name);

    // Writes `values` as the whole file (`append` false) or after the lines
    // already there (`append` true). False when the file could not be
    // written; the old file is then unchanged.
    static bool write(const QString& path, const QStringList& values, bool append = false);
};
