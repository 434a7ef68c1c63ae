// New, Open, Save and Save As on a real main window, with the panels and
// message boxes answered by the test: what is written, what the title shows,
// that a failed write never lets a command discard the design, and that a
// design file another writer changed is replaced only when the user says so.
#include "app/Globals.h"
#include "mainwindow/Globals.h"
#include "mainwindow/WindowControllerFixture.h"
#include "model/DesignFile.h"
#include "model/DesignFileOnDisk.h"
#include "model/GraphicDefaults.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/AtomicFile.h"
#include "platform/IndexSet.h"
#include "platform/SavePanel.h"
#include "platform/UndoManager.h"
#include "profiles/Globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QToolButton>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <utility>

namespace {

const QString saved = QStringLiteral("\nInvitation Card Design Log has been saved successfully.");
const QString corrupt = QStringLiteral("\nFile is corrupt and cannot be opened.");
const QString newQuestion = QStringLiteral("Do you want to save changes before opening new document?");
const QString openQuestion = QStringLiteral("Do you want to save changes before opening document?");
const QString closeQuestion = QStringLiteral("Do you want to save changes before closing?");

QByteArray contentsOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

class DesignFileCommandsTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        SavePanel::setHandler([this](const QString&, const QString& extension) {
            ++savePanels;
            EXPECT_EQ(extension, QStringLiteral("fcard"));
            return saveAnswer;
        });
    }
    void TearDown() override
    {
        Project_File_Name.clear();
        WindowControllerFixture::TearDown();
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString saveAnswer;
    int savePanels = 0;
};

} // namespace

// Save on an untitled design: a cancelled panel writes nothing and leaves it
// untitled; a chosen path is written, reported, and named in the title. Save
// As cancelled keeps that path; Save then writes there without a panel.
TEST_F(DesignFileCommandsTest, SaveAndSaveAsThroughThePanel)
{
    drawDesign();
    control<QToolButton>("Save_btn")->click();
    EXPECT_EQ(savePanels, 1);
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_TRUE(presenter.texts().isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    saveAnswer = file("party.fcard");
    controller->Save_Btn_Clicked();
    EXPECT_EQ(Project_File_Name, saveAnswer);
    EXPECT_TRUE(QFileInfo(saveAnswer).isFile());
    EXPECT_EQ(presenter.texts(), QStringList {saved});
    EXPECT_EQ(controller->window()->windowTitle(), QStringLiteral("%1 ( party.fcard )").arg(controller->App_Name));

    saveAnswer.clear();
    control<QToolButton>("SaveAs_btn")->click();
    EXPECT_EQ(savePanels, 3);
    EXPECT_EQ(Project_File_Name, file("party.fcard"));

    QFile::remove(file("party.fcard"));
    controller->Save_Btn_Clicked();
    EXPECT_EQ(savePanels, 3);
    EXPECT_TRUE(QFileInfo(file("party.fcard")).isFile());

    // The title names the file only while it exists.
    QFile::remove(file("party.fcard"));
    controller->Set_Log_Name_In_Title();
    EXPECT_EQ(controller->window()->windowTitle(), controller->App_Name);
}

// A write that fails is reported as "fail", with its reason, and stops New,
// Open and Exit; the design stays as it was.
TEST_F(DesignFileCommandsTest, AFailedWriteStopsNewAndExit)
{
    drawDesign();
    Project_File_Name = file("no such folder/party.fcard");
    const QString failed = QStringLiteral("\nfail\nReason: No such file or directory\nNo file was written.");
    EXPECT_FALSE(controller->Save_project_file(false, true));
    EXPECT_EQ(presenter.texts(), QStringList {failed});

    presenter.clear();
    presenter.scriptAnswers({true});
    controller->New_Btn_Clicked();
    EXPECT_EQ(presenter.texts(), (QStringList {newQuestion, failed}));
    EXPECT_EQ(controller->Get_Front_Controls_Array().size(), 2);
    EXPECT_EQ(Project_File_Name, file("no such folder/party.fcard"));

    presenter.clear();
    presenter.scriptAnswers({true});
    controller->Open_Btn_Clicked();
    EXPECT_EQ(controller->Get_Front_Controls_Array().size(), 2);

    presenter.clear();
    presenter.scriptAnswers({MessagePresenter::Answer::Yes});
    EXPECT_FALSE(controller->Exit_App());
    EXPECT_TRUE(exits.isEmpty());
    EXPECT_TRUE(presenter.texts().contains(failed)) << presenter.texts().join('|').toStdString();
}

// Save over a file that cannot be replaced: "fail", the reason, and that
// the file on disk was kept, which it was, byte for byte.
TEST_F(DesignFileCommandsTest, AFailedSaveSaysWhyAndKeepsTheFile)
{
    drawDesign();
    const QString path = file("party.fcard");
    const QByteArray old = "old design";
    const struct
    {
        const char* name;
        std::function<void()> make;
        QString reason;
    } cases[] = {
        {"read-only file", [&] { ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner)); },
         path + " is read-only."},
        {"full disk", [] { AtomicFile::setWriteLimitForTesting(100); }, "No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QFile written(path);
        ASSERT_TRUE(written.open(QIODevice::WriteOnly) && written.write(old) == old.size());
        written.close();
        c.make();
        presenter.clear();
        Project_File_Name = path;

        EXPECT_FALSE(controller->Save_project_file(false, true));
        AtomicFile::setWriteLimitForTesting(-1);

        EXPECT_EQ(presenter.texts(),
                  QStringList {"\nfail\nReason: " + c.reason + "\nThe file on disk was not changed."});
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile kept(path);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList {"party.fcard"});
    }
}

