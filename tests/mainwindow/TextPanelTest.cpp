// The text object's inspector panels: filling them from a text, writing them
// into the selected objects, the editor's limits, date insertion and the
// font chooser.

#include "WindowControllerFixture.h"

#include "app/SystemHelpers.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/inspector/FontChooser.h"
#include "mainwindow/inspector/TextPanel.h"
#include "mainwindow/inspector/TextPanelRules.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTText.h"
#include "platform/AttributedText.h"
#include "platform/IndexSet.h"
#include "platform/UndoManager.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

const Colour red = Colour::rgb(1, 0, 0);
const Colour blue = Colour::rgb(0, 0, 1);

TEST(TextPanelRulesTest, FromGraphicFillsEachControl)
{
    const struct {
        const char* name;
        std::function<void(SKTText&)> set;
        std::function<void(const TextPanelState&)> check;
    } rows[] = {
        {"text of the storage", [](SKTText& t) { t.Text_contents()->setString("Guest"); },
         [](const TextPanelState& s) { EXPECT_EQ(s.text, "Guest"); }},
        {"text before a storage is made", [](SKTText& t) { t.Text_Value = "Host"; },
         [](const TextPanelState& s) { EXPECT_EQ(s.text, "Host"); }},
        {"border", [](SKTText& t) { t._isDrawingStroke = true; t._strokeColor = red; t._strokeWidth = 3.7; },
         [](const TextPanelState& s) { EXPECT_TRUE(s.borderOn); EXPECT_EQ(s.borderColour, red); EXPECT_EQ(s.borderWidth, 3); }},
        {"dash code", [](SKTText& t) { t._stroke_border_type = "DO"; },
         [](const TextPanelState& s) { EXPECT_EQ(s.borderStyleIndex, 2); }},
        {"unknown dash code", [](SKTText& t) { t._stroke_border_type = "ZZ"; },
         [](const TextPanelState& s) { EXPECT_EQ(s.borderStyleIndex, -1); }},
        {"gradient fill", [](SKTText& t) { t._isDrawingFill = true; t._fill_type = "G"; t._fill_grad_angle = 45.5f; },
         [](const TextPanelState& s) { EXPECT_TRUE(s.fillOn && s.gradientRadio && !s.solidRadio); EXPECT_EQ(s.gradientAngle, 45.5); }},
        {"hatch code shows solid", [](SKTText& t) { t._fill_type = "H"; },
         [](const TextPanelState& s) { EXPECT_TRUE(s.solidRadio && !s.gradientRadio); }},
        {"opacity 0.53 rounds", [](SKTText& t) { t.alpha_val = 0.53f; },
         [](const TextPanelState& s) { EXPECT_EQ(s.alphaPercent, 53); }},
        {"opacity 0.59 rounds", [](SKTText& t) { t.alpha_val = 0.59f; },
         [](const TextPanelState& s) { EXPECT_EQ(s.alphaPercent, 59); }},
        {"opacity not a number", [](SKTText& t) { t.alpha_val = NAN; },
         [](const TextPanelState& s) { EXPECT_EQ(s.alphaPercent, 100); }},
        {"alignment, case, spacing, print",
         [](SKTText& t) { t.text_alignmnet = 2; t.text_transfrom_case = 3; t.text_kerning = 1.5f; t.print_object = 1; },
         [](const TextPanelState& s) { EXPECT_EQ(s.alignIndex, 2); EXPECT_EQ(s.caseIndex, 3); EXPECT_EQ(s.kerning, 1.5); EXPECT_EQ(s.printObject, 1); }},
        {"codes without items", [](SKTText& t) { t.text_alignmnet = 7; t.text_transfrom_case = -2; },
         [](const TextPanelState& s) { EXPECT_EQ(s.alignIndex, -1); EXPECT_EQ(s.caseIndex, -1); }},
        {"colour and font", [](SKTText& t) { t.txt_clr = blue; t.text_ctrl_font = FontSpec("Liberation Serif", 21); },
         [](const TextPanelState& s) { EXPECT_EQ(s.textColour, blue); EXPECT_EQ(s.font, FontSpec("Liberation Serif", 21)); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SKTText text;
        row.set(text);
        row.check(TextPanelRules::fromGraphic(text));
    }
}

TEST(TextPanelRulesTest, ApplyToWritesEachControl)
{
    const struct {
        const char* name;
        std::function<void(TextPanelState&)> set;
        std::function<void(const SKTText&)> check;
        bool onlyOne = true;
    } rows[] = {
        {"border on", [](TextPanelState& s) { s.borderOn = true; s.borderColour = red; s.borderWidth = 4; },
         [](const SKTText& t) { EXPECT_TRUE(t._isDrawingStroke); EXPECT_EQ(t._strokeColor, red); EXPECT_EQ(t._strokeWidth, 4); }},
        {"border off keeps colour and width", [](TextPanelState& s) { s.borderColour = red; s.borderWidth = 9; },
         [](const SKTText& t) { EXPECT_FALSE(t._isDrawingStroke); EXPECT_EQ(t._strokeColor, blue); EXPECT_EQ(t._strokeWidth, 2); }},
        {"dash index", [](TextPanelState& s) { s.borderStyleIndex = 3; },
         [](const SKTText& t) { EXPECT_EQ(t._stroke_border_type, "DD"); }},
        {"no dash item keeps the code", [](TextPanelState& s) { s.borderStyleIndex = -1; },
         [](const SKTText& t) { EXPECT_EQ(t._stroke_border_type, "DA"); }},
        {"gradient fill", [](TextPanelState& s) { s.fillOn = s.gradientRadio = true; s.solidRadio = false; s.gradientAngle = 30.5; },
         [](const SKTText& t) { EXPECT_TRUE(t._isDrawingFill); EXPECT_EQ(t._fill_type, "G"); EXPECT_EQ(t._fill_grad_angle, 30.5); }},
        {"gradient radio, fill off", [](TextPanelState& s) { s.gradientRadio = true; s.fillColour = red; },
         [](const SKTText& t) { EXPECT_FALSE(t._isDrawingFill); EXPECT_EQ(t._fill_type, "S"); EXPECT_EQ(t._fillColor, blue); }},
        {"opacity 40", [](TextPanelState& s) { s.alphaPercent = 40; },
         [](const SKTText& t) { EXPECT_FLOAT_EQ(t.alpha_val, 0.4f); }},
        {"alignment and case", [](TextPanelState& s) { s.alignIndex = 3; s.caseIndex = 2; },
         [](const SKTText& t) { EXPECT_EQ(t.text_alignmnet, 3); EXPECT_EQ(t.text_transfrom_case, 2); }},
        {"no alignment or case item", [](TextPanelState& s) { s.alignIndex = -1; s.caseIndex = 9; },
         [](const SKTText& t) { EXPECT_EQ(t.text_alignmnet, 1); EXPECT_EQ(t.text_transfrom_case, 1); }},
        {"colour, font, spacing, print",
         [](TextPanelState& s) { s.textColour = red; s.font = FontSpec("Liberation Mono", 9); s.kerning = -1.5; s.printObject = 1; },
         [](const SKTText& t) { EXPECT_EQ(t.txt_clr, red); EXPECT_EQ(t.text_ctrl_font, FontSpec("Liberation Mono", 9));
                                EXPECT_EQ(t.text_kerning, -1.5f); EXPECT_EQ(t.print_object, 1); }},
        {"text, one selected", [](TextPanelState& s) { s.text = "New"; },
         [](const SKTText& t) { EXPECT_EQ(t._Text_contents->string(), "New"); EXPECT_EQ(t._Text_contents->font().pointSize(), 30); }},
        {"text, several selected", [](TextPanelState& s) { s.text = "New"; },
         [](const SKTText& t) { EXPECT_EQ(t._Text_contents->string(), "Old"); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SKTText text;
        text._strokeColor = text._fillColor = blue;
        text._strokeWidth = 2;
        text._stroke_border_type = "DA";
        text.text_alignmnet = text.text_transfrom_case = 1;
        text._Text_contents = std::make_shared<AttributedText>("Old", FontSpec("Liberation Sans", 30), blue);
        TextPanelState state = TextPanelRules::fromGraphic(text);
        state.borderOn = state.fillOn = false;
        row.set(state);
        TextPanelRules::applyTo(state, text, row.onlyOne);
        row.check(text);
    }
}

TEST(TextPanelRulesTest, EditorRemovesPlaceholderAndCutsAtCharacterBoundary)
{
    const QString a249(249, QLatin1Char('a'));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\x89");   // one character, two UTF-16 units
    const QString accented = QStringLiteral("e\u0301");
    const struct {
        const char* name;
        QString text;
        int caret;
        TextPanelRules::EditedText expected;
    } rows[] = {
        {"typed after the placeholder", "Text hereA", 10, {"A", 1}},
        {"pasted twice", "Dear Text here and Text here!", 29, {"Dear  and !", 11}},
        {"brought together by a removal", "TextText here here", 18, {"", 0}},
        {"caret inside the placeholder", "xText herey", 3, {"xy", 1}},
        {"caret before it stays", "ab Text here", 1, {"ab ", 1}},
        {"exactly 250 stays", QString(250, 'b'), 250, {QString(250, 'b'), 250}},
        {"251 keeps 250", QString(251, 'b'), 251, {QString(250, 'b'), 250}},
        {"emoji across the limit", a249 + emoji, 251, {a249, 249}},
        {"emoji ending at the limit", QString(248, 'a') + emoji + "z", 2, {QString(248, 'a') + emoji, 2}},
        {"combining mark across the limit", a249 + accented, 251, {a249, 249}},
        {"placeholder removed before the cut", "Text here" + QString(250, 'c'), 0, {QString(250, 'c'), 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TextPanelRules::editedText(row.text, row.caret), row.expected);
    }
}

class TextPanelTest : public WindowControllerFixture
{
protected:
    void TearDown() override
    {
        FontChooser::setHandler({});
        WindowControllerFixture::TearDown();
    }
    CanvasController& canvas() const { return controller->graphicView(0)->controller(); }
    TextPanel& panel() const { return *controller->textPanel(); }
    // `count` new texts on the front side, all selected, the panel showing the first.
    QList<std::shared_ptr<SKTText>> texts(int count)
    {
        for (int i = 0; i < count; ++i)
            control<QAbstractButton>("Text_Tool_btn")->click();
        QList<std::shared_ptr<SKTText>> made;
        for (const GraphicPtr& g : controller->Get_Front_Controls_Array())
            made << std::dynamic_pointer_cast<SKTText>(g);
        EXPECT_EQ(made.size(), count);
        canvas().changeSelectionIndexes(IndexSet::range(0, count));
        panel().load(*made.first());
        return made;
    }
};

// A design's "Times New Roman" is drawn with its metric twin: the dialog opens
// on the twin, and keeping it keeps the design's name.
TEST(FontChooserTest, AFamilyDrawnByAnotherOpensOnItAndKeepsItsName)
{
    const FontSpec times("Times New Roman", 14);
    const QFont start = FontChooser::dialogStartFont(times);
    EXPECT_EQ(start.family(), "Liberation Serif");
    EXPECT_EQ(start.pointSizeF(), 14.0);

    QFont smaller = start;
    smaller.setPointSizeF(10);
    EXPECT_EQ(FontChooser::answerFor(times, smaller), FontSpec("Times New Roman", 10));
    QFont other("Liberation Sans");
    other.setPointSizeF(12);
    EXPECT_EQ(FontChooser::answerFor(times, other), FontSpec("Liberation Sans", 12));
}

TEST_F(TextPanelTest, ColourGoesToEveryTextButTheWordsOnlyToASingleOne)
{
    const auto three = texts(3);
    const bool firstStroke = three[0]->_isDrawingStroke;
    three[1]->_isDrawingStroke = !firstStroke;
    three[2]->Text_contents()->setString("Second");
    control<QPlainTextEdit>("Text_value_Edit")->setPlainText("Typed");
    control<ColorWell>("Text_clr")->setColour(red);
    controller->Set_TextControl_Clr();
    for (const auto& t : three) {
        EXPECT_EQ(t->txt_clr, red);
        EXPECT_EQ(t->_isDrawingStroke, firstStroke);   // the whole panel, as the first text filled it
    }
    EXPECT_EQ(three[2]->Text_contents()->string(), "Second");

    canvas().changeSelectionIndexes(IndexSet::range(2, 1));
    control<QPlainTextEdit>("Text_value_Edit")->setPlainText("Only one");
    EXPECT_EQ(three[2]->Text_contents()->string(), "Only one");
    EXPECT_EQ(three[0]->Text_contents()->string(), "Text here");
}

// After clicks, Shift-clicks, rubber bands and pastes the editor shows the
// selected text's own words; typing writes into it and Undo gives them back.
TEST_F(TextPanelTest, EditorShowsTheSelectedTextsOwnWordsAfterEverySelection)
{
    // Steps ("A" click, "+A" Shift-click, "band A" rubber band, "type W", "copy", "paste"); the words of the text
    // selected alone at the end; the first text's words at the end (the others keep theirs).
    const std::tuple<QStringList, QString, QString> rows[] = {
        {{"A", "+B", "+B"}, "First Last", "First Last"},
        {{"A", "+B", "+B", "type CHANGED", "B"}, "Department", "CHANGED"},
        {{"A", "+B", "type CHANGED", "+A"}, "Department", "First Last"},
        {{"A", "band B"}, "Department", "First Last"},
        {{"B", "copy", "A", "paste"}, "Department", "First Last"}};
    const QStringList own = {"First Last", "Department", "Staff"};
    QWidget* window = controller->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    SKTGraphicView* view = controller->graphicView(0);
    auto* editor = control<QPlainTextEdit>("Text_value_Edit");
    const auto three = texts(3);
    const auto centre = [&](const QString& step) {
        return three[step.back().unicode() - 'A']->bounds().center().toPoint();
    };
    const auto type = [&](const QString& words) {
        editor->setFocus();
        editor->selectAll();
        QTest::keyClicks(editor, words);
    };
    for (const auto& [steps, shown, first] : rows) {
        SCOPED_TRACE(steps.join(' ').toStdString());
        for (int i = 0; i < 3; ++i) {
            three[i]->setBounds(QRectF(10, 10 + 40 * i, 100, 20));
            three[i]->Text_contents()->setString(own[i]);
        }
        controller->Show_RHS_Properties(nullptr);
        for (const QString& step : steps) {
            if (step.startsWith("type ")) {
                type(step.mid(5));
            } else if (step.startsWith("band ")) {
                const QPoint from(150, centre(step).y() - 5), to(60, centre(step).y() + 2);
                QTest::mousePress(view, Qt::LeftButton, {}, from);
                QTest::mouseMove(view, (from + to) / 2);
                QTest::mouseMove(view, to);
                QTest::mouseRelease(view, Qt::LeftButton, {}, to);
            } else if (step == "copy" || step == "paste") {
                step == "copy" ? controller->Copy_Clicked() : controller->Paste_Clicked();
            } else {
                QTest::mouseClick(view, Qt::LeftButton, step.startsWith('+') ? Qt::ShiftModifier : Qt::NoModifier,
                                  centre(step));
            }
            QCoreApplication::processEvents();
        }
        const GraphicList selected = canvas().selectedGraphics();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(canvas()._Selected_Graphic.get(), selected[0].get()); // what the inspector's buttons act on
        EXPECT_EQ(editor->toPlainText(), shown);
        type("XYZ");
        EXPECT_EQ(selected[0]->Text_contents()->string(), "XYZ");
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(selected[0]->Text_contents()->string(), shown);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(three[i]->Text_contents()->string(), i ? own[i] : first) << i;
    }
}

TEST_F(TextPanelTest, EditorOnTheWindowCutsTypingAndKeepsTheCaret)
{
    const auto one = texts(1);
    auto* editor = control<QPlainTextEdit>("Text_value_Edit");
    EXPECT_EQ(editor->toPlainText(), "Text here");
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, "Hi");
    EXPECT_EQ(editor->toPlainText(), "Hi");
    EXPECT_EQ(editor->textCursor().position(), 2);
    editor->insertPlainText(QString(300, 'x'));
    EXPECT_EQ(editor->toPlainText().size(), 250);
    EXPECT_EQ(editor->textCursor().position(), 250);
    EXPECT_EQ(one[0]->Text_contents()->string(), editor->toPlainText());
}

TEST_F(TextPanelTest, DateGoesOverTheSelectionOrAsksForAFormat)
{
    const auto one = texts(1);
    auto* dates = control<QComboBox>("Text_Date_style");
    EXPECT_EQ(dates->currentText(), "M-d-yyyy");
    dates->setCurrentIndex(dates->findText("yyyy-MM-dd"));
    const QString before = Get_date_Value("yyyy-MM-dd");
    control<QAbstractButton>("Text_Date_btn")->click();   // over "Text here", selected by the load
    const QString written = one[0]->Text_contents()->string();
    EXPECT_TRUE(written == before || written == Get_date_Value("yyyy-MM-dd")) << written.toStdString();
    EXPECT_TRUE(QDate::fromString(written, "yyyy-MM-dd").isValid());

    dates->setCurrentIndex(-1);
    control<QAbstractButton>("Text_Date_btn")->click();
    ASSERT_FALSE(presenter.texts().isEmpty());
    EXPECT_EQ(presenter.texts().last().trimmed(), "Please select Date format.");
    EXPECT_EQ(one[0]->Text_contents()->string(), written);
}

TEST_F(TextPanelTest, ScriptedFontChooserSetsLabelAndTexts)
{
    const auto two = texts(2);
    const FontSpec before = two[0]->text_ctrl_font;
    FontSpec offered;
    FontChooser::setHandler([&](const FontSpec& current) -> std::optional<FontSpec> {
        offered = current;
        return FontSpec("Liberation Serif", 18.5);
    });
    control<QAbstractButton>("Text_Font_btn")->click();
    EXPECT_EQ(offered, before);
    EXPECT_EQ(control<QLabel>("Text_font_value")->text(), "Liberation Serif ( 18.50 )");
    for (const auto& t : two)
        EXPECT_EQ(t->text_ctrl_font, FontSpec("Liberation Serif", 18.5));

    FontChooser::setHandler([](const FontSpec&) { return std::optional<FontSpec>(); });
    controller->Text_Font_Changed();
    EXPECT_EQ(controller->Text_font, FontSpec("Liberation Serif", 18.5));
}

namespace {
// The dark pixels of a text drawn at four times its size.
int ink(SKTText& text)
{
    QImage image((text.bounds().size() * 4).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(4, 4);
    painter.translate(-text.bounds().topLeft());
    text.drawContentsInView(painter, false);
    painter.end();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    }
    return dark;
}
}

// A face picked in the font chooser (as the dialog answers it) reaches the
// label, the selected text, the text's archive and its drawing.
TEST_F(TextPanelTest, ChosenFaceReachesLabelTextArchiveAndDrawing)
{
    const struct {
        const char* family;
        const char* style;
        bool bold;
        bool italic;
        const char* label;
        const char* postScriptName;
    } rows[] = {
        {"DejaVu Sans", "Book", false, false, "DejaVu Sans ( 18.00 )", "DejaVuSans"},
        {"DejaVu Sans", "Bold", true, false, "DejaVu Sans Bold ( 18.00 )", "DejaVuSans-Bold"},
        {"DejaVu Sans", "Oblique", false, true, "DejaVu Sans Oblique ( 18.00 )", "DejaVuSans-Oblique"},
        {"DejaVu Sans", "Bold Oblique", true, true, "DejaVu Sans Bold Oblique ( 18.00 )", "DejaVuSans-BoldOblique"},
        {"Liberation Serif", "Regular", false, false, "Liberation Serif ( 18.00 )", "LiberationSerif"},
        {"Liberation Serif", "Bold", true, false, "Liberation Serif Bold ( 18.00 )", "LiberationSerif-Bold"},
        {"Liberation Serif", "Italic", false, true, "Liberation Serif Italic ( 18.00 )", "LiberationSerif-Italic"},
        {"Liberation Serif", "Bold Italic", true, true, "Liberation Serif Bold Italic ( 18.00 )",
         "LiberationSerif-BoldItalic"},
    };
    const auto made = texts(1);
    SKTText& text = *made.first();
    text.Text_contents()->setString(QStringLiteral("Wedding"));
    text._bounds = QRectF(10, 10, 120, 30);
    std::map<QString, int> regularInk;
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.family) + " " + row.style);
        FontChooser::setHandler([&](const FontSpec& current) -> std::optional<FontSpec> {
            return FontChooser::answerFor(current, QFontDatabase::font(row.family, row.style, 18));
        });
        control<QAbstractButton>("Text_Font_btn")->click();
        EXPECT_EQ(control<QLabel>("Text_font_value")->text(), row.label);

        const FontSpec& font = text.text_ctrl_font;
        EXPECT_EQ(font.family(), row.family);
        EXPECT_EQ(font.weight() >= QFont::Bold, row.bold);
        EXPECT_EQ(font.italic(), row.italic);
        const GraphicPtr read = SKTGraphicArchive::graphicWithArchivedData(SKTGraphicArchive::archivedData(text));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->text_ctrl_font.postScriptName(), row.postScriptName);
        EXPECT_EQ(read->text_ctrl_font.withPointSize(18), FontSpec(row.family, 18, row.postScriptName,
                                                                   font.weight(), row.italic));
        const QFontInfo drawn(read->text_ctrl_font.toQFont());
        EXPECT_EQ(drawn.bold(), row.bold);
        EXPECT_EQ(drawn.italic(), row.italic);

        // Bold strokes are visibly heavier than the regular face's.
        const int dark = ink(static_cast<SKTText&>(*read));
        if (!row.bold && !row.italic) {
            regularInk[row.family] = dark;
        } else if (row.bold) {
            EXPECT_GT(dark, regularInk[row.family] * 11 / 10);
        }
    }
}

TEST_F(TextPanelTest, BorderWidthThroughTheWindowRedrawsTheCanvas)
{
    const auto one = texts(1);
    one[0]->_isDrawingStroke = false;
    panel().load(*one[0]);
    SKTGraphicView* front = controller->graphicView(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(front->window()));
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override { paints += e->type() == QEvent::Paint; return false; }
    } counter;
    QCoreApplication::processEvents();
    front->installEventFilter(&counter);
    control<QAbstractButton>("Text_border_chk")->click();

    control<QSpinBox>("Text_bor_Stepper")->setValue(6);
    QCoreApplication::processEvents();
    EXPECT_TRUE(one[0]->_isDrawingStroke);
    EXPECT_EQ(one[0]->_strokeWidth, 6);
    EXPECT_GT(counter.paints, 0);
    // The panel records no undo: undoing takes back the text's creation,
    // not the width.
    if (document->undoManager()->canUndo())
        document->undoManager()->undo();
    EXPECT_EQ(one[0]->_strokeWidth, 6);
    EXPECT_TRUE(one[0]->_isDrawingStroke);
}

}
