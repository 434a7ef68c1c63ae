// A holder profile placed on a card side: new objects at their default
// rectangles, objects found again and updated in place, hidden fields, the
// value sources given to the objects, and the user's tool kept.

#include "canvas/CanvasTestSupport.h"
#include "canvas/ToolTable.h"
#include "common/TestPictures.h"
#include "model/Globals.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "profiles/ProfileFieldTable.h"
#include "profiles/ProfilePlacement.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProfilePlacementTest : ::testing::Test {
    void SetUp() override
    {
        profile.Reset_All_Values();
        photo = dir.filePath("photo.png");
        ASSERT_TRUE(TestPictures::solid(30, 40, qRgb(200, 0, 0)).save(photo));
    }
    void TearDown() override { Library_Selected_Image.clear(); }

    // Every field given a value; the photo the generated picture.
    void fillAll()
    {
        for (const auto& f : ProfileFieldTable::fields())
            f.valueIn(profile) = f.isPhoto ? photo : QStringLiteral("%1 value").arg(QLatin1String(f.stem));
    }
    static GraphicPtr objectWithId(const GraphicList& list, const char* id)
    {
        for (const GraphicPtr& g : list)
            if (g->control_ID == QLatin1String(id))
                return g;
        return nullptr;
    }
    void place(BoundCanvas& side, QSizeF card = QSizeF(243, 153))
    {
        ProfilePlacement(side.canvas, profile, card).place();
    }

    QTemporaryDir dir;
    QString photo;
    CanvasMainWindow window;
    User_Profile_Class profile;
};

TEST_F(ProfilePlacementTest, AllFieldsPlacedAtTheirDefaultRectanglesOnEverySideAndOrientation)
{
    fillAll();
    const std::pair<const char*, QSizeF> cards[] = {{"landscape", QSizeF(243, 153)},
                                                    {"square", QSizeF(200, 200)},
                                                    {"portrait", QSizeF(153, 243)}};
    for (const QString& key : {SKTDocumentGraphicsKey, SKTDocumentGraphicsKey_back, SKTDocumentGraphicsKey_temp}) {
        for (const auto& [name, card] : cards) {
            SCOPED_TRACE(key.toStdString() + " " + name);
            BoundCanvas side(key);
            window.Selected_Control_Tool = ToolTable::Barcode;
            Library_Selected_Image = QStringLiteral("chosen.png");
            place(side, card);
            // the user's tool and picture choice are as they were
            EXPECT_EQ(window.Selected_Control_Tool, int(ToolTable::Barcode));
            EXPECT_EQ(Library_Selected_Image, "chosen.png");

            const GraphicList list = side.list();
            ASSERT_EQ(list.size(), 11);
            const auto fields = ProfileFieldTable::fields();
            for (size_t i = 0; i < fields.size(); ++i) {
                const auto& f = fields[i];
                // new objects go in at index 0: the list is in reverse field order
                const GraphicPtr g = list.at(10 - int(i));
                EXPECT_EQ(g->control_ID, QLatin1String(f.controlId));
                EXPECT_EQ(g->className(), f.className());
                EXPECT_TRUE(g->ctrl_is_visible);
                EXPECT_EQ(g->data_source_type, 0);
                const bool landscape = card.width() >= card.height();
                const QRectF frame = landscape ? f.landscapeFrame : f.portraitFrame;
                EXPECT_EQ(g->bounds(), QRectF(frame.x(), ProfileFieldTable::boxHeight - frame.y(), frame.width(),
                                              frame.height()))
                    << f.stem;
                if (f.isPhoto) {
                    EXPECT_EQ(g->FilePath(), photo);
                } else {
                    EXPECT_EQ(g->Text_contents()->string(), f.valueIn(profile));
                    EXPECT_FALSE(g->isDrawingFill());
                }
            }
        }
    }
}

TEST_F(ProfilePlacementTest, SecondPlacementUpdatesTheSameObjectsAndHidesEmptiedFields)
{
    fillAll();
    BoundCanvas side;
    place(side);
    const GraphicList first = side.list();
    const GraphicPtr name = objectWithId(first, "Fup_Name");
    const QRectF moved(40, 50, 90, 30);
    name->setBounds(moved);
    const FontSpec font(QStringLiteral("Liberation Sans"), 22);
    name->Text_contents()->setFont(font);
    const GraphicPtr picture = objectWithId(first, "Fup_Photo");
    const QRectF photoBounds = picture->bounds();

    // name changed, title one space (not empty), the rest emptied
    const QString second = dir.filePath("second.png");
    ASSERT_TRUE(TestPictures::solid(10, 10, qRgb(0, 0, 200)).save(second));
    for (const auto& f : ProfileFieldTable::fields())
        f.valueIn(profile).clear();
    profile.Name = "Ann Lee";
    profile.Title = " ";
    profile.image = second;
    place(side);

    EXPECT_EQ(side.list(), first);   // one object per field, none added
    EXPECT_EQ(name->bounds(), moved);
    EXPECT_EQ(name->Text_contents()->font(), font);
    EXPECT_EQ(name->Text_contents()->string(), "Ann Lee");
    EXPECT_EQ(picture->bounds(), photoBounds);
    EXPECT_EQ(picture->FilePath(), second);
    for (const GraphicPtr& g : first) {
        const bool shown = g == name || g == picture || g->control_ID == "Fup_Title";
        EXPECT_EQ(g->ctrl_is_visible, shown) << g->control_ID.toStdString();
    }
    EXPECT_EQ(objectWithId(first, "Fup_Title")->Text_contents()->string(), " ");

    // a profile with no value hides every profile object and creates none
    profile.Reset_All_Values();
    BoundCanvas empty;
    place(empty);
    place(side);
    EXPECT_TRUE(empty.list().isEmpty());
    for (const GraphicPtr& g : side.list())
        EXPECT_FALSE(g->ctrl_is_visible);
}

