#pragma once

// The base class of every card object (text, line, shape, picture, signature,
// barcode). It is one flat public record holding the attributes of every kind;
// a kind uses the fields that concern it and leaves the rest at their
// defaults. Other parts of the program write the fields directly and tell
// nobody; only the setters of the published keys notify observers.

#include "platform/AttributedText.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/Observable.h"
#include "platform/Picture.h"

#include <QLatin1String>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

class QCursor;
class QPainter;
class QWidget;
class SKTDocument;
class SKTGraphic;
struct GraphicDefaults;

using GraphicPtr = std::shared_ptr<SKTGraphic>;
using GraphicList = QList<GraphicPtr>;

// Keys under which a card object publishes its values.
extern const QString SKTGraphicBoundsKey;                     // "bounds"
extern const QString SKTGraphicIsDrawingFillKey;              // "drawingFill"
extern const QString SKTGraphicFillColorKey;                  // "fillColor"
extern const QString SKTGraphicIsDrawingStrokeKey;            // "drawingStroke"
extern const QString SKTGraphicStrokeColorKey;                // "strokeColor"
extern const QString SKTGraphicStrokeWidthKey;                // "strokeWidth"
extern const QString SKTGraphicXPositionKey;                  // "xPosition"
extern const QString SKTGraphicYPositionKey;                  // "yPosition"
extern const QString SKTGraphicWidthKey;                      // "width"
extern const QString SKTGraphicHeightKey;                     // "height"
extern const QString SKTGraphicDrawingBoundsKey;              // "drawingBounds"
extern const QString SKTGraphicDrawingContentsKey;            // "drawingContents"
extern const QString SKTGraphicKeysForValuesToObserveForUndoKey; // "keysForValuesToObserveForUndo"
extern const QString SKTGraphicCanSetDrawingFillKey;          // "canSetDrawingFill"
extern const QString SKTGraphicCanSetDrawingStrokeKey;        // "canSetDrawingStroke"
extern const QString SKTGraphicClassNameKey;                  // "className"

// Selection handle size in points.
inline constexpr double SKTGraphicHandleWidth = 6.0;
inline constexpr double SKTGraphicHandleHalfWidth = 3.0;

// Dash codes of `_stroke_border_type` (and of a card side's border), in the
// order of the inspector's line style list. Any other code draws solid.
namespace DashCode {
inline constexpr QLatin1String Solid {"S"};
inline constexpr QLatin1String Dash {"DA"};
inline constexpr QLatin1String Dot {"DO"};
inline constexpr QLatin1String DashDot {"DD"};
inline constexpr QLatin1String DashDotDot {"DDD"};
}

// Fill codes of `_fill_type` (and of a card side's fill). Any other code
// fills solid.
namespace FillCode {
inline constexpr QLatin1String Solid {"S"};
inline constexpr QLatin1String Gradient {"G"};
inline constexpr QLatin1String Hatch {"H"};
inline constexpr QLatin1String Picture {"I"};   // card sides only
}

// Shape codes of `_shape_type`.
namespace ShapeCode {
inline constexpr QLatin1String Rectangle {"R"};
inline constexpr QLatin1String Circle {"C"};
inline constexpr QLatin1String RoundedRectangle {"RR"};
inline constexpr QLatin1String Triangle {"T"};
inline constexpr QLatin1String Diamond {"D"};
inline constexpr QLatin1String Star {"S"};
inline constexpr QLatin1String DoubleStar {"DS"};
inline constexpr QLatin1String Polygon {"P"};
}

// Text case codes of `text_transfrom_case`.
namespace TextCase {
inline constexpr int AsTyped = 0;
inline constexpr int Upper = 1;
inline constexpr int Lower = 2;
inline constexpr int Capitalised = 3;
}

// Signature codes of `sign_or_fingureprint`.
namespace SignatureCode {
inline constexpr QLatin1String Signature {"S"};
inline constexpr QLatin1String Fingerprint {"F"};
}

// Card objects are held by shared pointers; weak_from_this() lets a holder
// that is handed a plain pointer keep the object without owning it.
class SKTGraphic : public Observable, public std::enable_shared_from_this<SKTGraphic>
{
public:
    enum class Kind { Graphic, Text, Line, Shape, Image, Signature, Barcode };

    // Handle numbers.
    static constexpr int NoHandle = 0;
    static constexpr int UpperLeftHandle = 1;
    static constexpr int UpperMiddleHandle = 2;
    static constexpr int UpperRightHandle = 3;
    static constexpr int MiddleLeftHandle = 4;
    static constexpr int MiddleRightHandle = 5;
    static constexpr int LowerLeftHandle = 6;
    static constexpr int LowerMiddleHandle = 7;
    static constexpr int LowerRightHandle = 8;

