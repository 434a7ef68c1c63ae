// The card object record: defaults, kinds, copies, text storage, colours with
// opacity and the code tables.

#include "mainwindow/Globals.h"
#include "model/SKTBarcode.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <gtest/gtest.h>
#include <QCursor>
#include <QPixmap>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// Sets a main-window global for one test and puts the old value back.
template <typename T>
class ScopedGlobal
{
public:
    ScopedGlobal(T& global, T value) : m_global(global), m_old(global) { m_global = std::move(value); }
    ~ScopedGlobal() { m_global = m_old; }
    ScopedGlobal(const ScopedGlobal&) = delete;
    ScopedGlobal& operator=(const ScopedGlobal&) = delete;

private:
    T& m_global;
    T m_old;
};

} // namespace

TEST(SKTGraphicRecord, NewObjectDefaults)
{
    const SKTGraphic g;
    EXPECT_EQ(g._bounds, QRectF(0, 0, 0, 0));
    EXPECT_TRUE(g._isDrawingFill);
    EXPECT_TRUE(g._isDrawingStroke);
    EXPECT_EQ(g._fillColor, Colour::white());
    EXPECT_EQ(g._strokeColor, Colour::black());
    EXPECT_DOUBLE_EQ(g._strokeWidth, 1.0);
    EXPECT_EQ(g._stroke_border_type, "S");
    EXPECT_EQ(g._fill_type, "S");
    EXPECT_EQ(g._fill_Grad_clr1, Colour::white());
    EXPECT_EQ(g._fill_Grad_clr2, Colour::white());
    EXPECT_EQ(g._fill_htch_clr, Colour::white());
    EXPECT_TRUE(g._fill_hatch_type.isEmpty());
    EXPECT_FLOAT_EQ(g.alpha_val, 1.0f);
    EXPECT_FLOAT_EQ(g.alpha_val_stroke, 1.0f);
    EXPECT_FLOAT_EQ(g.img_trnsp_val, 100.0f);
    EXPECT_FLOAT_EQ(g.sat_val, 1.0f);
    EXPECT_FLOAT_EQ(g.con_val, 1.0f);
    EXPECT_FLOAT_EQ(g.cor_rad_val_val, 10.0f);
    EXPECT_EQ(g._shape_type, "R");
    EXPECT_EQ(g.Text_Value, "Text here");
    EXPECT_EQ(g.sign_or_fingureprint, "S");
    EXPECT_TRUE(g.ctrl_is_visible);
    EXPECT_FALSE(g.ctrl_is_locked);
    EXPECT_EQ(g.data_source_type, 0);
    EXPECT_FALSE(g.excel_binding);
    EXPECT_EQ(g.excel_col_indx, 0);
    EXPECT_TRUE(g.batch_list_name.isEmpty());
    EXPECT_EQ(g.print_object, 0);
    EXPECT_TRUE(g.control_ID.isEmpty());
    EXPECT_EQ(g._Text_contents, nullptr);
    EXPECT_TRUE(g._barcode_image.isNull());
    EXPECT_EQ(g._scriptingContainer, nullptr);
    EXPECT_EQ(g.double_star_type, 1);
    EXPECT_EQ(g.polygon_type, 1);
}

TEST(SKTGraphicRecord, BarcodeDesignerDefaults)
{
    const SKTGraphic g;
    EXPECT_EQ(g.linear_font_val, "0123");
    EXPECT_EQ(g.two_d_font_val, "0123");
    EXPECT_EQ(g.header_val, "HEADER");
    EXPECT_EQ(g.footer_val, "FOOTER");
    EXPECT_EQ(g.align_hdr_index, 1);
    EXPECT_EQ(g.align_ftr_index, 1);
    EXPECT_FLOAT_EQ(g.linear_height_val, 0.6f);
    EXPECT_FLOAT_EQ(g.linear_width_val, 20.0f);
    EXPECT_EQ(g.qr_size_val, 60);
    EXPECT_EQ(g.pdf_hgt_val, 20);
    EXPECT_EQ(g.pdf_wdt_val, 100);
    EXPECT_EQ(g.pdf_ec_val, 2);
    EXPECT_EQ(g.dm_module_val, 2);
    for (float margin : {g.hdr_margin_val, g.ftr_margin_val, g.val_margin_val, g.TB_marging_val, g.LR_margin_val})
        EXPECT_FLOAT_EQ(margin, 0.1f);
    for (const FontSpec& f : {g.value_font_val, g.header_font_val, g.footer_font_val})
        EXPECT_EQ(f, FontSpec("Times New Roman", 10));
    for (const Colour& c : {g.barcode_hdr_clr_val, g.barcode_ftr_clr_val, g.barcode_val_clr_val, g.barcode_clr_val})
        EXPECT_EQ(c, Colour::black());
    EXPECT_EQ(g.barcode_back_clr_val, Colour::white());
    EXPECT_EQ(g.dpi_custom_val, "0");
    EXPECT_EQ(g.barcode_unit_val, 1);
}

