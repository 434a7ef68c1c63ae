// Making objects: the kind each tool number makes, placement with and without
// the grid, drawing an object out as one undo step, and creations that make
// nothing leaving no trace on any side or in undo.

#include "CanvasTestSupport.h"
#include "app/Globals.h"
#include "common/TestPictures.h"
#include "model/Globals.h"
#include "model/ResourcePictures.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(CanvasCreation, EachToolMakesItsKindAtThePlacementPointWithAndWithoutTheGrid)
{
    QTemporaryDir dir;
    Resource_Path = dir.path();
    const QString photo = dir.filePath("photo.png");
    QFile(photo).open(QIODevice::WriteOnly);

    struct Case {
        int tool;
        const char* className;
        const char* made;
        const char* shape;
        QString picture;   // the chosen picture, and the object's path
    };
    const Case cases[] = {
        {0, "Shape_Control", "Shape_Control", "R", {}},    {1, "SKTLine", "SKTLine", "R", {}},
        {2, "SKTText", "SKTText", "R", {}},                {4, "Shape_Control", "Shape_Control", "C", {}},
        {5, "Shape_Control", "Shape_Control", "RR", {}},   {6, "Shape_Control", "Shape_Control", "T", {}},
        {7, "Shape_Control", "Shape_Control", "D", {}},    {13, "Shape_Control", "Shape_Control", "S", {}},
        {14, "Shape_Control", "Shape_Control", "DS", {}},  {15, "Shape_Control", "Shape_Control", "P", {}},
        {8, "SKTImage", "SKTImage", "R", photo},           {8, "SKTImage", "SKTImage", "R", dir.filePath("gone.png")},
        {9, "SKTImage", "SKTImage", "R", photo},           {10, "SKTBarcode", "SKTBarcode", "R", {}},
        {11, "SKTSignature", "SKTSignature", "R", QDir(dir.path()).filePath("sign_sample.png")},
        {12, "SKTSignature", "SKTSignature", "R", QDir(dir.path()).filePath("fingerprints.png")},
    };
    for (bool withGrid : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "tool " << c.tool << (withGrid ? " with grid" : ""));
            CanvasMainWindow window;
            BoundCanvas side(&window);
            if (withGrid)
                side.useGrid();
            side.fill({rectangleAt({100, 100, 20, 20})});
            window.Selected_Control_Tool = c.tool;
            Library_Selected_Image = c.picture;

            side.canvas.createGraphicOfClass(c.className, nullptr, true, {0, 0, 50, 50}, "F", "", "");

            ASSERT_EQ(side.list().size(), 2);
            const GraphicPtr made = side.at(0);
            EXPECT_EQ(made->className(), QLatin1String(c.made));
            EXPECT_EQ(made->_shape_type, QLatin1String(c.shape));
            // The grid of 9 snaps the origin and the far corner separately.
            EXPECT_EQ(made->bounds(), withGrid ? QRectF(9, 9, 54, 54) : QRectF(10, 10, 50, 50));
            if (!c.picture.isEmpty()) {
                EXPECT_EQ(made->_file_path, c.picture);
                EXPECT_EQ(window.pictureControlResets, 1);
            }
            if (c.tool == 11 || c.tool == 12) {
                EXPECT_EQ(made->sign_or_fingureprint, QLatin1String(c.tool == 11 ? "S" : "F"));
            }
            EXPECT_EQ(side.selected(), IndexSet(0));
            EXPECT_EQ(side.canvas._Selected_Graphic, made);

            side.undo().undo();   // one step
            EXPECT_EQ(side.list().size(), 1);
            EXPECT_FALSE(side.undo().canUndo());
        }
    }
}

namespace {
// The picture an object of a picture kind shows.
Picture shownPicture(const SKTGraphic& g)
{
    switch (g.kind()) {
    case SKTGraphic::Kind::Image: return static_cast<const SKTImage&>(g)._contents;
    case SKTGraphic::Kind::Signature: return static_cast<const SKTSignature&>(g)._contents_img;
    case SKTGraphic::Kind::Barcode: return static_cast<const SKTBarcode&>(g)._contents;
    default: return {};
    }
}
}

