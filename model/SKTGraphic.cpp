#include "model/SKTGraphic.h"

#include "model/Globals.h"
#include "model/GraphicDefaults.h"
#include "model/ResourcePictures.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/ArchivedColour.h"
#include "platform/GeometryString.h"

#include <QColor>
#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <stdexcept>

const QString SKTGraphicBoundsKey = QStringLiteral("bounds");
const QString SKTGraphicIsDrawingFillKey = QStringLiteral("drawingFill");
const QString SKTGraphicFillColorKey = QStringLiteral("fillColor");
const QString SKTGraphicIsDrawingStrokeKey = QStringLiteral("drawingStroke");
const QString SKTGraphicStrokeColorKey = QStringLiteral("strokeColor");
const QString SKTGraphicStrokeWidthKey = QStringLiteral("strokeWidth");
const QString SKTGraphicXPositionKey = QStringLiteral("xPosition");
const QString SKTGraphicYPositionKey = QStringLiteral("yPosition");
const QString SKTGraphicWidthKey = QStringLiteral("width");
const QString SKTGraphicHeightKey = QStringLiteral("height");
const QString SKTGraphicDrawingBoundsKey = QStringLiteral("drawingBounds");
const QString SKTGraphicDrawingContentsKey = QStringLiteral("drawingContents");
const QString SKTGraphicKeysForValuesToObserveForUndoKey = QStringLiteral("keysForValuesToObserveForUndo");
const QString SKTGraphicCanSetDrawingFillKey = QStringLiteral("canSetDrawingFill");
const QString SKTGraphicCanSetDrawingStrokeKey = QStringLiteral("canSetDrawingStroke");
const QString SKTGraphicClassNameKey = QStringLiteral("className");

namespace {

const QString barcodeFontFamily = QStringLiteral("Times New Roman");
constexpr double barcodeFontSize = 10.0;
constexpr double textContentsFontSize = 14.0;

// Handle colours: a dark shadow one point below and right of each square,
// then the square itself.
const QColor handleShadowColour(64, 64, 64);
const QColor handleKnobColour(122, 150, 200);
const QColor handleLockedColour(255, 0, 0);

// Where the dragged handle goes when the rectangle turns inside out, indexed
// by handle number (0 unused).
constexpr int horizontalFlipTable[9] = {0, 3, 2, 1, 5, 4, 8, 7, 6};
constexpr int verticalFlipTable[9] = {0, 6, 7, 8, 4, 5, 1, 2, 3};

QRectF unionOf(const QRectF& a, const QRectF& b)
{
    const double left = std::min(a.left(), b.left());
    const double top = std::min(a.top(), b.top());
    const double right = std::max(a.right(), b.right());
    const double bottom = std::max(a.bottom(), b.bottom());
    return QRectF(left, top, right - left, bottom - top);
}

// Rounds a rectangle's edges to whole device pixels, so that handles are
// drawn crisp whatever the zoom.
QRectF alignedToDevicePixels(const QPainter& painter, const QRectF& rect)
{
    const QTransform toDevice = painter.deviceTransform();
    if (!toDevice.isInvertible() || toDevice.isRotating())
        return rect;
    const QRectF device = toDevice.mapRect(rect);
    const QRectF rounded(QPointF(std::round(device.left()), std::round(device.top())),
                         QPointF(std::round(device.right()), std::round(device.bottom())));
    return toDevice.inverted().mapRect(rounded);
}

} // namespace

SKTGraphic::SKTGraphic() : SKTGraphic(GraphicDefaults::current())
{
}

