#pragma once

// Where the barcode designer reads the stored data series and the columns
// of the imported spreadsheet when its value is bound to one of them. The
// main window sets the calls; a call that is not set answers with nothing.

#include <QString>
#include <QStringList>

#include <functional>

struct BarcodeDataSources
{
    // the names of the stored series, in their order
    std::function<QStringList()> seriesNames;
    // the first value of a series ("" for none)
    std::function<QString(const QString& series)> firstSeriesValue;
    // the column titles of the imported spreadsheet
    std::function<QStringList()> columnTitles;
    // the first value of a column (0 the first column; "" for none)
    std::function<QString(int column)> firstColumnValue;
    // opens the series viewer on a series
    std::function<void(const QString& series)> viewSeries;

    QStringList names() const { return seriesNames ? seriesNames() : QStringList(); }
    QString firstValueOf(const QString& series) const
    {
        return firstSeriesValue ? firstSeriesValue(series) : QString();
    }
    QStringList columns() const { return columnTitles ? columnTitles() : QStringList(); }
    QString firstValueOf(int column) const { return firstColumnValue ? firstColumnValue(column) : QString(); }
};
