#pragma once

// What the import windows hand to the series manager: values for its value
// list (it leaves out those that are blank after trimming) and the request
// to list the stored series again. The manager sets both when it is made;
// unset, nothing is handed over.

#include <QString>

#include <functional>

struct SeriesManagerLink
{
    std::function<void(const QString& value)> Create_Value_List;
    std::function<void()> Fill_List;

    void addValue(const QString& value) const
    {
        if (Create_Value_List)
            Create_Value_List(value);
    }
    void refreshList() const
    {
        if (Fill_List)
            Fill_List();
    }

    static SeriesManagerLink& installed();
};
