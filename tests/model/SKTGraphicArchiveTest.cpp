// The card object archive: every field of every kind through an archive and
// back, the kinds of the keys as an independent reader sees them, archives
// with keys missing, the pasteboard data and the properties dictionary.
#include "common/ArchiveTestSupport.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/ArchivedColour.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/Overloaded.h"
#include "platform/PlistValue.h"

#include <QImage>
#include <QJsonArray>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ArchiveTestSupport;

namespace {

const QStringList allClasses {"SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTSignature", "SKTBarcode"};

FontSpec fontNumber(int i)
{
    return FontSpec(QStringLiteral("Liberation Sans"), 8 + i, QStringLiteral("LiberationSans"));
}

Colour colourNumber(int i)
{
    return Colour::rgb(i / 128.0, 0.5, 0.25, i % 2 ? 0.5 : 1.0);
}

Picture pictureNumber(int i)
{
    QImage image(3 + i % 5, 2, QImage::Format_ARGB32);
    image.fill(QColor(i, 255 - i, 7, 255));
    return Picture(image, QSizeF(1.5 + i, 1));
}

// Gives field number i of g a value of its own that no other field and no
// default has.
void setDistinct(SKTGraphic& g, int i, const SKTGraphicArchive::Field& field)
{
    std::visit(Overloaded {
                   [&](QRectF SKTGraphic::*f) { g.*f = QRectF(i, i + 0.5, 10 + i, 20.25 + i); },
                   [&](bool SKTGraphic::*f) { g.*f = !(g.*f); },
                   [&](int SKTGraphic::*f) { g.*f = 1000 + i; },
                   [&](float SKTGraphic::*f) { g.*f = float(i) + 0.25f; },
                   [&](double SKTGraphic::*f) { g.*f = i + 0.3; },
                   [&](QString SKTGraphic::*f) { g.*f = QStringLiteral("text %1").arg(i); },
                   [&](Colour SKTGraphic::*f) { g.*f = colourNumber(i); },
                   [&](FontSpec SKTGraphic::*f) { g.*f = fontNumber(i); },
                   [&](std::shared_ptr<AttributedText> SKTGraphic::*f) {
                       g.*f = std::make_shared<AttributedText>(QStringLiteral("storage %1").arg(i), fontNumber(i),
                                                               colourNumber(i));
                   },
                   [&](Picture SKTGraphic::*f) { g.*f = pictureNumber(i); },
               },
               field);
}

// Checks that field number i of `back` holds what setDistinct gave `original`.
void expectSame(const SKTGraphic& original, const SKTGraphic& back, int i, const SKTGraphicArchive::Key& key,
                const QString& className)
{
    const std::string where = className.toStdString() + " " + key.name;
    std::visit(Overloaded {
                   [&](double SKTGraphic::*f) {
                       // Stored narrowed to float: 1.3 comes back as 1.2999999523162842.
                       EXPECT_EQ(back.*f, double(float(original.*f))) << where;
                       EXPECT_NE(back.*f, original.*f) << where;
                   },
                   [&](std::shared_ptr<AttributedText> SKTGraphic::*f) {
                       ASSERT_TRUE(back.*f) << where;
                       EXPECT_EQ(*(back.*f), *(original.*f)) << where;
                   },
                   [&](Picture SKTGraphic::*f) {
                       EXPECT_EQ((back.*f).size(), (original.*f).size()) << where;
                       EXPECT_EQ((back.*f).image().convertToFormat(QImage::Format_ARGB32),
                                 (original.*f).image()) << where;
                   },
                   [&](auto f) { EXPECT_EQ(back.*f, original.*f) << where; },
               },
               key.field);
    (void)i;
}

GraphicPtr roundTrip(const SKTGraphic& g)
{
    const QByteArray data = SKTGraphicArchive::archivedData(g);
    EXPECT_TRUE(data.startsWith("bplist00"));
    return SKTGraphicArchive::graphicWithArchivedData(data);
}

// An archive of class `className` holding only the keys `encode` writes.
QByteArray partialArchive(const QString& className, const KeyedArchiver::Encoder& encode)
{
    return KeyedArchiver::archivedData({className, QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")}, encode);
}

} // namespace

TEST(SKTGraphicArchive, KeyTableHasTheKindsAndCounts)
{
    const auto& keys = SKTGraphicArchive::keys();
    ASSERT_EQ(keys.size(), 93);
    int rects = 0, bools = 0, ints = 0, floats = 0, objects = 0;
    QSet<QString> names;
    for (const auto& key : keys) {
        names.insert(QLatin1String(key.name));
        std::visit(Overloaded {
                       [&](QRectF SKTGraphic::*) { ++rects; },
                       [&](bool SKTGraphic::*) { ++bools; },
                       [&](int SKTGraphic::*) { ++ints; },
                       [&](float SKTGraphic::*) { ++floats; },
                       [&](double SKTGraphic::*) { ++floats; },
                       [&](auto) { ++objects; },
                   },
                   key.field);
    }
    EXPECT_EQ(names.size(), 93);
    EXPECT_EQ(rects, 1);
    EXPECT_EQ(bools, 10);
    EXPECT_EQ(ints, 29);
    EXPECT_EQ(floats, 22);
    EXPECT_EQ(objects, 31);
    EXPECT_EQ(QLatin1String(keys.first().name), QLatin1String("_bounds"));
    EXPECT_EQ(QLatin1String(keys[1].name), QLatin1String("ctrl_is_locked"));
    EXPECT_EQ(QLatin1String(keys.last().name), QLatin1String("polygon_type"));
}

TEST(SKTGraphicArchive, EveryFieldOfEveryKindComesBack)
{
    for (const QString& className : allClasses) {
        const GraphicPtr g = SKTGraphic::makeOfClass(className);
        ASSERT_TRUE(g);
        const auto& keys = SKTGraphicArchive::keys();
        for (int i = 0; i < keys.size(); ++i)
            setDistinct(*g, i, keys[i].field);
        const GraphicPtr back = roundTrip(*g);
        ASSERT_TRUE(back) << className.toStdString();
        EXPECT_EQ(back->className(), className);
        EXPECT_EQ(back->kind(), g->kind());
        for (int i = 0; i < keys.size(); ++i)
            expectSame(*g, *back, i, keys[i], className);
        EXPECT_EQ(back->_scriptingContainer, nullptr);
    }
}

TEST(SKTGraphicArchive, AnIndependentReaderSeesTheKeysInOrderWithTheirKinds)
{
    SKTText text;
    text._strokeWidth = 1.3;
    text._Text_contents = std::make_shared<AttributedText>(QStringLiteral("Hi"), FontSpec(QStringLiteral("Arial"), 12),
                                                           Colour::black());
    // Shared values: one colour in five fields, one font in three.
    const Colour red = Colour::rgb(1, 0, 0);
    for (Colour SKTGraphic::*f : {&SKTGraphic::_fillColor, &SKTGraphic::txt_clr, &SKTGraphic::barcode_clr_val,
                                  &SKTGraphic::barcode_hdr_clr_val, &SKTGraphic::_fill_Grad_clr2})
        text.*f = red;
    const QJsonObject d = runTool(QStringLiteral("dump"),
                                  writeTemporary(SKTGraphicArchive::archivedData(text), QStringLiteral("text.bplist")));
    const QJsonArray objects = d["objects"].toArray();
    ASSERT_FALSE(objects.isEmpty());
    EXPECT_EQ(d["archiver"].toString(), QStringLiteral("NSKeyedArchiver"));
    const QJsonObject root = objects[d["root"].toInt()].toObject();
    EXPECT_EQ(root["classes"].toArray(), QJsonArray({"SKTText", "SKTGraphic", "NSObject"}));

    const auto& keys = SKTGraphicArchive::keys();
    const QJsonArray written = root["keys"].toArray();
    ASSERT_EQ(written.size(), keys.size());   // no direction keys on a text
    const QJsonObject values = root["values"].toObject();
    for (int i = 0; i < keys.size(); ++i) {
        const QString name = QLatin1String(keys[i].name);
        EXPECT_EQ(written[i].toString(), name);
        const QJsonObject v = values[name].toObject();
        const QString expectedKind = std::visit(Overloaded {
                                                    [](bool SKTGraphic::*) { return QStringLiteral("bool"); },
                                                    [](int SKTGraphic::*) { return QStringLiteral("int"); },
                                                    [](float SKTGraphic::*) { return QStringLiteral("real"); },
                                                    [](double SKTGraphic::*) { return QStringLiteral("real"); },
                                                    [](auto) { return QStringLiteral("uid"); },
                                                },
                                                keys[i].field);
        EXPECT_TRUE(v.contains(expectedKind)) << name.toStdString();
    }
    EXPECT_EQ(values["_strokeWidth"].toObject()["real"].toDouble(), 1.2999999523162842);
    const QJsonObject bounds = objects[values["_bounds"].toObject()["uid"].toInt()].toObject();
    EXPECT_EQ(bounds["plain"].toObject()["string"].toString(), QStringLiteral("{{0, 0}, {0, 0}}"));
    // An empty string field is an empty string, not nil; a missing text storage is nil.
    const int hatch = values["_fill_hatch_type"].toObject()["uid"].toInt();
    ASSERT_GT(hatch, 0);
    EXPECT_EQ(objects[hatch].toObject()["plain"].toObject()["string"], QJsonValue(QString()));
    EXPECT_EQ(values["_barcode_image"].toObject()["uid"].toInt(-1), 0);
    // The shared colour is written once.
    for (const char* key : {"txt_clr", "barcode_clr_val", "barcode_hdr_clr_val", "_fill_Grad_clr2"})
        EXPECT_EQ(values[QLatin1String(key)], values["_fillColor"]) << key;
    EXPECT_EQ(values["value_font_val"], values["header_font_val"]);
    EXPECT_NE(values["_fillColor"], values["_strokeColor"]);

    // Read back, the shared values are equal again; a font chosen here comes
    // back under the PostScript name it was written with, and stays so.
    const GraphicPtr back = roundTrip(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->barcode_clr_val, red);
    EXPECT_EQ(back->_fill_Grad_clr2, red);
    EXPECT_EQ(back->_strokeColor, Colour::black());
    EXPECT_EQ(back->_strokeColor.space(), Colour::Space::CalibratedWhite);
    EXPECT_EQ(back->value_font_val, FontSpec(text.value_font_val.family(), text.value_font_val.pointSize(),
                                             QStringLiteral("TimesNewRomanPSMT")));
    EXPECT_EQ(back->footer_font_val, back->value_font_val);
    EXPECT_EQ(roundTrip(*back)->value_font_val, back->value_font_val);
}

TEST(SKTGraphicArchive, LockedHiddenAndBoundObjects)
{
    SKTText text;
    text._strokeWidth = 1.3;
    text.ctrl_is_locked = true;
    text.ctrl_is_visible = false;
    text.data_source_type = 1;
    text.batch_list_name = QStringLiteral("Names");
    text.batch_list_index = 2;
    text.excel_binding = true;
    text.excel_col_indx = 4;
    text.print_object = 1;
    const GraphicPtr back = roundTrip(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->_strokeWidth, 1.2999999523162842);
    EXPECT_TRUE(back->Is_Control_Locked());
    EXPECT_FALSE(back->ctrl_is_visible);
    EXPECT_EQ(back->data_source_type_val(), 1);
    EXPECT_EQ(back->batch_list_name_val(), QStringLiteral("Names"));
    EXPECT_EQ(back->batch_list_index_val(), 2);
    EXPECT_TRUE(back->excel_binding);
    EXPECT_EQ(back->excel_col_indx, 4);
    EXPECT_EQ(back->print_object, 1);
    // A column's title travels only while the object carries one.
    EXPECT_FALSE(back->excel_col_title);
    EXPECT_FALSE(SKTGraphicArchive::archivedData(text).contains("excel_col_title"));
    for (const QString& title : {QString("Company"), QString("")}) {
        text.excel_col_title = title;
        EXPECT_EQ(roundTrip(text)->excel_col_title, std::optional<QString>(title));
    }
    // A title that is no string is no title: the object stays bound by position.
    const QList<KeyedArchiver::Encoder> others {
        [](KeyedArchiver& a) { a.encodeInt(SKTGraphicArchive::ColumnTitleKey, 7); },
        [](KeyedArchiver& a) { a.encodeBytes(SKTGraphicArchive::ColumnTitleKey, "Company"); },
        [](KeyedArchiver& a) { a.encodeBool(SKTGraphicArchive::ColumnTitleKey, true); },
    };
    for (const KeyedArchiver::Encoder& other : others) {
        const GraphicPtr read = SKTGraphicArchive::graphicWithArchivedData(
            partialArchive("SKTText", [&](KeyedArchiver& a) {
                a.encodeInt("excel_col_indx", 4);
                other(a);
            }));
        ASSERT_TRUE(read);
        EXPECT_FALSE(read->excel_col_title);
        EXPECT_EQ(read->excel_col_indx, 4);
    }
}

TEST(SKTGraphicArchive, LineDirection)
{
    for (const bool right : {false, true}) {
        for (const bool down : {false, true}) {
            SKTLine line;
            line._bounds = QRectF(10, 20, 30, 40);
            line.setDirection(right, down);
            const QByteArray data = SKTGraphicArchive::archivedData(line);
            const GraphicPtr back = SKTGraphicArchive::graphicWithArchivedData(data);
            ASSERT_TRUE(back);
            ASSERT_EQ(back->kind(), SKTGraphic::Kind::Line);
            const auto& backLine = static_cast<const SKTLine&>(*back);
            EXPECT_EQ(backLine.pointsRight(), right);
            EXPECT_EQ(backLine.pointsDown(), down);
            EXPECT_EQ(backLine.beginPoint(), line.beginPoint());
            EXPECT_EQ(backLine.endPoint(), line.endPoint());
            const QJsonObject d = runTool(QStringLiteral("dump"), writeTemporary(data, QStringLiteral("line.bplist")));
            const QJsonArray keys = d["objects"].toArray()[d["root"].toInt()].toObject()["keys"].toArray();
            ASSERT_EQ(keys.size(), 95);
            EXPECT_EQ(keys[93].toString(), SKTGraphicArchive::PointsRightKey);
            EXPECT_EQ(keys[94].toString(), SKTGraphicArchive::PointsDownKey);
        }
    }
    // An archive without the direction keys gives a line pointing left and up.
    const GraphicPtr old = SKTGraphicArchive::graphicWithArchivedData(
        partialArchive(QStringLiteral("SKTLine"), [](KeyedArchiver& a) { a.encodeRect("_bounds", {0, 0, 5, 5}); }));
    ASSERT_TRUE(old);
    EXPECT_FALSE(static_cast<const SKTLine&>(*old).pointsRight());
    EXPECT_FALSE(static_cast<const SKTLine&>(*old).pointsDown());
}

TEST(SKTGraphicArchive, MissingKeysReadAsZero)
{
    const GraphicPtr g = SKTGraphicArchive::graphicWithArchivedData(
        partialArchive(QStringLiteral("Shape_Control"), [](KeyedArchiver& a) {
            a.encodeRect("_bounds", {1, 2, 3, 4});
            a.encodeString("_shape_type", QStringLiteral("DS"));
        }));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->kind(), SKTGraphic::Kind::Shape);
    EXPECT_EQ(g->_bounds, QRectF(1, 2, 3, 4));
    EXPECT_EQ(g->_shape_type, QStringLiteral("DS"));
    // No defaults run: a missing key is zero, NO or nil.
    EXPECT_FALSE(g->ctrl_is_visible);
    EXPECT_FALSE(g->_isDrawingFill);
    EXPECT_FALSE(g->_isDrawingStroke);
    EXPECT_EQ(g->_strokeWidth, 0.0);
    EXPECT_EQ(g->alpha_val, 0.0f);
    EXPECT_EQ(g->img_trnsp_val, 0.0f);
    EXPECT_EQ(g->double_star_type, 0);
    EXPECT_EQ(g->polygon_type, 0);
    EXPECT_EQ(g->align_hdr_index, 0);
    EXPECT_FALSE(g->_fillColor.isValid());
    EXPECT_FALSE(g->text_ctrl_font.isValid());
    EXPECT_TRUE(g->Text_Value.isEmpty());
    EXPECT_TRUE(g->_file_path.isEmpty());
    EXPECT_EQ(g->_Text_contents, nullptr);
    EXPECT_TRUE(g->_barcode_image.isNull());
}

TEST(SKTGraphicArchive, OnlyTheSixClassesAreRead)
{
    for (const QString& name : allClasses)
        EXPECT_TRUE(SKTGraphicArchive::graphicWithArchivedData(partialArchive(name, {}))) << name.toStdString();
    // The plain base class cannot draw itself, and other classes are no card objects.
    for (const char* name : {"SKTGraphic", "NSColor", "SKTDocument", ""})
        EXPECT_FALSE(SKTGraphicArchive::graphicWithArchivedData(partialArchive(QLatin1String(name), {}))) << name;
    EXPECT_FALSE(SKTGraphicArchive::graphicWithArchivedData(ArchivedColour::archivedData(Colour::white())));
    EXPECT_FALSE(SKTGraphicArchive::graphicWithArchivedData("garbage"));
}

TEST(SKTGraphicArchive, PasteboardData)
{
    GraphicList graphics;
    for (const QString& name : allClasses) {
        const GraphicPtr g = SKTGraphic::makeOfClass(name);
        g->_bounds = QRectF(graphics.size(), 0, 10, 10);
        graphics.append(g);
    }
    const QByteArray data = SKTGraphicArchive::pasteboardDataWithGraphics(graphics);
    EXPECT_TRUE(data.startsWith("bplist00"));

    const QJsonObject d = runTool(QStringLiteral("pasteboard"), writeTemporary(data, QStringLiteral("paste.bplist")));
    const QJsonArray elements = d["elements"].toArray();
    ASSERT_EQ(elements.size(), allClasses.size());
    for (int i = 0; i < elements.size(); ++i) {
        const QJsonObject archive = elements[i].toObject();
        EXPECT_EQ(archive["objects"].toArray()[archive["root"].toInt()].toObject()["classname"].toString(),
                  allClasses[i]);
    }

    SKTError error;
    const auto back = SKTGraphicArchive::graphicsWithPasteboardData(data, &error);
    ASSERT_TRUE(back);
    EXPECT_TRUE(error.isNull());
    ASSERT_EQ(back->size(), allClasses.size());
    for (int i = 0; i < back->size(); ++i) {
        EXPECT_EQ(back->at(i)->className(), allClasses[i]);
        EXPECT_EQ(back->at(i)->_bounds.x(), i);
    }

    std::unique_ptr<QMimeData> mime(SKTGraphicArchive::mimeDataWithGraphics(graphics));
    EXPECT_EQ(mime->data(SKTGraphicArchive::pasteboardType), data);
}

TEST(SKTGraphicArchive, EmptyAndDamagedPasteboardData)
{
    // An empty copied list pastes nothing, without an error.
    SKTError error;
    const auto none = SKTGraphicArchive::graphicsWithPasteboardData(SKTGraphicArchive::pasteboardDataWithGraphics({}),
                                                                    &error);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->isEmpty());
    EXPECT_TRUE(error.isNull());

