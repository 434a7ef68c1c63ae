#pragma once

// What becomes of the card objects bound to spreadsheet columns when a newly
// read table replaces the one before, and of objects pasted from another
// design. A binding is a column position; the column's title is what the
// user chose. An object never takes a column that its design knew under
// another title. Where both tables know their sheet layouts (SheetColumns)
// the columns are set against the sheets, every column of them, ticked or
// not; else against the tables' own columns:
// - a binding follows its title to its new position when that title names
//   exactly one column before and now;
// - otherwise it takes the column now standing at its column's place, when
//   that column's title is its own, or (sheets known) one not blank that
//   the sheet did not have when the table was read (a rename). Its place lies between the
//   nearest columns on each side that followed their titles, and counts
//   only while as many columns stand between those two now as before.
//   Without the sheets nothing counts as a rename: a table's columns do not
//   tell a renamed column from an unticked one;
// - a column it follows or takes must be one of the new table's (ticked);
// - otherwise it takes no column (position -1) and shows nothing; it keeps
//   its title, so that a later table with a column of that title gives it
//   back, and only that.
// A table read without a title row (SheetColumns::firstRowTitles false),
// before or now, has no titles: its first row is data. Bindings then go by
// sheet place alone: each takes the column of the new table standing at its
// column's sheet place (a table whose layout is unknown standing at the
// sheet's first columns), or none past the sheet's last column or left out
// of the new table, without a word of renames or titles. An object
// carrying its column's title (a pasted one, or one whose column was
// deleted) follows that title alone; in a table without a title row only to
// its own column. The row-number column (position 0)
// is the same in every table. Titles are compared as they stand once
// trimmed, letter case included.

#include "model/DesignFile.h"
#include "model/SKTGraphic.h"
#include "model/SheetColumns.h"

#include <QList>
#include <QString>
#include <QStringList>

class ColumnRebinding
{
public:
    enum class Why {
        Followed,  // its title names one column before and now (or the row number, or none before)
        Renamed,   // it takes the column at its place, whose title the design did not know
        Kept,      // it takes the column at its place, of its own title (blank, or naming several)
        Gone,      // no column now: no column has its title, and none renamed stands at its place
        Ambiguous, // no column now: its title names more than one column
        Untitled,  // no column now: its column had no title
        PastTable, // no column now: the table before had no column at its place
        Unplaced,  // no column now: bound by place, the new table has none at its sheet place
    };

    struct Outcome
    {
        int column = 0; // -1: no column
        Why why = Why::Followed;
    };

    // Where a binding to `column` of a table titled `oldTitles` goes in a
    // table titled `newTitles` (both with the row-number column first), the
    // sheet layouts of both given, or unknown.
    static Outcome follow(const QStringList& oldTitles, const SheetColumns& oldLayout, const QStringList& newTitles,
                          const SheetColumns& newLayout, int column);
    static Outcome follow(const QStringList& oldTitles, const QStringList& newTitles, int column)
    {
        return follow(oldTitles, {}, newTitles, {}, column);
    }
    // The same for every column of `oldTitles`, in order.
    static QList<Outcome> followAll(const QStringList& oldTitles, const SheetColumns& oldLayout,
                                    const QStringList& newTitles, const SheetColumns& newLayout);
    static QList<Outcome> followAll(const QStringList& oldTitles, const QStringList& newTitles)
    {
        return followAll(oldTitles, {}, newTitles, {});
    }
    // The columns of a sheet whose first row is `header` (no row-number
    // column) that the columns of a table titled `oldTitles` stand at now,
    // from 0, in the table's order, -1 for none: what a new read of that
    // sheet must take for the bindings to find their columns.
    static QList<int> sheetColumnsOf(const QStringList& oldTitles, const SheetColumns& oldLayout,
                                     const QStringList& header);
    // Where an object carrying the title `title` goes in a table titled
    // `newTitles`: to `column` when it has that title (a paste into the
    // design it was copied from), else to the one column of that title.
    static Outcome followTitle(const QString& title, const QStringList& newTitles, int column);

    // An object whose binding did not simply follow its title.
    struct Change
    {
        bool back = false;
        SKTGraphic::Kind kind = SKTGraphic::Kind::Text;
        Why why = Why::Gone;
        QString title;    // the title it was bound to
        int column = 0;   // the column it takes now; for PastTable the one it had, for Unplaced its sheet place
        QString newTitle; // that column's title now
        QString shows;    // that column's first value
    };

    // Rebinds every text, picture and barcode of `graphics` bound to a
    // column of the table titled `oldTitles` to the table titled `newTitles`
    // (an object carrying a title follows it). Objects stay as they are when
    // the titles are the same (bound by place, and the sheet layouts), and
    // carried titles wait while the new table has no column. Answers the changes to tell, in list order.
    static QList<Change> rebind(const GraphicList& graphics, bool back, const QStringList& oldTitles,
                                const SheetColumns& oldLayout, const QStringList& newTitles,
                                const SheetColumns& newLayout, const QList<DesignFileRow>& newRows);
    static QList<Change> rebind(const GraphicList& graphics, bool back, const QStringList& oldTitles,
                                const QStringList& newTitles, const QList<DesignFileRow>& newRows)
    {
        return rebind(graphics, back, oldTitles, {}, newTitles, {}, newRows);
    }

    // The one message naming every object that takes the column at its
    // place, and every object that now takes none; "" for none. Titles and
    // values are quoted shortened.
    static QString message(const QList<Change>& changes);
};