SKTGraphic::SKTGraphic(const GraphicDefaults& defaults)
    : _bounds(0, 0, 0, 0)
    , _isDrawingFill(true)
    , _fillColor(Colour::white())
    , _isDrawingStroke(true)
    , _strokeColor(Colour::black())
    , _strokeWidth(1.0)
    , _stroke_border_type(DashCode::Solid)
    , _fill_type(FillCode::Solid)
    , _fill_Grad_clr1(Colour::white())
    , _fill_Grad_clr2(Colour::white())
    , _fill_grad_angle(0.0)
    , _fill_htch_clr(Colour::white())
    , _fill_hatch_type(QString())
    , _isFlippedHorizontally(false)
    , _isFlippedVertically(false)
    , invert_clr(false)
    , gray_Scale(false)
    , Sepia(false)
    , img_trnsp_val(100.0f)
    , hue_val(0.0f)
    , sat_val(1.0f)
    , brt_val(0.0f)
    , con_val(1.0f)
    , srp_val(0.0f)
    , ev_val(0.0f)
    , blr_val(0.0f)
    , data_source_type(0)
    , rotate_image(0.0f)
    , _file_path(defaults.placeholderPath)
    , _scriptingContainer(nullptr)
    , sign_or_fingureprint(SignatureCode::Signature)
    , batch_list_name(QString())
    , batch_list_index(0)
    , _line_ori(0)
    , _line_cap_style(0)
    , cor_rad_val_val(10.0f)
    , alpha_val(1.0f)
    , alpha_val_stroke(1.0f)
    , text_ctrl_font(defaults.textFont)
    , txt_clr(defaults.textColour)
    , _Text_contents(nullptr)
    , _shape_type(ShapeCode::Rectangle)
    , _barcode_image()
    , linear_or_2d(0)
    , barcode_font_index(0)
    , linear_font_val(QStringLiteral("0123"))
    , two_d_font_val(QStringLiteral("0123"))
    , header_val(QStringLiteral("HEADER"))
    , footer_val(QStringLiteral("FOOTER"))
    , show_hide_hdr(0)
    , show_hide_ftr(0)
    , show_hide_val(0)
    , show_val_on_top(0)
    , align_hdr_index(1)
    , align_ftr_index(1)
    , linear_height_val(0.6f)
    , linear_width_val(20.0f)
    , qr_size_val(60)
    , qr_version_index(0)
    , qr_ec_index(0)
    , pdf_hgt_val(20)
    , pdf_wdt_val(100)
    , pdf_ec_val(2)
    , dm_module_val(2)
    , dm_format_index(0)
    , dm_encoding_index(0)
    , hdr_margin_val(0.1f)
    , ftr_margin_val(0.1f)
    , val_margin_val(0.1f)
    , TB_marging_val(0.1f)
    , LR_margin_val(0.1f)
    , value_font_val(barcodeFontFamily, barcodeFontSize)
    , header_font_val(barcodeFontFamily, barcodeFontSize)
    , footer_font_val(barcodeFontFamily, barcodeFontSize)
    , barcode_hdr_clr_val(Colour::black())
    , barcode_ftr_clr_val(Colour::black())
    , barcode_val_clr_val(Colour::black())
    , barcode_back_clr_val(Colour::white())
    , barcode_clr_val(Colour::black())
    , dpi_val_index(0)
    , dpi_custom_val(QStringLiteral("0"))
    , barcode_unit_val(1)
    , ctrl_is_locked(false)
    , text_alignmnet(0)
    , text_transfrom_case(TextCase::AsTyped)
    , text_kerning(0.0f)
    , print_object(0)
    , control_ID(QString())
    , excel_binding(false)
    , excel_col_indx(0)
    , Text_Value(QStringLiteral("Text here"))
    , ctrl_is_visible(true)
    , double_star_type(1)
    , polygon_type(1)
{
}

SKTGraphic::~SKTGraphic() = default;

GraphicPtr SKTGraphic::makeOfClass(const QString& className)
{
    return makeOfClass(className, GraphicDefaults::current());
}

GraphicPtr SKTGraphic::makeOfClass(const QString& className, const GraphicDefaults& defaults)
{
    if (className == QLatin1String("SKTGraphic"))
        return std::make_shared<SKTGraphic>(defaults);
    if (className == QLatin1String("SKTText"))
        return std::make_shared<SKTText>(defaults);
    if (className == QLatin1String("SKTLine"))
        return std::make_shared<SKTLine>(defaults);
    if (className == QLatin1String("Shape_Control"))
        return std::make_shared<Shape_Control>(defaults);
    if (className == QLatin1String("SKTImage"))
        return std::make_shared<SKTImage>(defaults);
    if (className == QLatin1String("SKTSignature"))
        return std::make_shared<SKTSignature>(defaults);
    if (className == QLatin1String("SKTBarcode"))
        return std::make_shared<SKTBarcode>(defaults);
    return nullptr;
}