// Save, then New (answered No) and Open: the design comes back in its order,
// with its records and table, titled, with nothing to undo.
TEST_F(DesignFileCommandsTest, OpenBringsBackWhatWasSaved)
{
    drawDesign();
    saveAnswer = file("card.fcard");
    ASSERT_TRUE(controller->Save_project_file(false, false));
    const GraphicList front = controller->Get_Front_Controls_Array();

    presenter.scriptAnswers({false});
    setExcelBindingUse(true);
    setExcelSourcePath("/b/guests.xlsx");
    controller->New_Btn_Clicked();
    EXPECT_TRUE(controller->Get_Front_Controls_Array().isEmpty());
    EXPECT_TRUE(Project_File_Name.isEmpty());
    // The new design's file holds no table and no workbook.
    saveAnswer = file("new.fcard");
    ASSERT_TRUE(controller->Save_project_file(false, false));
    const DesignFileReadResult fresh = DesignFile::readFile(file("new.fcard"), GraphicDefaults::current());
    ASSERT_TRUE(fresh.ok);
    EXPECT_FALSE(fresh.contents.excelBindingUse);
    EXPECT_EQ(fresh.contents.excelSourcePath, "");
    EXPECT_EQ(fresh.contents.columnTitles, QStringList {"No."});
    EXPECT_TRUE(fresh.contents.rows.isEmpty());

    presenter.clear();
    presenter.scriptAnswers({false});
    OpenPanel::setHandler([this](const QString&, const QStringList& types) {
        EXPECT_EQ(types, QStringList {"fcard"});
        return file("card.fcard");
    });
    controller->Open_Btn_Clicked();
    EXPECT_EQ(presenter.texts(), QStringList {openQuestion});
    const GraphicList back = controller->Get_Front_Controls_Array();
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0]->Get_shape_type(), front[0]->Get_shape_type());
    EXPECT_EQ(back[1]->Get_shape_type(), front[1]->Get_shape_type());
    EXPECT_EQ(controller->Get_Back_Controls_Array().size(), 1);
    EXPECT_EQ(controller->Back_card_Prop().Card_Name(), QStringLiteral("Back name"));
    EXPECT_EQ(controller->ListData.size(), 1);
    EXPECT_EQ(controller->Excel_Column_Titles, (QStringList {"No.", "Name"}));
    EXPECT_EQ(Project_File_Name, file("card.fcard"));
    EXPECT_EQ(controller->window()->windowTitle(), QStringLiteral("%1 ( card.fcard )").arg(controller->App_Name));
    EXPECT_FALSE(document->undoManager()->canUndo());
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
}