TEST(SKTGraphicRecord, DefaultsFromTheMainWindow)
{
    ScopedGlobal font(All_Text_font, FontSpec("Liberation Sans", 22));
    ScopedGlobal colour(All_Text_clr, Colour::rgb(0.1, 0.2, 0.3));
    ScopedGlobal resources(Resource_Path, QString("/tmp/res/"));
    const SKTText t;
    EXPECT_EQ(t.text_ctrl_font, FontSpec("Liberation Sans", 22));
    EXPECT_EQ(t.txt_clr, Colour::rgb(0.1, 0.2, 0.3));
    EXPECT_EQ(t._file_path, "/tmp/res/no.png");
}

TEST(SKTGraphicRecord, TextStorageIsMadeOnFirstUseAndKept)
{
    ScopedGlobal name(Text_Ctrl_Font, QString("Liberation Serif"));
    SKTText t;
    t.Text_Value = "Dear guest";
    const auto first = t.Text_contents();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->string(), "Dear guest");
    EXPECT_EQ(first->font(), FontSpec("Liberation Serif", 14));
    EXPECT_EQ(first->foregroundColour(), Colour::black());
    EXPECT_EQ(t._Text_contents, first);

    t.Text_Value = "Changed later";
    EXPECT_EQ(t.Text_contents(), first);
    EXPECT_EQ(t.Text_contents()->string(), "Dear guest");
}

TEST(SKTGraphicRecord, MakeOfClassGivesExactClasses)
{
    const struct {
        const char* name;
        SKTGraphic::Kind kind;
    } cases[] = {
        {"SKTGraphic", SKTGraphic::Kind::Graphic}, {"SKTText", SKTGraphic::Kind::Text},
        {"SKTLine", SKTGraphic::Kind::Line},       {"Shape_Control", SKTGraphic::Kind::Shape},
        {"SKTImage", SKTGraphic::Kind::Image},     {"SKTSignature", SKTGraphic::Kind::Signature},
        {"SKTBarcode", SKTGraphic::Kind::Barcode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphicPtr g = SKTGraphic::makeOfClass(c.name);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->className(), c.name);
        EXPECT_EQ(g->kind(), c.kind);
        EXPECT_EQ(g->valueForKey(SKTGraphicClassNameKey).toString(), c.name);
        EXPECT_EQ(g->Text_Value, "Text here");   // made through the defaults
    }
    for (const char* unknown : {"", "sktText", "SKTRectangle", "Shape_Control ", "NSObject"}) {
        SCOPED_TRACE(unknown);
        EXPECT_EQ(SKTGraphic::makeOfClass(unknown), nullptr);
    }
}

