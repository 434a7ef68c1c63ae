// A spreadsheet table replaced on a real main window, through the profile
// window's Browse... and on opening a design whose workbook changed on disk.

#include "WindowControllerFixture.h"

#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "common/ObjectTestSupport.h"
#include "common/SpecialFiles.h"
#include "data/Globals.h"
#include "data/SpreadsheetWriter.h"
#include "model/DesignFile.h"
#include "mainwindow/profile/Show_User_Profile.h"
#include "mainwindow/spreadsheet/Import_Excel.h"
#include "mainwindow/spreadsheet/SpreadsheetPicker.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/AlertMessagePresenter.h"
#include "platform/AtomicFile.h"
#include "profiles/Globals.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

template <class Kind>
std::shared_ptr<Kind> bound(int column, const QString& id = {})
{
    auto graphic = std::make_shared<Kind>();
    graphic->setBounds(QRectF(10, 10, 120, 40));
    graphic->data_source_type = 2;
    graphic->excel_col_indx = column;
    graphic->control_ID = id;
    return graphic;
}

QString textOf(const GraphicPtr& graphic)
{
    return graphic->Text_contents()->string();
}

class WorkbookChangesWindowsTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        SpreadsheetPicker::setLoadPause(0);
        // The picker: every column ticked, OK.
        SpreadsheetPicker::setModalRun([](SpreadsheetPicker& picker) {
            picker.selectAll(true);
            picker.OKPressed();
            return picker.result();
        });
    }
    void TearDown() override
    {
        SpreadsheetPicker::setModalRun({});
        ProfileDialogBase::setModalRun({});
        WindowControllerFixture::TearDown();
    }
    QString book(const QString& name, const SpreadsheetWriter::Table& table)
    {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(path, table, true));
        return path;
    }
    // The workbook read through the import window, every column ticked.
    void read(const QString& path)
    {
        Import_Excel* import = controller->importExcelWindow();
        import->open_mode = "E";
        ASSERT_EQ(import->Open_excel_Wnd(path), 1);
    }
    // The picker ticks only `columns` (from 1) from now on.
    void tickOnly(const QList<int>& columns)
    {
        SpreadsheetPicker::setModalRun([columns](SpreadsheetPicker& picker) {
            picker.selectAll(false);
            for (int c : columns)
                picker.ListData_xl[c - 1].State = true;
            picker.OKPressed();
            return picker.result();
        });
    }
    // Each record's texts and decoded barcodes of the front side, "Ada/B-001 Bob/B-002".
    std::string cards()
    {
        controller->Check_Series_Or_Excel_Use_or_not();
        QStringList pages;
        for (int record = 0; record < Total_Batch_Excel_Card; ++record) {
            SideSnapshot shot;
            QMap<QString, GraphicPtr> byId;
            EXPECT_EQ(bindRecord(shot, record, byId), "");
            QStringList page;
            for (const GraphicPtr& g : shot.graphics())
                page << (g->kind() == SKTGraphic::Kind::Barcode
                             ? ObjectTestSupport::decodeBarcode(g->_barcode_image.image()).text
                             : textOf(g));
            pages << page.join('/');
        }
        return pages.join(' ').toStdString();
    }
    // Ada's and Bob's badges under `titles`, some of Name, Badge (or "Badge No"), Email and City.
    static SpreadsheetWriter::Table badges(const QStringList& titles, const QString& ada = "Ada")
    {
        const QStringList all {"Name", "Badge", "Email", "City"};
        SpreadsheetWriter::Table table {titles};
        for (const QStringList& person :
             {QStringList {ada, "B-001", "ada@x.org", "Oslo"}, QStringList {"Bob", "B-002", "bob@x.org", "Rome"}}) {
            table << QStringList();
            for (const QString& title : titles)
                table.last() << person[all.indexOf(title.startsWith("Badge") ? "Badge" : title)];
        }
        return table;
    }
    // The boxes shown as `design` opens again, a question answered Yes.
    QStringList reopen(const QString& design)
    {
        presenter.clear();
        presenter.scriptAnswers({true});
        EXPECT_TRUE(controller->Read_and_load_design_Log(design, "L"));
        return presenter.texts();
    }
    void insert(const QString& key, const GraphicList& graphics)
    {
        document->insertGraphicsForKey(key, graphics, IndexSet::range(0, int(graphics.size())));
    }
    QStringList items(QComboBox* combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }

    QTemporaryDir folder;
};

} // namespace

