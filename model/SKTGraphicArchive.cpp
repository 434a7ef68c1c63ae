#include "model/SKTGraphicArchive.h"

#include "app/MessageBoxes.h"
#include "model/GraphicDefaults.h"
#include "model/SKTLine.h"
#include "platform/ArchivedText.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/Overloaded.h"
#include "platform/PlistValue.h"

#include <QFileInfo>
#include <QMimeData>
#include <cmath>

const QString SKTGraphicArchive::PointsRightKey = QStringLiteral("_pointsRight");
const QString SKTGraphicArchive::PointsDownKey = QStringLiteral("_pointsDown");
const QString SKTGraphicArchive::ColumnTitleKey = QStringLiteral("excel_col_title");
const QString SKTGraphicArchive::pasteboardType = QStringLiteral("application/x-brightfold-graphics");

namespace {

const QStringList cardClassNames {QStringLiteral("SKTText"),  QStringLiteral("SKTLine"),
                                  QStringLiteral("Shape_Control"), QStringLiteral("SKTImage"),
                                  QStringLiteral("SKTSignature"), QStringLiteral("SKTBarcode")};

// A number from an archive that is not finite reads as zero, like a missing
// one: nothing downstream copes with NaN geometry or sizes.
float finite(float v)
{
    return std::isfinite(v) ? v : 0.0f;
}

std::optional<std::shared_ptr<AttributedText>> decodeTextStorage(KeyedUnarchiver& coder)
{
    const auto text = ArchivedText::decode(coder);
    if (!text)
        return std::nullopt;
    // Our text storage has one run: the first run's font and colour.
    const ArchivedText::Run first = text->runs.value(0);
    return std::make_shared<AttributedText>(text->string, first.font, first.colour);
}

} // namespace

const QList<SKTGraphicArchive::Key>& SKTGraphicArchive::keys()
{
    using G = SKTGraphic;
    static const QList<Key> table {
        {"_bounds", &G::_bounds},
        {"ctrl_is_locked", &G::ctrl_is_locked},
        {"_isDrawingFill", &G::_isDrawingFill},
        {"_fillColor", &G::_fillColor},
        {"_isDrawingStroke", &G::_isDrawingStroke},
        {"_strokeColor", &G::_strokeColor},
        {"_strokeWidth", &G::_strokeWidth},
        {"_stroke_border_type", &G::_stroke_border_type},
        {"_fill_type", &G::_fill_type},
        {"_fill_Grad_clr1", &G::_fill_Grad_clr1},
        {"_fill_Grad_clr2", &G::_fill_Grad_clr2},
        {"_fill_grad_angle", &G::_fill_grad_angle},
        {"_fill_htch_clr", &G::_fill_htch_clr},
        {"_fill_hatch_type", &G::_fill_hatch_type},
        {"_isFlippedHorizontally", &G::_isFlippedHorizontally},
        {"_isFlippedVertically", &G::_isFlippedVertically},
        {"invert_clr", &G::invert_clr},
        {"gray_Scale", &G::gray_Scale},
        {"Sepia", &G::Sepia},
        {"img_trnsp_val", &G::img_trnsp_val},
        {"hue_val", &G::hue_val},
        {"sat_val", &G::sat_val},
        {"brt_val", &G::brt_val},
        {"con_val", &G::con_val},
        {"srp_val", &G::srp_val},
        {"ev_val", &G::ev_val},
        {"blr_val", &G::blr_val},
        {"data_source_type", &G::data_source_type},
        {"rotate_image", &G::rotate_image},
        {"_file_path", &G::_file_path},
        {"sign_or_fingureprint", &G::sign_or_fingureprint},
        {"batch_list_name", &G::batch_list_name},
        {"batch_list_index", &G::batch_list_index},
        {"_line_ori", &G::_line_ori},
        {"_line_cap_style", &G::_line_cap_style},
        {"alpha_val", &G::alpha_val},
        {"alpha_val_stroke", &G::alpha_val_stroke},
        {"text_ctrl_font", &G::text_ctrl_font},
        {"txt_clr", &G::txt_clr},
        {"_Text_contents", &G::_Text_contents},
        {"_shape_type", &G::_shape_type},
        {"cor_rad_val_val", &G::cor_rad_val_val},
        {"_barcode_image", &G::_barcode_image},
        {"linear_or_2d", &G::linear_or_2d},
        {"barcode_font_index", &G::barcode_font_index},
        {"linear_font_val", &G::linear_font_val},
        {"two_d_font_val", &G::two_d_font_val},
        {"header_val", &G::header_val},
        {"footer_val", &G::footer_val},
        {"show_hide_hdr", &G::show_hide_hdr},
        {"show_hide_ftr", &G::show_hide_ftr},
        {"show_hide_val", &G::show_hide_val},
        {"show_val_on_top", &G::show_val_on_top},
        {"align_hdr_index", &G::align_hdr_index},
        {"align_ftr_index", &G::align_ftr_index},
        {"linear_height_val", &G::linear_height_val},
        {"linear_width_val", &G::linear_width_val},
        {"qr_size_val", &G::qr_size_val},
        {"qr_version_index", &G::qr_version_index},
        {"qr_ec_index", &G::qr_ec_index},
        {"pdf_hgt_val", &G::pdf_hgt_val},
        {"pdf_wdt_val", &G::pdf_wdt_val},
        {"pdf_ec_val", &G::pdf_ec_val},
        {"dm_module_val", &G::dm_module_val},
        {"dm_format_index", &G::dm_format_index},
        {"dm_encoding_index", &G::dm_encoding_index},
        {"hdr_margin_val", &G::hdr_margin_val},
        {"ftr_margin_val", &G::ftr_margin_val},
        {"val_margin_val", &G::val_margin_val},
        {"TB_marging_val", &G::TB_marging_val},
        {"LR_margin_val", &G::LR_margin_val},
        {"value_font_val", &G::value_font_val},
        {"header_font_val", &G::header_font_val},
        {"footer_font_val", &G::footer_font_val},
        {"barcode_hdr_clr_val", &G::barcode_hdr_clr_val},
        {"barcode_ftr_clr_val", &G::barcode_ftr_clr_val},
        {"barcode_val_clr_val", &G::barcode_val_clr_val},
        {"barcode_back_clr_val", &G::barcode_back_clr_val},
        {"barcode_clr_val", &G::barcode_clr_val},
        {"dpi_val_index", &G::dpi_val_index},
        {"dpi_custom_val", &G::dpi_custom_val},
        {"barcode_unit_val", &G::barcode_unit_val},
        {"text_alignmnet", &G::text_alignmnet},
        {"text_transfrom_case", &G::text_transfrom_case},
        {"text_kerning", &G::text_kerning},
        {"print_object", &G::print_object},
        {"control_ID", &G::control_ID},
        {"excel_binding", &G::excel_binding},
        {"excel_col_indx", &G::excel_col_indx},
        {"Text_Value", &G::Text_Value},
        {"ctrl_is_visible", &G::ctrl_is_visible},
        {"double_star_type", &G::double_star_type},
        {"polygon_type", &G::polygon_type},
    };
    return table;
}

