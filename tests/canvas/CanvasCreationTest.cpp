// Making objects on a side: the kind each tool number makes, placement with
// and without the grid, drawing a new object out with the mouse, and a
// creation that makes nothing leaving no trace on any side or in undo.

#include "CanvasTestSupport.h"

#include "model/SKTLine.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Points the resource folder and the chosen picture at a temporary folder
// while it lives.
class PictureFiles
{
public:
    PictureFiles() : m_resources(Resource_Path), m_picture(Library_Selected_Image)
    {
        Resource_Path = m_dir.path();
        QFile file(existing());
        file.open(QIODevice::WriteOnly);
        file.write("not read by the canvas");
    }
    ~PictureFiles()
    {
        Resource_Path = m_resources;
        Library_Selected_Image = m_picture;
    }
    PictureFiles(const PictureFiles&) = delete;
    PictureFiles& operator=(const PictureFiles&) = delete;

    QString existing() const { return m_dir.filePath(QStringLiteral("photo.png")); }
    QString missing() const { return m_dir.filePath(QStringLiteral("gone.png")); }
    QString resource(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_resources;
    QString m_picture;
};

struct ToolCase {
    int tool;
    const char* className;       // passed to the creation
    const char* expectedClass;
    const char* shapeCode;       // expected `_shape_type`
    enum { NoPicture, ExistingPicture, MissingPicture } picture;
};

} // namespace

TEST(CanvasCreation, EachToolMakesItsKindAtThePlacementPointWithAndWithoutTheGrid)
{
    const ToolCase cases[] = {
        {0, "Shape_Control", "Shape_Control", "R", ToolCase::NoPicture},
        {1, "SKTLine", "SKTLine", "R", ToolCase::NoPicture},
        {2, "SKTText", "SKTText", "R", ToolCase::NoPicture},
        {3, "Shape_Control", "Shape_Control", "R", ToolCase::NoPicture},
        {4, "Shape_Control", "Shape_Control", "C", ToolCase::NoPicture},
        {5, "Shape_Control", "Shape_Control", "RR", ToolCase::NoPicture},
        {6, "Shape_Control", "Shape_Control", "T", ToolCase::NoPicture},
        {7, "Shape_Control", "Shape_Control", "D", ToolCase::NoPicture},
        {8, "SKTImage", "SKTImage", "R", ToolCase::ExistingPicture},
        {8, "SKTImage", "SKTImage", "R", ToolCase::MissingPicture},
        {9, "SKTImage", "SKTImage", "R", ToolCase::ExistingPicture},
        {10, "SKTBarcode", "SKTBarcode", "R", ToolCase::NoPicture},
        {11, "SKTSignature", "SKTSignature", "R", ToolCase::NoPicture},
        {12, "SKTSignature", "SKTSignature", "R", ToolCase::NoPicture},
        {13, "Shape_Control", "Shape_Control", "S", ToolCase::NoPicture},
        {14, "Shape_Control", "Shape_Control", "DS", ToolCase::NoPicture},
        {15, "Shape_Control", "Shape_Control", "P", ToolCase::NoPicture},
    };
    for (bool withGrid : {false, true}) {
        for (const ToolCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "tool " << c.tool << (withGrid ? " with grid" : ""));
            CanvasMainWindow window;
            PictureFiles files;
            BoundCanvas side;
            if (withGrid)
                side.useGrid();
            side.fill({rectangleAt({100, 100, 20, 20})});
            window.Selected_Control_Tool = c.tool;
            Library_Selected_Image = c.picture == ToolCase::MissingPicture ? files.missing() : files.existing();

            side.canvas.createGraphicOfClass(QString::fromLatin1(c.className), nullptr, true, {0, 0, 50, 50},
                                             QStringLiteral("F"), QString(), QString());

            ASSERT_EQ(side.list().size(), 2);
            const GraphicPtr made = side.list().at(0);
            EXPECT_EQ(made->className(), QLatin1String(c.expectedClass));
            EXPECT_EQ(made->_shape_type, QLatin1String(c.shapeCode));
            // A 50 x 50 square at (10, 10); the grid of 9 snaps the origin and
            // the far corner separately.
            const QRectF expected = withGrid ? QRectF(9, 9, 54, 54) : QRectF(10, 10, 50, 50);
            if (c.tool == 1) {
                EXPECT_EQ(static_cast<SKTLine&>(*made).endPoint(), expected.topLeft());   // drawn upwards
            }
            EXPECT_EQ(made->bounds(), expected);
            EXPECT_EQ(window.askedSides, QStringList {QStringLiteral("F")});
            EXPECT_EQ(side.selection.selectionIndexes(), IndexSet(0));
            EXPECT_EQ(side.canvas._Selected_Graphic, made);
            EXPECT_EQ(side.canvas.creatingGraphic(), nullptr);

            if (c.tool == 8 || c.tool == 9) {
                EXPECT_EQ(made->_file_path, Library_Selected_Image);
            }
            if (c.tool == 11 || c.tool == 12) {
                EXPECT_EQ(made->sign_or_fingureprint, QLatin1String(c.tool == 11 ? "S" : "F"));
                EXPECT_EQ(made->_file_path, files.resource(c.tool == 11 ? QStringLiteral("sign_sample.png")
                                                                        : QStringLiteral("fingerprints.png")));
            }
            const bool resetsPictureControls = c.tool == 8 || c.tool == 9 || c.tool == 11 || c.tool == 12;
            EXPECT_EQ(window.pictureControlResets, resetsPictureControls ? 1 : 0);

            // The whole creation is one step.
            ASSERT_TRUE(side.undo().canUndo());
            side.undo().undo();
            EXPECT_EQ(side.list().size(), 1);
            EXPECT_FALSE(side.undo().canUndo());
        }
    }
}