// ---- properties dictionary ----

QVariantMap SKTGraphic::properties() const
{
    QVariantMap p;
    p.insert(SKTGraphicBoundsKey, GeometryString::fromRect(_bounds));
    p.insert(SKTGraphicIsDrawingFillKey, isDrawingFill());
    if (_fillColor.isValid())
        p.insert(SKTGraphicFillColorKey, ArchivedColour::archivedData(_fillColor));
    p.insert(SKTGraphicIsDrawingStrokeKey, isDrawingStroke());
    if (_strokeColor.isValid())
        p.insert(SKTGraphicStrokeColorKey, ArchivedColour::archivedData(_strokeColor));
    p.insert(SKTGraphicStrokeWidthKey, _strokeWidth);
    return p;
}

bool SKTGraphic::isNumberProperty(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

void SKTGraphic::initWithProperties(const QVariantMap& p)
{
    const auto isNumber = &SKTGraphic::isNumberProperty;
    const QVariant bounds = p.value(SKTGraphicBoundsKey);
    if (bounds.typeId() == QMetaType::QString)
        _bounds = GeometryString::toRect(bounds.toString());
    if (isNumber(p.value(SKTGraphicIsDrawingFillKey)))
        _isDrawingFill = p.value(SKTGraphicIsDrawingFillKey).toDouble() != 0;
    if (isNumber(p.value(SKTGraphicIsDrawingStrokeKey)))
        _isDrawingStroke = p.value(SKTGraphicIsDrawingStrokeKey).toDouble() != 0;
    for (const auto& [key, field] : {std::pair {SKTGraphicFillColorKey, &SKTGraphic::_fillColor},
                                     std::pair {SKTGraphicStrokeColorKey, &SKTGraphic::_strokeColor}}) {
        const QVariant v = p.value(key);
        if (v.typeId() != QMetaType::QByteArray)
            continue;
        if (const auto colour = ArchivedColour::fromArchivedData(v.toByteArray()))
            this->*field = *colour;
    }
    if (isNumber(p.value(SKTGraphicStrokeWidthKey)))
        _strokeWidth = p.value(SKTGraphicStrokeWidthKey).toDouble();
}

// ---- key-value coding ----

QVariant SKTGraphic::valueForKey(const QString& key) const
{
    // The colour keys give the colour as the getters make it; reading a value
    // for observers or undo does not store it back.
    if (key == SKTGraphicBoundsKey)
        return _bounds;
    if (key == SKTGraphicIsDrawingFillKey)
        return isDrawingFill();
    if (key == SKTGraphicFillColorKey)
        return QVariant::fromValue(_fillColor.withAlpha(opacityFraction(alpha_val)));
    if (key == SKTGraphicIsDrawingStrokeKey)
        return isDrawingStroke();
    if (key == SKTGraphicStrokeColorKey)
        return QVariant::fromValue(_strokeColor.withAlpha(opacityFraction(alpha_val_stroke)));
    if (key == SKTGraphicStrokeWidthKey)
        return _strokeWidth;
    if (key == SKTGraphicXPositionKey)
        return xPosition();
    if (key == SKTGraphicYPositionKey)
        return yPosition();
    if (key == SKTGraphicWidthKey)
        return width();
    if (key == SKTGraphicHeightKey)
        return height();
    if (key == SKTGraphicDrawingBoundsKey)
        return drawingBounds();
    if (key == SKTGraphicKeysForValuesToObserveForUndoKey)
        return keysForValuesToObserveForUndo();
    if (key == SKTGraphicCanSetDrawingFillKey)
        return canSetDrawingFill();
    if (key == SKTGraphicCanSetDrawingStrokeKey)
        return canSetDrawingStroke();
    if (key == SKTGraphicClassNameKey)
        return className();
    // "drawingContents" has no value of its own: it only tells observers
    // that the object looks different.
    return {};
}

void SKTGraphic::setValueForKey(const QVariant& value, const QString& key)
{
    if (key == SKTGraphicBoundsKey)
        setBounds(value.toRectF());
    else if (key == SKTGraphicIsDrawingFillKey)
        setIsDrawingFill(value.toBool());
    else if (key == SKTGraphicFillColorKey)
        setFillColor(value.value<Colour>());
    else if (key == SKTGraphicIsDrawingStrokeKey)
        setIsDrawingStroke(value.toBool());
    else if (key == SKTGraphicStrokeColorKey)
        setStrokeColor(value.value<Colour>());
    else if (key == SKTGraphicStrokeWidthKey)
        setStrokeWidth(value.toDouble());
    else if (key == SKTGraphicXPositionKey)
        setXPosition(value.toDouble());
    else if (key == SKTGraphicYPositionKey)
        setYPosition(value.toDouble());
    else if (key == SKTGraphicWidthKey)
        setWidth(value.toDouble());
    else if (key == SKTGraphicHeightKey)
        setHeight(value.toDouble());
    // Other keys have no setter; they are ignored.
}

QStringList SKTGraphic::keysForValuesToObserveForUndo() const
{
    return {SKTGraphicIsDrawingFillKey, SKTGraphicFillColorKey,   SKTGraphicIsDrawingStrokeKey,
            SKTGraphicStrokeColorKey,   SKTGraphicStrokeWidthKey, SKTGraphicBoundsKey};
}

QString SKTGraphic::presentablePropertyNameForKey(const QString& key) const
{
    (void)key;
    return QString();
}

bool SKTGraphic::automaticallyNotifiesObserversForKey(const QString& key)
{
    // The position and size keys are told through "bounds".
    return !(key == SKTGraphicXPositionKey || key == SKTGraphicYPositionKey || key == SKTGraphicWidthKey
             || key == SKTGraphicHeightKey);
}

QStringList SKTGraphic::keyPathsForValuesAffectingValueForKey(const QString& key) const
{
    if (key == SKTGraphicXPositionKey || key == SKTGraphicYPositionKey || key == SKTGraphicWidthKey
        || key == SKTGraphicHeightKey)
        return {SKTGraphicBoundsKey};
    if (key == SKTGraphicDrawingBoundsKey)
        return {SKTGraphicBoundsKey, SKTGraphicStrokeWidthKey};
    if (key == SKTGraphicDrawingContentsKey)
        return {SKTGraphicIsDrawingFillKey, SKTGraphicFillColorKey, SKTGraphicIsDrawingStrokeKey,
                SKTGraphicStrokeColorKey};
    return {};
}

void SKTGraphic::publishChange(const QString& key, const QVariant& oldValue)
{
    didChange(key, oldValue);
    for (const QString& dependent : {SKTGraphicDrawingBoundsKey, SKTGraphicDrawingContentsKey}) {
        if (keyPathsForValuesAffectingValueForKey(dependent).contains(key))
            didChange(dependent, QVariant());
    }
}

// ---- plain accessors ----

std::shared_ptr<AttributedText> SKTGraphic::Text_contents()
{
    if (!_Text_contents) {
        _Text_contents = std::make_shared<AttributedText>(
            Text_Value, FontSpec(Text_Ctrl_Font, textContentsFontSize), Colour::black());
    }
    return _Text_contents;
}

void SKTGraphic::setFlippedHorizontally(bool flipped)
{
    _isFlippedHorizontally = flipped;
}

void SKTGraphic::setFlippedVertically(bool flipped)
{
    _isFlippedVertically = flipped;
}

GraphicPtr SKTGraphic::copy() const
{
    GraphicPtr g = makeOfClass(className());
    if (!g)
        g = std::make_shared<SKTGraphic>();
    g->_bounds = _bounds;
    g->_isDrawingFill = _isDrawingFill;
    g->_fillColor = _fillColor;
    g->_isDrawingStroke = _isDrawingStroke;
    g->_strokeColor = _strokeColor;
    g->_strokeWidth = _strokeWidth;
    g->_stroke_border_type = _stroke_border_type;
    g->_fill_type = _fill_type;
    g->_fill_Grad_clr1 = _fill_Grad_clr1;
    g->_fill_Grad_clr2 = _fill_Grad_clr2;
    g->_fill_grad_angle = _fill_grad_angle;
    g->_fill_htch_clr = _fill_htch_clr;
    g->_fill_hatch_type = _fill_hatch_type;
    return g;
}

GraphicPtr SKTGraphic::deepCopy() const
{
    return detachedCopy(std::shared_ptr<SKTGraphic>(new SKTGraphic(*this)));
}

GraphicPtr SKTGraphic::detachedCopy(std::shared_ptr<SKTGraphic> copy)
{
    copy->_scriptingContainer = nullptr;
    if (copy->_Text_contents)
        copy->_Text_contents = std::make_shared<AttributedText>(*copy->_Text_contents);
    return copy;
}

// ---- published values ----

void SKTGraphic::setBounds(const QRectF& bounds)
{
    const QRectF old = _bounds;
    storeBounds(bounds);
    publishChange(SKTGraphicBoundsKey, old);
}

void SKTGraphic::Set_Designed_Barcode_image(const Picture& picture)
{
    Set_Barcode_image(picture);
    if (!picture.isNull())
        setBounds(QRectF(bounds().topLeft(), picture.size()));
}

void SKTGraphic::storeBounds(const QRectF& bounds)
{
    _bounds = bounds;
}

void SKTGraphic::setIsDrawingFill(bool drawing)
{
    const QVariant old = valueForKey(SKTGraphicIsDrawingFillKey);
    _isDrawingFill = drawing;
    publishChange(SKTGraphicIsDrawingFillKey, old);
}

void SKTGraphic::setIsDrawingStroke(bool drawing)
{
    const QVariant old = valueForKey(SKTGraphicIsDrawingStrokeKey);
    _isDrawingStroke = drawing;
    publishChange(SKTGraphicIsDrawingStrokeKey, old);
}

void SKTGraphic::setFillColor(const Colour& colour)
{
    const QVariant old = valueForKey(SKTGraphicFillColorKey);
    _fillColor = colour;
    publishChange(SKTGraphicFillColorKey, old);
}

void SKTGraphic::setStrokeColor(const Colour& colour)
{
    const QVariant old = valueForKey(SKTGraphicStrokeColorKey);
    _strokeColor = colour;
    publishChange(SKTGraphicStrokeColorKey, old);
}

void SKTGraphic::setStrokeWidth(double width)
{
    const QVariant old = _strokeWidth;
    _strokeWidth = width;
    publishChange(SKTGraphicStrokeWidthKey, old);
}

double SKTGraphic::opacityFraction(double value)
{
    if (std::isnan(value))
        return 1.0;
    return std::clamp(value, 0.0, 1.0);
}

Colour SKTGraphic::fillColor()
{
    _fillColor = _fillColor.withAlpha(opacityFraction(alpha_val));
    return _fillColor;
}

Colour SKTGraphic::strokeColor()
{
    _strokeColor = _strokeColor.withAlpha(opacityFraction(alpha_val_stroke));
    return _strokeColor;
}

Colour SKTGraphic::fill_hatch_bk_clr()
{
    _fill_htch_clr = _fill_htch_clr.withAlpha(opacityFraction(alpha_val));
    return _fill_htch_clr;
}

Colour SKTGraphic::fill_Grad_clr1()
{
    _fill_Grad_clr1 = _fill_Grad_clr1.withAlpha(opacityFraction(alpha_val));
    return _fill_Grad_clr1;
}

Colour SKTGraphic::fill_Grad_clr2()
{
    _fill_Grad_clr2 = _fill_Grad_clr2.withAlpha(opacityFraction(alpha_val));
    return _fill_Grad_clr2;
}

QList<double> SKTGraphic::dashPattern(const QString& code)
{
    if (code == DashCode::Dash)
        return {8, 2};
    if (code == DashCode::Dot)
        return {4, 6};
    if (code == DashCode::DashDot)
        return {24, 10, 6, 10};
    if (code == DashCode::DashDotDot)
        return {24, 8, 8, 8, 8, 8};
    return {};
}

void SKTGraphic::setXPosition(double x)
{
    QRectF b = bounds();
    b.moveLeft(x);
    setBounds(b);
}

void SKTGraphic::setYPosition(double y)
{
    QRectF b = bounds();
    b.moveTop(y);
    setBounds(b);
}

void SKTGraphic::setWidth(double width)
{
    QRectF b = bounds();
    b.setWidth(width);
    setBounds(b);
}

void SKTGraphic::setHeight(double height)
{
    QRectF b = bounds();
    b.setHeight(height);
    setBounds(b);
}

// ---- geometry and drawing ----

QRectF SKTGraphic::drawingBounds() const
{
    double margin = SKTGraphicHandleHalfWidth;
    if (isDrawingStroke() && strokeWidth() / 2.0 > margin)
        margin = strokeWidth() / 2.0;
    const QRectF b = bounds();
    return QRectF(b.x() - margin, b.y() - margin, b.width() + 2 * margin + 1.0, b.height() + 2 * margin + 1.0);
}

QPointF SKTGraphic::randomPoint(const QRectF& rect)
{
    // Whole-point offsets need at least one whole point in each direction;
    // a thinner rectangle has only its origin to offer.
    if (!(rect.width() >= 1.0) || !(rect.height() >= 1.0))
        return rect.topLeft();
    auto* random = QRandomGenerator::global();
    const auto w = qint64(rect.width());
    const auto h = qint64(rect.height());
    return QPointF(rect.x() + double(random->bounded(w)), rect.y() + double(random->bounded(h)));
}

void SKTGraphic::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    (void)painter;
    (void)isBeingCreateOrEdited;
}

