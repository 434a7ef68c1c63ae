#include "profiles/ProfileDialogState.h"

#include "model/SKTGraphic.h"
#include "profiles/Globals.h"
#include "profiles/ProfileFieldTable.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

constexpr int Name = 0, Title = 1, Company = 2, Slogan = 3, Phone = 5, Photo = ProfileDialogState::photoRow;

// Series "Guests" (first value "Ann"), "Photos" (a path with blanks around
// it) and "Gone" (no file: no value); the table's columns "No.", "First",
// "Last" with a first row 1, Bea, Cole.
struct FakeSources
{
    bool loaded = false;
    QMap<QString, QString> firstValues {{"Guests", "Ann"}, {"Photos", "  /pics/ann.png \n"}};

    ProfileDialogState::Sources sources()
    {
        ProfileDialogState::Sources s;
        s.seriesNames = [] { return QStringList {"Guests", "Photos", "Gone", ""}; };
        s.firstSeriesValue = [this](const QString& name) { return firstValues.value(name); };
        s.columnTitles = [] { return QStringList {"No.", "First", "Last"}; };
        s.firstColumnValue = [this](int column) {
            const QStringList row {"1", "Bea", "Cole"};
            return loaded && column < row.size() ? row[column] : QString();
        };
        s.tableLoaded = [this] { return loaded; };
        return s;
    }
};

GraphicPtr object(const char* kind, const QString& id, const QString& text = {}, bool visible = true)
{
    GraphicPtr g = SKTGraphic::makeOfClass(QLatin1String(kind));
    g->control_ID = id;
    g->Text_Value = text;
    g->ctrl_is_visible = visible;
    return g;
}

GraphicPtr bound(const char* kind, const QString& id, const QString& text, int source, int index)
{
    GraphicPtr g = object(kind, id, text);
    g->data_source_type = source;
    g->batch_list_index = source == 1 ? index : 0;
    g->excel_col_indx = source == 2 ? index : 0;
    return g;
}

class ProfileDialogStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessagePresenter::install(&presenter);
        Excel_Source_Path = "/old.xlsx";
        Excel_Binding_Use = false;
    }
    void TearDown() override
    {
        MessagePresenter::install(nullptr);
        Excel_Source_Path.clear();
        Excel_Binding_Use = false;
    }

    ScriptedMessagePresenter presenter;
    FakeSources fake;
};

