#pragma once

// The working copy of one data series as the series manager and the series
// viewer hold it: one trimmed value per record, in list order, each one line
// (a line break becomes a space). A record read from a file or a workbook
// cell may be empty and keeps its place, so every later value stays with its
// card; values added or typed here are never empty. Nothing here
// touches a file except load(), which reads a series file the way the
// manager does (SeriesStore::managerValues).

#include <QList>
#include <QString>
#include <QStringList>

class FileStamp;

class SeriesValueList
{
public:
    // What load() found.
    enum class LoadResult { Loaded, Unreadable, TooLarge };

    const QStringList& values() const { return m_values; }
    int count() const { return int(m_values.size()); }
    bool isEmpty() const { return m_values.isEmpty(); }
    QString value(int row) const;

    // Appends the trimmed value; an empty one is left out. True when a row
    // was added.
    bool append(const QString& value);
    // Appends the trimmed value as a record of its own, an empty one too.
    void appendRecord(const QString& value);
    void clear() { m_values.clear(); }

    // Replaces the value of `row` by the trimmed text; false (nothing
    // changes) when the trimmed text is empty or the row does not exist.
    bool replace(int row, const QString& text);

    // Removes the rows in `rows` (any order, duplicates and rows out of
    // range ignored) and answers the row to select afterwards: the row just
    // above `selectedRow` (the selection before the removal) when that row
    // was not the first and still exists, else -1.
    int removeRows(const QList<int>& rows, int selectedRow);

    // Replaces the list by the values of the file at `path`, read as UTF-8.
    // A file that cannot be opened for reading and writing (the manager
    // edits what it opens) or that is not valid UTF-8 gives Unreadable and
    // leaves the list empty, as does anything but a regular file (see
    // RegularFile); a file larger than a series file can be
    // (SeriesStore::maxSeriesFileBytes) gives TooLarge without being read.
    // `stamp`, when given, gets the stamp of the bytes a Loaded list holds.
    LoadResult load(const QString& path, bool needsWriteAccess = true, FileStamp* stamp = nullptr);

private:
    QStringList m_values;
};
