// The help, review, share and promotion windows: what opens them from the
// main window, which link each of their buttons opens, the help document.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "app/MakerLinks.h"
#include "app/PromotedProducts.h"
#include "mainwindow/MainMenuBar.h"
#include "mainwindow/help/Help_Support.h"
#include "mainwindow/help/Promotion_Form.h"
#include "mainwindow/help/Promotion_Pattern.h"
#include "mainwindow/help/Review_Form.h"
#include "mainwindow/help/Share_It_Dlg.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

namespace {

using Role = MakerLinks::Role;

QString linkOf(Role role)
{
    return MakerLinks::link(role).toString(QUrl::FullyEncoded);
}

class HelpWindowsTest : public WindowControllerFixture
{
protected:
    QAction* helpItem(const QString& title) const
    {
        for (QAction* action : controller->mainMenuBar()->menu("Help")->actions())
            if (action->text() == title)
                return action;
        ADD_FAILURE() << "no Help item " << title.toStdString();
        return nullptr;
    }
    // Clicks `name` in `window` and answers the one link it opened.
    QString linkOfButton(QWidget& window, const char* name)
    {
        opened.clear();
        auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
        if (!button) {
            ADD_FAILURE() << "no button " << name;
            return {};
        }
        button->click();
        return opened.size() == 1 ? opened.first() : opened.join('|') + " (not one)";
    }
};

TEST_F(HelpWindowsTest, HelpDocumentIsCopiedAtStartAndOpensFromTheHelpWindowOrIsMissedAloud)
{
    const QString help = Resource_Path + "/Help.pdf";
    QFile file(help);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), "%PDF-");
    file.close();

    control<QToolButton>("Help_btn")->click();
    helpItem("Brightfold Help")->trigger();
    EXPECT_EQ(linkDialogsRun, QStringList({"HelpWindow", "HelpWindow"}));
    EXPECT_FALSE(controller->HelpWindow->isVisible());
    controller->HelpWindow->_Help_File_Label->click();
    EXPECT_EQ(opened, QStringList {help});
    EXPECT_TRUE(presenter.texts().isEmpty());
    // no viewer for it: the user is told where the document is
    FileOpener::setHandler([](const QString&) { return false; });
    controller->HelpWindow->_Help_File_Label->click();
    EXPECT_EQ(presenter.texts(), QStringList {"\nThe help document could not be opened: " + help});
    presenter.clear();

    ASSERT_TRUE(QFile::remove(help));
    controller->HelpWindow->_Help_File_Label->click();
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(presenter.texts(), QStringList {"\nHelp file does not exist!"});
    // the next start puts it back
    ASSERT_TRUE(setUpResourceFolder());
    EXPECT_TRUE(QFileInfo::exists(help));
}

// The shipped document read by poppler: its pages and every chapter.
TEST(HelpDocument, ShippedPdfHasEveryChapter)
{
    const QString pdf = QStringLiteral(SOURCE_ROOT "/resources/Help.pdf");
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_EQ(info.exitCode(), 0);
    EXPECT_TRUE(infoText.contains(QRegularExpression("Title:\\s+Brightfold Help"))) << infoText.toStdString();
    const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(infoText);
    EXPECT_GE(pages.captured(1).toInt(), 8);
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* chapter : {"Getting started", "Designing cards", "Objects and the inspector",
                                "Data series and spreadsheets", "Barcodes", "Profiles", "Printing, export and mail",
                                "Templates", "Help file does not exist!"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(chapter))) << chapter;
    // The spreadsheet table is chosen in the profile window, and only then
    // does the data source list offer "Excel": the help leads there.
    const QString flat = QString(words).replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (const char* step : {"Edit > User Profile...", "Spreadsheet box", "offers Excel"})
        EXPECT_TRUE(flat.contains(QString::fromLatin1(step))) << step;
    // A tool click places its object at once and the tool stays for drags,
    // so the help does not send a newcomer to click the card as well.
    EXPECT_TRUE(flat.contains("puts a new object of that kind on the card at once"));
    EXPECT_TRUE(flat.contains("The tool stays chosen: drag on the card to draw another object"));
    EXPECT_FALSE(flat.contains("click on the card to put an object there"));
    EXPECT_TRUE(flat.contains("The help document could not be opened"));
}