TEST(CanvasCreation, PictureToolsMakeTheirKindWithTheirPicture)
{
    QTemporaryDir dir;
    Resource_Path = dir.path();
    const auto save = [&](const QString& name, int w, int h, QRgb colour) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(TestPictures::solid(w, h, colour).save(path));
        return path;
    };
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    const QRgb yellow = qRgb(255, 255, 0), black = qRgb(0, 0, 0);
    save("no.png", 30, 20, red);
    const QString signature = save("sign_sample.png", 40, 10, green);
    const QString fingerprint = save("fingerprints.png", 12, 16, blue);
    save("barcode_sample.png", 60, 30, black);
    const QString photo = save("photo.png", 24, 18, yellow);
    const QString missing = dir.filePath("gone.png");

    struct Case {
        int tool;
        QString chosen;        // Library_Selected_Image
        QSizeF toolSize;       // the rectangle of the tool's button
        const char* made;
        QString path;          // the object's _file_path
        std::optional<QRgb> colour;   // of the picture shown; none: no picture
        QSizeF pictureSize;
        int controlResets;
        const char* sign;
    };
    const Case cases[] = {
        {8, photo, {50, 50}, "SKTImage", photo, yellow, {24, 18}, 1, "S"},
        // A chosen file that is gone: the placeholder, the path kept.
        {8, missing, {50, 50}, "SKTImage", missing, red, {30, 20}, 1, "S"},
        {9, photo, {50, 50}, "SKTImage", photo, yellow, {24, 18}, 1, "S"},
        // The library's file read as it stands: no placeholder.
        {9, missing, {50, 50}, "SKTImage", missing, std::nullopt, {}, 1, "S"},
        {10, {}, {120, 60}, "SKTBarcode", ResourcePictures::path("no.png"), black, {60, 30}, 0, "S"},
        {11, {}, {100, 50}, "SKTSignature", signature, green, {40, 10}, 1, "S"},
        {12, {}, {50, 50}, "SKTSignature", fingerprint, blue, {12, 16}, 1, "F"},
    };
    for (bool byMouse : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "tool " << c.tool << " " << c.chosen.toStdString()
                                            << (byMouse ? " drawn out" : " by button"));
            CanvasMainWindow window;
            BoundCanvas side(&window);
            window.Selected_Control_Tool = c.tool;
            Library_Selected_Image = c.chosen;

            QRectF expected;
            if (byMouse) {
                window.toolClass = c.made;
                side.drag({20, 20}, {80, 70});
                expected = QRectF(20, 20, 60, 50);
            } else {
                side.canvas.createGraphicOfClass(c.made, nullptr, true, QRectF(QPointF(0, 0), c.toolSize), "F", "", "");
                expected = QRectF(QPointF(10, 10), c.toolSize);
            }

            ASSERT_EQ(side.list().size(), 1);
            const GraphicPtr made = side.at(0);
            EXPECT_EQ(made->className(), QLatin1String(c.made));
            EXPECT_EQ(made->bounds(), expected);
            EXPECT_EQ(made->_file_path, c.path);
            EXPECT_EQ(made->sign_or_fingureprint, QLatin1String(c.sign));
            EXPECT_EQ(window.pictureControlResets, c.controlResets);
            const Picture picture = shownPicture(*made);
            if (c.colour) {
                ASSERT_FALSE(picture.isNull());
                EXPECT_EQ(picture.size(), c.pictureSize);
                EXPECT_EQ(picture.image().pixel(0, 0), *c.colour);
            } else {
                EXPECT_TRUE(picture.isNull());
            }
        }
    }
}

TEST(CanvasCreation, PlacementTextValueAndPartyTitle)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 2;
    window.newPoint = {30, 40};
    BoundCanvas side(&window, SKTDocumentGraphicsKey_back);
    const auto make = [&](bool useRect, const QString& value, const QString& id) {
        side.canvas.createGraphicOfClass("SKTText", nullptr, useRect, {5, 6, 70, 20}, "B", value, id);
        return side.at(0);
    };

    // With an identifier the rectangle's own origin holds.
    const GraphicPtr title = make(true, "Garden party", "PARTY_TITLE");
    EXPECT_EQ(title->bounds(), QRectF(5, 6, 70, 20));
    EXPECT_TRUE(window.askedSides.isEmpty());
    EXPECT_EQ(title->Text_Value, QLatin1String("Garden party"));
    EXPECT_FALSE(title->_isDrawingStroke || title->_isDrawingFill);
    EXPECT_EQ(title->text_alignmnet, 2);

    // Without a rectangle: 50 x 50 at the side's next point. An empty value
    // keeps the text object's defaults.
    const GraphicPtr plain = make(false, "", "PARTY_TITLE");
    EXPECT_EQ(plain->bounds(), QRectF(30, 40, 50, 50));
    EXPECT_EQ(window.askedSides, QStringList {"B"});
    EXPECT_EQ(plain->Text_Value, QLatin1String("Text here"));
    EXPECT_TRUE(plain->_isDrawingStroke && plain->_isDrawingFill);
    EXPECT_EQ(plain->text_alignmnet, 0);
}

