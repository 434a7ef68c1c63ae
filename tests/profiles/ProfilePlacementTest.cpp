// A holder profile placed on a card side: new objects at their default
// rectangles (which fit the card and their text), objects found again and
// updated in place, emptied fields hidden, the sources given to the
// objects, and the user's tool kept.

#include "canvas/CanvasTestSupport.h"
#include "canvas/ToolTable.h"
#include "common/TestPictures.h"
#include "model/Globals.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "profiles/ProfileFieldTable.h"
#include "profiles/ProfilePlacement.h"
#include "profiles/ProfilePlacementHost.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The window whose tool number the placement sets and the canvas creates by.
struct PlacementWindow : CanvasMainWindow, ProfilePlacementHost
{
    int selectedControlTool() const override { return Selected_Control_Tool; }
    void setSelectedControlTool(int tool) override { Selected_Control_Tool = tool; }
};

struct ProfilePlacementTest : ::testing::Test {
    void SetUp() override
    {
        profile.Reset_All_Values();
        ASSERT_TRUE(TestPictures::solid(30, 40, qRgb(200, 0, 0)).save(photo));
        for (const auto& f : ProfileFieldTable::fields())
            f.valueIn(profile) = f.isPhoto ? photo : QLatin1String(f.stem);
    }
    static GraphicPtr withId(const GraphicList& list, const char* id)
    {
        for (const GraphicPtr& g : list)
            if (g->control_ID == QLatin1String(id))
                return g;
        return nullptr;
    }
    void place(BoundCanvas& side, QSizeF card = QSizeF(243, 153))
    {
        ProfilePlacement(side.canvas, window, profile, card).place();
    }

    QTemporaryDir dir;
    QString photo = dir.filePath("photo.png");
    PlacementWindow window;
    User_Profile_Class profile;
};

TEST_F(ProfilePlacementTest, EveryFieldAtItsDefaultRectangleOnEverySideAndCardShape)
{
    // realistic values, each to fit its rectangle on one line in the default font
    const char* samples[] = {"Dr. Alexandra Jones", "Senior Sales Manager", "Brightfold Printing",
                             "Cards that impress", "12 Harbour Street, Leeds", "+44 113 496 0123",
                             "+44 113 496 0124", "alex@brightfold.com", "www.brightfold.com", "ID-204816"};
    for (int i = 0; i < 10; ++i)
        ProfileFieldTable::fields()[i].valueIn(profile) = samples[i];
    const QSizeF cards[] = {{243, 153}, {200, 200}, {153, 243}};
    for (const QString& key : {SKTDocumentGraphicsKey, SKTDocumentGraphicsKey_back, SKTDocumentGraphicsKey_temp}) {
        for (const QSizeF& card : cards) {
            SCOPED_TRACE(testing::Message() << key.toStdString() << " " << card.width() << "x" << card.height());
            BoundCanvas side(&window, key);
            window.Selected_Control_Tool = ToolTable::Barcode;
            Library_Selected_Image = "chosen.png";
            place(side, card);
            EXPECT_EQ(window.Selected_Control_Tool, int(ToolTable::Barcode));   // the user's choice kept
            EXPECT_EQ(Library_Selected_Image, "chosen.png");
            const GraphicList list = side.list();
            ASSERT_EQ(list.size(), 11);
            for (int i = 0; i < 11; ++i) {
                const auto& f = ProfileFieldTable::fields()[i];
                const GraphicPtr g = list.at(10 - i);   // new objects go in at index 0
                EXPECT_EQ(g->control_ID, QLatin1String(f.controlId));
                EXPECT_EQ(g->className(), f.className());
                EXPECT_TRUE(g->ctrl_is_visible && g->data_source_type == 0);
                const QRectF r = g->bounds();
                const QRectF frame = card.width() >= card.height() ? f.landscapeFrame : f.portraitFrame;
                EXPECT_EQ(r, frame.translated(0, ProfileFieldTable::boxHeight - 2 * frame.y()));   // y: H - y
                if (card.height() != 200) {   // ID-1 cards: on the card, no overlap
                    EXPECT_TRUE(QRectF(QPointF(), card).contains(r)) << f.stem;
                    for (int j = 0; j < 11; ++j)
                        EXPECT_TRUE(i == j || !r.intersects(list.at(10 - j)->bounds())) << f.stem;
                }
                if (f.isPhoto) {
                    EXPECT_EQ(g->FilePath(), photo);
                    continue;
                }
                EXPECT_EQ(g->Text_contents()->string(), f.valueIn(profile));
                const QSizeF natural = static_cast<SKTText&>(*g).naturalSize();
                EXPECT_TRUE(natural.width() <= r.width() && natural.height() <= r.height()) << f.stem;
            }
        }
    }
    EXPECT_EQ(ProfilePlacement::defaultRect("Fup_lbl_Name", {243, 153}), QRectF(0, ProfileFieldTable::boxHeight, 0, 0));
}