QPainterPath SKTGraphic::bezierPathForDrawing() const
{
    throw std::logic_error("Neither -drawContentsInView: nor -bezierPathForDrawing has been overridden.");
}

QPointF SKTGraphic::handlePoint(const QRectF& r, int handle)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    switch (handle) {
    case UpperLeftHandle: return {x, y};
    case UpperMiddleHandle: return {x + w / 2, y};
    case UpperRightHandle: return {x + w, y};
    case MiddleLeftHandle: return {x, y + h / 2};
    case MiddleRightHandle: return {x + w, y + h / 2};
    case LowerLeftHandle: return {x, y + h};
    case LowerMiddleHandle: return {x + w / 2, y + h};
    case LowerRightHandle: return {x + w, y + h};
    default: return {x, y};
    }
}

bool SKTGraphic::pointInRect(const QPointF& p, const QRectF& r)
{
    return p.x() >= r.left() && p.x() < r.left() + r.width() && p.y() >= r.top() && p.y() < r.top() + r.height();
}

void SKTGraphic::drawHandlesInView(QPainter& painter, bool lock_hai) const
{
    const QRectF b = bounds();
    for (int handle = UpperLeftHandle; handle <= LowerRightHandle; ++handle)
        drawHandleInView(painter, handlePoint(b, handle), lock_hai);
}