TEST(CanvasCreation, DrawingOutANewObjectSnapsAndIsOneUndoStep)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 4;
    window.toolClass = "Shape_Control";
    BoundCanvas side(&window);
    side.useGrid();

    side.canvas.mouseDown(mouseAt({10, 10}));
    EXPECT_EQ(side.canvas.creatingGraphic(), side.at(0));
    side.canvas.mouseDragged(mouseAt({30, 20}));
    side.canvas.mouseUp(mouseAt({50, 40}));

    const GraphicPtr made = side.at(0);
    EXPECT_EQ(made->bounds(), QRectF(9, 9, 45, 27));
    EXPECT_EQ(side.selected(), IndexSet(0));
    // The press leaves no current object, so the inspector shows the card.
    EXPECT_EQ(side.canvas._Selected_Graphic, nullptr);
    EXPECT_EQ(window.shownProperties, std::vector<SKTGraphic*> {nullptr});
    EXPECT_TRUE(side.undo().groupsByEvent());

    side.undo().undo();
    EXPECT_TRUE(side.list().isEmpty());
    EXPECT_FALSE(side.undo().canUndo());
    side.undo().redo();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(9, 9, 45, 27));
}

TEST(CanvasCreation, PictureToolWithoutAChosenPictureMakesNothing)
{
    CanvasMainWindow window;
    window.Selected_Control_Tool = 8;
    window.toolClass = "SKTImage";
    Library_Selected_Image.clear();
    BoundCanvas side(&window);

    side.canvas.createGraphicOfClass("SKTImage", nullptr, true, {0, 0, 50, 50}, "F", "", "");
    side.drag({20, 20}, {60, 60});

    EXPECT_TRUE(side.list().isEmpty());
    EXPECT_FALSE(side.undo().canUndo());
    EXPECT_EQ(window.shownProperties.back(), nullptr);
}

TEST(CanvasCreation, ClickWithoutDragLeavesNothingOnAnySideAndNothingToUndo)
{
    enum Undo { Plain, RegistrationOff, InsideLargerStep };
    const std::pair<QString, Undo> cases[] = {
        {SKTDocumentGraphicsKey, Plain},           {SKTDocumentGraphicsKey_back, Plain},
        {SKTDocumentGraphicsKey_temp, Plain},      {SKTDocumentGraphicsKey, RegistrationOff},
        {SKTDocumentGraphicsKey, InsideLargerStep},
    };
    for (const auto& [key, undo] : cases) {
        SCOPED_TRACE(testing::Message() << key.toStdString() << " " << undo);
        CanvasMainWindow window;
        window.Selected_Control_Tool = 3;
        BoundCanvas side(&window, key);
        // An earlier step that must stay the last one to undo.
        side.canvas.createGraphicOfClass("Shape_Control", nullptr, true, {0, 0, 50, 50}, "F", "", "");
        const GraphicPtr earlier = side.at(0);
        const bool earlierUndoable = side.undo().canUndo();

        window.toolClass = "Shape_Control";
        if (undo == RegistrationOff)
            side.undo().disableUndoRegistration();
        if (undo == InsideLargerStep)
            side.undo().beginUndoGrouping();
        side.drag({120, 100}, {120, 100});
        if (undo == RegistrationOff)
            side.undo().enableUndoRegistration();
        if (undo == InsideLargerStep)
            side.undo().endUndoGrouping();

        EXPECT_EQ(side.list(), GraphicList {earlier});
        EXPECT_TRUE(side.selected().isEmpty());
        EXPECT_FALSE(side.undo().canRedo());
        if (undo == InsideLargerStep) {
            side.undo().undo();   // the larger step undoes to where it began
            EXPECT_EQ(side.list(), GraphicList {earlier});
        }
        if (earlierUndoable) {
            side.undo().undo();
            EXPECT_TRUE(side.list().isEmpty());
        }
        EXPECT_FALSE(side.undo().canUndo());
    }
}
