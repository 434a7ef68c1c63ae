#include "model/DesignFile.h"

#include "app/StringHelpers.h"
#include "model/GraphicDefaults.h"
#include "model/SKTGraphicArchive.h"
#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/GeometryString.h"
#include "platform/Overloaded.h"
#include "platform/PlistValue.h"
#include "platform/RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>

const QString DesignFile::magic = QStringLiteral("VESKMACFESTOONDESIGNS");
const QString DesignFile::sheetPlacesKey = QStringLiteral("excel_col_places");
const QString DesignFile::sheetTitlesKey = QStringLiteral("excel_sheet_titles");
const QString DesignFile::sheetFirstRowKey = QStringLiteral("excel_first_row_titles");

namespace {

// The root array holds arrays of dictionaries of strings: three levels. A
// little room above that; anything deeper is no design file.
constexpr int maxDepth = 8;

constexpr int flagIndex = 57;
constexpr int pathIndex = 58;
constexpr int titlesIndex = 59;
constexpr int rowsIndex = 60;
constexpr int frontCountIndex = 61;

template <class T, class P>
DesignFile::RecordItem item(int index, const char* field, DesignFile::Form form, T (Card_Property::*get)() const,
                            void (Card_Property::*set)(P))
{
    return {index, field, form, DesignFile::Accessor<T, P> {get, set}};
}

// The sheet layout's element after the back objects; unknown when it is
// missing, malformed, or does not fit the table.
SheetColumns sheetColumnsElement(const PlistNode& node, const QStringList& tableTitles)
{
    SheetColumns layout;
    if (!node.isDictionary())
        return {};
    const PlistNode places = node.value(DesignFile::sheetPlacesKey);
    const PlistNode titles = node.value(DesignFile::sheetTitlesKey);
    if (!places.isArray() || !titles.isArray() || titles.count() > quint32(SheetColumns::maxColumns)
        || places.count() > titles.count())
        return {};
    layout.places.append(0);
    for (quint32 i = 0; i < places.count(); ++i) {
        const PlistNode place = places.at(i);
        if (!place.isString())
            return {};
        layout.places.append(
            int(std::clamp<qint64>(DesignFile::integerValue(place.toString()), -1, SheetColumns::maxColumns + 1)));
    }
    layout.titles.append(QString());
    for (quint32 i = 0; i < titles.count(); ++i)
        layout.titles.append(Trim_Str(titles.at(i).toString())); // anything but a string reads as ""
    return layout.fits(tableTitles) ? layout : SheetColumns();
}

// The sheet layout of a table whose titles and rows were read, from the
// element at `index` when there is one. Whether the sheet's first row held
// titles is what a layout that fits says ("Y" or "N"); a design that does
// not say so (written before it did, or without a layout) tells by its
// table: read without a title row, the first row repeats the titles.
SheetColumns sheetColumnsOf(const PlistNode& root, quint32 index, const DesignFileContents& contents)
{
    SheetColumns layout;
    std::optional<bool> firstRowTitles;
    if (contents.columnTitles.size() > 1 && index < root.count()) {
        const PlistNode element = root.at(index);
        layout = sheetColumnsElement(element, contents.columnTitles);
        const QString said = element.value(DesignFile::sheetFirstRowKey).toString();
        if (layout.known() && (said == QLatin1String("Y") || said == QLatin1String("N")))
            firstRowTitles = said == QLatin1String("Y");
    }
    layout.firstRowTitles = firstRowTitles.value_or(
        !SheetColumns::firstRowRepeats(contents.columnTitles, contents.rows.value(0)));
    return layout;
}

QString flagText(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

// The leading part of `text` that reads as a number: blanks, a sign,
// digits, a decimal point and an exponent when `real`.
QByteArray leadingNumber(const QString& text, bool real)
{
    const QByteArray bytes = text.toLatin1();
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\n' || bytes[i] == '\r'))
        ++i;
    const qsizetype start = i;
    if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-'))
        ++i;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9')
            ++i;
        return i - from;
    };
    qsizetype count = digits();
    if (real && i < bytes.size() && bytes[i] == '.') {
        ++i;
        count += digits();
    }
    if (count == 0)
        return {};
    if (real && i < bytes.size() && (bytes[i] == 'e' || bytes[i] == 'E')) {
        const qsizetype mark = i;
        ++i;
        if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-'))
            ++i;
        if (digits() == 0)
            i = mark;
    }
    return bytes.mid(start, i - start);
}

PlistValue valueOf(const Card_Property& side, const DesignFile::Access& access)
{
    return std::visit(
        Overloaded {
            [&](const DesignFile::Accessor<bool, bool>& a) { return PlistValue::string(flagText((side.*a.get)())); },
            [&](const DesignFile::Accessor<int, int>& a) {
                return PlistValue::string(QString::number((side.*a.get)()));
            },
            [&](const DesignFile::Accessor<float, float>& a) {
                return PlistValue::string(DesignFile::decimalText((side.*a.get)()));
            },
            [&](const DesignFile::Accessor<QString, const QString&>& a) {
                return PlistValue::string((side.*a.get)());
            },
            [&](const DesignFile::Accessor<QPointF, const QPointF&>& a) {
                return PlistValue::string(GeometryString::fromPoint((side.*a.get)()));
            },
            [&](const DesignFile::Accessor<QSizeF, const QSizeF&>& a) {
                return PlistValue::string(GeometryString::fromSize((side.*a.get)()));
            },
            [&](const DesignFile::Accessor<Colour, const Colour&>& a) {
                return PlistValue::data(ArchivedColour::archivedData((side.*a.get)()));
            },
            [&](const DesignFile::Accessor<FontSpec, const FontSpec&>& a) {
                return PlistValue::data(ArchivedFont::archivedData((side.*a.get)()));
            },
        },
        access);
}

} // namespace