TEST(CanvasCreation, PlacementFollowsRectangleIdentifierAndSide)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 3;
    window.newPoint = {30, 40};

    {
        // A fill with an identifier keeps its own rectangle.
        BoundCanvas side;
        side.canvas.createGraphicOfClass(QStringLiteral("Shape_Control"), nullptr, true, {5, 6, 70, 20},
                                         QStringLiteral("F"), QString(), QStringLiteral("Fup_Name"));
        EXPECT_EQ(side.list().at(0)->bounds(), QRectF(5, 6, 70, 20));
        EXPECT_EQ(side.list().at(0)->control_ID, QLatin1String("Fup_Name"));
        EXPECT_TRUE(window.askedSides.isEmpty());
    }
    {
        // Without a rectangle: a 50 x 50 square at the side's next point.
        BoundCanvas side(SKTDocumentGraphicsKey_back);
        side.canvas.createGraphicOfClass(QStringLiteral("Shape_Control"), nullptr, false, {5, 6, 70, 20},
                                         QStringLiteral("B"), QString(), QString());
        EXPECT_EQ(side.list().at(0)->bounds(), QRectF(30, 40, 50, 50));
        EXPECT_EQ(window.askedSides, QStringList {QStringLiteral("B")});
    }
}

TEST(CanvasCreation, TextWithAValueHasNoFrameOrFillAndAPartyTitleIsCentred)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 2;
    BoundCanvas side;
    const auto make = [&](const QString& value, const QString& id) {
        side.canvas.createGraphicOfClass(QStringLiteral("SKTText"), nullptr, true, {0, 0, 50, 50},
                                         QStringLiteral("F"), value, id);
        return side.list().at(0);
    };

    const GraphicPtr title = make(QStringLiteral("Garden party"), QStringLiteral("PARTY_TITLE"));
    EXPECT_EQ(title->Text_Value, QLatin1String("Garden party"));
    EXPECT_FALSE(title->_isDrawingStroke);
    EXPECT_FALSE(title->_isDrawingFill);
    EXPECT_EQ(title->text_alignmnet, 2);

    const GraphicPtr venue = make(QStringLiteral("The old mill"), QStringLiteral("PARTY_VENUE"));
    EXPECT_EQ(venue->text_alignmnet, 0);

    const GraphicPtr empty = make(QString(), QStringLiteral("PARTY_TITLE"));
    EXPECT_EQ(empty->Text_Value, QLatin1String("Text here"));
    EXPECT_TRUE(empty->_isDrawingStroke);
    EXPECT_TRUE(empty->_isDrawingFill);
    EXPECT_EQ(empty->text_alignmnet, 0);
}

TEST(CanvasCreation, PictureToolWithoutAChosenPictureMakesNothing)
{
    for (int tool : {8, 9}) {
        SCOPED_TRACE(tool);
        CanvasMainWindow window;
        PictureFiles files;
        BoundCanvas side;
        window.Selected_Control_Tool = tool;
        window.toolClass = QStringLiteral("SKTImage");
        Library_Selected_Image.clear();

        side.canvas.createGraphicOfClass(QStringLiteral("SKTImage"), nullptr, true, {0, 0, 50, 50},
                                         QStringLiteral("F"), QString(), QString());
        side.press(20, 20);
        side.dragTo(60, 60);
        side.release(60, 60);

        EXPECT_TRUE(side.list().isEmpty());
        EXPECT_FALSE(side.undo().canUndo());
        EXPECT_EQ(side.canvas._Selected_Graphic, nullptr);
        ASSERT_FALSE(window.shownProperties.empty());
        EXPECT_EQ(window.shownProperties.back(), nullptr);
        EXPECT_FALSE(side.canvas.isTrackingMouse());
    }
}