// Profile -> Browse... a new version of the workbook with a column inserted
// before Name, a title gone and one named twice -> Select All -> OK -> OK.
TEST_F(WorkbookChangesWindowsTest, BindingsFollowTheirTitlesThroughTheProfileWindow)
{
    const QString first = book("guests.xlsx",
                               {{"Name", "Company", "Number", "Photo"},
                                {"Ada", "Acme", "1001", "/p/ada.png"},
                                {"Bob", "Bolt", "1002", "/p/bob.png"}});
    const QString second = book("guests-2.xlsx",
                                {{"Title", "Name", "Number", "Number", "Photo"},
                                 {"Dr.", "Ann", "2001", "2002", "/p/ann.png"},
                                 {"", "Bo", "2003", "2004", "/p/bo.png"}});
    read(first);

    // A profile name, a company text and a photo on the front, a barcode of
    // the number on the back, and a text bound to Name in the inspector.
    const auto name = bound<SKTText>(1, "Fup_Name");
    const auto company = bound<SKTText>(2);
    const auto photo = bound<SKTImage>(4);
    const auto number = bound<SKTBarcode>(3);
    insert(SKTDocumentGraphicsKey, {name, company, photo});
    insert(SKTDocumentGraphicsKey_back, {number});
    control<QAbstractButton>("Text_Tool_btn")->click();
    const GraphicPtr typed = controller->graphicView(0)->controller()._Selected_Graphic;
    ASSERT_TRUE(typed);
    auto* source = control<QComboBox>("Data_source_type");
    source->setCurrentIndex(source->findText("Excel"));
    emit source->activated(source->currentIndex());
    auto* column = control<QComboBox>("Batch_Series");
    column->setCurrentIndex(column->findText("Name"));
    emit column->activated(column->currentIndex());
    ASSERT_EQ(textOf(typed), "Ada");

    auto* pages = control<QTabWidget>("sett_tab");
    pages->setCurrentIndex(2); // "Text Source"

    Show_User_Profile* profile = Show_User_Profile::defaultInstance();
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return second; });
    QStringList seen; // right after the import, before the profile's OK
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& window) {
        profile->excel_browse_btn->click();
        seen << textOf(name) << textOf(company) << photo->FilePath() << textOf(typed) << column->currentText()
             << items(column).join(",") << pages->tabText(pages->currentIndex()) << presenter.texts().join(" | ");
        profile->ok_btn->click();
        return window.result();
    });
    controller->User_Profile_Button_Clicked();

    // Company is gone and one of two Number columns, a title the design knew,
    // stands at its place: the text takes none, the barcode that Number.
    const QString message = "\nThese objects take the column now standing at their column's place:\n"
                            "- barcode on the back side showing \"2002\": \"Number\" names more than one column; "
                            "it takes the one at its place.\n"
                            "These objects now take no column and show nothing:\n"
                            "- text on the front side: no column is titled \"Company\".";
    EXPECT_EQ(seen.join(" | ").toStdString(),
              QStringList({"Ann", "", "/p/ann.png", "Ann", "Name", "No.,Title,Name,Number,Number,Photo", "Text Source",
                           message})
                  .join(" | ")
                  .toStdString());
    EXPECT_EQ(presenter.texts().join(" | ").toStdString(), message.toStdString());
    EXPECT_EQ(textOf(name), "Ann"); // the profile's OK placed it again
    QList<int> columns;
    for (const GraphicPtr& graphic :
         {GraphicPtr(name), GraphicPtr(company), GraphicPtr(photo), typed, GraphicPtr(number)})
        columns << graphic->excel_col_indx;
    EXPECT_EQ(columns, (QList<int> {2, -1, 5, 2, 4}));
    ASSERT_FALSE(number->_barcode_image.isNull());
    EXPECT_EQ(ObjectTestSupport::decodeBarcode(number->_barcode_image.image()).text, "2002");
}