TEST_F(ProfileDialogStateTest, LoadingASideTakesVisibleProfileObjectsOfTheExactKinds)
{
    struct Case
    {
        const char* what;
        GraphicList side;
        int row;
        QString value;
        bool ticked;
    };
    GraphicPtr photo = object("SKTImage", "Fup_Photo", "Text here");
    photo->_file_path = "/pics/me.png";
    const Case cases[] = {
        {"invisible object", {object("SKTText", "Fup_Name", "Hidden", false)}, Name, "", false},
        {"other kind", {object("SKTBarcode", "Fup_Title", "Bar")}, Title, "", false},
        {"blanks and control characters around the ID",
         {object("SKTText", " \tFup_Company\n\x01", "Acme")}, Company, "Acme", true},
        {"ID of another case", {object("SKTText", "fup_companyslogan", "x")}, Slogan, "", false},
        {"last one wins",
         {object("SKTText", "Fup_CompanySlogan", "first"), object("SKTText", "Fup_CompanySlogan", "second")},
         Slogan, "second", true},
        {"a picture object may fill a text row", {object("SKTImage", "Fup_PhoneNO", "555")}, Phone, "555", true},
        {"photo row takes the picture's path", {photo}, Photo, "/pics/me.png", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProfileDialogState state(fake.sources());
        state.reset();
        state.loadSide(c.side);
        EXPECT_EQ(state.row(c.row).value, c.value);
        EXPECT_EQ(state.row(c.row).valueChecked, c.ticked);
        EXPECT_EQ(state.row(c.row).source, 0);

        ProfileDialogState wizard(fake.sources(), false);
        wizard.reset();
        wizard.loadSide(c.side);
        EXPECT_EQ(wizard.row(c.row).value, c.value);
        EXPECT_FALSE(wizard.row(c.row).valueChecked);
    }
}

TEST_F(ProfileDialogStateTest, LoadingABoundObjectSelectsItsSourceAndShowsTheFirstValue)
{
    struct Case
    {
        const char* what;
        bool tableLoaded;
        GraphicPtr graphic;
        int row;
        int source;
        int choice;
        QString value;
        int sourceItems;
    };
    const Case cases[] = {
        {"series", false, bound("SKTText", "Fup_Name", "old", 1, 0), Name, 1, 0, "Ann", 2},
        {"series without a file", false, bound("SKTText", "Fup_Name", "old", 1, 2), Name, 1, 2, "", 2},
        {"series position no longer listed", false, bound("SKTText", "Fup_Name", "old", 1, 9), Name, 1, -1, "old", 2},
        {"column, table loaded: Excel offered", true, bound("SKTText", "Fup_Title", "old", 2, 1), Title, 2, 1, "Bea", 3},
        {"column, no table: typed with its text", false, bound("SKTText", "Fup_Title", "old", 2, 1), Title, 0, -1,
         "old", 2},
        {"unknown source: typed", false, bound("SKTText", "Fup_Title", "old", 7, 1), Title, 0, -1, "old", 2},
        {"photo from a series, path trimmed", false, bound("SKTImage", "Fup_Photo", "", 1, 1), Photo, 1, 1,
         "/pics/ann.png", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.loaded = c.tableLoaded;
        ProfileDialogState state(fake.sources());
        QStringList photos;
        state.photoChanged = [&photos](const QString& path) { photos << path; };
        state.reset();
        state.loadSide({c.graphic});
        const ProfileDialogState::Row& r = state.row(c.row);
        EXPECT_EQ(r.source, c.source);
        EXPECT_EQ(r.choice, c.choice);
        EXPECT_EQ(r.value, c.value);
        EXPECT_EQ(r.valueEditable, c.source == 0);
        // every list gets "Excel" together, never just the loaded row's
        for (const ProfileDialogState::Row& any : state.rows())
            EXPECT_EQ(any.sourceItems.size(), c.sourceItems);
        if (c.row == Photo) {
            EXPECT_EQ(photos.last(), c.value);
        }
    }
}

TEST_F(ProfileDialogStateTest, SourceAndChoiceCascade)
{
    fake.loaded = true;
    ProfileDialogState state(fake.sources());
    state.reset();
    state.addExcelItems();
    state.valueEdited(Name, "typed");
    // source, choice (-1: none made), the value afterwards, the list's length
    const std::tuple<int, int, QString, int> steps[] = {
        {1, -1, "typed", 4},   // a source change fills the list and keeps the text
        {1, 0, "Ann", 4},      // a series' first value
        {1, 3, "Ann", 4},      // an item with no text changes nothing
        {1, 2, "", 4},         // a series without a file empties the value
        {2, 2, "Cole", 3},     // a column's first row
        {0, -1, "Cole", 0},    // back to typed keeps the sample
    };
    for (const auto& [source, choice, value, items] : steps) {
        if (state.row(Name).source != source)
            state.selectSource(Name, source);
        if (choice >= 0)
            state.selectChoice(Name, choice);
        const ProfileDialogState::Row& r = state.row(Name);
        EXPECT_EQ(r.value, value) << source << "/" << choice;
        EXPECT_EQ(r.choiceItems.size(), items);
        EXPECT_EQ(r.valueEditable, source == 0);
        EXPECT_EQ(r.viewEnabled, source == 1);
    }
    // the check boxes: the last action on the value field wins
    state.selectSource(Title, 1);
    state.valueCheckClicked(Title, true);
    EXPECT_TRUE(state.row(Title).valueEditable);
    state.captionEdited(Title, "Role :");
    EXPECT_TRUE(state.row(Title).captionChecked);
    EXPECT_FALSE(state.row(Title).captionEditable);
}

// Back on manual the photo row shows its own path again, not a sample of the
// series or column it was bound to; nothing for a photo loaded bound.
TEST_F(ProfileDialogStateTest, PhotoBackToManualShowsItsOwnPath)
{
    fake.loaded = true;
    ProfileDialogState state(fake.sources());
    QStringList photos;
    state.photoChanged = [&photos](const QString& path) { photos << path; };
    state.reset();
    state.addExcelItems();
    state.setUserImage(" /pics/own.png ");
    // source, choice (-1: none made), the path afterwards
    const std::tuple<int, int, QString> steps[] = {
        {2, 2, "Cole"},           // a column's first row
        {0, -1, "/pics/own.png"}, // manual again: its own path
        {1, 1, "/pics/ann.png"},  // a series of paths
        {0, -1, "/pics/own.png"},
    };
    for (const auto& [source, choice, path] : steps) {
        state.selectSource(Photo, source);
        if (choice >= 0)
            state.selectChoice(Photo, choice);
        EXPECT_EQ(state.row(Photo).value, path) << source << "/" << choice;
        EXPECT_EQ(photos.last(), path);
    }
    // a photo loaded bound has no path of its own
    state.reset();
    state.loadSide({bound("SKTImage", "Fup_Photo", "", 2, 2)});
    EXPECT_EQ(state.row(Photo).value, "Cole");
    state.selectSource(Photo, 0);
    EXPECT_EQ(state.row(Photo).value, "");
    EXPECT_EQ(photos.last(), "");
}

TEST_F(ProfileDialogStateTest, ValidationNamesTheFirstBoundRowWithoutAChoice)
{
    struct Case
    {
        QList<int> unchosen;
        QString message;   // "" when it passes
    };
    const Case cases[] = {
        {{}, ""},
        {{Title, Photo}, "Please select the source for 'Position / Title'"},
        {{Photo}, "Please select the source for 'Photo'"},
        {{Photo, Name}, "Please select the source for 'Name'"},
        {{Phone}, "Please select the source for 'Phone No.'"},
    };
    for (const Case& c : cases) {
        ProfileDialogState state(fake.sources());
        state.reset();
        state.selectSource(Company, 1);
        state.selectChoice(Company, 0);
        for (int row : c.unchosen)
            state.selectSource(row, 1);
        User_Profile_Class record;
        record.Name = "kept";
        presenter.clear();
        const bool committed = state.commit(record, ProfileDialogState::Target::Front);
        EXPECT_EQ(committed, c.message.isEmpty()) << c.message.toStdString();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(presenter.texts().isEmpty());
            continue;
        }
        EXPECT_EQ(presenter.texts(), QStringList {"\n" + c.message});
        EXPECT_EQ(record.Name, "kept");
        EXPECT_FALSE(record.Fill_User_Profile_Enable);
    }
}

TEST_F(ProfileDialogStateTest, CommitWritesValuesAndSourcesByTheTable)
{
    fake.loaded = true;
    ProfileDialogState state(fake.sources());
    state.reset();
    state.addExcelItems();
    state.excelPath = "/sheets/guests.xlsx";
    state.valueEdited(Name, "Dan");
    state.selectSource(Title, 1);
    state.selectChoice(Title, 0);
    state.selectSource(Company, 2);
    state.selectChoice(Company, 2);
    state.setUserImage(" /pics/dan.png ");
    // Slogan's source list has no selection: the record keeps its source.
    state.setValue(Slogan, "Bea");
    state.selectSource(Slogan, -1);
    state.selectChoice(Slogan, 1);

    User_Profile_Class record;
    record.Reset_All_Values();
    record.slogan_ds = true;
    record.slogan_ds_name = "Old";
    record.slogan_ds_indx = 4;
    record.Name_xl = true;
    record.Name_xl_col_indx = 3;
    ASSERT_TRUE(state.commit(record, ProfileDialogState::Target::Front));

    // value | series flag, name, index | column flag, index
    const auto describe = [&record](int row) {
        const ProfileFieldTable::Field& f = ProfileFieldTable::fields()[row];
        return QStringLiteral("%1|%2 %3 %4|%5 %6")
            .arg(f.valueIn(record))
            .arg(f.dsIn(record))
            .arg(f.dsNameIn(record))
            .arg(f.dsIndexIn(record))
            .arg(f.xlIn(record))
            .arg(f.xlColumnIn(record));
    };
    EXPECT_EQ(describe(Name), "Dan|0  0|0 0");
    EXPECT_EQ(describe(Title), "Ann|1 Guests 0|0 0");
    EXPECT_EQ(describe(Company), "Cole|0  0|1 2");
    EXPECT_EQ(describe(Slogan), "Bea|1 Old 4|0 0");   // no source selected: kept
    EXPECT_EQ(describe(Photo), "/pics/dan.png|0  0|0 0");
    EXPECT_TRUE(record.Fill_User_Profile_Enable);
    EXPECT_TRUE(record.Excel_Binding);
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_EQ(Excel_Source_Path, "/sheets/guests.xlsx");

    // The temp commit writes the rows only; front and back without a table
    // turn the program's binding off and keep the path.
    User_Profile_Class temp;
    Excel_Binding_Use = true;
    ASSERT_TRUE(state.commit(temp, ProfileDialogState::Target::Temp));
    EXPECT_EQ(temp.Name, "Dan");
    EXPECT_FALSE(temp.Fill_User_Profile_Enable);
    EXPECT_FALSE(temp.Excel_Binding);
    EXPECT_TRUE(Excel_Binding_Use);
    fake.loaded = false;
    state.excelPath = "/other.xlsx";
    User_Profile_Class back;
    back.Excel_Binding = true;
    ASSERT_TRUE(state.commit(back, ProfileDialogState::Target::Back));
    EXPECT_FALSE(back.Excel_Binding);
    EXPECT_FALSE(Excel_Binding_Use);
    EXPECT_EQ(Excel_Source_Path, "/sheets/guests.xlsx");
}

TEST_F(ProfileDialogStateTest, OkCommitsTheSidesItsLetterNamesAndCancelNone)
{
    struct Case
    {
        QString side;
        bool front;
        bool back;
    };
    const Case cases[] = {{"F", true, false}, {"B", false, true}, {"", true, true}, {"X", true, false}};
    for (const Case& c : cases) {
        ProfileDialogState state(fake.sources());
        state.reset();
        state.valueEdited(Name, "Eve");
        User_Profile_Class front, back;
        EXPECT_TRUE(state.ok(c.side, front, back));
        EXPECT_EQ(front.Name == "Eve", c.front) << c.side.toStdString();
        EXPECT_EQ(back.Name == "Eve", c.back) << c.side.toStdString();
    }

    // A failing front commit stops the front-then-back OK before the back.
    ProfileDialogState state(fake.sources());
    state.reset();
    state.selectSource(Name, 1);
    User_Profile_Class front, back;
    EXPECT_FALSE(state.ok("", front, back));
    EXPECT_EQ(presenter.texts().size(), 1);

    // Cancel writes no profile; the path goes to the program only while a
    // table is loaded.
    state.excelPath = "/new.xlsx";
    state.cancel();
    EXPECT_EQ(Excel_Source_Path, "/old.xlsx");
    fake.loaded = true;
    state.cancel();
    EXPECT_EQ(Excel_Source_Path, "/new.xlsx");
}

TEST_F(ProfileDialogStateTest, ExcelItemFollowsTheTwoAndThreeItemRuleAndSurvivesReset)
{
    ProfileDialogState state(fake.sources());
    state.reset();
    fake.loaded = true;
    state.spreadsheetImported();
    state.spreadsheetImported();   // a second browse adds no second item
    for (const ProfileDialogState::Row& r : state.rows())
        EXPECT_EQ(r.sourceItems, (QStringList {"Manual", "Series", "Excel"}));

    state.selectSource(Phone, 2);
    state.selectChoice(Phone, 1);
    state.captionCheckClicked(Name, true);
    state.setCaption(Name, "Full name :");
    state.valueEdited(Name, "Fay");
    state.setUserImage("/pics/fay.png");
    state.reset();
    EXPECT_EQ(state.row(Name).caption, "Full name :");
    EXPECT_EQ(state.row(Title).caption, "Position / Title :");
    EXPECT_EQ(state.row(Name).value, "");
    EXPECT_EQ(state.row(Photo).value, "");
    EXPECT_FALSE(state.row(Name).captionChecked);
    EXPECT_EQ(state.row(Phone).source, 0);
    EXPECT_EQ(state.row(Phone).choice, -1);
    for (const ProfileDialogState::Row& r : state.rows())
        EXPECT_EQ(r.sourceItems.size(), 3);

    // An import that left no table takes "Excel" back; a row bound to a
    // column is typed again.
    state.selectSource(Phone, 2);
    fake.loaded = false;
    state.spreadsheetImported();
    for (const ProfileDialogState::Row& r : state.rows())
        EXPECT_EQ(r.sourceItems.size(), 2);
    EXPECT_EQ(state.row(Phone).source, 0);
    EXPECT_TRUE(state.row(Phone).valueEditable);
}

}
