// Finding, hiding and refilling profile objects by their identifiers, and
// the canvas operations that remove objects wholesale or make a picture
// object from a file.

#include "CanvasTestSupport.h"

#include "canvas/ProfileObjectCommands.h"
#include "common/TestPictures.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList logged;

GraphicPtr objectOf(const QString& className, const QString& id, bool visible = true)
{
    GraphicPtr g = SKTGraphic::makeOfClass(className);
    g->control_ID = id;
    g->ctrl_is_visible = visible;
    g->_bounds = QRectF(10, 10, 40, 20);
    return g;
}

class ProfileObjectCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        logged.clear();
        m_oldHandler = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { logged.append(text); });
    }
    void TearDown() override { qInstallMessageHandler(m_oldHandler); }
    QString picture(const char* name, QSize size)
    {
        const QString path = dir.filePath(name);
        TestPictures::solid(size.width(), size.height(), qRgb(0, 0, 255)).save(path);
        return path;
    }

    QTemporaryDir dir;
    CanvasMainWindow window;
    BoundCanvas side;
    ProfileObjectCommands commands {side.canvas};
    QtMessageHandler m_oldHandler = nullptr;
};

TEST_F(ProfileObjectCommandsTest, OnlyExactTextAndPictureObjectsAreFoundAndHidden)
{
    const GraphicList objects {
        objectOf("SKTText", "Fup_Name"),      objectOf("SKTSignature", "Fup_Photo"),
        objectOf("SKTImage", "Fup_Photo"),    objectOf("SKTBarcode", "Fup_UniqueNo"),
        objectOf("Shape_Control", "Fup_Title"), objectOf("SKTText", ""),
        objectOf("SKTText", "Fup_Name"),      objectOf("SKTText", "PARTY_TITLE"),
    };
    side.fill(objects);
    const struct {
        const char* id;
        int found;   // index, -1 for none
    } lookups[] = {{"Fup_Name", 0}, {"Fup_Photo", 2}, {"Fup_UniqueNo", -1}, {"Fup_Title", -1}, {"", -1},
                   {"fup_name", -1}};
    for (const auto& l : lookups)
        EXPECT_EQ(commands.Selcect_Ctrl_With_ID(l.id), l.found < 0 ? nullptr : objects.at(l.found)) << l.id;

    commands.Hide_all_Text_control_FUP_Control();
    const bool visibleAfter[] = {false, true, false, true, true, true, false, true};
    for (int i = 0; i < objects.size(); ++i)
        EXPECT_EQ(objects.at(i)->ctrl_is_visible, visibleAfter[i]) << i;
    EXPECT_TRUE(side.markedCovers(objects.at(0)->drawingBounds()));
    EXPECT_EQ(side.list(), objects);
}

TEST_F(ProfileObjectCommandsTest, RefillShowsTheObjectWithItsNewTextOrPicture)
{
    const QString oldPicture = picture("old.png", {30, 20});
    const QString newPicture = picture("new.png", {16, 12});
    QFile(dir.filePath("notes.png")).open(QIODevice::WriteOnly);

    const struct {
        const char* className;
        QString value;
        bool shown;          // the hidden object is shown again
        QString loggedPath;  // written to the log instead
    } cases[] = {
        {"SKTText", "Ann Lee", true, {}},
        {"SKTText", "", false, {}},
        {"SKTImage", newPicture, true, {}},
        {"SKTImage", dir.filePath("gone.png"), false, dir.filePath("gone.png")},
        {"SKTImage", dir.filePath("notes.png"), false, dir.filePath("notes.png")},
        {"SKTImage", dir.path(), false, dir.path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.className << " " << c.value.toStdString());
        logged.clear();
        const bool text = QLatin1String(c.className) == QLatin1String("SKTText");
        GraphicPtr o = objectOf(c.className, text ? "Fup_Name" : "Fup_Photo", false);
        o->_isDrawingStroke = o->_isDrawingFill = true;
        o->Text_Value = "old";
        o->Text_contents();   // the storage is made from the old text
        if (!text)
            o->setFilePath(oldPicture);
        side.fill({objectOf("SKTText", "other"), o});

        commands.ReplaceGraphicText(c.className, nullptr, true, {90, 90, 50, 50}, "F", c.value, o->control_ID);

        ASSERT_EQ(side.list().size(), 2);
        EXPECT_EQ(o->ctrl_is_visible, c.shown);
        EXPECT_EQ(o->bounds(), QRectF(10, 10, 40, 20));
        EXPECT_EQ(side.canvas._Selected_Graphic, o);
        EXPECT_EQ(logged, c.loggedPath.isEmpty() ? QStringList() : QStringList {c.loggedPath});
        if (text) {
            EXPECT_EQ(o->Text_Value, c.shown ? c.value : "old");
            EXPECT_EQ(o->Text_contents()->string(), c.shown ? c.value : "old");
            EXPECT_EQ(o->_isDrawingStroke, !c.shown);
            EXPECT_EQ(o->_isDrawingFill, !c.shown);
        } else {
            EXPECT_EQ(o->FilePath(), c.shown ? c.value : oldPicture);
            EXPECT_EQ(static_cast<SKTImage&>(*o)._contents.size(), c.shown ? QSizeF(16, 12) : QSizeF(30, 20));
        }
        if (c.shown) {
            EXPECT_TRUE(side.markedCovers(o->drawingBounds()));
        }
        // A refill is no step of its own to undo.
        EXPECT_FALSE(side.undo().canUndo());
        side.document.Clear_All_Undo_Redo();
    }
}