    // Sets every field to its default (the object's `init`): the text font
    // and colour and the placeholder picture are the program's current ones
    // (GUI thread only), or those of `defaults`.
    SKTGraphic();
    explicit SKTGraphic(const GraphicDefaults& defaults);
    ~SKTGraphic() override;

    // ---- the record, in declared order ----
    QRectF _bounds;
    bool _isDrawingFill;
    Colour _fillColor;
    bool _isDrawingStroke;
    Colour _strokeColor;
    double _strokeWidth;
    QString _stroke_border_type;
    QString _fill_type;
    Colour _fill_Grad_clr1;
    Colour _fill_Grad_clr2;
    double _fill_grad_angle;
    Colour _fill_htch_clr;
    QString _fill_hatch_type;
    bool _isFlippedHorizontally;
    bool _isFlippedVertically;
    bool invert_clr;
    bool gray_Scale;
    bool Sepia;
    float img_trnsp_val;
    float hue_val;
    float sat_val;
    float brt_val;
    float con_val;
    float srp_val;
    float ev_val;
    float blr_val;
    int data_source_type;
    float rotate_image;
    QString _file_path;
    SKTDocument* _scriptingContainer;   // not owned
    QString sign_or_fingureprint;
    QString batch_list_name;
    int batch_list_index;
    int _line_ori;
    int _line_cap_style;
    float cor_rad_val_val;
    float alpha_val;
    float alpha_val_stroke;
    FontSpec text_ctrl_font;
    Colour txt_clr;
    std::shared_ptr<AttributedText> _Text_contents;
    QString _shape_type;
    Picture _barcode_image;
    int linear_or_2d;
    int barcode_font_index;
    QString linear_font_val;
    QString two_d_font_val;
    QString header_val;
    QString footer_val;
    int show_hide_hdr;
    int show_hide_ftr;
    int show_hide_val;
    int show_val_on_top;
    int align_hdr_index;
    int align_ftr_index;
    float linear_height_val;
    float linear_width_val;
    int qr_size_val;
    int qr_version_index;
    int qr_ec_index;
    int pdf_hgt_val;
    int pdf_wdt_val;
    int pdf_ec_val;
    int dm_module_val;
    int dm_format_index;
    int dm_encoding_index;
    float hdr_margin_val;
    float ftr_margin_val;
    float val_margin_val;
    float TB_marging_val;
    float LR_margin_val;
    FontSpec value_font_val;
    FontSpec header_font_val;
    FontSpec footer_font_val;
    Colour barcode_hdr_clr_val;
    Colour barcode_ftr_clr_val;
    Colour barcode_val_clr_val;
    Colour barcode_back_clr_val;
    Colour barcode_clr_val;
    int dpi_val_index;
    QString dpi_custom_val;
    int barcode_unit_val;
    bool ctrl_is_locked;
    int text_alignmnet;
    int text_transfrom_case;
    float text_kerning;
    int print_object;
    QString control_ID;
    bool excel_binding;
    int excel_col_indx;
    QString Text_Value;
    bool ctrl_is_visible;
    int double_star_type;
    int polygon_type;
    // The title of the spreadsheet column the object is bound to, carried
    // while no column of the design's table stands for it (a copy on the
    // pasteboard; a pasted object whose title the design has no column of;
    // an object whose column was deleted: excel_col_indx is then -1). The
    // object follows that title, never a column's place. Unset otherwise.
    std::optional<QString> excel_col_title;

    // ---- class and kind ----
    virtual Kind kind() const { return Kind::Graphic; }
    virtual QString className() const { return QStringLiteral("SKTGraphic"); }
    // A fresh object of the named class ("SKTGraphic", "SKTText", "SKTLine",
    // "Shape_Control", "SKTImage", "SKTSignature", "SKTBarcode"); null for
    // other names. Made with the current defaults (GUI thread only) or with
    // `defaults`.
    static GraphicPtr makeOfClass(const QString& className);
    static GraphicPtr makeOfClass(const QString& className, const GraphicDefaults& defaults);

    // ---- key-value coding ----
    virtual QVariant valueForKey(const QString& key) const;
    virtual void setValueForKey(const QVariant& value, const QString& key);
    virtual QStringList keysForValuesToObserveForUndo() const;
    virtual QString presentablePropertyNameForKey(const QString& key) const;
    static bool automaticallyNotifiesObserversForKey(const QString& key);
    // The keys whose change changes the value of `key` ("bounds" for the
    // position and size keys, and the dependencies of "drawingBounds" and
    // "drawingContents").
    virtual QStringList keyPathsForValuesAffectingValueForKey(const QString& key) const;

