// Every window and dialog opens inside its screen's available area and is
// never smaller than its controls need: on screens from 1024 x 600 up, and
// on a second screen beside the first.

#include "WindowControllerFixture.h"
#include "mainwindow/ScreenFitter.h"
#include "mainwindow/WindowPlacement.h"
#include "mainwindow/barcode/Barcode_Gen.h"
#include "mainwindow/print/Print_Wnd.h"

#include <QApplication>
#include <QMargins>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The frame a window opens with, window-free: wanted frames and smallest
// frames on screens' available areas (panels, docks, a second screen).
TEST(WindowPlacement, WindowsOpenInsideTheAvailableAreaAndNeverBelowTheirSmallestSize)
{
    struct Case { const char* what; QRect available; QRect wanted; QSize minimum; QRect expected; };
    const QRect netbook(0, 0, 1024, 600), laptop(0, 28, 1366, 740), second(1920, 0, 1280, 1024);
    const Case cases[] = {
        {"fits: kept", laptop, {200, 100, 720, 500}, {400, 300}, {200, 100, 720, 500}},
        {"below the bottom: moved up", laptop, {320, 200, 720, 820}, {400, 300}, {320, 28, 720, 740}},
        {"under the top panel: moved down", laptop, {320, 0, 400, 300}, {400, 300}, {320, 28, 400, 300}},
        {"taller than the area: shrunk", netbook, {150, -100, 722, 850}, {300, 400}, {150, 0, 722, 600}},
        {"wider and taller: shrunk both ways", netbook, {-50, 0, 1146, 700}, {900, 500}, {0, 0, 1024, 600}},
        {"smallest size too tall: title bar kept on screen", netbook, {100, 50, 870, 760}, {870, 760},
         {100, 0, 870, 760}},
        {"smallest size too wide: left edge kept on screen", netbook, {300, 0, 1150, 500}, {1150, 500},
         {0, 0, 1150, 500}},
        {"second screen: kept on it", second, {2900, 900, 400, 300}, {200, 100}, {2800, 724, 400, 300}},
        {"second screen, too tall", second, {2000, 100, 800, 1200}, {400, 300}, {2000, 0, 800, 1024}},
        {"no area known: as wanted", QRect(), {10, 10, 300, 200}, {100, 100}, {10, 10, 300, 200}},
    };
    for (const Case& c : cases) {
        const QRect frame = WindowPlacement::openingFrame(c.wanted, c.minimum, c.available);
        EXPECT_EQ(frame, c.expected) << c.what;
        EXPECT_TRUE(frame.width() >= c.minimum.width() && frame.height() >= c.minimum.height()) << c.what;
    }
}

// ---- the real windows, shown on screens of the sizes a test asks for ----

// Set in the child process that shows the windows on a configured screen.
const char* const childScreen = "BRIGHTFOLD_SCREEN_FIT_CHILD";
// A window manager's frame: a tall title bar and borders.
const QMargins windowManagerFrame(4, 32, 4, 4);

struct Screens
{
    const char* name;
    QList<QRect> screens;
    int mainScreen;   // where the main window (and so its dialogs) goes
};

const Screens screenSets[] = {
    {"1024 x 600", {{0, 0, 1024, 600}}, 0},
    {"1280 x 720", {{0, 0, 1280, 720}}, 0},
    {"1366 x 768", {{0, 0, 1366, 768}}, 0},
    {"1920 x 1080", {{0, 0, 1920, 1080}}, 0},
    {"a second screen right of the first", {{0, 0, 1920, 1080}, {1920, 0, 1366, 768}}, 1},
};

// Every top-level window of the program; each must be seen and fit.
const char* const windowClasses[] = {
    "DrawWindow", "Print_Wnd", "Print Preview", "Barcode_Gen", "Send_Mail", "Email_Setting", "User_profile",
    "Show_User_Profile", "Template_Wizard", "Start_Card", "Invitation_Wizard", "Card_Wizard", "Grid_Wizard",
    "Image_Library", "Export_Template", "ExportWindow", "Open_Export_Log", "Long_SMS_Dlg", "PleaseWait_Modeless",
    "Send_Modeless", "Help_Support", "Review_Form", "Share_It_Dlg", "Promotion_Form", "BatchWizard",
    "Generate_List", "Import_Wizard", "View_Data_Series", "Update_Ex_Num", "Load_Num_Info", "Data_From_Excel",
    "Import_Excel", "Import_Excel_DataSheet",
};