TEST_F(ProfilePlacementTest, SecondPlacementUpdatesInPlaceAndHidesEmptiedFields)
{
    BoundCanvas side(&window);
    place(side);
    const GraphicList first = side.list();
    const GraphicPtr name = withId(first, "Fup_Name"), picture = withId(first, "Fup_Photo");
    const QRectF moved(40, 50, 90, 30);
    name->setBounds(moved);
    const FontSpec font("Liberation Sans", 22);
    name->Text_contents()->setFont(font);
    const QRectF photoBounds = picture->bounds();

    const QString second = dir.filePath("second.png");
    ASSERT_TRUE(TestPictures::solid(10, 10, qRgb(0, 0, 200)).save(second));
    profile.Reset_All_Values();
    profile.Name = "Ann Lee";
    profile.Title = " ";   // not empty
    profile.image = second;
    place(side);
    EXPECT_EQ(side.list(), first);   // no object added
    EXPECT_EQ(name->bounds(), moved);
    EXPECT_EQ(name->Text_contents()->font(), font);
    EXPECT_EQ(name->Text_contents()->string(), "Ann Lee");
    EXPECT_EQ(withId(first, "Fup_Title")->Text_contents()->string(), " ");
    EXPECT_EQ(picture->bounds(), photoBounds);
    EXPECT_EQ(picture->FilePath(), second);
    for (const GraphicPtr& g : first)
        EXPECT_EQ(g->ctrl_is_visible, g == name || g == picture || g->control_ID == "Fup_Title") << g->control_ID.toStdString();

    // nothing to place: every profile object hidden, none created
    profile.Reset_All_Values();
    BoundCanvas empty(&window);
    place(empty);
    place(side);
    EXPECT_TRUE(empty.list().isEmpty());
    for (const GraphicPtr& g : side.list())
        EXPECT_FALSE(g->ctrl_is_visible);
}

// On an object bound before to a column (series "old" at 7, column 5).
TEST_F(ProfilePlacementTest, FieldSourceReachesThePlacedObject)
{
    struct Row {
        bool series, column;
        int source;
        const char* seriesName;
        int seriesIndex;
        bool excel;
        int excelColumn;
    } rows[] = {
        {false, false, 0, "old", 7, false, 5},   // typed: unbound
        {true, false, 1, "guests", 3, false, 5},
        {false, true, 2, "old", 7, true, 4},   // series name and position left
        {true, true, 2, "guests", 3, true, 4},   // the column applied last
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.series << row.column);
        auto bound = std::make_shared<SKTText>();
        bound->control_ID = "Fup_EmailID";
        bound->_bounds = QRectF(5, 5, 100, 20);
        std::tie(bound->data_source_type, bound->batch_list_name, bound->batch_list_index, bound->excel_binding,
                 bound->excel_col_indx) = std::tuple(2, "old", 7, true, 5);
        BoundCanvas side(&window);
        side.fill({bound});
        profile.Reset_All_Values();
        profile.email = "a@b.c";
        std::tie(profile.email_ds, profile.email_ds_name, profile.email_ds_indx, profile.email_xl,
                 profile.email_xl_col_indx) = std::tuple(row.series, "guests", 3, row.column, 4);
        place(side);
        ASSERT_EQ(side.list().size(), 1);
        EXPECT_EQ(std::tuple(bound->data_source_type, bound->batch_list_name, bound->batch_list_index,
                             bound->excel_binding, bound->excel_col_indx),
                  std::tuple(row.source, QString(row.seriesName), row.seriesIndex, row.excel, row.excelColumn));
    }
}