    // ---- plain accessors ----
    void Set_Ctrl_Is_Visible(bool visible) { ctrl_is_visible = visible; }
    bool Is_Control_Locked() const { return ctrl_is_locked; }
    void Set_Barcode_image(const Picture& picture) { _barcode_image = picture; }
    // The barcode designer's new picture for the object. A barcode draws its
    // picture unscaled from the frame's top-left corner, so the frame keeps
    // that corner and takes the picture's size: the frame, its handles and
    // what prints inside the card are the symbol. (Pictures a batch makes
    // per record, and a stored design's pictures, leave the frame alone.)
    void Set_Designed_Barcode_image(const Picture& picture);
    QString Get_shape_type() const { return _shape_type; }
    void Set_Shape_Type(const QString& type) { _shape_type = type; }
    std::shared_ptr<AttributedText> Text_contents();
    void Set_Excel_binding(bool binding) { excel_binding = binding; }
    // A column chosen (0 or more) replaces any title the object carried.
    void Set_Excel_binding_Index(int index)
    {
        excel_col_indx = index;
        if (index >= 0)
            excel_col_title.reset();
    }
    FontSpec Text_Font_value() const { return text_ctrl_font; }
    Colour Text_Color_Value() const { return txt_clr; }
    int Get_Line_Ori() const { return _line_ori; }
    int Get_Line_Cap_Style() const { return _line_cap_style; }
    void Set_Batch_List_Name(const QString& name) { batch_list_name = name; }
    QString batch_list_name_val() const { return batch_list_name; }
    void Set_Batch_List_Index(int index) { batch_list_index = index; }
    int batch_list_index_val() const { return batch_list_index; }
    int data_source_type_val() const { return data_source_type; }
    void Set_Data_source_type(int type) { data_source_type = type; }
    QString Sign_Or_FP_Val() const { return sign_or_fingureprint; }
    void Set_Sign_Or_FP(const QString& code) { sign_or_fingureprint = code; }
    void Set_Control_File_path(const QString& path) { _file_path = path; }
    QString FilePath() const { return _file_path; }
    // Takes the path of the object's picture file; the picture kinds also
    // load the picture from it. The base stores the path.
    virtual void setFilePath(const QString& path) { _file_path = path; }
    float Get_Image_Trnsp_val() const { return img_trnsp_val; }
    float Get_Hue_val() const { return hue_val; }
    virtual void setFlippedHorizontally(bool flipped);
    virtual void setFlippedVertically(bool flipped);

    // A new object of the same class from `init` with the geometry, stroke
    // and fill fields taken over; everything else keeps its default.
    virtual GraphicPtr copy() const;
    // An independent object of the same class with every field of this one,
    // for drawing away from the live object: the text storage is copied,
    // pictures are shared (they are never changed in place), and the copy
    // has no observers, no document and empty picture caches. What the
    // object would make or read at its next drawing (a text's storage, a
    // signature's changed picture file) the copy makes or reads now; a
    // shape's hatch pattern is still read from the resource folder when it
    // is drawn. This object is only read.
    virtual GraphicPtr deepCopy() const;

    // ---- properties dictionary ----
    // "bounds" (rectangle text), "drawingFill", "drawingStroke" (bools),
    // "fillColor", "strokeColor" (archived colour data, present only when
    // there is a colour) and "strokeWidth" (double). Kinds add their own.
    virtual QVariantMap properties() const;
    // Takes the entries of `properties` that are present and of the right
    // kind; run on a freshly made object.
    virtual void initWithProperties(const QVariantMap& properties);
    // Whether a property value is a number (a bool counts as one).
    static bool isNumberProperty(const QVariant& value);

    // ---- published values ----
    QRectF bounds() const { return _bounds; }
    // Stores the bounds and tells the observers of "bounds" and
    // "drawingBounds". Kinds that must react override `storeBounds`.
    void setBounds(const QRectF& bounds);
    virtual bool isDrawingFill() const { return _isDrawingFill; }
    void setIsDrawingFill(bool drawing);
    virtual bool isDrawingStroke() const { return _isDrawingStroke; }
    void setIsDrawingStroke(bool drawing);
    void setFillColor(const Colour& colour);
    void setStrokeColor(const Colour& colour);
    double strokeWidth() const { return _strokeWidth; }
    void setStrokeWidth(double width);

