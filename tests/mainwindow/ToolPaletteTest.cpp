// The main window's tool palette and edit buttons, driven through the
// window's own controls.

#include "WindowControllerFixture.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/ToolTable.h"
#include "model/Globals.h"
#include "model/SKTImage.h"
#include "platform/UndoManager.h"

#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ToolPaletteTest : public WindowControllerFixture
{
protected:
    QToolButton* tool(const char* name) const { return control<QToolButton>(name); }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }

    GraphicList side(int s) const
    {
        return s == 1 ? controller->Get_Back_Controls_Array() : controller->Get_Front_Controls_Array();
    }
    CanvasController& canvas(int s) const { return controller->graphicView(s)->controller(); }

    // Where the next new object goes: each coordinate steps by the larger of
    // 20 and the side's object count and starts again at 10 when the object
    // would reach the card's edge (243 x 154).
    static QPointF nextPlacement(QPointF last, int count)
    {
        const double step = std::max(20, count);
        const double x = last.x() + step + 50 >= 243 ? 10 : last.x() + step;
        const double y = last.y() + step + 50 >= 154 ? 10 : last.y() + step;
        return QPointF(x, y);
    }
};

TEST_F(ToolPaletteTest, EveryToolButtonPlacesItsKindOnTheCurrentSide)
{
    const struct {
        const char* button;
        const char* className;
        QString shape;
        QSizeF size;
    } cases[] = {
        {"Line_Tool_btn", "SKTLine", "", {50, 50}},
        {"Text_Tool_btn", "SKTText", "", {50, 50}},
        {"Rect_Tool_btn", "Shape_Control", "R", {50, 50}},
        {"Circle_Tool_btn", "Shape_Control", "C", {50, 50}},
        {"Round_Rect_Tool_btn", "Shape_Control", "RR", {50, 50}},
        {"Triangle_Tool_btn", "Shape_Control", "T", {50, 50}},
        {"Diamond_Tool_btn", "Shape_Control", "D", {50, 50}},
        {"Barcode_Tool_btn", "SKTBarcode", "", {120, 60}},
        {"Signature_Tool_btn", "SKTSignature", "", {100, 50}},
        {"Star_Tool_btn", "Shape_Control", "S", {50, 50}},
        {"Double_Star_Tool_btn", "Shape_Control", "DS", {50, 50}},
        {"Polygon_Tool_btn", "Shape_Control", "P", {50, 50}},
    };

    for (int s : {0, 1}) {
        control<QPushButton>(s == 0 ? "Front_Side_btn" : "Back_Side_btn")->click();
        ASSERT_EQ(Card_Front_Or_Back, s);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.button) + (s ? " back" : " front"));
            const QPointF expected = nextPlacement(QPointF(last_ctrl_X, last_ctrl_Y), int(side(s).size()));
            const int before = int(side(s).size());
            tool(c.button)->click();

            ASSERT_EQ(side(s).size(), before + 1);
            const GraphicPtr made = side(s).at(0);
            EXPECT_EQ(made->className(), c.className);
            EXPECT_EQ(made->bounds(), QRectF(expected, c.size));
            if (!c.shape.isEmpty()) {
                EXPECT_EQ(made->Get_shape_type(), c.shape);
            }
            if (made->kind() == SKTGraphic::Kind::Signature) {
                EXPECT_EQ(made->Sign_Or_FP_Val(), "S");
            }
            EXPECT_EQ(canvas(s).selectionIndexes(), IndexSet(0));
            // the tool stays, and the palette shows it
            EXPECT_NE(controller->Selected_Control_Tool, 0);
            EXPECT_TRUE(tool(c.button)->isChecked());
        }
        EXPECT_EQ(side(1 - s).size(), s == 0 ? 0 : int(std::size(cases)));
    }
}

TEST_F(ToolPaletteTest, WithTheTempSideShownAToolStillPlacesOnTheSideBeingEdited)
{
    control<QPushButton>("Back_Side_btn")->click();
    control<QPushButton>("Temp_Side_btn")->click();
    tool("Circle_Tool_btn")->click();
    EXPECT_EQ(side(1).size(), 1);
    EXPECT_EQ(side(0).size(), 0);
}

TEST_F(ToolPaletteTest, TheSelectingToolsAndACancelledLibraryMakeNothing)
{
    tool("Arrow_Tool_btn")->click();
    tool("Fingure_Print_Tool_btn")->click();
    EXPECT_TRUE(side(0).isEmpty());
    ASSERT_TRUE(tool("Image_Library_Tool_btn")->isEnabled());
    tool("Image_Library_Tool_btn")->click();   // the fixture's library answers Cancel
    EXPECT_TRUE(side(0).isEmpty());
    // every tool button shows a picture of its own
    const QList<QToolButton*> tools = control<QWidget>("Tool_Palette_Box")->findChildren<QToolButton*>();
    EXPECT_EQ(tools.size(), ToolTable::toolCount);
    for (QToolButton* t : tools)
        EXPECT_FALSE(t->icon().isNull()) << t->objectName().toStdString();
}