// A field's object, new or found again (then showing an older text or
// picture), for a first record that has no value or no readable photo.
TEST_F(ProfilePlacementTest, BoundFieldIsPlacedWhateverItsFirstValue)
{
    enum Source { Typed, Series, Column };
    const struct Row
    {
        bool photo;
        Source source;
        const char* value; // "photo": the readable picture
        bool existing;
        bool placed; // there and shown, with the source
    } rows[] = {
        {false, Column, "", false, true},       {false, Series, "", true, true},
        {true, Column, "", false, true},        {true, Series, "", true, true},
        {true, Column, "gone.png", true, true}, {true, Column, "gone.png", false, true},
        {true, Series, "photo", true, true},    {true, Typed, "", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.photo << row.source << row.value << row.existing);
        const auto& field = ProfileFieldTable::fields()[row.photo ? 10 : 2];
        BoundCanvas side(&window);
        if (row.existing) {
            profile.Reset_All_Values();
            field.valueIn(profile) = row.photo ? photo : "Old Ltd";
            place(side);
        }
        profile.Reset_All_Values();
        const QString value = QString(row.value) == "photo" ? photo : QString(row.value);
        field.valueIn(profile) = value;
        field.dsIn(profile) = row.source == Series;
        field.dsNameIn(profile) = row.source == Series ? "guests" : "";
        field.xlIn(profile) = row.source == Column;
        field.xlColumnIn(profile) = row.source == Column ? 3 : 0;
        place(side);
        const GraphicPtr g = withId(side.list(), field.controlId);
        EXPECT_EQ(side.list().size(), row.existing || row.placed ? 1 : 0);
        if (!row.placed) {
            EXPECT_TRUE(!g || !g->ctrl_is_visible);
            continue;
        }
        ASSERT_TRUE(g);
        EXPECT_TRUE(g->ctrl_is_visible);
        EXPECT_EQ(std::tuple(g->data_source_type, g->batch_list_name, g->excel_binding, g->excel_col_indx),
                  std::tuple(int(row.source), QString(row.source == Series ? "guests" : ""), row.source == Column,
                             row.source == Column ? 3 : 0));
        if (!row.photo) {
            EXPECT_EQ(g->Text_contents()->string(), value);
            continue;
        }
        // the photo of the first record, or none: neither the older one nor the placeholder
        EXPECT_EQ(g->FilePath(), value);
        EXPECT_EQ(static_cast<SKTImage&>(*g)._contents.isNull(), value != photo);
    }
}

TEST_F(ProfilePlacementTest, OnlyTheFirstTextOrPictureObjectOfAnIdIsTaken)
{
    auto first = std::make_shared<SKTText>(), copy = std::make_shared<SKTText>();
    auto barcode = SKTGraphic::makeOfClass("SKTBarcode");
    for (const GraphicPtr& g : GraphicList {first, copy, barcode})
        std::tie(g->control_ID, g->_bounds) = std::tuple("Fup_Name", QRectF(20, 20, 60, 20));
    barcode->control_ID = "Fup_UniqueNo";
    BoundCanvas side(&window);
    side.fill({first, copy, barcode});
    profile.Reset_All_Values();
    profile.Name = "Bo";
    profile.unique = "42";
    place(side);
    EXPECT_EQ(first->Text_contents()->string(), "Bo");
    EXPECT_TRUE(first->ctrl_is_visible);
    EXPECT_FALSE(copy->ctrl_is_visible);   // hidden with the others, not refilled
    EXPECT_TRUE(barcode->ctrl_is_visible);   // no profile object: a new text beside it
    ASSERT_EQ(side.list().size(), 4);
    EXPECT_EQ(side.at(0)->className(), "SKTText");
    EXPECT_EQ(side.at(0)->Text_contents()->string(), "42");
}

}   // namespace