// A file that is no design file: the message, nothing read, and Open runs
// the start wizard. One damaged further on: the same message, and the open
// design stays whole.
TEST_F(DesignFileCommandsTest, CorruptAndDamagedFiles)
{
    drawDesign();
    const QString junk = file("junk.fcard");
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<plist><dict/></plist>");
    }
    EXPECT_FALSE(controller->Read_and_load_design_Log(junk, QStringLiteral("L")));
    EXPECT_EQ(presenter.texts(), QStringList {corrupt});
    EXPECT_EQ(controller->Get_Front_Controls_Array().size(), 2);

    presenter.clear();
    presenter.scriptAnswers({false});
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return junk; });
    Start_Card_Option.clear();
    controller->Open_Btn_Clicked();
    EXPECT_EQ(presenter.texts(), (QStringList {openQuestion, corrupt}));
    EXPECT_EQ(Start_Card_Option, QStringLiteral("W"));   // the start wizard ran

    // Saved with two front objects, then the back count broken.
    drawDesign();
    saveAnswer = file("half.fcard");
    ASSERT_TRUE(controller->Save_project_file(true, false));
    QFile f(saveAnswer);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const qsizetype last = bytes.lastIndexOf("<string>1</string>");
    ASSERT_GT(last, 0);
    bytes.replace(last, 18, "<string>9</string>");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();

    // Refused whole, with the message: the open design stays as it was.
    presenter.clear();
    EXPECT_FALSE(controller->Read_and_load_design_Log(saveAnswer, QStringLiteral("L")));
    EXPECT_EQ(presenter.texts(), QStringList {corrupt});
    EXPECT_EQ(controller->Get_Front_Controls_Array().size(), 2);
    EXPECT_EQ(controller->Get_Back_Controls_Array().size(), 1);
    EXPECT_EQ(Project_File_Name, saveAnswer);
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    EXPECT_GT(control<QTabWidget>("sett_tab")->count(), 0);   // the card's own panels, not an empty inspector
}

// The File menu starts with the four commands and their keys.
TEST_F(DesignFileCommandsTest, FileMenuItemsAndKeys)
{
    QMenu* file = nullptr;
    for (QMenu* menu : controller->window()->findChildren<QMenu*>())
        file = menu->title() == QLatin1String("File") ? menu : file;
    ASSERT_TRUE(file);
    const QList<QAction*> items = file->actions();
    ASSERT_GE(items.size(), 4);
    const QStringList titles {"New", "Open...", "Save", "Save As..."};
    const Qt::Key keys[] = {Qt::Key_N, Qt::Key_O, Qt::Key_S, Qt::Key_S};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[i]->text(), titles[i]);
        const QKeySequence key((i == 3 ? Qt::CTRL | Qt::SHIFT : Qt::CTRL) | keys[i]);
        EXPECT_TRUE(items[i]->shortcuts().contains(key)) << titles[i].toStdString();
    }
    saveAnswer = dir.filePath("menu.fcard");
    items[2]->trigger();
    EXPECT_TRUE(QFileInfo(saveAnswer).isFile());
}

namespace {

// An object whose archive cannot be made, as when its picture does not fit
// into memory.
class UnarchivableGraphic : public SKTGraphic
{
public:
    QString className() const override { throw std::runtime_error("The picture is too large to archive."); }
};

} // namespace

// An object that cannot be archived stops every kind of save with the count
// of elements assembled and the reason; the old file and the title stay.
TEST_F(DesignFileCommandsTest, AnObjectThatCannotBeArchivedWritesNothing)
{
    drawDesign();
    document->insertGraphicsForKey(SKTDocumentGraphicsKey_back, {std::make_shared<UnarchivableGraphic>()}, IndexSet(1));
    const QString old = file("old.fcard");
    const struct
    {
        const char* name;
        bool saveAs;
        bool showMessage;
    } cases[] = {{"save", false, true}, {"save as", true, true}, {"quiet save", false, false}};
    for (const auto& c : cases) {
        {
            QFile f(old);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("old design");
        }
        Project_File_Name = old;
        saveAnswer = old;
        controller->window()->setWindowTitle(QStringLiteral("Before"));
        presenter.clear();
        EXPECT_FALSE(controller->Save_project_file(c.saveAs, c.showMessage)) << c.name;
        // Magic, two records, four table elements, two front objects with
        // their count, the back count and the line before the failing one.
        EXPECT_EQ(presenter.texts(), QStringList {"\n66 -- The picture is too large to archive."}) << c.name;
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("old design")) << c.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"old.fcard"}) << c.name;
        EXPECT_EQ(controller->window()->windowTitle(), QStringLiteral("Before")) << c.name;
    }
}