void SKTGraphic::drawHandleInView(QPainter& painter, const QPointF& point, bool lock_hai) const
{
    const QRectF square(point.x() - SKTGraphicHandleHalfWidth, point.y() - SKTGraphicHandleHalfWidth,
                        SKTGraphicHandleWidth, SKTGraphicHandleWidth);
    painter.fillRect(alignedToDevicePixels(painter, square.translated(1.0, 1.0)), handleShadowColour);
    painter.fillRect(alignedToDevicePixels(painter, square), lock_hai ? handleLockedColour : handleKnobColour);
}

bool SKTGraphic::canMakeNaturalSize() const
{
    return bounds().width() != bounds().height();
}

bool SKTGraphic::isContentsUnderPoint(const QPointF& point) const
{
    return pointInRect(point, bounds());
}

int SKTGraphic::handleUnderPoint(const QPointF& point) const
{
    const QRectF b = bounds();
    for (int handle = UpperLeftHandle; handle <= LowerRightHandle; ++handle) {
        if (isHandleAtPoint(handlePoint(b, handle), point))
            return handle;
    }
    return NoHandle;
}

bool SKTGraphic::isHandleAtPoint(const QPointF& hp, const QPointF& point) const
{
    const QRectF square(hp.x() - SKTGraphicHandleHalfWidth, hp.y() - SKTGraphicHandleHalfWidth,
                        SKTGraphicHandleWidth, SKTGraphicHandleWidth);
    return pointInRect(point, square);
}

