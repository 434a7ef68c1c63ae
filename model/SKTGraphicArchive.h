#pragma once

#include "model/SKTError.h"
#include "model/SKTGraphic.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <variant>

class KeyedArchiver;
class KeyedUnarchiver;
class QMimeData;

// The keyed archive of a card object and the pasteboard data made of such
// archives. A card object is archived under its exact class name with its
// 93 record keys, in a fixed order and with fixed kinds (rectangle, bool,
// int, float, object), and a line adds its direction under "_pointsRight"
// and "_pointsDown"; an object carrying its column's title adds it under
// "excel_col_title". Reading runs no defaults: a key an archive lacks reads
// as zero, NO, nil or the zero rectangle. Archives are untrusted input: an
// archive that does not give one of the six card object classes gives no
// object.
class SKTGraphicArchive
{
public:
    // One key of the archive: its name and the record field it holds. A
    // double field is archived as a float; an int, bool or rectangle field
    // under its own kind; every other field as an object.
    using Field = std::variant<QRectF SKTGraphic::*, bool SKTGraphic::*, int SKTGraphic::*, float SKTGraphic::*,
                               double SKTGraphic::*, QString SKTGraphic::*, Colour SKTGraphic::*,
                               FontSpec SKTGraphic::*, std::shared_ptr<AttributedText> SKTGraphic::*,
                               Picture SKTGraphic::*>;
    struct Key {
        const char* name;
        Field field;
    };
    // The 93 keys in archive order.
    static const QList<Key>& keys();

    // The direction keys of a line (absent means NO).
    static const QString PointsRightKey;   // "_pointsRight"
    static const QString PointsDownKey;    // "_pointsDown"
    // The title an object bound to a spreadsheet column carries
    // (`excel_col_title`), written only when it carries one.
    static const QString ColumnTitleKey; // "excel_col_title"

    // Our own clipboard type carrying the pasteboard data.
    static const QString pasteboardType;   // "application/x-brightfold-graphics"

    // Writes the object's keys into the object the archiver is encoding.
    static void encodeWithCoder(const SKTGraphic& graphic, KeyedArchiver& coder);
    // Reads the current object of the unarchiver; null when it is not one of
    // the six card object classes.
    static GraphicPtr initWithCoder(KeyedUnarchiver& coder);

    // The keyed archive of one object, and the object of one archive (null
    // when the data gives none). The object is made as makeOfClass() makes
    // it, with the current defaults (GUI thread only) or with `defaults`
    // (any thread), before the archive's keys are read into it.
    static QByteArray archivedData(const SKTGraphic& graphic);
    static GraphicPtr graphicWithArchivedData(const QByteArray& data);
    static GraphicPtr graphicWithArchivedData(const QByteArray& data, const GraphicDefaults& defaults);

    // One archive per object, in order.
    static QList<QByteArray> propertiesWithGraphics(const GraphicList& graphics);
    // A binary property list whose root array holds the archive of each
    // object, in order.
    static QByteArray pasteboardDataWithGraphics(const GraphicList& graphics);
    // The objects of pasteboard data. Data that is not a property list array
    // gives nothing and, when `error` is given, error code 2.
    static std::optional<GraphicList> graphicsWithPasteboardData(const QByteArray& data, SKTError* error = nullptr);
    // The objects of a list of archives, in order; an archive that gives no
    // object is skipped. A picture object (exactly SKTImage) logs its file
    // path and, when that file exists, loads its picture from it.
    static GraphicList graphicsWithProperties(const QList<QByteArray>& archives);

    // Clipboard contents carrying the pasteboard data of the objects.
    static QMimeData* mimeDataWithGraphics(const GraphicList& graphics);

private:
    static std::optional<GraphicPtr> decodeGraphic(KeyedUnarchiver& coder, const GraphicDefaults& defaults);
};
