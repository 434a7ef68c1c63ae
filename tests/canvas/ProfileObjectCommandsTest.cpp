// Profile objects found, hidden and refilled by identifier; wholesale removal;
// a picture object from a file.

#include "CanvasTestSupport.h"
#include "canvas/ProfileObjectCommands.h"
#include "common/TestPictures.h"
#include "model/SKTImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList logged;

GraphicPtr objectOf(const char* className, const char* id = "")
{
    GraphicPtr g = SKTGraphic::makeOfClass(className);
    g->control_ID = id;
    g->_bounds = QRectF(10, 10, 40, 20);
    return g;
}

struct ProfileObjectCommandsTest : ::testing::Test {
    void SetUp() override { old = qInstallMessageHandler([](QtMsgType, auto&, auto& t) { logged << t; }); }
    void TearDown() override { qInstallMessageHandler(old); }
    QString picture(const char* name, int w, int h)
    {
        TestPictures::solid(w, h, qRgb(0, 0, 255)).save(dir.filePath(name));
        return dir.filePath(name);
    }
    QtMessageHandler old = nullptr;
    QTemporaryDir dir;
    CanvasMainWindow window;
    BoundCanvas side {&window};
    ProfileObjectCommands commands {side.canvas};
};

TEST_F(ProfileObjectCommandsTest, OnlyExactTextAndPictureObjectsAreFoundAndHidden)
{
    const GraphicList objects {objectOf("SKTText", "Fup_Name"),     objectOf("SKTSignature", "Fup_Photo"),
                               objectOf("SKTImage", "Fup_Photo"),   objectOf("SKTBarcode", "Fup_UniqueNo"),
                               objectOf("SKTText"),                 objectOf("SKTText", "Fup_Name")};
    side.fill(objects);
    const std::pair<const char*, int> lookups[] = {{"Fup_Name", 0}, {"Fup_Photo", 2}, {"Fup_UniqueNo", -1}, {"", -1}};
    for (const auto& [id, found] : lookups)
        EXPECT_EQ(commands.Selcect_Ctrl_With_ID(id), found < 0 ? nullptr : objects.at(found)) << id;
    commands.Hide_all_Text_control_FUP_Control();
    const bool visibleAfter[] = {false, true, false, true, true, false};
    for (int i = 0; i < objects.size(); ++i)
        EXPECT_EQ(objects.at(i)->ctrl_is_visible, visibleAfter[i]) << i;
    EXPECT_TRUE(side.markedCovers(objects.at(0)->drawingBounds()));
}

TEST_F(ProfileObjectCommandsTest, RefillShowsTheHiddenObjectWithItsNewTextOrPicture)
{
    const QString oldPicture = picture("old.png", 30, 20), newPicture = picture("new.png", 16, 12);
    QFile(dir.filePath("notes.png")).open(QIODevice::WriteOnly);
    const std::pair<const char*, QString> cases[] = {{"SKTText", "Ann Lee"},     {"SKTText", ""},
                                                     {"SKTImage", newPicture},   {"SKTImage", dir.filePath("gone.png")},
                                                     {"SKTImage", dir.filePath("notes.png")}};
    for (const auto& [className, value] : cases) {
        SCOPED_TRACE(value.toStdString());
        const bool text = className == QLatin1String("SKTText"), shown = value == "Ann Lee" || value == newPicture;
        GraphicPtr o = objectOf(className, text ? "Fup_Name" : "Fup_Photo");
        o->ctrl_is_visible = false;
        o->_isDrawingStroke = o->_isDrawingFill = true;
        o->Text_Value = "old";
        o->Text_contents();   // the storage is made from the old text
        o->setFilePath(oldPicture);
        side.fill({objectOf("SKTText", "other"), o});
        logged.clear();
        commands.ReplaceGraphicText(className, nullptr, true, {90, 90, 50, 50}, "F", value, o->control_ID);
        EXPECT_EQ(o->ctrl_is_visible, shown);
        EXPECT_EQ(side.canvas._Selected_Graphic, o);
        EXPECT_EQ(logged, text || shown ? QStringList() : QStringList {value});
        if (text) {
            EXPECT_EQ(o->Text_Value + o->Text_contents()->string(), shown ? value + value : "oldold");
            EXPECT_EQ(o->_isDrawingStroke || o->_isDrawingFill, !shown);
        } else {
            EXPECT_EQ(static_cast<SKTImage&>(*o)._contents.size(), shown ? QSizeF(16, 12) : QSizeF(30, 20));
        }
        EXPECT_EQ(side.markedCovers(o->drawingBounds()), shown);
        EXPECT_FALSE(side.undo().canUndo());   // no undo step of its own
        side.document.Clear_All_Undo_Redo();
    }
    // An identifier that only a signature has makes a new text object.
    window.Selected_Control_Tool = 2;
    side.fill({objectOf("SKTSignature", "Fup_Name")});
    commands.ReplaceGraphicText("SKTText", nullptr, true, {90, 70, 60, 20}, "F", "Ann Lee", "Fup_Name");
    ASSERT_EQ(side.list().size(), 2);
    EXPECT_EQ(side.at(0)->Text_Value + " " + side.at(0)->control_ID, "Ann Lee Fup_Name");
    EXPECT_EQ(side.at(0)->bounds(), QRectF(90, 70, 60, 20));
    EXPECT_EQ(side.canvas._Selected_Graphic, side.at(0));
}

TEST_F(ProfileObjectCommandsTest, WholesaleRemovalAndAPictureObjectFromAFile)
{
    const GraphicList objects {objectOf("SKTText"), objectOf("Shape_Control"), objectOf("SKTImage"),
                               objectOf("SKTSignature")};
    side.fill(objects);
    commands.delete_all_Text_control();   // the topmost object too
    EXPECT_EQ(side.list(), GraphicList({objects.at(1), objects.at(3)}));
    side.canvas.delete_all_control();
    EXPECT_TRUE(side.list().isEmpty());

    const QString png = picture("photo.PNG", 30, 20), text = dir.filePath("photo.txt");
    QFile::copy(png, text);
    QFile(dir.filePath("broken.png")).open(QIODevice::WriteOnly);
    for (const QString& refused : {text, dir.filePath("broken.png"), dir.filePath("gone.png")})
        EXPECT_FALSE(side.canvas.makeNewImageFromContentsOfFile(refused, {40, 30})) << refused.toStdString();
    EXPECT_TRUE(side.list().isEmpty());
    EXPECT_EQ(window.pictureControlResets, 0);
    ASSERT_TRUE(side.canvas.makeNewImageFromContentsOfFile(png, {40, 30}));
    EXPECT_EQ(window.pictureControlResets, 1);
    EXPECT_EQ(side.at(0)->bounds(), QRectF(40, 30, 30, 20));
    EXPECT_EQ(side.at(0)->FilePath(), png);
    EXPECT_EQ(side.selected(), IndexSet(0));
}

}