namespace {
// The key names as strings, made once rather than for every object.
const QStringList& keyNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const SKTGraphicArchive::Key& key : SKTGraphicArchive::keys())
            list.append(QLatin1String(key.name));
        return list;
    }();
    return names;
}
} // namespace

void SKTGraphicArchive::encodeWithCoder(const SKTGraphic& g, KeyedArchiver& coder)
{
    const QStringList& names = keyNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const Key& key = keys()[i];
        const QString& name = names[i];
        std::visit(Overloaded {
                       [&](QRectF SKTGraphic::*f) { coder.encodeRect(name, g.*f); },
                       [&](bool SKTGraphic::*f) { coder.encodeBool(name, g.*f); },
                       [&](int SKTGraphic::*f) { coder.encodeInt(name, g.*f); },
                       [&](float SKTGraphic::*f) { coder.encodeFloat(name, g.*f); },
                       // The two double fields are stored narrowed.
                       [&](double SKTGraphic::*f) { coder.encodeFloat(name, float(g.*f)); },
                       // A string field is never nil in a new object ("" by
                       // default), so an empty one is written as "".
                       [&](QString SKTGraphic::*f) {
                           coder.encodeString(name, (g.*f).isNull() ? QString(QLatin1String("")) : g.*f);
                       },
                       [&](Colour SKTGraphic::*f) { coder.encodeColour(name, g.*f); },
                       [&](FontSpec SKTGraphic::*f) { coder.encodeFont(name, g.*f); },
                       [&](std::shared_ptr<AttributedText> SKTGraphic::*f) {
                           const auto& text = g.*f;
                           coder.encodeReference(
                               name, text ? ArchivedText::encode(coder, text->string(), text->font(),
                                                                 text->foregroundColour())
                                          : 0);
                       },
                       [&](Picture SKTGraphic::*f) { coder.encodePicture(name, g.*f); },
                   },
                   key.field);
    }
    if (g.kind() == SKTGraphic::Kind::Line) {
        const auto& line = static_cast<const SKTLine&>(g);
        coder.encodeBool(PointsRightKey, line._pointsRight);
        coder.encodeBool(PointsDownKey, line._pointsDown);
    }
    if (g.excel_col_title)
        coder.encodeString(ColumnTitleKey, *g.excel_col_title);
}

