// User templates: the store's name rules and file operations inside the
// user folder, Export As Template on a real main window, and the picker,
// card-size wizard and start screen as the File menu opens them.
#include "app/Globals.h"
#include "mainwindow/CardSizeChooser.h"
#include "mainwindow/CardSizePresets.h"
#include "mainwindow/Card_Wizard.h"
#include "mainwindow/Export_Template.h"
#include "mainwindow/Globals.h"
#include "mainwindow/MainMenuBar.h"
#include "mainwindow/Start_Card.h"
#include "mainwindow/TemplateStore.h"
#include "mainwindow/Template_Wizard.h"
#include "mainwindow/WindowControllerFixture.h"
#include "model/DesignFileOnDisk.h"
#include "model/SKTGraphicArchive.h"
#include "model/Shape_Control.h"
#include "model/SKTText.h"
#include "output/Globals.h"
#include "platform/IndexSet.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureListModel.h"
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

void writeFile(const QString& path, const QByteArray& bytes = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

class TemplateStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        user = dir.filePath(QStringLiteral("User"));
        QDir().mkpath(user);
        design_file_EXT = QStringLiteral("fcard");
    }
    QString at(const QString& name) const { return user + QLatin1Char('/') + name; }
    void pair(const QString& base)
    {
        writeFile(at(base + QStringLiteral(".png")), "picture " + base.toUtf8());
        writeFile(at(base + QStringLiteral(".fcard")), "design " + base.toUtf8());
    }

    QTemporaryDir dir;
    QString user;
};

} // namespace

// The name dialog's rules, new templates and renames alike: trimmed names,
// names that would leave the folder refused, an existing name asked about
// (new) or refused (rename), the present name accepted unchecked. A picture
// of the name alone is a template the export would replace.
TEST_F(TemplateStoreTest, NameRules)
{
    pair(QStringLiteral("Gala"));
    writeFile(at(QStringLiteral("Badge.JPG")));
    const TemplateStore store(user);
    using K = TemplateStore::NameCheck::Kind;
    const struct {
        const char* typed;
        const char* passed;
        K kind;
        QString text;
        const char* name;
    } cases[] = {
        {"  Spring fair \t", "", K::Accept, "", "Spring fair"},
        {"/Spring?", "", K::Accept, "", "Spring"},
        {"  ", "", K::Refuse, TemplateStore::emptyNameMessage, ""},
        {"/?*", "", K::Refuse, TemplateStore::emptyNameMessage, ""},
        {"../Gala", "", K::Refuse, TemplateStore::unsafeNameMessage, "../Gala"},
        {"a/b", "", K::Refuse, TemplateStore::unsafeNameMessage, "a/b"},
        {"a\\b", "", K::Refuse, TemplateStore::unsafeNameMessage, "a\\b"},
        {"..", "", K::Refuse, TemplateStore::unsafeNameMessage, ".."},
        {".", "", K::Refuse, TemplateStore::unsafeNameMessage, "."},
        {" Gala ", "", K::AskReplace, TemplateStore::replaceQuestion, "Gala"},
        {"Badge", "", K::AskReplace, TemplateStore::replaceQuestion, "Badge"},
        {"Gala", "Party", K::Refuse, TemplateStore::existsMessage, "Gala"},
        {"Gala", " Gala ", K::Accept, "", "Gala"},
        {"Party", "Gala", K::Accept, "", "Party"},
    };
    for (const auto& c : cases) {
        const auto check = store.checkName(QString::fromUtf8(c.typed), QString::fromUtf8(c.passed));
        EXPECT_EQ(check.kind, c.kind) << c.typed;
        EXPECT_EQ(check.text, c.text) << c.typed;
        EXPECT_EQ(check.name, QString::fromUtf8(c.name)) << c.typed;
    }
}