const QList<DesignFile::RecordItem>& DesignFile::recordItemTable()
{
    using C = Card_Property;
    static const QList<RecordItem> table {
        item(1, "Card_border_chk", Form::Flag, &C::Card_border_chk, &C::setCard_border_chk),
        item(2, "Card_bordr_clr", Form::Colour, &C::Card_bordr_clr, &C::setCard_bordr_clr),
        item(3, "Card_bor_Stepper", Form::Integer, &C::Card_bor_Stepper, &C::setCard_bor_Stepper),
        item(4, "Card_border_style", Form::String, &C::Card_border_style, &C::setCard_border_style),
        item(5, "Card_fill_chk", Form::Flag, &C::Card_fill_chk, &C::setCard_fill_chk),
        item(6, "Card_fill_style", Form::String, &C::Card_fill_style, &C::setCard_fill_style),
        item(7, "Card_fill_clr", Form::Colour, &C::Card_fill_clr, &C::setCard_fill_clr),
        item(8, "Card_fill_Grd_1_clr", Form::Colour, &C::Card_fill_Grd_1_clr, &C::setCard_fill_Grd_1_clr),
        item(9, "Card_fill_Grd_2_clr", Form::Colour, &C::Card_fill_Grd_2_clr, &C::setCard_fill_Grd_2_clr),
        item(10, "Card_grad_Stepper", Form::Integer, &C::Card_grad_Stepper, &C::setCard_grad_Stepper),
        item(11, "Card_hatch_style", Form::String, &C::Card_hatch_style, &C::setCard_hatch_style),
        item(12, "Card_hatch_bk_clr", Form::Colour, &C::Card_hatch_bk_clr, &C::setCard_hatch_bk_clr),
        item(13, "Card_alpha_Stepper", Form::Decimal, &C::Card_alpha_Stepper, &C::setCard_alpha_Stepper),
        item(14, "Card_Side", Form::String, &C::Card_Side, &C::setCard_Side),
        item(15, "Card_Side_Name", Form::String, &C::Card_Side_Name, &C::setCard_Side_Name),
        item(16, "Card_Shape", Form::String, &C::Card_Shape, &C::setCard_Shape),
        item(17, "Card_Name", Form::String, &C::Card_Name, &C::setCard_Name),
        item(18, "Card_Location", Form::Point, &C::Card_Location, &C::setCard_Location),
        item(19, "Card_Size", Form::Size, &C::Card_Size, &C::setCard_Size),
        item(20, "Card_Preset", Form::String, &C::Card_Preset, &C::setCard_Preset),
        item(21, "Card_Category", Form::String, &C::Card_Category, &C::setCard_Category),
        item(22, "Card_Sub_Category", Form::String, &C::Card_Sub_Category, &C::setCard_Sub_Category),
        item(23, "Card_Cat_index", Form::Integer, &C::Card_Cat_index, &C::setCard_Cat_index),
        item(24, "Card_Create_Mode", Form::String, &C::Card_Create_Mode, &C::setCard_Create_Mode),
        item(25, "Card_BG_Image_Path", Form::String, &C::Card_BG_Image_Path, &C::setCard_BG_Image_Path),
        item(26, "Card_BG_Image_Layout", Form::String, &C::Card_BG_Image_Layout, &C::setCard_BG_Image_Layout),
        item(27, "Card_Content_clr", Form::Colour, &C::Card_Content_clr, &C::setCard_Content_clr),
        item(28, "Card_Content_font", Form::Font, &C::Card_Content_font, &C::setCard_Content_font),
    };
    return table;
}