TEST(SKTGraphicRecord, CopyTakesOverGeometryStrokeAndFillOnly)
{
    SKTImage source;
    source._bounds = QRectF(1, 2, 3, 4);
    source._isDrawingFill = false;
    source._fillColor = Colour::rgb(1, 0, 0);
    source._isDrawingStroke = false;
    source._strokeColor = Colour::rgb(0, 1, 0);
    source._strokeWidth = 7;
    source._stroke_border_type = "DD";
    source._fill_type = "G";
    source._fill_Grad_clr1 = Colour::rgb(0, 0, 1);
    source._fill_Grad_clr2 = Colour::rgb(1, 1, 0);
    source._fill_grad_angle = 45;
    source._fill_htch_clr = Colour::rgb(0, 1, 1);
    source._fill_hatch_type = "Cross";
    // fields that stay at their defaults in the copy
    source.ctrl_is_locked = true;
    source.control_ID = "Fup_Photo";
    source.alpha_val = 0.25f;
    source.Text_Value = "Other";
    source._file_path = "/pictures/a.png";
    source.Text_contents();

    const GraphicPtr c = source.copy();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->kind(), SKTGraphic::Kind::Image);
    EXPECT_EQ(c->_bounds, QRectF(1, 2, 3, 4));
    EXPECT_FALSE(c->_isDrawingFill);
    EXPECT_EQ(c->_fillColor, Colour::rgb(1, 0, 0));
    EXPECT_FALSE(c->_isDrawingStroke);
    EXPECT_EQ(c->_strokeColor, Colour::rgb(0, 1, 0));
    EXPECT_DOUBLE_EQ(c->_strokeWidth, 7);
    EXPECT_EQ(c->_stroke_border_type, "DD");
    EXPECT_EQ(c->_fill_type, "G");
    EXPECT_EQ(c->_fill_Grad_clr1, Colour::rgb(0, 0, 1));
    EXPECT_EQ(c->_fill_Grad_clr2, Colour::rgb(1, 1, 0));
    EXPECT_DOUBLE_EQ(c->_fill_grad_angle, 45);
    EXPECT_EQ(c->_fill_htch_clr, Colour::rgb(0, 1, 1));
    EXPECT_EQ(c->_fill_hatch_type, "Cross");

    const SKTImage fresh;
    EXPECT_FALSE(c->ctrl_is_locked);
    EXPECT_TRUE(c->control_ID.isEmpty());
    EXPECT_FLOAT_EQ(c->alpha_val, 1.0f);
    EXPECT_EQ(c->Text_Value, "Text here");
    EXPECT_EQ(c->_file_path, fresh._file_path);
    EXPECT_EQ(c->_Text_contents, nullptr);

    // the copy is a separate object
    c->_bounds = QRectF(9, 9, 9, 9);
    EXPECT_EQ(source._bounds, QRectF(1, 2, 3, 4));
}

TEST(SKTGraphicRecord, ColoursWithOpacityReplaceAlphaClampAndStoreBack)
{
    const struct {
        float alpha;
        double expected;
    } cases[] = {
        {1.0f, 1.0},   {0.5f, 0.5},  {0.0f, 0.0},
        {100.0f, 1.0}, // an archived percentage from older designs draws opaque
        {1.5f, 1.0},   {-0.3f, 0.0}, {std::numeric_limits<float>::quiet_NaN(), 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alpha);
        SKTGraphic g;
        g._fillColor = Colour::rgb(0.2, 0.4, 0.6, 0.8);
        g._fill_htch_clr = Colour::rgb(0.1, 0.1, 0.1, 0.3);
        g._fill_Grad_clr1 = Colour::grey(0.5, 0.9);
        g._fill_Grad_clr2 = Colour::white();
        g.alpha_val = c.alpha;
        g.alpha_val_stroke = 0.25f;

        // twice: the alpha is replaced, not multiplied
        for (int round = 0; round < 2; ++round) {
            EXPECT_DOUBLE_EQ(g.fillColor().alpha(), c.expected);
            EXPECT_DOUBLE_EQ(g.fill_hatch_bk_clr().alpha(), c.expected);
            EXPECT_DOUBLE_EQ(g.fill_Grad_clr1().alpha(), c.expected);
            EXPECT_DOUBLE_EQ(g.fill_Grad_clr2().alpha(), c.expected);
            EXPECT_DOUBLE_EQ(g.strokeColor().alpha(), 0.25);
        }
        // stored back, colour components untouched
        EXPECT_DOUBLE_EQ(g._fillColor.alpha(), c.expected);
        EXPECT_DOUBLE_EQ(g._fill_htch_clr.alpha(), c.expected);
        EXPECT_DOUBLE_EQ(g._fill_Grad_clr1.alpha(), c.expected);
        EXPECT_DOUBLE_EQ(g._fill_Grad_clr2.alpha(), c.expected);
        EXPECT_DOUBLE_EQ(g._strokeColor.alpha(), 0.25);
        EXPECT_DOUBLE_EQ(g._fillColor.component(2), 0.6);
        EXPECT_EQ(g._fill_Grad_clr1.space(), Colour::Space::CalibratedWhite);
    }
}