    // Data whose root is no array, or no property list at all: error 2.
    PlistValue dictionary = PlistValue::dictionary();
    dictionary.insert(QStringLiteral("a"), PlistValue::integer(1));
    for (const QByteArray& bad : {dictionary.toBinary(), QByteArray("not a property list"), QByteArray()}) {
        SKTError e;
        EXPECT_FALSE(SKTGraphicArchive::graphicsWithPasteboardData(bad, &e));
        EXPECT_EQ(e.code(), 2);
        EXPECT_EQ(e.domain(), QStringLiteral("RozezeErrorDomain"));
        EXPECT_FALSE(SKTGraphicArchive::graphicsWithPasteboardData(bad));   // no error asked for
    }

    // Elements that give no object are skipped; the others keep their order.
    SKTText text;
    SKTLine line;
    PlistValue list = PlistValue::array();
    list.append(PlistValue::data(SKTGraphicArchive::archivedData(text)));
    list.append(PlistValue::string(QStringLiteral("not data")));
    list.append(PlistValue::data("bplist00 damaged"));
    list.append(PlistValue::data(ArchivedColour::archivedData(Colour::black())));
    list.append(PlistValue::data(SKTGraphicArchive::archivedData(line)));
    const auto some = SKTGraphicArchive::graphicsWithPasteboardData(list.toBinary(), &error);
    ASSERT_TRUE(some);
    ASSERT_EQ(some->size(), 2);
    EXPECT_EQ(some->at(0)->kind(), SKTGraphic::Kind::Text);
    EXPECT_EQ(some->at(1)->kind(), SKTGraphic::Kind::Line);
    // The XML form of the same list is a property list array too.
    EXPECT_EQ(SKTGraphicArchive::graphicsWithPasteboardData(list.toXml())->size(), 2);
}