// Listing, copying, renaming and deleting stay inside the user folder; a
// copy needs both its picture and its design name free; a rename whose
// design copy fails keeps the old template whole.
TEST_F(TemplateStoreTest, CopyRenameDeleteInsideTheFolder)
{
    pair(QStringLiteral("Gala"));
    writeFile(at(QStringLiteral("Badge.JPG")));
    writeFile(at(QStringLiteral("notes.txt")));
    const TemplateStore store(user);
    EXPECT_EQ(store.Fill_Templates(), (QStringList {at("Badge.JPG"), at("Gala.png")}));

    // (copy 2) has a stray design file, so the second copy skips to 3.
    writeFile(at(QStringLiteral("Gala (copy 2).fcard")), "stray");
    EXPECT_EQ(store.copyTemplate(at("Gala.png")), at("Gala (copy 1).png"));
    EXPECT_EQ(store.copyTemplate(at("Gala.png")), at("Gala (copy 3).png"));
    for (const char* copy : {"Gala (copy 1)", "Gala (copy 3)"}) {
        QFile design(at(QString::fromLatin1(copy) + ".fcard"));
        ASSERT_TRUE(design.open(QIODevice::ReadOnly)) << copy;
        EXPECT_EQ(design.readAll(), QByteArray("design Gala"));
    }

    QString renamed;
    EXPECT_TRUE(store.renameTemplate(at("Gala.png"), QStringLiteral("Gala"), &renamed));
    EXPECT_EQ(renamed, at("Gala.png"));
    EXPECT_TRUE(store.renameTemplate(at("Gala.png"), QStringLiteral("Party"), &renamed));
    EXPECT_EQ(renamed, at("Party.png"));
    EXPECT_FALSE(QFileInfo::exists(at("Gala.png")) || QFileInfo::exists(at("Gala.fcard")));
    EXPECT_TRUE(QFileInfo::exists(at("Party.png")) && QFileInfo::exists(at("Party.fcard")));

    // Badge has no design file: its rename copies nothing and keeps it.
    EXPECT_FALSE(store.renameTemplate(at("Badge.JPG"), QStringLiteral("Card"), &renamed));
    EXPECT_TRUE(QFileInfo::exists(at("Badge.JPG")));
    EXPECT_FALSE(QFileInfo::exists(at("Card.JPG")));
    EXPECT_FALSE(store.renameTemplate(at("Party.png"), QStringLiteral("../Party"), &renamed));

    // A template outside the folder is never deleted.
    writeFile(dir.filePath(QStringLiteral("Built.png")));
    writeFile(dir.filePath(QStringLiteral("Built.fcard")));
    EXPECT_FALSE(store.deleteTemplate(dir.filePath(QStringLiteral("Built.png"))));
    EXPECT_FALSE(store.deleteTemplate(at("../Built.png")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("Built.fcard"))));
    EXPECT_TRUE(store.deleteTemplate(at("Party.png")));
    EXPECT_EQ(filesIn(user), (QStringList {"Badge.JPG", "Gala (copy 1).fcard", "Gala (copy 1).png",
                                           "Gala (copy 2).fcard", "Gala (copy 3).fcard", "Gala (copy 3).png",
                                           "notes.txt"}));
}

namespace {

class TemplateCommandsTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        user = TemplateStore::userFolder();
        QDir(user).removeRecursively();
        QDir().mkpath(user);
        Project_File_Name.clear();
    }
    void TearDown() override
    {
        Export_Template::setModalRun({});
        Template_Wizard::setModalRun({});
        Card_Wizard::setModalRun({});
        Start_Card::setModalRun({});
        QDir(user).removeRecursively();
        Project_File_Name.clear();
        WindowControllerFixture::TearDown();
    }

    // The name dialog answers with `name` typed and OK pressed.
    void nameAnswers(const QString& name)
    {
        Export_Template::setModalRun([name](Export_Template& dialog) {
            dialog.template_name->setText(name);
            dialog.OKPressed();
            return dialog.result();
        });
    }

    void drawDesign()
    {
        auto star = std::make_shared<Shape_Control>();
        star->Set_Shape_Type(ShapeCode::Star);
        star->setBounds(QRectF(12, 8, 40, 30));
        auto text = std::make_shared<SKTText>();
        text->setBounds(QRectF(30, 60, 120, 24));
        document->insertGraphicsForKey(SKTDocumentGraphicsKey, {star, text}, IndexSet::range(0, 2));
    }

    static QList<QByteArray> archives(const GraphicList& graphics)
    {
        QList<QByteArray> list;
        for (const GraphicPtr& graphic : graphics)
            list.append(SKTGraphicArchive::archivedData(*graphic));
        return list;
    }

    QString user;
};

} // namespace