QString DesignFile::decimalText(float value)
{
    // QByteArray::number formats in the C locale, unlike printf under a
    // user's LC_NUMERIC.
    return QString::fromLatin1(QByteArray::number(double(value), 'f', 2));
}

qint64 DesignFile::integerValue(const QString& text)
{
    const QByteArray digits = leadingNumber(text, false);
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (ok)
        return value;
    // Out of range: the nearest value that fits.
    return digits.startsWith('-') ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
}

double DesignFile::doubleValue(const QString& text)
{
    const QByteArray number = leadingNumber(text, true);
    if (number.isEmpty())
        return 0;
    const double value = number.toDouble();   // C locale
    return std::isfinite(value) ? value : 0;
}

void DesignFile::clearUnusedBackgroundPath(Card_Property& side)
{
    if (side.Card_fill_style() != QLatin1String("I"))
        side.setCard_BG_Image_Path(QString());
}

DesignFileAssembly DesignFile::assemble(const DesignFileContents& contents)
{
    DesignFileAssembly result;
    PlistValue root = PlistValue::array();
    auto add = [&](PlistValue item) {
        root.append(std::move(item));
        ++result.elementsAssembled;
    };
    try {
        add(PlistValue::string(magic));
        for (const Card_Property* record : {&contents.front, &contents.back}) {
            Card_Property side = *record;
            clearUnusedBackgroundPath(side);
            for (const RecordItem& entry : recordItemTable())
                add(valueOf(side, entry.access));
        }
        add(PlistValue::string(flagText(contents.excelBindingUse)));
        add(PlistValue::string(contents.excelSourcePath));

        PlistValue titles = PlistValue::array();
        for (const QString& title : contents.columnTitles)
            titles.append(PlistValue::string(title));
        add(std::move(titles));

        PlistValue rows = PlistValue::array();
        for (const DesignFileRow& row : contents.rows) {
            PlistValue dict = PlistValue::dictionary();
            for (auto it = row.cbegin(); it != row.cend(); ++it)
                dict.insert(it.key(), PlistValue::string(it.value()));
            rows.append(std::move(dict));
        }
        add(std::move(rows));

        for (const GraphicList* list : {&contents.frontGraphics, &contents.backGraphics}) {
            const QString side = list == &contents.frontGraphics ? QStringLiteral("front") : QStringLiteral("back");
            add(PlistValue::string(QString::number(list->size())));
            for (qsizetype i = 0; i < list->size(); ++i) {
                const GraphicPtr& graphic = list->at(i);
                if (!graphic) {
                    result.reason = QStringLiteral("The %1 object %2 is missing.").arg(side).arg(i + 1);
                    return result;
                }
                const QByteArray archive = SKTGraphicArchive::archivedData(*graphic);
                if (archive.isEmpty()) {
                    result.reason = QStringLiteral("The %1 object %2 could not be archived.").arg(side).arg(i + 1);
                    return result;
                }
                add(PlistValue::data(archive));
            }
        }
        if (contents.columnTitles.size() > 1 && contents.sheetColumns.fits(contents.columnTitles)) {
            PlistValue places = PlistValue::array();
            for (int c = 1; c < contents.sheetColumns.places.size(); ++c)
                places.append(PlistValue::string(QString::number(contents.sheetColumns.places[c])));
            PlistValue titles = PlistValue::array();
            for (int c = 1; c < contents.sheetColumns.titles.size(); ++c)
                titles.append(PlistValue::string(contents.sheetColumns.titles[c]));
            PlistValue layout = PlistValue::dictionary();
            layout.insert(sheetPlacesKey, std::move(places));
            layout.insert(sheetTitlesKey, std::move(titles));
            layout.insert(sheetFirstRowKey, PlistValue::string(flagText(contents.sheetColumns.firstRowTitles)));
            add(std::move(layout));
        }
        result.bytes = root.toXml();
    } catch (const std::exception& e) {
        result.reason = QString::fromLocal8Bit(e.what());
        return result;
    }
    if (result.bytes.isEmpty()) {
        result.reason = QStringLiteral("The design could not be written as a property list.");
        return result;
    }
    result.ok = true;
    return result;
}

