#pragma once

// The number formats of a workbook's cells, from its styles part
// (xl/styles.xml): a cell's style "s" indexes the `xf` elements of
// `cellXfs`, whose `numFmtId` is a built-in format or one of the codes of
// `numFmts`; and its date system, from `workbookPr date1904` of the
// workbook part. NumberFormat decides what each format shows.
//
// The parts are untrusted. A styles part that is missing, is no XML or no
// style sheet, or is larger than MaxPartBytes gives no formats at all, so
// that every number cell shows as General; the workbook itself is still
// read. A format past the other limits below (a code too long, a code or a
// cell format past the number kept) shows its own cells as General alone.

#include "data/NumberFormat.h"

#include <QList>
#include <QString>
#include <QStringView>

class WorkbookStyles
{
public:
    // Far above what spreadsheet programs write (64,000 cell formats and a
    // few hundred codes of at most 255 characters).
    static constexpr qint64 MaxPartBytes = qint64(16) << 20;
    static constexpr qsizetype MaxCellFormats = qsizetype(1) << 18;
    static constexpr qsizetype MaxNumberFormats = 4096;
    static constexpr qsizetype MaxCodeLength = 1024;

    // The formats of the styles part at `stylesPath` ("" or a missing file:
    // none) and the date system of the workbook part at `workbookPath`.
    static WorkbookStyles read(const QString& stylesPath, const QString& workbookPath);

    // True when every number cell shows as General.
    bool isEmpty() const { return m_styleFormats.isEmpty(); }
    bool date1904() const { return m_date1904; }
    // True when the styles part has cell format `style` (an `xf` of
    // `cellXfs`, counted also past the number kept): a cell or row whose
    // style is not among them takes the style of its row or column instead.
    bool hasCellFormat(qsizetype style) const { return style >= 0 && style < m_cellFormatCount; }
    // The format of cells of style `style` (a cell without "s" has its
    // row's or column's, see WorksheetReader); null for a style that shows
    // its cells as General, or none.
    const NumberFormat* format(qsizetype style) const;
    // The text a number cell of style `style` shows for its value `stored`;
    // a null string when that is no number.
    QString show(qsizetype style, QStringView stored) const;
    // The same for a date cell, whose value is an ISO 8601 date or date and
    // time: shown as its serial number would be.
    QString showIsoDate(qsizetype style, QStringView stored) const;
    // The text a boolean cell of style `style` shows: "TRUE" or "FALSE" in
    // General (and in a format the reader cannot take), else its format
    // shows 1 or 0, as LibreOffice Calc shows such a cell.
    QString showBoolean(qsizetype style, bool value) const;

private:
    // For each `xf` of `cellXfs`, up to the last with a format: its index
    // in m_formats, or -1.
    QList<qint32> m_styleFormats;
    QList<NumberFormat> m_formats;
    qsizetype m_cellFormatCount = 0; // the `xf` elements of `cellXfs`
    bool m_date1904 = false;
};