int SKTGraphic::resizeByMovingHandle(int handle, const QPointF& point)
{
    if (handle < UpperLeftHandle || handle > LowerRightHandle)
        return handle;
    // Work on plain numbers: QRectF's setters move the opposite edge.
    const QRectF start = bounds();
    double x = start.x(), y = start.y(), w = start.width(), h = start.height();

    if (handle == UpperLeftHandle || handle == MiddleLeftHandle || handle == LowerLeftHandle) {
        w = (x + w) - point.x();
        x = point.x();
    } else if (handle == UpperRightHandle || handle == MiddleRightHandle || handle == LowerRightHandle) {
        w = point.x() - x;
    }
    if (w < 0) {
        handle = horizontalFlipTable[handle];
        w = -w;
        x -= w;
        flipHorizontally();
    }

    if (handle == UpperLeftHandle || handle == UpperMiddleHandle || handle == UpperRightHandle) {
        h = (y + h) - point.y();
        y = point.y();
    } else if (handle == LowerLeftHandle || handle == LowerMiddleHandle || handle == LowerRightHandle) {
        h = point.y() - y;
    }
    if (h < 0) {
        handle = verticalFlipTable[handle];
        h = -h;
        y -= h;
        flipVertically();
    }

    setBounds(QRectF(x, y, w, h));
    return handle;
}

