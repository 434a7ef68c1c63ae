#pragma once

// Where the parts of an unpacked workbook lie, as the workbook part's
// relationships (xl/_rels/workbook.xml.rels) name them: the shared strings,
// and the worksheet part behind each tab of xl/workbook.xml (a tab's r:id
// names a relationship, whose target is the part). Part names need not be
// the usual ones: a sheet deleted in a spreadsheet program leaves sheet2.xml
// as the first tab, some writers name the first part sheet.xml, and some
// keep their shared strings elsewhere. A target is matched against the
// files unpacked with letter case aside, as zip entry names keep the case
// their writer gave them and the target may spell it otherwise; of entries
// whose names differ only in letter case, the first in the archive counts.
//
// Every target is untrusted: it is resolved inside the unpack folder, and
// one that would lead out of it (by "..", or from the root) names nothing.

#include <QList>
#include <QString>
#include <QStringList>

class WorkbookParts
{
public:
    // One sheet the workbook offers.
    struct Sheet
    {
        // The tab name (for a sheet listed without its tab, the part's file
        // name without ".xml").
        QString name;
        // The worksheet part, relative to the unpack folder and spelled as
        // unpacked ("xl/worksheets/sheet.xml"); "" when the tab has no part
        // there.
        QString part;

        bool operator==(const Sheet&) const = default;
    };

    // The parts of the workbook unpacked in `folder`; `archiveOrder` gives
    // the paths its entries unpacked to in the archive's order, as the
    // unpack itself lists them (SSZipArchive::unzipFileAtPath); without it,
    // files are taken in the order of their names.
    static WorkbookParts read(const QString& folder, const QStringList& archiveOrder = {});

    // The full path of the shared-strings part: the one the relationships
    // name, else xl/sharedStrings.xml; "" when the one named lies outside
    // the folder. The part itself may be missing.
    QString sharedStrings;
    // The same for the styles part (xl/styles.xml when none is named).
    QString styles;

    // The sheets to offer: the tabs of xl/workbook.xml in tab order, each
    // with the part its relationship targets (the first relationship of an
    // Id counts); a part no tab names is not among them. When the
    // relationships or the workbook part cannot be read, or the workbook
    // names no tab, the parts "xl/worksheets/sheet<n>.xml" by their number.
    QList<Sheet> sheets;

    // A relationship target of the workbook part (relative to "xl", or
    // absolute from the package root, percent-encoded) as a path relative
    // to the unpack folder ("xl/worksheets/sheet1.xml"); "" when it would
    // leave the folder.
    static QString resolve(const QString& target);

    // True when `relative` is a clean path that stays inside the folder it is
    // relative to (no "..", not from the root, not empty).
    static bool staysInside(const QString& relative);

    // The names of the form "sheet<n>.xml" (any letter case) among
    // `fileNames`, ordered by n.
    static QStringList numberedSheetParts(const QStringList& fileNames);
};