// A design file changed on disk by another writer: Save, Save As onto it and
// the saves of New's and Exit's questions ask first. No (and Escape on Open's
// question) keeps the file, the design and the program as they are.
TEST_F(DesignFileCommandsTest, ASaveAsksBeforeReplacingAFileChangedOnDisk)
{
    using Answer = MessagePresenter::Answer;
    drawDesign();
    const QString path = file("party.fcard");
    const QString changed = DesignFileOnDisk::changedQuestion(path);
    const QByteArray theirs = "another writer's design";
    OpenPanel::setHandler([](const QString&, const QStringList&) { return QString(); }); // Open goes on to no file
    const std::function<void()> save = [&] { controller->Save_Btn_Clicked(); },
                                saveAs = [&] { controller->SaveAs_Btn_Clicked(); },
                                newDesign = [&] { controller->New_Btn_Clicked(); },
                                exit = [&] { controller->Exit_App(); };
    const struct
    {
        const char* what;
        std::function<void()> command;
        QList<Answer> answers;
        QStringList texts;
        bool written;
    } cases[] = {
        {"Save, Yes", save, {Answer::Yes}, {changed, saved}, true},
        {"Save As onto it, No", saveAs, {Answer::No}, {changed}, false},
        {"New's save, No", newDesign, {Answer::Yes, Answer::No}, {newQuestion, changed}, false},
        {"Exit's save, No", exit, {Answer::Yes, Answer::No}, {closeQuestion, changed}, false},
        {"Open's question left", [&] { controller->Open_Btn_Clicked(); }, {Answer::Cancelled}, {openQuestion}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        saveAnswer = path;
        ASSERT_TRUE(controller->Save_project_file(true, false));
        const QByteArray ours = contentsOf(path);
        ASSERT_TRUE(AtomicFile::save(path, theirs));
        presenter.clear();
        for (Answer answer : c.answers)
            presenter.scriptAnswers({answer});

        c.command();
        EXPECT_EQ(presenter.texts(), c.texts);
        EXPECT_EQ(contentsOf(path), c.written ? ours : theirs);
        EXPECT_EQ(controller->Get_Front_Controls_Array().size(), 2);
        EXPECT_TRUE(exits.isEmpty());
    }
    // Yes and Yes: written; Exit ends, New goes on to a design that knows no file.
    for (const auto& command : {exit, newDesign}) {
        presenter.clear();
        presenter.scriptAnswers({Answer::Yes, Answer::Yes});
        command();
        EXPECT_EQ(presenter.texts().value(1), changed);
        EXPECT_NE(contentsOf(path), theirs);
        ASSERT_TRUE(AtomicFile::save(path, theirs));
    }
    EXPECT_EQ(exits, QList<int> {0});
    EXPECT_TRUE(controller->Get_Front_Controls_Array().isEmpty());
    presenter.clear();
    saveAs();
    EXPECT_EQ(presenter.texts(), QStringList {saved});
}

// Another writer's file lands while the save flushes its own: the file is
// looked at again right before the rename. No keeps that file and reports
// nothing; Yes writes ours. A change already said Yes to is not asked again.
namespace {
QString landingTarget;
QByteArray landingBytes;

void landDuringFlush(AtomicFile::Stage stage, qint64)
{
    if (stage != AtomicFile::Stage::Writing || landingTarget.isEmpty())
        return;
    const QString other = landingTarget + QStringLiteral(".other");
    QFile f(other);
    if (f.open(QIODevice::WriteOnly) && f.write(landingBytes) == landingBytes.size()) {
        f.close();
        QFile::remove(landingTarget);
        QFile::rename(other, landingTarget);
    }
    landingTarget.clear();
}
} // namespace

TEST_F(DesignFileCommandsTest, AFileLandingDuringTheFlushIsAskedAbout)
{
    using Answer = MessagePresenter::Answer;
    drawDesign();
    const QString path = file("party.fcard");
    saveAnswer = path;
    ASSERT_TRUE(controller->Save_project_file(true, false));
    const QByteArray ours = contentsOf(path);
    const QString changed = DesignFileOnDisk::changedQuestion(path);
    AtomicFile::setStageHookForTesting(landDuringFlush);
    const struct
    {
        const char* what;
        bool changedBefore; // another writer's file is there before the save too
        QList<Answer> answers;
        QStringList texts;
        bool written;
    } cases[] = {
        {"lands during the flush, No", false, {Answer::No}, {changed}, false},
        {"lands during the flush, Yes", false, {Answer::Yes}, {changed, saved}, true},
        {"changed before and lands again, Yes then No", true, {Answer::Yes, Answer::No}, {changed, changed}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(AtomicFile::save(path, ours));
        if (c.changedBefore) {
            ASSERT_TRUE(AtomicFile::save(path, "changed before the save"));
        }
        landingTarget = path;
        landingBytes = "landed during the flush";
        presenter.clear();
        for (Answer answer : c.answers)
            presenter.scriptAnswers({answer});

        controller->Save_Btn_Clicked();
        EXPECT_EQ(presenter.texts(), c.texts);
        EXPECT_EQ(contentsOf(path), c.written ? ours : landingBytes);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"party.fcard"});
    }
    AtomicFile::setStageHookForTesting(nullptr);
}

