// The card object record: defaults, kinds, copies, text storage, colours with
// opacity and the code tables.

#include "app/Globals.h"
#include "model/Globals.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>
#include <QCursor>
#include <QPixmap>
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
    EXPECT_FLOAT_EQ(g.alpha_val, 1.0f);
    EXPECT_FLOAT_EQ(g.alpha_val_stroke, 1.0f);
    EXPECT_FLOAT_EQ(g.img_trnsp_val, 100.0f);
    EXPECT_EQ(g._shape_type, "R");
    EXPECT_EQ(g.Text_Value, "Text here");
    EXPECT_EQ(g.sign_or_fingureprint, "S");
    EXPECT_TRUE(g.ctrl_is_visible);
    EXPECT_FALSE(g.ctrl_is_locked);
    EXPECT_EQ(g.data_source_type, 0);
    EXPECT_FALSE(g.excel_binding);
    EXPECT_EQ(g._Text_contents, nullptr);
    EXPECT_EQ(g.double_star_type, 1);
    EXPECT_EQ(g.polygon_type, 1);
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