TEST(CanvasCreation, DrawingOutANewObjectSnapsAndIsOneUndoStep)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 4;
    window.toolClass = QStringLiteral("Shape_Control");
    BoundCanvas side;
    side.useGrid();

    side.press(10, 10);
    ASSERT_EQ(side.list().size(), 1);
    const GraphicPtr made = side.list().at(0);
    EXPECT_EQ(side.canvas.creatingGraphic(), made);
    EXPECT_EQ(made->bounds(), QRectF(9, 9, 0, 0));
    side.dragTo(30, 20);
    side.dragTo(50, 40);
    side.release(50, 40);

    EXPECT_EQ(made->bounds(), QRectF(9, 9, 45, 27));
    EXPECT_EQ(made->_shape_type, QLatin1String("C"));
    EXPECT_EQ(side.selection.selectionIndexes(), IndexSet(0));
    // The press leaves no current object, so the inspector shows the card.
    EXPECT_EQ(side.canvas._Selected_Graphic, nullptr);
    EXPECT_EQ(side.canvas.creatingGraphic(), nullptr);
    ASSERT_EQ(window.shownProperties.size(), 1u);
    EXPECT_EQ(window.shownProperties.back(), nullptr);
    EXPECT_TRUE(side.undo().groupsByEvent());

    side.undo().undo();
    EXPECT_TRUE(side.list().isEmpty());
    EXPECT_FALSE(side.undo().canUndo());
    side.undo().redo();
    ASSERT_EQ(side.list().size(), 1);
    EXPECT_EQ(side.list().at(0)->bounds(), QRectF(9, 9, 45, 27));
}

TEST(CanvasCreation, DrawingOutALineMovesItsEndPoint)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 1;
    window.toolClass = QStringLiteral("SKTLine");
    BoundCanvas side;

    side.press(40, 30);
    side.dragTo(10, 50);
    side.release(10, 50);

    ASSERT_EQ(side.list().size(), 1);
    const auto& line = static_cast<SKTLine&>(*side.list().at(0));
    EXPECT_EQ(line.beginPoint(), QPointF(40, 30));
    EXPECT_EQ(line.endPoint(), QPointF(10, 50));
}

TEST(CanvasCreation, ClickWithoutDragLeavesNothingOnAnySideAndNothingToUndo)
{
    struct Case {
        const char* name;
        QString key;
        enum { Plain, RegistrationOff, InsideLargerStep } undo;
    };
    const Case cases[] = {
        {"front", SKTDocumentGraphicsKey, Case::Plain},
        {"back", SKTDocumentGraphicsKey_back, Case::Plain},
        {"temp", SKTDocumentGraphicsKey_temp, Case::Plain},
        {"front, undo registration off", SKTDocumentGraphicsKey, Case::RegistrationOff},
        {"front, inside a larger undo step", SKTDocumentGraphicsKey, Case::InsideLargerStep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CanvasMainWindow window;
        window.Selected_Control_Tool = 3;
        BoundCanvas side(c.key);
        // An earlier undoable step that must stay the last one.
        side.canvas.createGraphicOfClass(QStringLiteral("Shape_Control"), nullptr, true, {0, 0, 50, 50},
                                         QStringLiteral("F"), QString(), QString());
        const GraphicPtr earlier = side.list().at(0);
        const bool earlierUndoable = side.undo().canUndo();

        window.toolClass = QStringLiteral("Shape_Control");
        if (c.undo == Case::RegistrationOff)
            side.undo().disableUndoRegistration();
        if (c.undo == Case::InsideLargerStep)
            side.undo().beginUndoGrouping();
        side.press(120, 100);
        side.dragTo(125, 104);
        side.dragTo(120, 100);
        side.release(120, 100);
        if (c.undo == Case::RegistrationOff)
            side.undo().enableUndoRegistration();
        if (c.undo == Case::InsideLargerStep)
            side.undo().endUndoGrouping();

        EXPECT_EQ(side.list(), GraphicList {earlier});
        EXPECT_EQ(side.canvas._Selected_Graphic, nullptr);
        EXPECT_TRUE(side.selection.selectionIndexes().isEmpty());
        EXPECT_FALSE(side.undo().canRedo());
        if (!earlierUndoable) {
            EXPECT_FALSE(side.undo().canUndo());
        } else if (c.undo == Case::InsideLargerStep) {
            // The larger step undoes to where it began, then the earlier
            // object goes.
            side.undo().undo();
            EXPECT_EQ(side.list(), GraphicList {earlier});
            side.undo().undo();
            EXPECT_TRUE(side.list().isEmpty());
        } else {
            // The only step left is the earlier object's.
            side.undo().undo();
            EXPECT_TRUE(side.list().isEmpty());
            EXPECT_FALSE(side.undo().canUndo());
        }
    }
}

TEST(CanvasCreation, CanvasGoingAwayDuringADragClosesTheUndoStep)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 3;
    window.toolClass = QStringLiteral("Shape_Control");
    SKTDocument document;
    {
        SideSelection selection;
        selection.setContent(&document, SKTDocumentGraphicsKey);
        CanvasController canvas(QRectF(0, 0, 243, 154));
        canvas.bind(SKTGraphicViewGraphicsBindingName, &document, QStringLiteral("document.graphics"));
        canvas.bind(SKTGraphicViewSelectionIndexesBindingName, &selection, QStringLiteral("selectionIndexes"));
        canvas.mouseDown(mouseAt(10, 10));
        canvas.mouseDragged(mouseAt(60, 40));
    }
    UndoManager& undo = *document.undoManager();
    EXPECT_EQ(undo.groupingLevel(), 0);
    EXPECT_TRUE(undo.groupsByEvent());
    ASSERT_EQ(document.graphics().size(), 1);
    undo.undo();
    EXPECT_TRUE(document.graphics().isEmpty());
}