void SKTGraphic::makeNaturalSize()
{
    QRectF b = bounds();
    if (b.width() < b.height())
        b.setHeight(b.width());
    else
        b.setWidth(b.height());
    setBounds(b);
}

void SKTGraphic::setColor(const Colour& colour)
{
    if (!canSetDrawingFill())
        return;
    if (!isDrawingFill())
        setValueForKey(true, SKTGraphicIsDrawingFillKey);
    setValueForKey(QVariant::fromValue(colour), SKTGraphicFillColorKey);
}

QWidget* SKTGraphic::newEditingViewWithSuperviewBounds(const QRectF& superviewBounds)
{
    (void)superviewBounds;
    return nullptr;
}

void SKTGraphic::finalizeEditingView(QWidget* editingView)
{
    (void)editingView;
}

// ---- class operations ----

const QCursor& SKTGraphic::creationCursor()
{
    static const QCursor cursor = [] {
        const QPixmap picture(QStringLiteral(":/resources/Cross.png"));
        if (picture.isNull())
            return QCursor(Qt::CrossCursor);
        return QCursor(picture, picture.width() / 2, picture.height() / 2);
    }();
    return cursor;
}

QRectF SKTGraphic::boundsOfGraphics(const GraphicList& graphics)
{
    QRectF result;
    bool first = true;
    for (const GraphicPtr& g : graphics) {
        if (!g)
            continue;
        result = first ? g->bounds() : unionOf(result, g->bounds());
        first = false;
    }
    return first ? QRectF(0, 0, 0, 0) : result;
}

QRectF SKTGraphic::drawingBoundsOfGraphics(const GraphicList& graphics, const QRectF& ofNone)
{
    QRectF result;
    bool first = true;
    for (const GraphicPtr& g : graphics) {
        if (!g)
            continue;
        result = first ? g->drawingBounds() : unionOf(result, g->drawingBounds());
        first = false;
    }
    if (first)
        return ofNone;
    return result;
}

void SKTGraphic::Paste_Location_Of_Graphics(const GraphicList& graphics, double x, double y, const QString& card_side,
                                            const NewPointSource& newPoint)
{
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        // The placement of new objects moves on for every object after the
        // first, locked or not.
        if (i > 0 && newPoint) {
            const QPointF next = newPoint(card_side);
            x = next.x();
            y = next.y();
        }
        const GraphicPtr& g = graphics.at(i);
        if (!g || g->ctrl_is_locked)
            continue;
        const QRectF b = g->bounds();
        g->setBounds(QRectF(x, y, b.width(), b.height()));
    }
}

void SKTGraphic::translateGraphics(const GraphicList& graphics, double dx, double dy)
{
    for (const GraphicPtr& g : graphics) {
        if (!g || g->ctrl_is_locked)
            continue;
        g->setBounds(g->bounds().translated(dx, dy));
    }
}