TEST(SKTGraphicRecord, OpacityRisesAgainAfterBeingStored)
{
    SKTGraphic g;
    g.alpha_val = 0.2f;
    g.fillColor();
    g.alpha_val = 1.0f;
    EXPECT_DOUBLE_EQ(g.fillColor().alpha(), 1.0);
    EXPECT_EQ(g.fillColor().toQColor(), QColor(255, 255, 255));
}

TEST(SKTGraphicRecord, DashPatterns)
{
    const struct {
        const char* code;
        QList<double> pattern;
    } cases[] = {
        {"S", {}},
        {"DA", {8, 2}},
        {"DO", {4, 6}},
        {"DD", {24, 10, 6, 10}},
        {"DDD", {24, 8, 8, 8, 8, 8}},
        {"", {}},
        {"da", {}},
        {"DDDD", {}},
        {"G", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(SKTGraphic::dashPattern(c.code), c.pattern);
    }
}

TEST(SKTGraphicRecord, PlainAccessorsReachTheirFields)
{
    SKTGraphic g;
    g.Set_Ctrl_Is_Visible(false);
    EXPECT_FALSE(g.ctrl_is_visible);
    g.ctrl_is_locked = true;
    EXPECT_TRUE(g.Is_Control_Locked());
    g.Set_Shape_Type("DS");
    EXPECT_EQ(g.Get_shape_type(), "DS");
    g.Set_Excel_binding(true);
    g.Set_Excel_binding_Index(4);
    EXPECT_TRUE(g.excel_binding);
    EXPECT_EQ(g.excel_col_indx, 4);
    g.Set_Batch_List_Name("Guests");
    g.Set_Batch_List_Index(3);
    g.Set_Data_source_type(1);
    EXPECT_EQ(g.batch_list_name_val(), "Guests");
    EXPECT_EQ(g.batch_list_index_val(), 3);
    EXPECT_EQ(g.data_source_type_val(), 1);
    g.Set_Sign_Or_FP("F");
    EXPECT_EQ(g.Sign_Or_FP_Val(), "F");
    g.Set_Control_File_path("/a/b.png");
    EXPECT_EQ(g.FilePath(), "/a/b.png");
    g._line_ori = 2;
    g._line_cap_style = 1;
    EXPECT_EQ(g.Get_Line_Ori(), 2);
    EXPECT_EQ(g.Get_Line_Cap_Style(), 1);
    g.img_trnsp_val = 40;
    g.hue_val = 0.5f;
    EXPECT_FLOAT_EQ(g.Get_Image_Trnsp_val(), 40);
    EXPECT_FLOAT_EQ(g.Get_Hue_val(), 0.5f);
    QImage pixels(4, 3, QImage::Format_RGB32);
    pixels.fill(Qt::red);
    g.Set_Barcode_image(Picture(pixels));
    EXPECT_EQ(g._barcode_image.image().size(), QSize(4, 3));
    g.setFlippedHorizontally(true);
    g.setFlippedVertically(true);
    EXPECT_TRUE(g._isFlippedHorizontally);
    EXPECT_TRUE(g._isFlippedVertically);
}

TEST(SKTGraphicRecord, BaseHasNoPathOfItsOwn)
{
    const SKTGraphic g;
    try {
        g.bezierPathForDrawing();
        FAIL() << "no exception";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Neither -drawContentsInView: nor -bezierPathForDrawing has been overridden.");
    }
}

TEST(SKTGraphicRecord, CreationCursorIsSharedAndCentred)
{
    const QCursor& a = SKTGraphic::creationCursor();
    const QCursor& b = SKTGraphic::creationCursor();
    EXPECT_EQ(&a, &b);
    const QPixmap picture = a.pixmap();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(a.hotSpot(), QPoint(picture.width() / 2, picture.height() / 2));
    EXPECT_EQ(SKTGraphic::creationSizingHandle(), SKTGraphic::LowerRightHandle);
}
