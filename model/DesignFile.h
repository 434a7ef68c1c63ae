#pragma once

#include "model/Card_Property.h"
#include "model/SKTGraphic.h"
#include "model/SheetColumns.h"
#include "platform/FileStamp.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <variant>

class PlistNode;

// One row of the spreadsheet table: "Extension" holds the row number and
// "Column1", "Column2", ... the cells.
using DesignFileRow = QMap<QString, QString>;

// What a design file holds: both sides' properties, the spreadsheet binding
// and table, and the card objects of both sides (index 0 topmost).
struct DesignFileContents {
    Card_Property front;
    Card_Property back;
    bool excelBindingUse = false;
    QString excelSourcePath;
    QStringList columnTitles;          // row-number column first
    QList<DesignFileRow> rows;
    // Where the table's columns stood in their sheet; unknown for a table
    // read before designs kept it.
    SheetColumns sheetColumns;
    GraphicList frontGraphics;
    GraphicList backGraphics;
};

// The outcome of reading a design file. `contents` holds what was read up
// to the first fault; `elementsRead` counts the elements taken over.
struct DesignFileReadResult {
    DesignFileContents contents;
    bool ok = false;
    bool badMagic = false;             // not a property-list array, or element 0 is not the magic
    bool tooLarge = false;             // larger than DesignFile::maxFileBytes; nothing was read
    QString reason;
    int elementsRead = 0;
    // readFile(): what the file held as it was read
    FileStamp stamp;
};

// The outcome of assembling a design file. When a part cannot be assembled
// `bytes` stays empty, `elementsAssembled` counts the elements already in
// place and `reason` says what failed; nothing of the file should be written.
struct DesignFileAssembly
{
    QByteArray bytes;
    bool ok = false;
    int elementsAssembled = 0;
    QString reason;
};

// The design file: one XML property list whose root array holds, strictly by
// position, the magic, the front and back side records (28 items each, in
// text forms), the spreadsheet flag, path, column titles and rows, and the
// front and back objects as counts followed by one card object archive each.
// A design with a table whose sheet layout is known ends with one more
// element, a dictionary: "excel_col_places" (the sheet column of each table
// column, from 1) and "excel_sheet_titles" (the sheet's first row when the
// table was read), both arrays of strings, and "excel_first_row_titles",
// "Y" or "N": whether that first row held titles ("N": the table was read
// without a title row). Readers that stop after the back objects never see
// it, and readers of the layout alone pass over the last key; a file
// without it, or with one that does not fit its table, reads with the
// layout unknown, and a file that does not say whether the first row held
// titles tells by its table (its first row repeats the titles: no title
// row). An object's carried column
// title that is empty is no title.
// Numbers are written in the C locale whatever the user's locale. Reading
// treats the file as untrusted: every count and element kind is checked.
class DesignFile
{
public:
    static const QString magic;        // "VESKMACFESTOONDESIGNS"
    static const QString sheetPlacesKey; // "excel_col_places"
    static const QString sheetTitlesKey; // "excel_sheet_titles"
    static const QString sheetFirstRowKey; // "excel_first_row_titles"
    static constexpr int recordItems = 28;

    // Text forms of the side record's items.
    enum class Form { Flag, Integer, Decimal, String, Point, Size, Colour, Font };

    template <class T, class Param>
    struct Accessor {
        T (Card_Property::*get)() const;
        void (Card_Property::*set)(Param);
    };
    using Access = std::variant<Accessor<bool, bool>, Accessor<int, int>, Accessor<float, float>,
                                Accessor<QString, const QString&>, Accessor<QPointF, const QPointF&>,
                                Accessor<QSizeF, const QSizeF&>, Accessor<Colour, const Colour&>,
                                Accessor<FontSpec, const FontSpec&>>;
    struct RecordItem {
        int index;                     // front index; the back's is 28 more
        const char* field;
        Form form;
        Access access;
    };
    // The 28 items in file order; used by the writer and the reader alike.
    static const QList<RecordItem>& recordItemTable();

    // Larger files are refused before a byte is read. A design holds two
    // side records, a spreadsheet table and its card objects; pictures are
    // loaded from their paths, so only barcode pictures travel inside the
    // file and even a design with a large table and many objects stays
    // within a few megabytes. Reading and parsing hundreds of megabytes of
    // XML takes most of a minute and gigabytes of memory; a file of this
    // size is parsed in a few seconds.
    static constexpr qint64 maxFileBytes = 64 * 1024 * 1024;

    static DesignFileAssembly assemble(const DesignFileContents& contents);
    // The assembled bytes; empty when assembling failed.
    static QByteArray write(const DesignFileContents& contents) { return assemble(contents).bytes; }
    // Reads the design file at `path` as read() does, on any thread: the
    // card objects are made with `defaults`, taken on the GUI thread before.
    // A file that cannot be opened as a regular file reads as no design file
    // (`badMagic`); one larger than maxFileBytes gives `tooLarge` without
    // being read.
    static DesignFileReadResult readFile(const QString& path, const GraphicDefaults& defaults);
    // `initial` gives what stays in place for what a damaged file lacks. The
    // card objects are made with the current defaults (GUI thread only) or
    // with `defaults`; either way every field is then read from the file.
    static DesignFileReadResult read(const QByteArray& bytes, const DesignFileContents& initial = {});
    static DesignFileReadResult read(const QByteArray& bytes, const GraphicDefaults& defaults,
                                     const DesignFileContents& initial = {});

    // Saving keeps a background picture path only for a picture fill ("I");
    // the record itself loses the path at that moment.
    static void clearUnusedBackgroundPath(Card_Property& side);

    // The text forms, C locale.
    static QString decimalText(float value);           // "%0.2f"
    static qint64 integerValue(const QString& text);   // leading integer, 0 when none
    static double doubleValue(const QString& text);    // leading number, 0 when none

private:
    static bool readRecord(const PlistNode& root, int offset, Card_Property& side, QString& reason);
};