// Export As Template of an untitled and of a saved design: the pair lands
// in the user folder under the trimmed name, the open design keeps its path
// and title, and the picture is the front above the back, twice one side's
// height.
TEST_F(TemplateCommandsTest, ExportKeepsTheOpenDesignAndStacksBothSides)
{
    drawDesign();
    QTemporaryDir saved;
    const QString savedPath = saved.filePath(QStringLiteral("mine.fcard"));
    for (const QString& open : {QString(), savedPath}) {
        Project_File_Name = open;
        if (!open.isEmpty()) {
            ASSERT_TRUE(controller->Save_project_file(false, false));
        }
        controller->Set_Log_Name_In_Title();
        const QString title = controller->window()->windowTitle();
        presenter.clear();
        presenter.scriptAnswers({true});   // replace it the second time round
        nameAnswers(QStringLiteral("  Spring fair/ "));
        controller->Export_As_Template_Clicked();

        QStringList boxes {"\n" + SKTWindowController::templateExportedMessage};
        if (!open.isEmpty())
            boxes.prepend(TemplateStore::replaceQuestion);
        EXPECT_EQ(presenter.texts(), boxes);
        EXPECT_EQ(Project_File_Name, open);
        EXPECT_EQ(controller->window()->windowTitle(), title);
        EXPECT_EQ(export_card_side, QStringLiteral("BOTH"));
        EXPECT_EQ(filesIn(user), (QStringList {"Spring fair.fcard", "Spring fair.png"}));
    }
    // The design's own file is still known: another writer's change is asked about.
    writeFile(savedPath, "another writer's design");
    presenter.clear();
    EXPECT_FALSE(controller->Save_project_file(false, true));
    EXPECT_EQ(presenter.texts(), QStringList {DesignFileOnDisk::changedQuestion(savedPath)});

    const QImage preview(user + QStringLiteral("/Spring fair.png"));
    const QString frontOnly = saved.filePath(QStringLiteral("front.png"));
    export_card_side = QStringLiteral("F");
    controller->Export_Single_File(frontOnly, false);
    const QImage front(frontOnly);
    ASSERT_FALSE(front.isNull());
    EXPECT_EQ(preview.size(), QSize(front.width(), 2 * front.height()));
    EXPECT_EQ(preview.copy(0, 0, front.width(), front.height()).convertToFormat(QImage::Format_ARGB32),
              front.convertToFormat(QImage::Format_ARGB32));
}

// When the new design or picture cannot be put in place of a template the
// failure is reported with its reason, not success, no half template stays
// behind and the old files are kept.
TEST_F(TemplateCommandsTest, FailedExportIsReportedAndLeavesNoHalfTemplate)
{
    drawDesign();
    for (const char* blocked : {"Gala.fcard", "Gala.png"}) {
        QDir(user).removeRecursively();
        QDir().mkpath(user);
        // The old pair, with a folder in the way of one of the new files.
        for (const char* old : {"Gala.png", "Gala.fcard"}) {
            if (QLatin1String(old) == QLatin1String(blocked))
                QDir().mkpath(user + QLatin1Char('/') + QLatin1String(blocked));
            else
                writeFile(user + QLatin1Char('/') + QLatin1String(old), "old");
        }
        presenter.clear();
        presenter.scriptAnswers({true});
        nameAnswers(QStringLiteral("Gala"));
        controller->Export_As_Template_Clicked();

        EXPECT_EQ(presenter.texts(),
                  (QStringList {TemplateStore::replaceQuestion,
                                "\n" + SKTWindowController::templateFailedMessage + "\nReason: " + user + "/"
                                    + QLatin1String(blocked) + " is a folder."}))
            << blocked << presenter.texts().join('|').toStdString();
        // What was there stays as it was, and nothing written on the way is
        // left behind.
        const QString kept = QLatin1String(blocked) == QLatin1String("Gala.png") ? "Gala.fcard" : "Gala.png";
        EXPECT_EQ(QDir(user).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                  (QStringList {QStringLiteral("Gala.fcard"), QStringLiteral("Gala.png")}))
            << blocked;
        QFile old(user + QLatin1Char('/') + kept);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly)) << blocked;
        EXPECT_EQ(old.readAll(), QByteArray("old")) << blocked;
    }
}

