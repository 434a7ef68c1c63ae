// The text object: the text drawn (trimmed, case changed), its placement in
// the bounds, background and frame, natural size and the undo keys.

#include "common/ObjectTestSupport.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>
#include <QPainter>

using ObjectTestSupport::blank;
using ObjectTestSupport::inkBounds;
using ObjectTestSupport::opaqueBounds;

namespace {

const FontSpec serif20(QStringLiteral("Times New Roman"), 20);

std::shared_ptr<SKTText> makeText(const QString& characters, const QRectF& bounds)
{
    auto text = std::make_shared<SKTText>();
    text->Text_contents()->setString(characters);
    text->_bounds = bounds;
    text->_isDrawingFill = false;
    text->_isDrawingStroke = false;
    text->text_ctrl_font = serif20;
    text->txt_clr = Colour::black();
    return text;
}

QImage draw(SKTText& text, int w = 240, int h = 120, double dpi = 72.0, bool creating = false)
{
    QImage image = blank(w, h, dpi);
    QPainter painter(&image);
    text.drawContentsInView(painter, creating);
    painter.end();
    return image;
}

bool dark(QRgb p)
{
    return qAlpha(p) > 128 && qRed(p) < 100;
}

}

TEST(SKTText, CaseCodes)
{
    struct Case {
        int code;
        QString in;
        QString out;
    };
    const Case cases[] = {
        {0, "hello WORLD", "hello WORLD"},
        {1, "hello WORLD", "HELLO WORLD"},
        {2, "hello WORLD", "hello world"},
        {3, "hello WORLD", "Hello World"},
        {3, "hello-WORLD o'NEIL", "Hello-world O'neil"},
        {3, "  two\tspaces\nand lines", "  Two\tSpaces\nAnd Lines"},
        {3, QString::fromUtf8("élan ÉCOLE"), QString::fromUtf8("Élan École")},
        {7, "Keep As Typed", "Keep As Typed"},
        {-1, "Keep", "Keep"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SKTText::transformedText(c.in, c.code), c.out) << c.code << " " << c.in.toStdString();
}

TEST(SKTText, DrawnTextIsTrimmedAndCasedButTheStoredTextIsNot)
{
    auto text = makeText(QStringLiteral("  \n\tmixed Case words \r\n "), QRectF(0, 0, 200, 40));
    text->text_transfrom_case = TextCase::Upper;
    EXPECT_EQ(text->drawnText(), "MIXED CASE WORDS");
    draw(*text);
    EXPECT_EQ(text->Text_contents()->string(), QStringLiteral("  \n\tmixed Case words \r\n "));
}

TEST(SKTText, BlankTextDrawsNothingNotEvenBackgroundOrFrame)
{
    for (const QString& characters : {QStringLiteral("   "), QStringLiteral(" \n\r\t \n")}) {
        auto text = makeText(characters, QRectF(10, 10, 100, 40));
        text->_isDrawingFill = true;
        text->_isDrawingStroke = true;
        text->_fillColor = Colour::rgb(1, 0, 0);
        EXPECT_TRUE(opaqueBounds(draw(*text)).isEmpty()) << characters.toStdString();
    }
}

TEST(SKTText, AlignmentPlacesTheTextInsideTheBounds)
{
    const QRectF bounds(20, 10, 200, 40);
    auto ink = [&](int alignment, const QString& characters) {
        auto text = makeText(characters, bounds);
        text->text_alignmnet = alignment;
        return inkBounds(draw(*text), dark);
    };
    const QRect left = ink(0, QStringLiteral("Word"));
    const QRect right = ink(1, QStringLiteral("Word"));
    const QRect centre = ink(2, QStringLiteral("Word"));
    const QRect natural = ink(4, QStringLiteral("Word"));
    ASSERT_FALSE(left.isEmpty());
    ASSERT_FALSE(right.isEmpty());

    EXPECT_LE(std::abs(left.left() - 20), 3);
    EXPECT_LE(std::abs(right.right() - 219), 3);
    const int gapLeft = centre.left() - 20;
    const int gapRight = 219 - centre.right();
    EXPECT_LE(std::abs(gapLeft - gapRight), 2);
    EXPECT_GT(gapLeft, 40);
    EXPECT_EQ(natural, left);
    // Every line starts at the top edge.
    EXPECT_LE(left.top() - 10, 6);
    // White space around a word does not move it.
    EXPECT_EQ(ink(2, QStringLiteral("  Word  ")), centre);
    EXPECT_EQ(ink(1, QStringLiteral("Word \n")), right);
}

TEST(SKTText, TextSizeDoesNotDependOnTheDevicesResolution)
{
    auto text = makeText(QStringLiteral("Same size"), QRectF(0, 0, 220, 40));
    const QRect at72 = inkBounds(draw(*text, 240, 60, 72.0), dark);
    const QRect at96 = inkBounds(draw(*text, 240, 60, 96.0), dark);
    ASSERT_FALSE(at72.isEmpty());
    EXPECT_LE(std::abs(at72.width() - at96.width()), 1);
    EXPECT_LE(std::abs(at72.height() - at96.height()), 1);
}

TEST(SKTText, LinesWrapAtTheWidthAndStopAtTheBottom)
{
    auto oneLine = makeText(QStringLiteral("alpha beta"), QRectF(0, 0, 220, 100));
    const QRect single = inkBounds(draw(*oneLine), dark);
    auto wrapped = makeText(QStringLiteral("alpha beta"), QRectF(0, 0, 70, 100));
    const QRect two = inkBounds(draw(*wrapped), dark);
    EXPECT_LE(two.right(), 70);
    EXPECT_GT(two.height(), single.height() + 10);

    auto cut = makeText(QStringLiteral("one two three four five six seven"), QRectF(0, 0, 60, 30));
    const QRect clipped = inkBounds(draw(*cut), [](QRgb p) { return qAlpha(p) > 0; });
    EXPECT_LE(clipped.bottom(), 30);
    EXPECT_LE(clipped.right(), 60);
}

TEST(SKTText, KerningSpreadsTheLetters)
{
    auto plain = makeText(QStringLiteral("spacing"), QRectF(0, 0, 230, 40));
    auto spread = makeText(QStringLiteral("spacing"), QRectF(0, 0, 230, 40));
    spread->text_kerning = 5;
    const int plainWidth = inkBounds(draw(*plain), dark).width();
    const int spreadWidth = inkBounds(draw(*spread), dark).width();
    // Six gaps between seven letters.
    EXPECT_NEAR(spreadWidth - plainWidth, 30, 3);
}

TEST(SKTText, BackgroundIsSolidUnlessGradient)
{
    for (const QString& code : {QStringLiteral("S"), QStringLiteral("H"), QStringLiteral("I"), QStringLiteral("x")}) {
        auto text = makeText(QStringLiteral("x"), QRectF(10, 10, 100, 40));
        text->_isDrawingFill = true;
        text->_fill_type = code;
        text->_fillColor = Colour::rgb(0, 0, 1);
        const QImage image = draw(*text);
        EXPECT_EQ(image.pixel(100, 45), qRgb(0, 0, 255)) << code.toStdString();
    }

    auto gradient = makeText(QStringLiteral("x"), QRectF(10, 10, 100, 40));
    gradient->_isDrawingFill = true;
    gradient->_fill_type = QStringLiteral("G");
    gradient->_fill_Grad_clr1 = Colour::rgb(1, 0, 0);
    gradient->_fill_Grad_clr2 = Colour::rgb(0, 0, 1);
    const QImage shaded = draw(*gradient);
    EXPECT_GT(qRed(shaded.pixel(11, 45)), 200);
    EXPECT_GT(qBlue(shaded.pixel(108, 45)), 200);
}

TEST(SKTText, TextOpacityFollowsTheObjectsOpacity)
{
    auto text = makeText(QStringLiteral("I"), QRectF(0, 0, 100, 60));
    text->text_ctrl_font = FontSpec(QStringLiteral("Times New Roman"), 48);
    text->alpha_val = 0.5f;
    const QImage image = draw(*text);
    int strongest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            strongest = std::max(strongest, qAlpha(image.pixel(x, y)));
    EXPECT_NEAR(strongest, 128, 3);
}

TEST(SKTText, WhileBeingCreatedOnlyAFrameShows)
{
    auto text = makeText(QStringLiteral("Text"), QRectF(20, 20, 100, 40));
    text->_isDrawingFill = true;
    const QImage image = draw(*text, 240, 120, 72.0, true);
    const QRect drawn = opaqueBounds(image);
    EXPECT_EQ(drawn, QRect(19, 19, 102, 42));
    EXPECT_EQ(qAlpha(image.pixel(70, 40)), 0);
}

TEST(SKTText, NaturalSizeMeasuresTheStorageNotTheDrawingFont)
{
    auto text = makeText(QStringLiteral("Text here"), QRectF(5, 6, 500, 10));
    const QSizeF natural = text->naturalSize();
    EXPECT_GT(natural.width(), 40);
    EXPECT_LT(natural.width(), 70);
    EXPECT_GE(natural.height(), 14);
    EXPECT_LT(natural.height(), 20);

    text->text_ctrl_font = FontSpec(QStringLiteral("Times New Roman"), 40);
    EXPECT_EQ(text->naturalSize(), natural);

    text->makeNaturalSize();
    EXPECT_EQ(text->bounds(), QRectF(QPointF(5, 6), natural));
    // At its natural size the text still lies on one line.
    text->_bounds.setWidth(natural.width());
    EXPECT_EQ(text->naturalSize(), natural);

    text->_bounds.setWidth(natural.width() / 2);
    EXPECT_GT(text->naturalSize().height(), natural.height() * 1.5);

    text->ctrl_is_locked = true;
    const QRectF before = text->bounds();
    text->makeNaturalSize();
    EXPECT_EQ(text->bounds(), before);
}

TEST(SKTText, HeightFollowsTheTextWithoutAnUndoableBoundsChange)
{
    auto text = makeText(QStringLiteral("Text here"), QRectF(5, 6, 300, 100));
    QStringList undoKeysWhenBoundsChanged;
    int undoKeyAnnouncements = 0;
    text->addObserver([&](Observable&, const QString& key, const QVariant&) {
        if (key == SKTGraphicBoundsKey)
            undoKeysWhenBoundsChanged = text->keysForValuesToObserveForUndo();
        if (key == SKTGraphicKeysForValuesToObserveForUndoKey)
            ++undoKeyAnnouncements;
    });
    text->setHeightToMatchContents();
    EXPECT_EQ(text->bounds().width(), 300);
    EXPECT_EQ(text->bounds().height(), text->naturalSize().height());
    EXPECT_EQ(undoKeyAnnouncements, 2);
    EXPECT_FALSE(undoKeysWhenBoundsChanged.isEmpty());
    EXPECT_FALSE(undoKeysWhenBoundsChanged.contains(SKTGraphicBoundsKey));
    EXPECT_TRUE(text->keysForValuesToObserveForUndo().contains(SKTGraphicBoundsKey));
}


TEST(SKTText, PropertiesCarryTheArchivedTextStorage)
{
    auto text = makeText(QString::fromUtf8("Gr\u00fc\u00dfe,\nDear guest"), QRectF(5, 6, 120, 40));
    text->Text_contents()->setFont(FontSpec(QStringLiteral("Times New Roman"), 18));
    text->Text_contents()->setForegroundColour(Colour::rgb(0, 0, 1));
    const QVariantMap p = text->properties();
    ASSERT_EQ(p.value("contents").typeId(), QMetaType::QByteArray);
    EXPECT_TRUE(p.contains("bounds"));

    SKTText copy;
    copy.initWithProperties(p);
    EXPECT_EQ(copy._bounds, text->_bounds);
    ASSERT_TRUE(copy.contents_val);
    EXPECT_EQ(copy.contents_val->string(), text->Text_contents()->string());
    EXPECT_EQ(copy.contents_val->font().pointSize(), 18);
    EXPECT_EQ(copy.contents_val->foregroundColour(), Colour::rgb(0, 0, 1));
    // The second storage is not what is drawn.
    EXPECT_EQ(copy.Text_contents()->string(), QStringLiteral("Text here"));

    // A text that has not made its storage yet gives the one it would make.
    SKTText fresh;
    SKTText fromFresh;
    fromFresh.initWithProperties(fresh.properties());
    ASSERT_TRUE(fromFresh.contents_val);
    EXPECT_EQ(fromFresh.contents_val->string(), QStringLiteral("Text here"));
    EXPECT_EQ(fromFresh.contents_val->font().pointSize(), 14);
    EXPECT_EQ(fromFresh.contents_val->foregroundColour(), Colour::black());

    // Entries of the wrong kind are ignored.
    SKTText untouched;
    untouched.initWithProperties({{"contents", QStringLiteral("Hello")}});
    EXPECT_FALSE(untouched.contents_val);
    untouched.initWithProperties({{"contents", QByteArray("not an archive")}});
    EXPECT_FALSE(untouched.contents_val);
}

TEST(SKTText, LineEndsInsideTheTextStartNewLines)
{
    const QRectF bounds(0, 0, 220, 110);
    auto oneLine = makeText(QStringLiteral("alpha beta"), bounds);
    const QRect single = inkBounds(draw(*oneLine), dark);
    ASSERT_FALSE(single.isEmpty());
    for (const QString& characters : {QStringLiteral("alpha\nbeta"), QStringLiteral("alpha\r\nbeta"),
                                      QStringLiteral("alpha\rbeta"), QString::fromUtf8("alpha\u2028beta"),
                                      QString::fromUtf8("alpha\u2029beta")}) {
        auto text = makeText(characters, bounds);
        const QRect ink = inkBounds(draw(*text), dark);
        EXPECT_GT(ink.height(), single.height() + 10) << characters.toStdString();
        EXPECT_LT(ink.width(), single.width() * 3 / 4) << characters.toStdString();
    }
    // The natural size counts the lines too.
    auto two = makeText(QStringLiteral("alpha\nbeta"), bounds);
    EXPECT_GT(two->naturalSize().height(), oneLine->naturalSize().height() * 1.5);
    EXPECT_LT(two->naturalSize().width(), oneLine->naturalSize().width());
}

TEST(SKTText, TabsStopEvery28Points)
{
    const QRectF bounds(0, 0, 220, 40);
    const QRect single = inkBounds(draw(*makeText(QStringLiteral("a"), bounds)), dark);
    const QRect b = inkBounds(draw(*makeText(QStringLiteral("b"), bounds)), dark);
    ASSERT_LT(single.right(), 20);
    // "b" after a tab starts at the first stop, 28 points from the left edge;
    // after two tabs at the second.
    const QRect oneTab = inkBounds(draw(*makeText(QStringLiteral("a\tb"), bounds)), dark);
    EXPECT_NEAR(oneTab.right(), 28 + b.right(), 2);
    const QRect twoTabs = inkBounds(draw(*makeText(QStringLiteral("a\t\tb"), bounds)), dark);
    EXPECT_NEAR(twoTabs.right(), 56 + b.right(), 2);
    // The natural size measures with the same stops.
    EXPECT_GT(makeText(QStringLiteral("a\tb"), bounds)->naturalSize().width(), 30);
}