// A design saved with its table, then its workbook changed on disk: opening
// asks; No keeps the saved table, Yes reads it again and the class binding
// follows its title. A workbook that is gone is named once, as one that
// cannot be found.
TEST_F(WorkbookChangesWindowsTest, OpeningADesignWhoseWorkbookChanged)
{
    const QString path = book("students.xlsx", {{"Name", "Class"}, {"Ada", "7a"}, {"Bob", "7b"}, {"Cy", "7c"}});
    read(path);
    const QList<DesignFileRow> saved = controller->ListData;
    const auto classText = bound<SKTText>(2);
    insert(SKTDocumentGraphicsKey, {classText});
    const QString design = folder.filePath("cards.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    book("students.xlsx", {{"Class", "Name"}, {"7c", "Cy"}, {"7a", "Ada"}, {"8d", "Di"}, {"8e", "Eve"}});

    Show_User_Profile* profile = Show_User_Profile::defaultInstance();
    QStringList named; // the profile window's file and note
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& window) {
        named << profile->excel_path_field->text()
              << (profile->excel_note_label->isVisibleTo(profile) ? profile->excel_note_label->text() : "-");
        profile->cancel_btn->click();
        return window.result();
    });

    presenter.scriptAnswers({false});
    ASSERT_TRUE(controller->Read_and_load_design_Log(design, "L"));
    const QString question = "The workbook " + path
        + " has changed since this design was saved (3 rows saved, 4 now). Read it again?";
    EXPECT_EQ(presenter.texts().join(" | ").toStdString(), question.toStdString());
    EXPECT_EQ(controller->ListData, saved);
    controller->User_Profile_Button_Clicked();

    presenter.clear();
    presenter.scriptAnswers({true});
    ASSERT_TRUE(controller->Read_and_load_design_Log(design, "L"));
    EXPECT_EQ(presenter.texts().join(" | ").toStdString(), question.toStdString());
    EXPECT_EQ(controller->Excel_Column_Titles, (QStringList {"No.", "Class", "Name"}));
    const GraphicList front = controller->Get_Front_Controls_Array();
    ASSERT_FALSE(front.isEmpty());
    EXPECT_EQ(front.first()->excel_col_indx, 1);
    EXPECT_EQ(textOf(front.first()), "7c");
    controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(Total_Batch_Excel_Card, 4);
    controller->User_Profile_Button_Clicked();
    EXPECT_EQ(Excel_Source_Path, path);

    presenter.clear();
    ASSERT_TRUE(QFile::rename(path, path + ".old"));
    ASSERT_TRUE(controller->Read_and_load_design_Log(design, "L"));
    EXPECT_EQ(presenter.texts().join(" | ").toStdString(),
              ("\nThe workbook " + path + " cannot be found; the table saved with the design is used.").toStdString());
    EXPECT_EQ(controller->ListData, saved);
    controller->User_Profile_Button_Clicked();

    const QString used = "; the table saved with the design is used.";
    EXPECT_EQ(named,
              (QStringList {path, "The workbook has changed" + used, path, "-", path,
                            "The workbook cannot be found" + used}));
}

// The question on opening a design whose workbook changed, right after the
// please-wait window closes, stands centred on the main window (real boxes).
TEST_F(WorkbookChangesWindowsTest, TheWorkbookQuestionStandsOnTheMainWindow)
{
    const QString path = book("students.xlsx", {{"Name"}, {"Ada"}});
    read(path);
    const QString design = folder.filePath("cards.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    book("students.xlsx", {{"Name"}, {"Ada"}, {"Bob"}});

    QWidget* window = controller->window();
    window->move(window->screen()->availableGeometry().topLeft() + QPoint(30, 20));
    AlertMessagePresenter alerts;
    MessagePresenter::install(&alerts);
    QString asked;
    QPoint centre;
    QTimer poll; // until the box is up
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        asked = box->text();
        centre = box->geometry().center();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == "No")
                button->click(); // the saved table stays
        }
    });
    poll.start(10);
    ASSERT_TRUE(controller->Read_and_load_design_Log(design, "L"));
    MessagePresenter::install(&presenter);
    EXPECT_TRUE(asked.contains("has changed since this design was saved")) << asked.toStdString();
    EXPECT_LE((centre - window->geometry().center()).manhattanLength(), 2) << centre.x() << "," << centre.y();
}

