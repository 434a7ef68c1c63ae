#pragma once

// What the series generator and the value editor do to the series manager's
// open series (`BatchWizard_Window`): the series manager implements it.

#include <QString>
#include <QStringList>

class SeriesListEditor
{
public:
    // Refills the list of stored series from the data folder.
    virtual void Fill_List() = 0;
    // Each value becomes a new row of the open series.
    virtual void appendValues(const QStringList& values) = 0;
    // Replaces the value of `row` by the trimmed text; false when it is empty
    // or the row does not exist.
    virtual bool replaceValue(int row, const QString& text) = 0;

protected:
    ~SeriesListEditor() = default;
};