std::optional<GraphicPtr> SKTGraphicArchive::decodeGraphic(KeyedUnarchiver& coder, const GraphicDefaults& defaults)
{
    const QString className = coder.className();
    if (!coder.current().isDictionary() || !cardClassNames.contains(className))
        return std::nullopt;
    GraphicPtr g = SKTGraphic::makeOfClass(className, defaults);
    if (!g)
        return std::nullopt;
    const QStringList& names = keyNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const Key& key = keys()[i];
        const QString& name = names[i];
        std::visit(Overloaded {
                       [&](QRectF SKTGraphic::*f) { (*g).*f = coder.decodeRect(name); },
                       [&](bool SKTGraphic::*f) { (*g).*f = coder.decodeBool(name); },
                       [&](int SKTGraphic::*f) { (*g).*f = coder.decodeInt(name); },
                       [&](float SKTGraphic::*f) { (*g).*f = finite(coder.decodeFloat(name)); },
                       // Stored narrowed; widened back exactly.
                       [&](double SKTGraphic::*f) { (*g).*f = double(finite(coder.decodeFloat(name))); },
                       [&](QString SKTGraphic::*f) { (*g).*f = coder.decodeString(name); },
                       [&](Colour SKTGraphic::*f) { (*g).*f = coder.decodeColour(name); },
                       [&](FontSpec SKTGraphic::*f) { (*g).*f = coder.decodeFont(name); },
                       [&](std::shared_ptr<AttributedText> SKTGraphic::*f) {
                           (*g).*f = coder.decodeObject<std::shared_ptr<AttributedText>>(name, &decodeTextStorage)
                                         .value_or(nullptr);
                       },
                       [&](Picture SKTGraphic::*f) { (*g).*f = coder.decodePicture(name); },
                   },
                   key.field);
    }
    if (g->kind() == SKTGraphic::Kind::Line)
        static_cast<SKTLine&>(*g).setDirection(coder.decodeBool(PointsRightKey), coder.decodeBool(PointsDownKey));
    // Only a string is a column title; anything else leaves the object bound
    // by its column's position.
    g->excel_col_title = coder.decodeObject<QString>(ColumnTitleKey, &KeyedUnarchiver::stringObject);
    return g;
}

GraphicPtr SKTGraphicArchive::initWithCoder(KeyedUnarchiver& coder)
{
    return decodeGraphic(coder, GraphicDefaults::current()).value_or(nullptr);
}

QByteArray SKTGraphicArchive::archivedData(const SKTGraphic& graphic)
{
    return KeyedArchiver::archivedData({graphic.className(), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")},
                                       [&](KeyedArchiver& coder) { encodeWithCoder(graphic, coder); });
}

GraphicPtr SKTGraphicArchive::graphicWithArchivedData(const QByteArray& data)
{
    return graphicWithArchivedData(data, GraphicDefaults::current());
}

GraphicPtr SKTGraphicArchive::graphicWithArchivedData(const QByteArray& data, const GraphicDefaults& defaults)
{
    KeyedUnarchiver coder(data);
    if (!coder.isValid())
        return nullptr;
    return coder.decodeRoot<GraphicPtr>([&defaults](KeyedUnarchiver& root) { return decodeGraphic(root, defaults); })
        .value_or(nullptr);
}

QList<QByteArray> SKTGraphicArchive::propertiesWithGraphics(const GraphicList& graphics)
{
    QList<QByteArray> archives;
    archives.reserve(graphics.size());
    for (const GraphicPtr& g : graphics) {
        if (g)
            archives.append(archivedData(*g));
    }
    return archives;
}

QByteArray SKTGraphicArchive::pasteboardDataWithGraphics(const GraphicList& graphics)
{
    PlistValue list = PlistValue::array();
    for (const QByteArray& archive : propertiesWithGraphics(graphics))
        list.append(PlistValue::data(archive));
    return list.toBinary();
}

std::optional<GraphicList> SKTGraphicArchive::graphicsWithPasteboardData(const QByteArray& data, SKTError* error)
{
    const PlistValue root = PlistValue::fromData(data);
    if (!root.node().isArray()) {
        if (error)
            *error = SKTErrorWithCode(2);
        return std::nullopt;
    }
    QList<QByteArray> archives;
    for (quint32 i = 0; i < root.node().count(); ++i)
        archives.append(root.node().at(i).toData());   // anything but data gives no object
    return graphicsWithProperties(archives);
}

GraphicList SKTGraphicArchive::graphicsWithProperties(const QList<QByteArray>& archives)
{
    GraphicList graphics;
    for (const QByteArray& archive : archives) {
        const GraphicPtr g = graphicWithArchivedData(archive);
        if (!g)
            continue;
        if (g->kind() == SKTGraphic::Kind::Image) {
            Show_NSLog_Message(g->_file_path);
            if (!g->_file_path.isEmpty() && QFileInfo(g->_file_path).isFile())
                g->setFilePath(g->_file_path);
        }
        graphics.append(g);
    }
    return graphics;
}

QMimeData* SKTGraphicArchive::mimeDataWithGraphics(const GraphicList& graphics)
{
    auto* mime = new QMimeData;
    mime->setData(pasteboardType, pasteboardDataWithGraphics(graphics));
    return mime;
}