// A template chosen in the picker opens as a new design with the saved
// objects, untitled, so that Save never writes into the template; the
// picker's OK with a picture whose design file is missing still answers
// the design file's path.
TEST_F(TemplateCommandsTest, PickerOpensTheTemplateAsNewUntitledDesign)
{
    drawDesign();
    const QList<QByteArray> drawn = archives(controller->Get_Front_Controls_Array());
    nameAnswers(QStringLiteral("Gala"));
    controller->Export_As_Template_Clicked();
    controller->New_Project_Setting_Reset();
    ASSERT_TRUE(controller->Get_Front_Controls_Array().isEmpty());

    Template_Wizard::setModalRun([](Template_Wizard& picker) {
        picker.template_kind->setCurrentIndex(1);
        EXPECT_TRUE(picker.delete_btn->isVisibleTo(&picker));
        EXPECT_EQ(picker.imageBrowser->pictures()->count(), 1);
        picker.OK_Click();
        return picker.result();
    });
    presenter.clear();
    presenter.scriptAnswers({false});   // no save of the empty design
    controller->New_From_Template_Clicked();
    EXPECT_EQ(archives(controller->Get_Front_Controls_Array()), drawn);
    EXPECT_EQ(Project_File_Name, QString());
    EXPECT_EQ(controller->window()->windowTitle(), controller->App_Name);

    QFile::remove(user + QStringLiteral("/Gala.fcard"));
    EXPECT_EQ(Template_Wizard::defaultInstance()->Open_Template_Window(), 1);
    EXPECT_EQ(Selected_Template_Path, user + QStringLiteral("/Gala.fcard"));
}

// The start screen from the File menu: Cancel closes it and the program
// goes on; the wizard road runs the card-size wizard, whose OK sizes the
// card.
TEST_F(TemplateCommandsTest, StartScreenLeadsToTheCardSizeWizard)
{
    QAction* item = nullptr;
    for (QAction* action : controller->mainMenuBar()->menu(QStringLiteral("File"))->actions())
        item = action->text() == QLatin1String("Start Screen...") ? action : item;
    ASSERT_TRUE(item);
    int screens = 0;
    Start_Card::setModalRun([&screens](Start_Card& screen) {
        ++screens;
        screen.CancelClick();
        return screen.result();
    });
    item->trigger();
    EXPECT_EQ(screens, 1);
    EXPECT_TRUE(exits.isEmpty());

    Start_Card::setModalRun([](Start_Card& screen) {
        screen.Using_Wizard_Click();
        return screen.result();
    });
    Card_Wizard::setModalRun([](Card_Wizard& wizard) {
        wizard.card_shape_oval->click();
        wizard.sizes->Category_ComboBox->setCurrentIndex(1);
        wizard.sizes->Preset_ComboBox->setCurrentIndex(1);
        wizard.OK_Click();
        return wizard.result();
    });
    controller->Start_Screen_Clicked();
    EXPECT_EQ(Card_Shape, 2);
    // The first badge preset, turned upright.
    const QSizeF mm = CardSizePresets::Get_My_card_Size(QStringLiteral("Paper Badge"), QStringLiteral("V"), 0);
    EXPECT_NEAR(controller->frontCanvasBounds().width(), mm.width() * 72 / 25.4, 0.01);
    EXPECT_NEAR(controller->frontCanvasBounds().height(), mm.height() * 72 / 25.4, 0.01);
}

// The picker's and the card-size wizard's profile buttons open the profile
// dialog's wizard form, unloaded and on no side, once the main window has
// one; without one they stay disabled.
TEST_F(TemplateCommandsTest, ProfileButtonsOpenTheWizardForm)
{
    struct Form : ProfileDialog {
        int Open_Wnd(bool load) override
        {
            runs.append(QStringLiteral("%1 %2").arg(load).arg(load_side));
            return 0;
        }
        QStringList runs;
    };
    QList<bool> enabled;
    Template_Wizard::setModalRun([&enabled](Template_Wizard& picker) {
        enabled.append(picker.profile_btn->isEnabled());
        picker.profile_btn->click();
        picker.CancelClick();
        return picker.result();
    });
    Card_Wizard::setModalRun([&enabled](Card_Wizard& wizard) {
        enabled.append(wizard.profile_btn->isEnabled());
        wizard.profile_btn->click();
        wizard.CancelClick();
        return wizard.result();
    });
    Form form, dialog;
    for (Form* wizardForm : {static_cast<Form*>(nullptr), &form}) {
        controller->setProfileDialogs(&dialog, wizardForm);
        controller->New_From_Template_Clicked();
        controller->Card_Size_Wizard_Clicked();
    }
    controller->setProfileDialogs(nullptr, nullptr);
    EXPECT_EQ(enabled, (QList<bool> {false, false, true, true}));
    EXPECT_EQ(form.runs, (QStringList {"0 ", "0 "}));
    EXPECT_TRUE(dialog.runs.isEmpty());
}