// Every button of the windows opens its link; the link-styled ones look
// like links.
TEST_F(HelpWindowsTest, EachButtonOfTheWindowsOpensItsLink)
{
    Help_Support& help = *controller->HelpWindow;
    Review_Form& review = *Review_Form::defaultInstance();
    Share_It_Dlg& share = *controller->shareWindow();
    Promotion_Form& promotion = *Promotion_Form::defaultInstance();
    const struct {
        QWidget* window;
        const char* button;
        Role role;
        bool linkStyled;
    } cases[] = {
        {&help, "support_id", Role::SupportMail, true},
        {&help, "support_id_2", Role::Website3, true},
        {&help, "website_1", Role::Website1, true},
        {&help, "reseller_1", Role::ResellerMail, true},
        {&help, "reseller_2", Role::Website2, true},
        {&help, "Gplus_btn", Role::ShareGooglePlus, false},
        {&help, "Facebook_btn", Role::ShareFacebook, false},
        {&help, "Twitter_btn", Role::ShareTwitter, false},
        {&help, "FB_Like_btn", Role::FacebookLike, false},
        {&help, "Comments_btn", Role::UserComments, false},
        {&help, "Get_It_Free_btn", Role::GetItFree, false},
        {&review, "website_1", Role::Website1, true},
        {&review, "support_id", Role::SupportMail, true},
        {&review, "Review_btn", Role::ReviewPage, false},
        {&review, "OK_btn", Role::ReviewPage, false},
        {&share, "Gplus_btn", Role::ShareGooglePlus, false},
        {&share, "Facebook_btn", Role::ShareFacebook, false},
        {&share, "Twitter_btn", Role::ShareTwitter, false},
        {&share, "FB_Like_btn", Role::FacebookLike, false},
        {&share, "Go_Share_It_btn", Role::GetItFree, false},
        {&promotion, "website_1", Role::Website1, true},
        {&promotion, "support_id", Role::SupportMail, true},
        {&promotion, "youtube_btn", Role::VideoChannel, false},
    };
    for (const auto& c : cases) {
        const std::string where = c.window->objectName().toStdString() + "." + c.button;
        EXPECT_EQ(linkOfButton(*c.window, c.button), linkOf(c.role)) << where;
        auto* button = c.window->findChild<QPushButton*>(QString::fromLatin1(c.button));
        ASSERT_TRUE(button) << where;
        const QFont font = button->font();
        const bool looksLikeLink = font.bold() && font.underline() && font.pointSize() == 11
                                   && button->cursor().shape() == Qt::OpenHandCursor
                                   && button->palette().color(QPalette::ButtonText) == LinkDialog::linkColour();
        EXPECT_EQ(looksLikeLink, c.linkStyled) << where;
    }
    // the review window's buttons end its run with 1
    int result = -1;
    QObject::connect(&review, &QDialog::finished, [&](int r) { result = r; });
    review.OK_btn->click();
    EXPECT_EQ(result, 1);
}

TEST_F(HelpWindowsTest, ExitRunsTheReviewWindowBeforeTheProgramEnds)
{
    QStringList order;
    LinkDialog::setModalRun([&](LinkDialog& dialog) {
        order << dialog.objectName();
        return 1;
    });
    ProcessTerminator::setHandler([&](int status) { order << QString::number(status); });
    presenter.scriptAnswers({MessagePresenter::Answer::Cancelled, MessagePresenter::Answer::No});
    controller->Exit_App();
    EXPECT_TRUE(order.isEmpty());
    controller->Exit_App();
    EXPECT_EQ(order, QStringList({"Review_Window", "0"}));
    // nothing opened unless a button of the window was pressed
    EXPECT_TRUE(opened.isEmpty());
}

// The toolbar buttons and Help items of the three products fill the window
// with that product; its mail and order buttons open that product's links.
TEST_F(HelpWindowsTest, PromotionWindowShowsTheProductOfItsCode)
{
    Promotion_Form& promotion = *Promotion_Form::defaultInstance();
    for (const QString& code : PromotedProducts::codes()) {
        const auto product = PromotedProducts::product(code, controller->App_Name);
        ASSERT_TRUE(product);
        for (bool fromMenu : {false, true}) {
            promotion.Software_title->clear();
            linkDialogsRun.clear();
            if (fromMenu)
                helpItem(product->title + "...")->trigger();
            else
                control<QToolButton>(qPrintable("Promotion_" + code + "_btn"))->click();
            EXPECT_EQ(linkDialogsRun, QStringList {"Promotion_Form"});
            EXPECT_EQ(promotion.software_type, code);
            EXPECT_EQ(promotion.Software_title->text(), product->title);
            EXPECT_EQ(promotion.short_descp->text(), product->shortText);
            EXPECT_EQ(promotion.long_descp->text(), product->longText);
            EXPECT_FALSE(promotion.bundle_image->image().isNull()) << code.toStdString();
        }
        EXPECT_EQ(linkOfButton(promotion, "Mail_btn"), product->howToMail.toString(QUrl::FullyEncoded));
        EXPECT_EQ(linkOfButton(promotion, "Contact_us_btn"), product->contactMail.toString(QUrl::FullyEncoded));
        EXPECT_EQ(linkOfButton(promotion, "Order_btn"), product->orderLink.toString(QUrl::FullyEncoded));
    }
    // another code leaves the fields as they were and opens no product link
    const QString lastTitle = promotion.Software_title->text();
    promotion.software_type = "X";
    EXPECT_EQ(promotion.Open_Promotion_Window(), 1);
    EXPECT_EQ(promotion.Software_title->text(), lastTitle);
    for (const char* button : {"Mail_btn", "Contact_us_btn", "Order_btn"}) {
        opened.clear();
        promotion.findChild<QPushButton*>(button)->click();
        EXPECT_TRUE(opened.isEmpty()) << button;
    }
    // the pattern lies under the picture, tiled from the corner
    const QImage pattern = promotion.bundle_image->pattern();
    ASSERT_FALSE(pattern.isNull());
    const QImage drawn = promotion.bundle_image->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(1, 1), pattern.pixelColor(1, 1));
}

TEST_F(HelpWindowsTest, ShareWindowOpensFromTheHelpMenu)
{
    helpItem("Share Brightfold...")->trigger();
    EXPECT_EQ(linkDialogsRun, QStringList {"Share_It_Dlg"});
}

}
