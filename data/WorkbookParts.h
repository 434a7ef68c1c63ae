#pragma once

// Where the parts of an unpacked workbook lie, as the workbook part's
// relationships (xl/_rels/workbook.xml.rels) name them: the shared strings,
// and the worksheet part behind each tab of xl/workbook.xml (a tab's r:id
// names a relationship, whose target is the part). Part names need not be
// the usual ones: a sheet deleted in a spreadsheet program leaves sheet2.xml
// as the first tab, and some writers keep their shared strings elsewhere.
//
// Every target is untrusted: it is resolved inside the unpack folder, and
// one that would lead out of it (by "..", or from the root) names nothing.

#include <QHash>
#include <QString>

class WorkbookParts
{
public:
    // The parts of the workbook unpacked in `folder`. Without relationships
    // (none, or none that can be read) the shared strings are the usual
    // xl/sharedStrings.xml and no tab is paired with a part.
    static WorkbookParts read(const QString& folder);

    // The full path of the shared-strings part: the one the relationships
    // name, else xl/sharedStrings.xml; "" when the one named lies outside
    // the folder. The part itself may be missing.
    QString sharedStrings;
    // The same for the styles part (xl/styles.xml when none is named).
    QString styles;

    // The tab name of the worksheet part "xl/worksheets/sheet<n>.xml"; ""
    // when no tab names that part.
    QString tabName(int sheetNumber) const;

    // A relationship target of the workbook part (relative to "xl", or
    // absolute from the package root, percent-encoded) as a path relative
    // to the unpack folder ("xl/worksheets/sheet1.xml"); "" when it would
    // leave the folder.
    static QString resolve(const QString& target);

private:
    // the tab names by their part's path (relative, lower case)
    QHash<QString, QString> m_tabs;
};