// The source of a field given to its object: typed, a data series, a
// spreadsheet column, or both (the column applied last).
TEST_F(ProfilePlacementTest, FieldSourcesReachThePlacedObject)
{
    struct Row {
        const char* name;
        bool series, column;
        int source;
        QString seriesName;
        int seriesIndex;
        bool excel;
        int excelColumn;
    } rows[] = {
        {"typed", false, false, 0, "old", 7, false, 5},   // unbinds an object bound before
        {"series", true, false, 1, "guests", 3, false, 5},
        {"column", false, true, 2, "old", 7, true, 4},   // series name and position left as they were
        {"both", true, true, 2, "guests", 3, true, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BoundCanvas side;
        auto bound = std::make_shared<SKTText>();
        bound->control_ID = "Fup_EmailID";
        bound->_bounds = QRectF(5, 5, 100, 20);
        bound->data_source_type = 2;
        bound->batch_list_name = "old";
        bound->batch_list_index = 7;
        bound->excel_binding = true;
        bound->excel_col_indx = 5;
        side.fill({bound});
        profile.email = "a@b.c";
        profile.email_ds = row.series;
        profile.email_ds_name = "guests";
        profile.email_ds_indx = 3;
        profile.email_xl = row.column;
        profile.email_xl_col_indx = 4;
        place(side);
        ASSERT_EQ(side.list().size(), 1);
        EXPECT_EQ(bound->data_source_type, row.source);
        EXPECT_EQ(bound->batch_list_name, row.seriesName);
        EXPECT_EQ(bound->batch_list_index, row.seriesIndex);
        EXPECT_EQ(bound->excel_binding, row.excel);
        EXPECT_EQ(bound->excel_col_indx, row.excelColumn);
    }
}

TEST_F(ProfilePlacementTest, OnlyTheFirstExactTextOrPictureObjectOfAnIdIsTaken)
{
    auto first = std::make_shared<SKTText>(), copy = std::make_shared<SKTText>();
    auto barcode = SKTGraphic::makeOfClass("SKTBarcode");
    for (const GraphicPtr& g : GraphicList {first, copy, barcode}) {
        g->control_ID = "Fup_Name";
        g->_bounds = QRectF(20, 20, 60, 20);
    }
    barcode->control_ID = "Fup_UniqueNo";
    BoundCanvas side;
    side.fill({first, copy, barcode});
    profile.Name = "Bo";
    profile.unique = "42";
    place(side);

    EXPECT_TRUE(first->ctrl_is_visible);
    EXPECT_EQ(first->Text_contents()->string(), "Bo");
    EXPECT_FALSE(copy->ctrl_is_visible);   // hidden with the others, not refilled
    EXPECT_TRUE(barcode->ctrl_is_visible);   // not a profile object: a new text beside it
    const GraphicList list = side.list();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list.at(0)->className(), "SKTText");
    EXPECT_EQ(list.at(0)->control_ID, "Fup_UniqueNo");
    EXPECT_EQ(list.at(0)->Text_contents()->string(), "42");
}

TEST(ProfilePlacementRect, DefaultRectangleByCardShapeAndIdentifier)
{
    const auto& name = ProfileFieldTable::fields()[0];
    const double H = ProfileFieldTable::boxHeight;
    const std::tuple<const char*, QSizeF, QRectF> rows[] = {
        {"Fup_Name", QSizeF(243, 153), name.landscapeFrame},
        {"Fup_Name", QSizeF(100, 100), name.landscapeFrame},
        {"Fup_Name", QSizeF(153, 243), name.portraitFrame},
        {"Fup_lbl_Name", QSizeF(243, 153), QRectF()},
        {"", QSizeF(153, 243), QRectF()},
    };
    for (const auto& [id, card, frame] : rows) {
        EXPECT_EQ(ProfilePlacement::defaultRect(id, card),
                  QRectF(frame.x(), H - frame.y(), frame.width(), frame.height()))
            << id << " " << card.width() << "x" << card.height();
    }
}

}   // namespace