// End to end: a design opened here is saved with a text by another window;
// this window's Save asks, No keeps that file; Escape on New keeps the design.
TEST_F(DesignFileCommandsTest, AnotherWindowsSaveIsKeptAndEscapeKeepsTheDesign)
{
    const QString path = file("party.fcard");
    drawDesign();
    saveAnswer = path;
    ASSERT_TRUE(controller->Save_project_file(true, false));
    presenter.scriptAnswers({false});
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return path; });
    control<QToolButton>("Open_btn")->click();
    ASSERT_EQ(Project_File_Name, path);
    ASSERT_EQ(controller->Get_Front_Controls_Array().size(), 2);

    DesignFileContents theirs = DesignFile::readFile(path, GraphicDefaults::current()).contents;
    theirs.frontGraphics.prepend(std::make_shared<SKTText>());
    const QByteArray theirBytes = DesignFile::write(theirs);
    ASSERT_TRUE(AtomicFile::save(path, theirBytes));

    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {std::make_shared<Shape_Control>()}, IndexSet(0));
    presenter.clear();
    presenter.scriptAnswers({MessagePresenter::Answer::No, MessagePresenter::Answer::Cancelled});
    control<QToolButton>("Save_btn")->click();
    EXPECT_EQ(contentsOf(path), theirBytes); // the other window's text and all

    control<QToolButton>("New_btn")->click();
    EXPECT_EQ(presenter.texts(), (QStringList {DesignFileOnDisk::changedQuestion(path), newQuestion}));
    EXPECT_EQ(Project_File_Name, path);
    EXPECT_EQ(controller->Get_Front_Controls_Array().size(), 3);
    EXPECT_EQ(contentsOf(path), theirBytes);
}

// While a design opened through a link is saved, another program saves a
// file by rename at the path or points the link at a file of other or of the
// same bytes: the question, where one comes, is about what the path leads to
// then; the path ends with the design, and the first file keeps its bytes.
namespace {
std::function<void()> changeOnce;
void changeDuringFlush(AtomicFile::Stage stage, qint64)
{
    if (stage == AtomicFile::Stage::Writing && changeOnce)
        std::exchange(changeOnce, nullptr)();
}
} // namespace

TEST_F(DesignFileCommandsTest, ASaveThroughALinkEndsWithTheDesignAtItsPath)
{
    drawDesign();
    ASSERT_TRUE(QDir(dir.path()).mkpath("synced"));
    const QString path = file("party.fcard"), real = file("synced/real.fcard"), other = file("synced/other.fcard");
    const QString changed = DesignFileOnDisk::changedQuestion(path);
    const QByteArray theirs = "another program's design", pathName = QFile::encodeName(path);
    const QByteArray otherName = QFile::encodeName(other);
    const auto pointTo = [&](const QString& to) {
        QFile::remove(path);
        return QFile::link(to, path);
    };
    QByteArray old;
    const struct
    {
        std::function<bool()> change;
        QStringList texts;
    } cases[] = {
        {[&] { return AtomicFile::save(other, theirs) && std::rename(otherName.data(), pathName.data()) == 0; },
         {changed, saved}},
        {[&] { return AtomicFile::save(other, theirs) && pointTo(other); }, {changed, saved}},
        {[&] { return AtomicFile::save(other, old) && pointTo(other); }, {saved}},
    };
    AtomicFile::setStageHookForTesting(changeDuringFlush);
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        QFile::remove(other);
        ASSERT_TRUE(AtomicFile::save(real, "") && pointTo(real));
        saveAnswer = path;
        presenter.scriptAnswers({true}); // the file known from the case before is gone
        ASSERT_TRUE(controller->Save_project_file(true, false));
        old = contentsOf(real);
        document->insertGraphicsForKey(SKTDocumentGraphicsKey, {std::make_shared<Shape_Control>()}, IndexSet(0));
        bool changedThen = false;
        changeOnce = [&] { changedThen = c.change(); };
        presenter.clear();
        presenter.scriptAnswers({MessagePresenter::Answer::Yes});

        controller->Save_Btn_Clicked();
        EXPECT_TRUE(changedThen);
        EXPECT_EQ(presenter.texts(), c.texts);
        const DesignFileReadResult read = DesignFile::readFile(path, GraphicDefaults::current());
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(read.contents.frontGraphics.size(), controller->Get_Front_Controls_Array().size());
        EXPECT_EQ(contentsOf(real), old);
    }
    AtomicFile::setStageHookForTesting(nullptr);
}
