#pragma once

// What the import windows hand to the series manager: values for its value
// list (it leaves out those that are blank after trimming), the records of
// workbook columns and text lists (each one a record in its place, an empty
// cell or blank line too, so every value stays with its row) and the
// request to list the stored series again. The manager sets them when it is
// made; unset, nothing is handed over.

#include <QString>
#include <QStringList>

#include <functional>

struct SeriesManagerLink
{
    std::function<void(const QString& value)> Create_Value_List;
    std::function<void(const QStringList& cells)> Add_Cell_Records;
    std::function<void()> Fill_List;

    void addValue(const QString& value) const
    {
        if (Create_Value_List)
            Create_Value_List(value);
    }
    void addCellRecords(const QStringList& cells) const
    {
        if (Add_Cell_Records)
            Add_Cell_Records(cells);
    }
    void refreshList() const
    {
        if (Fill_List)
            Fill_List();
    }

    static SeriesManagerLink& installed();
};