TEST_F(ToolPaletteTest, ThePictureToolAsksForAFileAndMakesNothingWhenCancelled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.png");
    QImage photo(64, 32, QImage::Format_RGB32);
    photo.fill(Qt::green);
    ASSERT_TRUE(photo.save(path));

    QStringList askedTypes;
    OpenPanel::setHandler([&](const QString&, const QStringList& types) {
        askedTypes = types;
        return path;
    });
    tool("Image_Tool_btn")->click();
    EXPECT_EQ(askedTypes, QStringList({"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"}));
    ASSERT_EQ(side(0).size(), 1);
    auto* image = dynamic_cast<SKTImage*>(side(0).at(0).get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->FilePath(), path);
    EXPECT_EQ(Library_Selected_Image, path);
    EXPECT_EQ(image->bounds(), QRectF(30, 30, 50, 50));
    EXPECT_EQ(image->_contents.image().size(), QSize(64, 32));

    OpenPanel::setHandler([](const QString&, const QStringList&) { return QString(); });
    tool("Image_Tool_btn")->click();
    EXPECT_EQ(side(0).size(), 1);
    EXPECT_TRUE(Library_Selected_Image.isEmpty());
}

TEST_F(ToolPaletteTest, UndoAndRedoButtonsFollowTheUndoHistory)
{
    EXPECT_FALSE(button("Undo_btn")->isEnabled());
    EXPECT_FALSE(button("Redo_btn")->isEnabled());

    tool("Rect_Tool_btn")->click();
    EXPECT_TRUE(button("Undo_btn")->isEnabled());
    EXPECT_FALSE(button("Redo_btn")->isEnabled());

    button("Undo_btn")->click();
    EXPECT_TRUE(side(0).isEmpty());
    EXPECT_FALSE(button("Undo_btn")->isEnabled());
    EXPECT_TRUE(button("Redo_btn")->isEnabled());

    button("Redo_btn")->click();
    ASSERT_EQ(side(0).size(), 1);
    EXPECT_EQ(canvas(0).selectionIndexes(), IndexSet(0));
    EXPECT_TRUE(button("Undo_btn")->isEnabled());
    EXPECT_FALSE(button("Redo_btn")->isEnabled());

    // A change no command reports (a nudge) still enables Undo once the
    // event is over.
    document->undoManager()->removeAllActions();
    controller->Undo_Redo_Button_state();
    EXPECT_FALSE(button("Undo_btn")->isEnabled());
    canvas(0).moveRight();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(button("Undo_btn")->isEnabled());
}

TEST_F(ToolPaletteTest, EditButtonsFollowTheSelectionAndThePasteboard)
{
    EXPECT_FALSE(button("Copy_btn")->isEnabled());
    EXPECT_FALSE(button("Cut_btn")->isEnabled());
    EXPECT_FALSE(button("Delete_btn")->isEnabled());
    EXPECT_FALSE(button("Paste_btn")->isEnabled());

    tool("Rect_Tool_btn")->click();
    EXPECT_TRUE(button("Copy_btn")->isEnabled());
    EXPECT_TRUE(button("Delete_btn")->isEnabled());

    // file names alone leave Paste off
    auto* names = new QMimeData;
    names->setUrls({QUrl::fromLocalFile("/tmp/a.png")});
    pasteboard.putForeign(names);
    controller->Set_Paste_Button_Status();
    EXPECT_FALSE(button("Paste_btn")->isEnabled());

    button("Copy_btn")->click();
    EXPECT_TRUE(button("Paste_btn")->isEnabled());
    button("Paste_btn")->click();
    ASSERT_EQ(side(0).size(), 2);
    EXPECT_EQ(side(0).at(0)->bounds(), QRectF(50, 50, 50, 50));

    button("Delete_btn")->click();
    EXPECT_EQ(side(0).size(), 1);
    EXPECT_FALSE(button("Copy_btn")->isEnabled());

    // the back side has its own selection
    tool("Rect_Tool_btn")->click();
    control<QPushButton>("Back_Side_btn")->click();
    EXPECT_FALSE(button("Copy_btn")->isEnabled());
}

TEST_F(ToolPaletteTest, ClickingAToolDraggingTheObjectAndUndoingWithTheMouse)
{
    QWidget* window = controller->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    SKTGraphicView* view = controller->graphicView(0);

    QTest::mouseClick(tool("Rect_Tool_btn"), Qt::LeftButton);
    ASSERT_EQ(side(0).size(), 1);
    const GraphicPtr made = side(0).at(0);
    EXPECT_EQ(made->bounds(), QRectF(30, 30, 50, 50));

    QTest::mouseClick(tool("Arrow_Tool_btn"), Qt::LeftButton);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(55, 55));
    QTest::mouseMove(view, QPoint(75, 70));
    QTest::mouseMove(view, QPoint(95, 85));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(95, 85));
    EXPECT_EQ(made->bounds(), QRectF(70, 60, 50, 50));
    QCoreApplication::processEvents();
    EXPECT_TRUE(button("Undo_btn")->isEnabled());

    // the whole drag is one step
    QTest::mouseClick(button("Undo_btn"), Qt::LeftButton);
    EXPECT_EQ(made->bounds(), QRectF(30, 30, 50, 50));
    EXPECT_EQ(canvas(0).selectionIndexes(), IndexSet(0));

    // the keys: undo takes the object away, redo brings it back
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(side(0).isEmpty());
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(side(0).size(), 1);

    // copy and paste by key
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(side(0).size(), 2);

    // Delete on the canvas removes the selection
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(side(0).size(), 1);
}

TEST_F(ToolPaletteTest, PasteByKeyTakesAPictureFromAnotherProgram)
{
    QWidget* window = controller->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QImage picture(40, 24, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    auto* data = new QMimeData;
    data->setImageData(picture);
    pasteboard.putForeign(data);
    controller->Set_Paste_Button_Status();
    EXPECT_TRUE(button("Paste_btn")->isEnabled());

    QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(side(0).size(), 1);
    EXPECT_EQ(side(0).at(0)->className(), "SKTImage");
    EXPECT_EQ(side(0).at(0)->bounds(), QRectF(50, 50, 40, 24));
}

}