TEST(SKTGraphicArchive, PictureObjectsReloadTheirFile)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("photo.png"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(existing));
    const QString missing = folder.filePath(QStringLiteral("deleted.png"));

    static QStringList logged;
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtInfoMsg)
                logged.append(text);
        });
    GraphicList graphics;
    for (const QString& path : {existing, missing}) {
        auto picture = SKTGraphic::makeOfClass(QStringLiteral("SKTImage"));
        picture->_file_path = path;
        graphics.append(picture);
    }
    auto signature = SKTGraphic::makeOfClass(QStringLiteral("SKTSignature"));
    signature->_file_path = folder.filePath(QStringLiteral("signature.png"));
    graphics.append(signature);
    const GraphicList back = SKTGraphicArchive::graphicsWithProperties(
        SKTGraphicArchive::propertiesWithGraphics(graphics));
    qInstallMessageHandler(previous);

    ASSERT_EQ(back.size(), 3);
    // The picture comes from the file when it exists; the archive holds none.
    EXPECT_EQ(back[0]->_file_path, existing);
    EXPECT_EQ(static_cast<const SKTImage&>(*back[0])._contents.image().size(), QSize(4, 4));
    EXPECT_EQ(back[1]->_file_path, missing);
    EXPECT_TRUE(static_cast<const SKTImage&>(*back[1])._contents.isNull());
    EXPECT_TRUE(static_cast<const SKTSignature&>(*back[2])._contents_img.isNull());
    // Only picture objects (exactly SKTImage) log their path.
    EXPECT_EQ(logged, QStringList({existing, missing}));
}