// A design whose workbook path names a FIFO without a writer, standard input
// or a folder opens at once with the one message that the workbook cannot be
// read; the saved table stays, and nothing was opened that could wait.
TEST_F(WorkbookChangesWindowsTest, ADesignWhoseWorkbookIsNoFileOpensAtOnce)
{
    const QString path = book("students.xlsx", {{"Name"}, {"Ada"}, {"Bob"}});
    read(path);
    const QList<DesignFileRow> saved = controller->ListData;
    const QByteArray changed = [&] {
        QFile other(book("other.xlsx", {{"Name"}, {"Cy"}}));
        return other.open(QIODevice::ReadOnly) ? other.readAll() : QByteArray();
    }();
    ASSERT_LT(changed.size(), 65536);
    for (const SpecialFiles::Kind kind : {SpecialFiles::Kind::Fifo, SpecialFiles::Kind::StandardInput,
                                          SpecialFiles::Kind::ProcStandardInput, SpecialFiles::Kind::Folder}) {
        SCOPED_TRACE(SpecialFiles::name(kind));
        const SpecialFiles::Made made(kind, folder.path(), changed, ".xlsx");
        ASSERT_TRUE(made.ok());
        setExcelSourcePath(made.path());
        const QString design = folder.filePath("cards.fcard");
        SavePanel::setHandler([&](const QString&, const QString&) { return design; });
        ASSERT_TRUE(controller->Save_project_file(true, false));
        presenter.clear();
        ASSERT_TRUE(controller->Read_and_load_design_Log(design, "L"));
        EXPECT_EQ(presenter.texts().join(" | ").toStdString(),
                  ("\nThe workbook " + made.path() + " cannot be read; the table saved with the design is used.")
                      .toStdString());
        EXPECT_EQ(controller->ListData, saved);
        EXPECT_FALSE(made.touched());
    }
}