bool DesignFile::readRecord(const PlistNode& root, int offset, Card_Property& side, QString& reason)
{
    for (const RecordItem& entry : recordItemTable()) {
        const int index = entry.index + offset;
        const PlistNode node = root.at(quint32(index));
        const bool wantsData = entry.form == Form::Colour || entry.form == Form::Font;
        if (node.isNull()) {
            reason = QStringLiteral("Element %1 (%2) is missing.").arg(index).arg(QLatin1String(entry.field));
            return false;
        }
        if (wantsData ? !node.isData() : !node.isString()) {
            reason = QStringLiteral("Element %1 (%2) is not %3.")
                         .arg(index)
                         .arg(QLatin1String(entry.field), wantsData ? QStringLiteral("data") : QStringLiteral("a string"));
            return false;
        }
        // a NUL, which no file can hold, is left out as the writer leaves it
        // out, so a value reads as it will be saved
        const QString text = PlistValue::storableString(node.toString());
        const bool stored = std::visit(
            Overloaded {
                [&](const Accessor<bool, bool>& a) {
                    (side.*a.set)(text == QLatin1String("Y"));
                    return true;
                },
                [&](const Accessor<int, int>& a) {
                    const qint64 v = integerValue(text);
                    (side.*a.set)(int(std::clamp<qint64>(v, std::numeric_limits<int>::min(),
                                                         std::numeric_limits<int>::max())));
                    return true;
                },
                [&](const Accessor<float, float>& a) {
                    const double v = doubleValue(text);
                    const double limit = std::numeric_limits<float>::max();
                    (side.*a.set)(float(std::clamp(v, -limit, limit)));
                    return true;
                },
                [&](const Accessor<QString, const QString&>& a) {
                    (side.*a.set)(text);
                    return true;
                },
                [&](const Accessor<QPointF, const QPointF&>& a) {
                    (side.*a.set)(GeometryString::toPoint(text));
                    return true;
                },
                [&](const Accessor<QSizeF, const QSizeF&>& a) {
                    (side.*a.set)(GeometryString::toSize(text));
                    return true;
                },
                [&](const Accessor<Colour, const Colour&>& a) {
                    const std::optional<Colour> colour = ArchivedColour::fromArchivedData(node.toData());
                    if (colour)
                        (side.*a.set)(*colour);
                    return colour.has_value();
                },
                [&](const Accessor<FontSpec, const FontSpec&>& a) {
                    const std::optional<FontSpec> font = ArchivedFont::fromArchivedData(node.toData());
                    if (font)
                        (side.*a.set)(*font);
                    return font.has_value();
                },
            },
            entry.access);
        if (!stored) {
            reason = QStringLiteral("Element %1 (%2) does not hold a readable archive.")
                         .arg(index)
                         .arg(QLatin1String(entry.field));
            return false;
        }
    }
    return true;
}

DesignFileReadResult DesignFile::read(const QByteArray& bytes, const DesignFileContents& initial)
{
    return read(bytes, GraphicDefaults::current(), initial);
}

