// The start wizard: its steps, proposals and limits without the window, the
// wizard driven through its window, and the invitation texts it leaves on the
// front side of the main window.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "app/UnitConversions.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/Globals.h"
#include "mainwindow/InvitationProposals.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/WizardSteps.h"
#include "model/SKTGraphic.h"
#include "platform/FileOpener.h"
#include "platform/OpenPanel.h"

#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

namespace {

using Outcome = WizardSteps::Outcome;

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

}

TEST(WizardStepsTest, NextBackAndCancelFromEachStep)
{
    QTemporaryDir dir;
    const QString picture = writeFile(dir, "bg.png", "x");
    const QString gone = dir.filePath("deleted.png");
    const WizardSteps::Inputs full{"W", picture, "Party", "Come"};

    enum class Press { Next, Back, Cancel };
    const struct Case {
        const char* name;
        int from;
        Press press;
        WizardSteps::Inputs inputs;
        int to;
        Outcome outcome;
        QString message;
        WizardSteps::Focus focus;
    } cases[] = {
        {"start, next", 0, Press::Next, full, 1, Outcome::Show, {}, WizardSteps::Focus::None},
        {"size, next", 1, Press::Next, full, 2, Outcome::Show, {}, WizardSteps::Focus::None},
        {"background chosen", 2, Press::Next, full, 3, Outcome::Show, {}, WizardSteps::Focus::None},
        {"no background", 2, Press::Next, {"W", "", "Party", "Come"}, 2, Outcome::Refuse,
         WizardSteps::backgroundMessage, WizardSteps::Focus::None},
        {"background deleted", 2, Press::Next, {"W", gone, "Party", "Come"}, 2, Outcome::Refuse,
         WizardSteps::backgroundMessage, WizardSteps::Focus::None},
        {"background is a folder", 2, Press::Next, {"W", dir.path(), "Party", "Come"}, 2, Outcome::Refuse,
         WizardSteps::backgroundMessage, WizardSteps::Focus::None},
        {"texts given", 3, Press::Next, full, 4, Outcome::Show, {}, WizardSteps::Focus::From},
        {"no title", 3, Press::Next, {"W", picture, "", "Come"}, 3, Outcome::Refuse, WizardSteps::titleMessage,
         WizardSteps::Focus::Title},
        {"no message", 3, Press::Next, {"W", picture, "Party", ""}, 3, Outcome::Refuse,
         WizardSteps::messageMessage, WizardSteps::Focus::Message},
        {"finish", 4, Press::Next, full, 4, Outcome::Finish, {}, WizardSteps::Focus::None},
        {"saved design road", 0, Press::Next, {"L", "", "", ""}, 0, Outcome::OpenDesign, {},
         WizardSteps::Focus::None},
        {"back on start", 0, Press::Back, full, 0, Outcome::Stay, {}, WizardSteps::Focus::None},
        {"back from size", 1, Press::Back, full, 0, Outcome::Show, {}, WizardSteps::Focus::None},
        {"back from details", 4, Press::Back, full, 3, Outcome::Show, {}, WizardSteps::Focus::None},
        {"cancel from texts", 3, Press::Cancel, full, 0, Outcome::Show, {}, WizardSteps::Focus::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardSteps steps;
        steps.next_counter = c.from;
        const WizardSteps::Answer answer = c.press == Press::Next   ? steps.OK_Click(c.inputs)
                                           : c.press == Press::Back ? steps.Back_Click()
                                                                    : steps.CancelClick();
        EXPECT_EQ(steps.next_counter, c.to);
        EXPECT_EQ(answer.outcome, c.outcome);
        EXPECT_EQ(answer.message, c.message);
        EXPECT_EQ(answer.focus, c.focus);
    }
}

TEST(InvitationProposalsTest, FilesAndArrows)
{
    QTemporaryDir dir;
    const struct Case {
        const char* name;
        QByteArray file;   // empty: no file
        QStringList proposals;
        // the proposal shown after next, next, back, back, back
        QStringList walk;
    } cases[] = {
        {"one line keeps its title", "Hello!\n", {"Hello!"}, {"Hello!", "Hello!", "Hello!", "Hello!", "Hello!"}},
        {"three lines wrap both ways", "\n  A\nB \nC\n\n", {"A", "B ", "C"}, {"B ", "C", "B ", "A", "C"}},
        {"UTF-8 text", "F\xC3\xAAte\nParty \xF0\x9F\x8E\x89", {u"F\u00EAte"_qs, u"Party \U0001F389"_qs},
         {u"Party \U0001F389"_qs, u"F\u00EAte"_qs, u"Party \U0001F389"_qs, u"F\u00EAte"_qs,
          u"Party \U0001F389"_qs}},
        {"missing file", {}, {}, {"", "", "", "", ""}},
        {"only white space", " \n\n ", {}, {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = c.file.isNull() ? dir.filePath("none.txt") : writeFile(dir, "Title.txt", c.file);
        InvitationProposals proposals;
        proposals.Load_Msg_And_Title(path, dir.filePath("none.txt"));
        EXPECT_EQ(proposals.Title_Array, c.proposals);
        EXPECT_EQ(proposals.Get_Title(), c.proposals.value(0, ""));
        EXPECT_EQ(proposals.Get_Message(), "");
        QStringList walk;
        proposals.Title_Next_Click();
        walk << proposals.Get_Title();
        proposals.Title_Next_Click();
        walk << proposals.Get_Title();
        for (int i = 0; i < 3; ++i) {
            proposals.Title_Back_Click();
            walk << proposals.Get_Title();
        }
        EXPECT_EQ(walk, c.walk);
    }
}

TEST(InvitationProposalsTest, CutsAtACharacterBoundary)
{
    const QString fortyFive = QString("abcdefghi ").repeated(4) + "jklmn";
    const struct Case {
        QString text;
        int limit;
        QString kept;
    } cases[] = {
        {fortyFive, InvitationProposals::fromLimit, fortyFive.left(40)},
        {"short", 40, "short"},
        // a character outside the basic plane is one character and is never halved
        {QString("a").repeated(39) + u"\U0001F389b"_qs, 40, QString("a").repeated(39) + u"\U0001F389"_qs},
        {u"\U0001F389\U0001F389\U0001F389"_qs, 2, u"\U0001F389\U0001F389"_qs},
        {"abc", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InvitationProposals::cutToLength(c.text, c.limit), c.kept) << c.text.toStdString();
}

class InvitationWizardTest : public WindowControllerFixture
{
protected:
    Invitation_Wizard& wizard() { return *Invitation_Wizard::defaultInstance(); }

    // Runs the wizard with `script` as its modal run.
    int run(std::function<void(Invitation_Wizard&)> script)
    {
        Invitation_Wizard::setModalRun([script](Invitation_Wizard& w) {
            script(w);
            return w.result();
        });
        const int result = wizard().Open_Wnd();
        scriptStartWizardNewCard();
        return result;
    }

    // The front side's objects by control_ID: text and bounds.
    std::map<QString, std::pair<QString, QRectF>> frontTexts() const
    {
        std::map<QString, std::pair<QString, QRectF>> found;
        for (const auto& graphic : controller->graphicView(0)->controller().graphics()) {
            const auto text = graphic->Text_contents();
            found[graphic->control_ID] = {text ? text->string() : QString(), graphic->_bounds};
        }
        return found;
    }

    // Steps to the details with the first background and the first proposals.
    static void toDetails(Invitation_Wizard& w)
    {
        w.Using_Wizard_Click();
        w.OK_Click();
        w.OK_Click();
        w.OK_Click();
    }
};

TEST_F(InvitationWizardTest, PlacesTheAnswersInTheirColumns)
{
    const struct Case {
        const char* name;
        QStringList answers;   // title, to, message, from, venue, date, time
        std::map<QString, std::pair<QString, QRectF>> expected;
    } cases[] = {
        {"everything",
         {"Party", "Ann", "Come!", "Bo", "Hall", "1 May 2027", "18:30"},
         {{"PARTY_TITLE", {"Party", QRectF(21.5f, 20, 200, 20)}},
          {"PARTY_TO", {"Dear Ann,", QRectF(30, 50, 200, 20)}},
          {"PARTY_MSG", {"Come!", QRectF(50, 80, 200, 60)}},
          {"PARTY_FROM", {"From:\nBo", QRectF(30, 180, 100, 40)}},
          {"PARTY_VENUE", {"Venue:\nHall", QRectF(30, 220, 100, 60)}},
          {"PARTY_DATE", {"Date:\n1 May 2027", QRectF(170, 180, 100, 40)}},
          {"PARTY_TIME", {"Time:\n18:30", QRectF(170, 220, 100, 40)}}}},
        {"no message, no date: the time stands at D",
         {"Party", "Ann,", "", "Bo", "", "", "18:30"},
         {{"PARTY_TITLE", {"Party", QRectF(21.5f, 20, 200, 20)}},
          {"PARTY_TO", {"Dear Ann,,", QRectF(30, 50, 200, 20)}},
          {"PARTY_FROM", {"From:\nBo", QRectF(30, 80, 100, 40)}},
          {"PARTY_TIME", {"Time:\n18:30", QRectF(170, 80, 100, 40)}}}},
        {"no pickers used", {"", "", "Come!", "", "Hall", "", ""},
         {{"PARTY_MSG", {"Come!", QRectF(50, 20, 200, 60)}},
          {"PARTY_VENUE", {"Venue:\nHall", QRectF(30, 120, 100, 60)}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controller->graphicView(0)->controller().delete_all_control();
        QString* answers[] = {&Invite_Title, &Invite_To, &Invite_Message, &Invite_From,
                              &Invite_Venue, &Invite_Date, &Invite_Time};
        for (int i = 0; i < 7; ++i)
            *answers[i] = c.answers.at(i);
        Invite_BG_IMG.clear();
        controller->Fill_Party_Invidation_Details();
        EXPECT_EQ(controller->Selected_Control_Tool, 2);
        // the default card, 243 points wide, puts the title at 21.5
        ASSERT_EQ(controller->Front_card_Prop().Card_Size().width(), 243);
        const auto placed = frontTexts();
        EXPECT_EQ(placed.size(), c.expected.size());
        for (const auto& [id, value] : c.expected) {
            SCOPED_TRACE(id.toStdString());
            ASSERT_TRUE(placed.count(id));
            EXPECT_EQ(placed.at(id).first, value.first);
            EXPECT_EQ(placed.at(id).second, value.second);
        }
    }
}

TEST_F(InvitationWizardTest, FieldLimitsAndClearingTheDetails)
{
    presenter.scriptAnswers({true});
    const int result = run([](Invitation_Wizard& w) {
        toDetails(w);
        ASSERT_EQ(w.steps.next_counter, 4);
        EXPECT_FALSE(w.clear_details_btn->isEnabled());
        QTest::keyClicks(w.from_value, QString("x").repeated(45));
        EXPECT_EQ(w.from_value->text(), QString("x").repeated(40));
        EXPECT_TRUE(w.clear_details_btn->isEnabled());
        w.Date_picker->setDate(QDate(2027, 5, 1));
        EXPECT_FALSE(w.selected_date.isEmpty());
        EXPECT_EQ(w.Date_ctrl_value->text(), w.selected_date);
        w.Clear_Details_Click();
        EXPECT_EQ(w.from_value->text(), "");
        EXPECT_EQ(w.Date_ctrl_value->text(), "");
        w.to_value->setText("  Sam  ");
        w.OK_Click();
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(presenter.texts().contains("Are you sure you want to clear details?"));
    EXPECT_EQ(Invite_Date, "");
    EXPECT_EQ(Invite_From, "");
    EXPECT_EQ(Invite_To, "Sam");
    EXPECT_FALSE(Invite_Title.isEmpty());
}

TEST_F(InvitationWizardTest, RefusesABackgroundDeletedAfterItsChoice)
{
    QTemporaryDir dir;
    const QString picture = writeFile(dir, "gone.png", "x");
    run([&](Invitation_Wizard& w) {
        w.Using_Wizard_Click();
        w.OK_Click();
        ASSERT_EQ(w.steps.next_counter, 2);
        EXPECT_FALSE(w.selected_image.isEmpty()) << "the first background is chosen";
        w.selected_image = picture;
        QFile::remove(picture);
        w.OK_Click();
        EXPECT_EQ(w.steps.next_counter, 2);
        w.CancelClick();
        EXPECT_EQ(w.steps.next_counter, 0);
        EXPECT_EQ(w.selected_image, "");
        w.ExitClick();
    });
    EXPECT_TRUE(presenter.texts().contains("\nPlease select background."));
    EXPECT_EQ(Start_Card_Option, "");
    EXPECT_EQ(exits, QList<int>{0});
}

// The contact button lives on the start screen beside Exit and Help and
// opens the maker's contact page; the steps hide all three.
TEST_F(InvitationWizardTest, ContactButtonOnTheStartScreenOpensTheContactPage)
{
    QStringList opened;
    FileOpener::setHandler([&](const QString& target) {
        opened.append(target);
        return true;
    });
    run([&](Invitation_Wizard& w) {
        const struct
        {
            const char* name;
            std::function<void()> go;
            bool onStart;
        } cases[] = {
            {"start screen", [] {}, true},
            {"card size step", [&] { w.Using_Wizard_Click(); }, false},
            {"cancelled back to the start", [&] { w.CancelClick(); }, true},
        };
        for (const auto& c : cases) {
            c.go();
            for (QPushButton* button : {w.contact_btn, w.exit_btn, w.help_btn})
                EXPECT_EQ(!button->isHidden(), c.onStart) << c.name << " " << button->objectName().toStdString();
            EXPECT_EQ(w.help_btn_2->isHidden(), c.onStart) << c.name;
        }
        w.contact_btn->click();
        EXPECT_EQ(w.steps.next_counter, 0) << "the start screen stays";
        w.ExitClick();
    });
    FileOpener::setHandler({});
    EXPECT_EQ(opened, QStringList {"https://www.brightfold.example/contact/"});
    EXPECT_EQ(exits, QList<int> {0});
}

TEST_F(InvitationWizardTest, SavedDesignRoadStaysUntilADesignOpens)
{
    // The open panel is cancelled first, then answers a saved design.
    QString answer;
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return answer; });
    const int result = run([&](Invitation_Wizard& w) {
        w.Open_Log_Click();
        EXPECT_EQ(Start_Card_Option, "L");
        EXPECT_EQ(w.steps.next_counter, 0);
        EXPECT_FALSE(w.isHidden() && w.result() == 1);
        answer = QStringLiteral(TEST_SOURCE_DIR "/fixtures/design/sample.fcard");
        w.Open_Log_Click();
    });
    OpenPanel::setHandler({});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Project_File_Name, QStringLiteral(TEST_SOURCE_DIR "/fixtures/design/sample.fcard"));
    EXPECT_FALSE(controller->Get_Front_Controls_Array().isEmpty());
}

TEST_F(InvitationWizardTest, NewCardThroughTheWizard)
{
    const QString backgrounds = QDir(Resource_Path).filePath("Background");
    const QStringList shipped = QDir(backgrounds).entryList({"*.png", "*.jpg"}, QDir::Files, QDir::Name);
    ASSERT_GE(shipped.size(), 2);

    Invitation_Wizard::setModalRun([](Invitation_Wizard& w) {
        EXPECT_EQ(w.path_label->text(), Resource_Path);
        w.Using_Wizard_Click();
        w.width_Stepper->setValue(100);
        w.height_Stepper->setValue(70);
        w.OK_Click();
        EXPECT_EQ(w.steps.next_counter, 2) << "choosing the first background does not advance";
        w.imageBrowser->setCurrentRow(1);   // a click on the second one moves on
        EXPECT_EQ(w.steps.next_counter, 3);
        EXPECT_FALSE(w.msg_title->text().isEmpty()) << "the shipped proposals are shown";
        w.msg_title->setText("  Garden Party ");
        w.Msg_Next_Click();
        w.OK_Click();
        w.from_value->setText("Ann");
        w.to_value->setText("Bo");
        w.venue_value->setText("The garden");
        w.OK_Click();
        return w.result();
    });
    controller->New_Project();
    scriptStartWizardNewCard();

    EXPECT_EQ(Invite_Title, "Garden Party");
    const auto placed = frontTexts();
    std::map<QString, QString> texts;
    for (const auto& [id, value] : placed)
        texts[id] = value.first;
    const std::map<QString, QString> expected{{"PARTY_TITLE", "Garden Party"},
                                              {"PARTY_TO", "Dear Bo,"},
                                              {"PARTY_MSG", Invite_Message},
                                              {"PARTY_FROM", "From:\nAnn"},
                                              {"PARTY_VENUE", "Venue:\nThe garden"}};
    EXPECT_EQ(texts, expected);
    const Card_Property front = controller->Front_card_Prop();
    EXPECT_EQ(front.Card_BG_Image_Path(), QDir(backgrounds).filePath(shipped.at(1)));
    EXPECT_NEAR(front.Card_Size().width(), MM_to_Points_Convert(100), 0.01);
    EXPECT_NEAR(front.Card_Size().height(), MM_to_Points_Convert(70), 0.01);
    EXPECT_NEAR(placed.at("PARTY_TITLE").second.x(), (MM_to_Points_Convert(100) - 200) / 2, 0.01);
    EXPECT_TRUE(exits.isEmpty());
}