// A company text and a number barcode bound to Name, Company, Number, copied.
// Reopened: they follow Company renamed Firm, then the text takes no column.
// Pasted in a new design they wait for a table, then follow their titles.
TEST_F(WorkbookChangesWindowsTest, NoObjectShowsAnotherColumnsDataAfterARenameAPasteOrNew)
{
    const QString path = book(
        "guests.xlsx",
        {{"Name", "Company", "Number"}, {"Ada", "Acme", "1001"}, {"Bob", "Bolt", "1002"}, {"Cy", "Core", "1003"}});
    read(path);
    const auto company = bound<SKTText>(2);
    company->Text_contents()->setString("Acme");
    insert(SKTDocumentGraphicsKey, {company, bound<SKTBarcode>(3)});
    const QString design = folder.filePath("badges.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    CanvasController& canvas = controller->graphicView(0)->controller();
    canvas.changeSelectionIndexes(IndexSet::range(0, 2));
    controller->Copy_Clicked();
    // what another running copy of the program offers
    auto* copied = new QMimeData;
    for (const QString& format : pasteboard.mimeData()->formats())
        copied->setData(format, pasteboard.mimeData()->data(format));
    copied->removeFormat(Pasteboard::changeMarkType);

    const auto reopen = [&](const SpreadsheetWriter::Table& now) {
        book("guests.xlsx", now);
        presenter.clear();
        presenter.scriptAnswers({true});
        EXPECT_TRUE(controller->Read_and_load_design_Log(design, "L"));
        return presenter.texts().mid(1).join(" | ").toStdString(); // after "has changed… Read it again?"
    };

    EXPECT_EQ(
        reopen({{"Name", "Firm", "Number"}, {"Bob", "Bolt", "1002"}, {"Ada", "Acme", "1001"}, {"Di", "Dyn", "1004"}}),
        "\nThese objects take the column now standing at their column's place:\n"
        "- text on the front side showing \"Bolt\": \"Company\" is now \"Firm\".");
    EXPECT_EQ(cards(), "Bolt/1002 Acme/1001 Dyn/1004");
    ASSERT_TRUE(controller->Save_project_file(false, false));

    EXPECT_EQ(reopen({{"Name", "Number"}, {"Bob", "1002"}, {"Ada", "1001"}}),
              "\nThese objects now take no column and show nothing:\n"
              "- text on the front side: no column is titled \"Firm\".");
    EXPECT_EQ(cards(), "/1002 /1001");

    presenter.clear();
    presenter.scriptAnswers({false}); // no save before the new design
    controller->New_Btn_Clicked();
    EXPECT_EQ(controller->Excel_Column_Titles, QStringList {"No."});
    presenter.clear();
    pasteboard.putForeign(copied);
    controller->Paste_Clicked();
    GraphicList pasted = controller->Get_Front_Controls_Array();
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_EQ(textOf(pasted[0]), "Acme"); // what it showed
    read(book("other.xlsx", {{"Number", "Name", "Company"}, {"2001", "Eve", "Echo"}, {"2002", "Fay", "Flux"}}));
    controller->Paste_Clicked();
    EXPECT_EQ(presenter.texts().join(" | ").toStdString(), "");
    EXPECT_EQ(cards(), "Echo/2001/Echo/2001 Flux/2002/Flux/2002");
}

// A badge list read without its Email column, Name and Badge on the cards,
// saved. Badge deleted or renamed in the workbook as the design opens, or
// unticked with Email ticked in the import window: no badge shows an e-mail.
TEST_F(WorkbookChangesWindowsTest, APlaceIsAPlaceAmongTheSheetsColumnsNotTheTickedOnes)
{
    const QString path = book("badges.xlsx", badges({"Name", "Badge", "Email", "City"}));
    tickOnly({1, 2, 4});
    read(path);
    ASSERT_EQ(controller->Excel_Column_Titles, (QStringList {"No.", "Name", "Badge", "City"}));
    insert(SKTDocumentGraphicsKey, {bound<SKTText>(1), bound<SKTText>(2)});
    const QString design = folder.filePath("badges.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    EXPECT_EQ(cards(), "Ada/B-001 Bob/B-002");

    // The cards and what the window says after the question, the design opened on a sheet of `titles`.
    const auto reread = [&](const QStringList& titles) {
        book("badges.xlsx", badges(titles));
        const QStringList said = reopen(design).mid(1);
        return cards() + said.join(" | ").toStdString();
    };
    const std::string gone = "\nThese objects now take no column and show nothing:\n"
                             "- text on the front side: no column is titled \"Badge\".";
    EXPECT_EQ(reread({"Name", "Email", "City"}), "Ada/ Bob/" + gone);
    EXPECT_EQ(reread({"Name", "Badge No", "Email", "City"}),
              "Ada/B-001 Bob/B-002\nThese objects take the column now standing at their column's place:\n"
              "- text on the front side showing \"B-001\": \"Badge\" is now \"Badge No\".");

    book("badges.xlsx", badges({"Name", "Badge", "Email", "City"}));
    reopen(design);
    tickOnly({1, 3, 4});
    read(path);
    controller->tellColumnsNotFollowed();
    const QString said = presenter.texts().join(" | ");
    EXPECT_EQ(cards() + said.toStdString(), "Ada/ Bob/" + gone);
}

// A list read without a title row, sorted and opened again (Yes): every badge
// shows its guest's own values, also from an older design.
TEST_F(WorkbookChangesWindowsTest, AListWithoutATitleRowKeepsItsColumnsByPlace)
{
    const QString path = book("guests.xlsx", {{"Ann Lee", "12", "3"}, {"Bo Park", "3", "12"}});
    SpreadsheetPicker::setModalRun([](SpreadsheetPicker& picker) {
        picker.contains_header->setChecked(false);
        picker.selectAll(true);
        picker.OKPressed();
        return picker.result();
    });
    read(path);
    insert(SKTDocumentGraphicsKey, {bound<SKTText>(1), bound<SKTText>(2), bound<SKTText>(3)});
    const QString design = folder.filePath("guests.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    QFile saved(design);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    DesignFileContents older = DesignFile::read(bytes).contents;
    older.sheetColumns = {}; // as written before designs kept their sheet layout
    for (const QByteArray& written : {bytes, DesignFile::write(older)}) {
        ASSERT_TRUE(AtomicFile::save(design, written));
        book("guests.xlsx", {{"Bo Park", "3", "12"}, {"Ann Lee", "12", "3"}});
        const QStringList said = reopen(design);
        EXPECT_EQ(cards() + said.mid(1).join(" | ").toStdString(), "Bo Park/3/12 Ann Lee/12/3"); // the question alone
    }
}

// A carried column title naming another column than the stored position
// wins as the design opens; an empty title is none.
TEST_F(WorkbookChangesWindowsTest, ACarriedTitleHoldsFromTheMomentTheDesignOpens)
{
    read(book("guests.xlsx", {{"Name", "Company"}, {"Ada", "Acme"}, {"Bob", "Bolt"}}));
    insert(SKTDocumentGraphicsKey, {bound<SKTText>(1)});
    const QString design = folder.filePath("guests.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    QFile saved(design);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const DesignFileContents contents = DesignFile::read(saved.readAll()).contents;
    // The column the object takes as the design opens, the cards, what the window says.
    const auto opened = [&](const QString& title) {
        contents.frontGraphics.first()->excel_col_title = title; // as another writer left it
        EXPECT_TRUE(AtomicFile::save(design, DesignFile::write(contents)));
        const QString said = reopen(design).join(" | ");
        return std::to_string(controller->Get_Front_Controls_Array().first()->excel_col_indx) + " [" + cards() + "]"
            + said.toStdString();
    };
    EXPECT_EQ(opened("Company"), "2 [Acme Bolt]");
    EXPECT_EQ(opened("Phone"),
              "-1 [ ]\nThese objects now take no column and show nothing:\n"
              "- text on the front side: no column is titled \"Phone\".");
    EXPECT_EQ(opened(""), "1 [Ada Bob]");
}

// Profile -> Browse... a new badge list read with Badge unticked and Email
// ticked: Name follows its title, Title (on Badge) takes no column, and the
// side picture shows the new first row at once, also after Preview.
TEST_F(WorkbookChangesWindowsTest, TheProfileWindowTakesANewTableIntoItsRowsAndItsPicture)
{
    const QStringList titles {"Name", "Badge", "Email"};
    tickOnly({1, 2});
    read(book("first.xlsx", badges(titles)));
    const auto title = bound<SKTText>(2, "Fup_Title");
    title->setBounds(QRectF(10, 60, 140, 40));
    insert(SKTDocumentGraphicsKey, {bound<SKTText>(1, "Fup_Name"), title});

    Show_User_Profile* profile = Show_User_Profile::defaultInstance();
    QStringList paths {book("second.xlsx", badges(titles, "Ann")), book("third.xlsx", badges(titles, "Cyd"))};
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return paths.takeFirst(); });
    tickOnly({1, 3});
    const auto picture = [&] { return profile->Preivew_picture->pixmap().toImage(); };
    QStringList seen;
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& window) {
        const QImage opened = picture();
        profile->excel_browse_btn->click();
        const auto row = [&](int r) {
            return profile->state().row(r).chosenText() + "=" + profile->state().row(r).value;
        };
        seen << row(0) << row(1) << (picture() == opened ? "the picture as opened" : "a new picture");
        profile->rowControls[1].ds_combo->setCurrentIndex(0); // typed, so that the rows preview
        profile->preview_btn->click();
        const QImage previewed = picture();
        profile->excel_browse_btn->click();
        seen << profile->state().row(0).value << (picture() == previewed ? "the preview as before" : "a new preview");
        profile->cancel_btn->click();
        return window.result();
    });
    controller->User_Profile_Button_Clicked();
    EXPECT_EQ(seen.join(" | ").toStdString(), "Name=Ann | = | a new picture | Cyd | a new preview");
}