TEST(SKTGraphicArchive, PropertiesDictionary)
{
    Shape_Control shape;
    shape._bounds = QRectF(1.5, 2, 30, 40);
    shape._isDrawingFill = false;
    shape._fillColor = Colour::rgb(0.2, 0.4, 0.6);
    shape._strokeColor = Colour::grey(0.5, 0.5);
    shape._strokeWidth = 2.75;
    const QVariantMap p = shape.properties();
    EXPECT_EQ(p.value("bounds").toString(), QStringLiteral("{{1.5, 2}, {30, 40}}"));
    EXPECT_EQ(p.value("drawingFill"), QVariant(false));
    EXPECT_EQ(p.value("drawingStroke"), QVariant(true));
    EXPECT_EQ(p.value("strokeWidth"), QVariant(2.75));
    EXPECT_EQ(p.value("fillColor").typeId(), QMetaType::QByteArray);

    Shape_Control copy;
    copy.initWithProperties(p);
    EXPECT_EQ(copy._bounds, shape._bounds);
    EXPECT_FALSE(copy._isDrawingFill);
    EXPECT_EQ(copy._fillColor, shape._fillColor);
    EXPECT_EQ(copy._strokeColor, shape._strokeColor);
    EXPECT_EQ(copy._strokeWidth, 2.75);

    // Entries of the wrong kind are ignored.
    Shape_Control untouched;
    untouched.initWithProperties({{"bounds", QRectF(1, 1, 1, 1)},
                                  {"drawingFill", QStringLiteral("NO")},
                                  {"fillColor", QStringLiteral("red")},
                                  {"strokeColor", QByteArray("not an archive")},
                                  {"strokeWidth", QStringLiteral("3")}});
    const Shape_Control fresh;
    EXPECT_EQ(untouched._bounds, fresh._bounds);
    EXPECT_EQ(untouched._isDrawingFill, fresh._isDrawingFill);
    EXPECT_EQ(untouched._fillColor, fresh._fillColor);
    EXPECT_EQ(untouched._strokeColor, fresh._strokeColor);
    EXPECT_EQ(untouched._strokeWidth, fresh._strokeWidth);
}