    // Colours with the object's opacity: the stored colour with its alpha
    // replaced by `alpha_val` (the stroke by `alpha_val_stroke`), clamped to
    // 0..1 and stored back, so that a drawn object's colours carry its
    // opacity.
    Colour fillColor();
    Colour strokeColor();
    Colour fill_hatch_bk_clr();
    Colour fill_Grad_clr1();
    Colour fill_Grad_clr2();
    QString strokeBorderType() const { return _stroke_border_type; }
    QString fill_type() const { return _fill_type; }
    QString fill_hatch_type() const { return _fill_hatch_type; }
    double fill_grad_angle() const { return _fill_grad_angle; }

    // An opacity fraction as it is applied to a colour: above 1 acts as 1,
    // below 0 as 0, and a value that is not a number as fully opaque.
    static double opacityFraction(double value);
    // The dash lengths in points (drawn and skipped in turn, phase 0) of a
    // dash code; empty for solid.
    static QList<double> dashPattern(const QString& code);

    double xPosition() const { return _bounds.x(); }
    double yPosition() const { return _bounds.y(); }
    double width() const { return _bounds.width(); }
    double height() const { return _bounds.height(); }
    void setXPosition(double x);
    void setYPosition(double y);
    void setWidth(double width);
    void setHeight(double height);

    // ---- geometry and drawing ----
    // The area that drawing the object may touch, handles included.
    virtual QRectF drawingBounds() const;
    // A point at whole-point offsets inside `rect`; the origin when the
    // rectangle is narrower or lower than one point.
    static QPointF randomPoint(const QRectF& rect);
    virtual void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited);
    // Makes now, on the calling thread, what drawing the object into a PDF
    // file or a print job needs and would otherwise make while drawing (an
    // adjusted picture, a picture's print copy, a barcode's rectangles), so
    // that batch output does it on its workers. Nothing by default.
    virtual void prepareForOutput() {}
    // Throws std::logic_error: every kind overrides either this or its drawing.
    virtual QPainterPath bezierPathForDrawing() const;
    virtual void drawHandlesInView(QPainter& painter, bool lock_hai) const;
    void drawHandleInView(QPainter& painter, const QPointF& point, bool lock_hai) const;
    virtual bool canSetDrawingFill() const { return true; }
    virtual bool canSetDrawingStroke() const { return true; }
    virtual bool canMakeNaturalSize() const;
    virtual bool isContentsUnderPoint(const QPointF& point) const;
    virtual int handleUnderPoint(const QPointF& point) const;
    bool isHandleAtPoint(const QPointF& handlePoint, const QPointF& point) const;
    virtual int resizeByMovingHandle(int handle, const QPointF& point);
    virtual void flipHorizontally() {}
    virtual void flipVertically() {}
    virtual void makeNaturalSize();
    virtual void setColor(const Colour& colour);
    virtual QWidget* newEditingViewWithSuperviewBounds(const QRectF& superviewBounds);
    virtual void finalizeEditingView(QWidget* editingView);

    // The point of handle 1..8 on a rectangle.
    static QPointF handlePoint(const QRectF& rect, int handle);
    // The half-open point-in-rectangle rule: the lower edges belong to the
    // rectangle, the upper edges do not.
    static bool pointInRect(const QPointF& point, const QRectF& rect);

    // ---- class operations ----
    static const QCursor& creationCursor();
    static int creationSizingHandle() { return LowerRightHandle; }
    static QRectF boundsOfGraphics(const GraphicList& graphics);
    // The united drawing bounds of `graphics`; `ofNone` when the list holds
    // no object (the canvas passes its front canvas, so that nothing selected
    // redraws the whole card).
    static QRectF drawingBoundsOfGraphics(const GraphicList& graphics, const QRectF& ofNone = QRectF(0, 0, 0, 0));
    // Moves the unlocked objects of `graphics` to new places: the first to
    // (x, y), each later one, locked or not, to the next point `newPoint`
    // hands out for `card_side`.
    using NewPointSource = std::function<QPointF(const QString& card_side)>;
    static void Paste_Location_Of_Graphics(const GraphicList& graphics, double x, double y, const QString& card_side,
                                           const NewPointSource& newPoint);
    static void translateGraphics(const GraphicList& graphics, double dx, double dy);

protected:
    SKTGraphic(const SKTGraphic&) = default;
    SKTGraphic& operator=(const SKTGraphic&) = default;

    // What every kind's deepCopy does to its fresh copy: detaches it from
    // the document and gives it its own text storage.
    static GraphicPtr detachedCopy(std::shared_ptr<SKTGraphic> copy);

    // Stores new bounds; kinds that keep something in step with the bounds
    // override it and call the base.
    virtual void storeBounds(const QRectF& bounds);
    // Tells the observers that `key` changed from `oldValue`, then tells the
    // observers of every published key that depends on it.
    void publishChange(const QString& key, const QVariant& oldValue);
};