DesignFileReadResult DesignFile::read(const QByteArray& bytes, const GraphicDefaults& defaults,
                                      const DesignFileContents& initial)
{
    DesignFileReadResult result;
    result.contents = initial;
    const PlistValue value = PlistValue::fromData(bytes, maxDepth);
    const PlistNode root = value.node();
    if (!root.isArray() || root.count() == 0 || !root.at(0).isString() || root.at(0).toString() != magic) {
        result.badMagic = true;
        result.reason = root.isArray() ? QStringLiteral("Element 0 is not the design file's magic.")
                                       : QStringLiteral("The file is not a property list array.");
        return result;
    }
    result.elementsRead = 1;
    DesignFileContents& contents = result.contents;
    const auto fail = [&](const QString& reason) {
        result.reason = reason;
        return result;
    };

    if (!readRecord(root, 0, contents.front, result.reason))
        return result;
    result.elementsRead = 1 + recordItems;
    if (!readRecord(root, recordItems, contents.back, result.reason))
        return result;
    result.elementsRead = 1 + 2 * recordItems;

    const PlistNode flag = root.at(flagIndex);
    const PlistNode path = root.at(pathIndex);
    if (!flag.isString() || !path.isString())
        return fail(QStringLiteral("Elements 57 and 58 (spreadsheet binding) are not strings."));
    contents.excelBindingUse = flag.toString() == QLatin1String("Y");
    contents.excelSourcePath = path.toString();
    result.elementsRead = pathIndex + 1;

    const PlistNode titles = root.at(titlesIndex);
    if (!titles.isArray())
        return fail(QStringLiteral("Element 59 (column titles) is not an array."));
    contents.columnTitles.clear();
    contents.sheetColumns = {};
    for (quint32 i = 0; i < titles.count(); ++i)
        contents.columnTitles.append(titles.at(i).toString());   // anything but a string reads as ""
    result.elementsRead = titlesIndex + 1;

    const PlistNode rows = root.at(rowsIndex);
    if (!rows.isArray())
        return fail(QStringLiteral("Element 60 (table rows) is not an array."));
    contents.rows.clear();
    for (quint32 i = 0; i < rows.count(); ++i) {
        const PlistNode dict = rows.at(i);
        if (!dict.isDictionary())
            return fail(QStringLiteral("Row %1 of element 60 is not a dictionary.").arg(i));
        DesignFileRow row;
        for (const QString& key : dict.keys())
            row.insert(key, dict.value(key).toString());
        contents.rows.append(row);
    }
    result.elementsRead = rowsIndex + 1;

    quint32 index = frontCountIndex;
    for (GraphicList* list : {&contents.frontGraphics, &contents.backGraphics}) {
        list->clear();
        const PlistNode countNode = root.at(index);
        if (!countNode.isString())
            return fail(QStringLiteral("Element %1 (object count) is missing or not a string.").arg(index));
        const qint64 count = integerValue(countNode.toString());
        const qint64 left = qint64(root.count()) - qint64(index) - 1;
        if (count < 0 || count > left)
            return fail(QStringLiteral("Element %1 gives %2 objects; the file holds at most %3 more elements.")
                            .arg(index)
                            .arg(count)
                            .arg(left));
        ++index;
        result.elementsRead = int(index);
        for (qint64 i = 0; i < count; ++i, ++index) {
            const PlistNode archive = root.at(index);
            if (!archive.isData())
                return fail(QStringLiteral("Element %1 (card object) is not data.").arg(index));
            const GraphicPtr graphic = SKTGraphicArchive::graphicWithArchivedData(archive.toData(), defaults);
            if (!graphic)
                return fail(QStringLiteral("Element %1 does not hold a card object.").arg(index));
            // An empty column title names no column: the object stays bound
            // by its column's position.
            if (graphic->excel_col_title && Trim_Str(*graphic->excel_col_title).isEmpty())
                graphic->excel_col_title.reset();
            list->append(graphic);
            result.elementsRead = int(index) + 1;
        }
    }
    contents.sheetColumns = sheetColumnsOf(root, index, contents);
    result.ok = true;
    return result;
}

DesignFileReadResult DesignFile::readFile(const QString& path, const GraphicDefaults& defaults)
{
    DesignFileReadResult result;
    QFile file;
    if (!RegularFile::openForReading(file, path)) {
        result.badMagic = true;
        result.reason = QStringLiteral("The file cannot be opened.");
        return result;
    }
    // The size the file claims, then what reading gives: a file that grows
    // while it is read is cut off at the limit and refused as well.
    QByteArray bytes;
    if (file.size() <= maxFileBytes)
        bytes = file.read(maxFileBytes + 1);
    if (file.size() > maxFileBytes || bytes.size() > maxFileBytes) {
        result.tooLarge = true;
        result.reason = QStringLiteral("The file holds %1 bytes, more than a design file can.").arg(file.size());
        return result;
    }
    if (file.error() != QFileDevice::NoError) {
        result.badMagic = true;
        result.reason = file.errorString();
        return result;
    }
    result = read(bytes, defaults);
    result.stamp = FileStamp::ofBytes(bytes);
    return result;
}
