#pragma once

// Where the inspector's data-source page and the barcode designer read the
// stored data series and the columns of the imported spreadsheet. The main
// window sets the calls; a call that is not set answers with nothing.

#include <QString>
#include <QStringList>

#include <functional>

struct DataSourceLists
{
    // the names of the stored series, in their order
    std::function<QStringList()> seriesNames;
    // the first value of a series
    std::function<QString(const QString& series)> firstSeriesValue;
    // the column titles of the imported spreadsheet
    std::function<QStringList()> columnTitles;
    // the first value of a column (0 the first column)
    std::function<QString(int column)> firstColumnValue;
    // shows the values of the chosen source: the series named, or the
    // spreadsheet table when the source is a column
    std::function<void(const QString& series)> viewSeries;

    QStringList names() const { return seriesNames ? seriesNames() : QStringList(); }
    QString firstValueOf(const QString& series) const
    {
        return firstSeriesValue ? firstSeriesValue(series) : QString();
    }
    QStringList columns() const { return columnTitles ? columnTitles() : QStringList(); }
    QString firstValueOf(int column) const { return firstColumnValue ? firstColumnValue(column) : QString(); }
};