QString configFor(const Screens& set)
{
    QStringList screens;
    for (int i = 0; i < set.screens.size(); ++i) {
        const QRect& r = set.screens[i];
        screens << QStringLiteral("{\"name\":\"s%1\",\"x\":%2,\"y\":%3,\"width\":%4,\"height\":%5,"
                                  "\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}")
                       .arg(i).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return QStringLiteral("{\"screens\":[%1]}").arg(screens.join(QLatin1Char(',')));
}

TEST(ScreenFitting, EveryWindowOpensInsideEachScreenWithItsControlsWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int i = 0; i < int(std::size(screenSets)); ++i) {
        const QString config = dir.filePath(QStringLiteral("screens%1.json").arg(i));
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(configFor(screenSets[i]).toUtf8());
        file.close();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
        environment.insert(QString::fromLatin1(childScreen), QString::number(i));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=ScreenFittingChild.DISABLED_ShowsEveryWindow")});
        ASSERT_TRUE(child.waitForFinished(120000)) << screenSets[i].name;
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_TRUE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
            << screenSets[i].name << "\n" << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << screenSets[i].name;
    }
}

class ScreenFittingChild : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        set = &screenSets[std::clamp(qEnvironmentVariableIntValue(childScreen), 0, int(std::size(screenSets)) - 1)];
        WindowControllerFixture::SetUp();
    }
    void TearDown() override
    {
        Print_Wnd::setModalRun({});
        WindowControllerFixture::TearDown();
    }

    // `window` shown as the program shows it lies within the available area
    // of the screen it belongs to and is no smaller than its controls need.
    void check(QWidget& window, const QString& name, const QScreen* screen)
    {
        seen.insert(name);
        const QRect frame = window.frameGeometry();
        const QRect available = screen->availableGeometry();
        EXPECT_TRUE(available.contains(frame))
            << set->name << ": " << name.toStdString() << " at " << frame.x() << "," << frame.y() << " "
            << frame.width() << "x" << frame.height() << ", smallest " << window.minimumSizeHint().width() << "x"
            << window.minimumSizeHint().height();
        const QSize smallest = window.minimumSizeHint();
        EXPECT_TRUE(window.width() >= smallest.width() && window.height() >= smallest.height())
            << set->name << ": " << name.toStdString() << " squashed";
        // a window manager's title bar and borders are larger than the test
        // platform's: the smallest window fits with those as well
        const QSize framed = smallest.grownBy(windowManagerFrame);
        EXPECT_TRUE(framed.width() <= available.width() && framed.height() <= available.height())
            << set->name << ": " << name.toStdString() << " needs " << framed.width() << "x" << framed.height();
    }
    void showAndCheck(QWidget& window, const QString& name, const QScreen* screen)
    {
        window.show();
        QCoreApplication::processEvents();
        check(window, name, screen);
        window.hide();
    }

    const Screens* set = nullptr;
    QSet<QString> seen;
};

// Run by the test above, in a process of its own on the screens it sets up.
TEST_F(ScreenFittingChild, DISABLED_ShowsEveryWindow)
{
    QWidget& main = *controller->window();
    ASSERT_TRUE(main.isVisible());
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), set->screens.size());
    check(main, QStringLiteral("DrawWindow"), screens.first());
    QScreen* home = screens[set->mainScreen];
    if (set->mainScreen != 0) {
        const QRect area = home->availableGeometry();
        main.move(area.topLeft());
        main.resize(main.size().boundedTo(area.size() - QSize(10, 40)));
        QCoreApplication::processEvents();
        ASSERT_EQ(main.screen(), home);
    }

    Barcode_Gen::defaultInstance();   // made when first asked for
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == &main || !ScreenFitter::fits(*window))
            continue;
        // a dialog opens over the window it belongs to, which is open then,
        // and so on the main window's screen
        QList<QWidget*> owners;
        for (QWidget* owner = window->parentWidget(); owner && owner->window() != &main;
             owner = owner->window()->parentWidget())
            owners.prepend(owner->window());
        for (QWidget* owner : owners)
            owner->show();
        // the window the chain of owners starts from decides the screen: the
        // main window's, or the first screen for a window without an owner
        QWidget* root = window;
        while (root->parentWidget())
            root = root->parentWidget()->window();
        const QScreen* screen = root == &main ? home : screens.first();
        showAndCheck(*window, QString::fromLatin1(window->metaObject()->className()), screen);
        for (QWidget* owner : owners)
            owner->hide();
    }

    // the print window and its preview run modally
    Print_Wnd::setModalRun([&](QDialog& dialog) {
        const bool preview = dialog.metaObject()->className() == QByteArray("QDialog");
        showAndCheck(dialog, preview ? QStringLiteral("Print Preview") : QStringLiteral("Print_Wnd"), home);
        return 0;
    });
    Print_Wnd* print = Print_Wnd::defaultInstance();
    ASSERT_NE(print, nullptr);
    print->Open_Print_Wnd();
    print->Execute_Printing(true);

    for (const char* name : windowClasses)
        EXPECT_TRUE(seen.contains(QString::fromLatin1(name))) << name << " not shown";
}

}