TEST_F(ProfileObjectCommandsTest, RefillOfAnIdentifierNoObjectHasCreatesTheObject)
{
    window.Selected_Control_Tool = 2;
    const GraphicPtr signature = objectOf("SKTSignature", "Fup_Name");
    side.fill({signature});
    commands.ReplaceGraphicText("SKTText", nullptr, true, {90, 70, 60, 20}, "F", "Ann Lee", "Fup_Name");

    ASSERT_EQ(side.list().size(), 2);
    const GraphicPtr made = side.at(0);
    EXPECT_EQ(made->className(), "SKTText");
    EXPECT_EQ(made->control_ID, "Fup_Name");
    EXPECT_EQ(made->Text_Value, "Ann Lee");
    EXPECT_EQ(made->bounds(), QRectF(90, 70, 60, 20));
    EXPECT_EQ(side.canvas._Selected_Graphic, made);
    EXPECT_TRUE(window.askedSides.isEmpty());
}

TEST_F(ProfileObjectCommandsTest, WholesaleRemovalTakesTheTopmostObjectToo)
{
    const GraphicList objects {objectOf("SKTText", ""), objectOf("Shape_Control", ""), objectOf("SKTImage", "Fup_Photo"),
                               objectOf("SKTSignature", ""), objectOf("SKTText", "Fup_Name")};
    side.fill(objects);
    commands.delete_all_Text_control();
    EXPECT_EQ(side.list(), GraphicList({objects.at(1), objects.at(3)}));
    side.canvas.delete_all_control();
    EXPECT_TRUE(side.list().isEmpty());
    side.undo().undo();   // both removals, made in one event
    EXPECT_EQ(side.list(), objects);
}

TEST_F(ProfileObjectCommandsTest, PictureObjectFromAFile)
{
    const QString png = picture("photo.PNG", {30, 20});
    const QString text = dir.filePath("photo.txt");
    QFile::copy(png, text);
    QFile(dir.filePath("broken.png")).open(QIODevice::WriteOnly);
    const struct {
        QString path;
        bool made;
    } cases[] = {{png, true}, {text, false}, {dir.filePath("broken.png"), false}, {dir.filePath("gone.png"), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        side.fill({objectOf("Shape_Control", "")});
        EXPECT_EQ(side.canvas.makeNewImageFromContentsOfFile(c.path, {40, 30}), c.made);
        ASSERT_EQ(side.list().size(), c.made ? 2 : 1);
        if (c.made) {
            EXPECT_EQ(side.at(0)->bounds(), QRectF(40, 30, 30, 20));
            EXPECT_EQ(side.at(0)->FilePath(), png);
            EXPECT_EQ(side.selected(), IndexSet(0));
        }
        side.canvas.delete_all_control();
    }
}

}
