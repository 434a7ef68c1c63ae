#pragma once

// What becomes of the card objects bound to spreadsheet columns when a newly
// read table replaces the one before. A binding is a column position; the
// column's title is what the user chose. A binding follows its title to its
// new position when that title names exactly one column of the new table.
// Otherwise (the title is gone, names more than one column, or was blank)
// the binding keeps its position, and the user is told which objects did
// so and what they now show. The row-number column (position 0) is the same
// in every table. Titles are compared as they stand once trimmed, letter
// case included.

#include "model/DesignFile.h"
#include "model/SKTGraphic.h"

#include <QList>
#include <QString>
#include <QStringList>

class ColumnRebinding
{
public:
    enum class Why {
        Followed,  // the title names one column of the new table (or the row number)
        Gone,      // no column of the new table has the title
        Ambiguous, // the title names more than one column, before or now
        Untitled,  // the column had no title (blank, or no such column)
    };

    struct Outcome
    {
        int column = 0;
        Why why = Why::Followed;
    };

    // Where a binding to `column` of a table titled `oldTitles` goes in a
    // table titled `newTitles` (both with the row-number column first).
    static Outcome follow(const QStringList& oldTitles, const QStringList& newTitles, int column);

    // An object that kept its column's position.
    struct Kept
    {
        bool back = false;
        SKTGraphic::Kind kind = SKTGraphic::Kind::Text;
        QString oldTitle;
        Why why = Why::Gone;
        int column = 0;
        // the title of the column it now takes ("" when the table has none
        // there) and that column's first value
        QString newTitle;
        bool columnExists = false;
        QString shows;
    };

    // Rebinds every text, picture and barcode of `graphics` bound to a
    // column; answers those that kept their position, in list order.
    static QList<Kept> rebind(const GraphicList& graphics, bool back, const QStringList& oldTitles,
                              const QStringList& newTitles, const QList<DesignFileRow>& newRows);

    // The one message naming every object that kept its position, those
    // that take the new table's column there apart from those whose
    // position lies past the new table's columns; "" for none.
    static QString message(const QList<Kept>& kept);
};
