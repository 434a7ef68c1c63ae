// The tests' snapshot of the program-wide globals: each kind of global comes
// back as it was, window pointers follow their windows, and the snapshots of a
// suite and of its tests nest.
#include "common/GlobalsSnapshot.h"

#include "app/Globals.h"
#include "barcodes/Globals.h"
#include "data/Globals.h"
#include "mainwindow/Globals.h"
#include "model/Globals.h"
#include "output/Globals.h"
#include "profiles/Globals.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

namespace {

struct GlobalCase
{
    const char* name;
    std::function<void()> change;
    std::function<QString()> value; // the global's value, as text to compare
};

QString pictureText(const Picture& p)
{
    return p.isNull() ? QStringLiteral("null") : QStringLiteral("%1x%2").arg(p.image().width()).arg(p.image().height());
}

std::vector<GlobalCase> globalCases()
{
    return {
        {"QString", [] { setProjectFileName(QStringLiteral("/tmp/changed.fcard")); }, [] { return Project_File_Name; }},
        {"bool", [] { setMsgApplyAllChk(!Msg_Apply_All_Chk); }, [] { return QString::number(Msg_Apply_All_Chk); }},
        {"int", [] { setCardShape(Card_Shape + 1); }, [] { return QString::number(Card_Shape); }},
        {"double", [] { setLastCtrlPosition(last_ctrl_X + 7, last_ctrl_Y + 9); },
         [] { return QStringLiteral("%1,%2").arg(last_ctrl_X).arg(last_ctrl_Y); }},
        {"atomic int", [] { setCardFrontOrBack(1 - Card_Front_Or_Back); },
         [] { return QString::number(Card_Front_Or_Back.load()); }},
        {"atomic bool", [] { setStopSmsSendingNow(!Stop_SMS_Sending_Now); },
         [] { return QString::number(Stop_SMS_Sending_Now.load()); }},
        {"atomic double", [] { setCurrBarcodeCount(curr_barcode_count + 2.5); },
         [] { return QString::number(curr_barcode_count.load()); }},
        {"atomic qint64", [] { setPauseDelayTime(Pause_Delay_Time + 1500); },
         [] { return QString::number(Pause_Delay_Time.load()); }},
        {"unsigned long long", [] { ++User_Defined_File; }, [] { return QString::number(User_Defined_File); }},
        {"font", [] { setAllTextFont(FontSpec(QStringLiteral("Liberation Sans"), 31)); },
         [] { return All_Text_font.family() + QString::number(All_Text_font.pointSize()); }},
        {"colour", [] { setAllTextColour(Colour::rgb(0.25, 0.5, 0.75)); },
         [] { return All_Text_clr.toQColor().name(QColor::HexArgb); }},
        {"picture", [] { setBarcodeOutputImage(Picture(QImage(5, 3, QImage::Format_ARGB32))); },
         [] { return pictureText(Barcode_output_image); }},
    };
}

TEST(GlobalsSnapshot, GivesBackEachKindOfGlobal)
{
    for (const GlobalCase& c : globalCases()) {
        SCOPED_TRACE(c.name);
        const QString before = c.value();
        const GlobalsSnapshot snapshot;
        c.change();
        ASSERT_NE(c.value(), before) << "the case must change its global";
        snapshot.restore();
        EXPECT_EQ(c.value(), before);
    }
}

TEST(GlobalsSnapshot, WindowPointersFollowTheirWindows)
{
    // Stand-ins for windows: the pointers are only compared, never followed.
    alignas(8) static char before[1];
    alignas(8) static char during[1];
    Print_Wnd* const kept = Print_Var;

    // A window that existed before the test is pointed at again when a window
    // the test made and closed cleared the pointer.
    Print_Var = reinterpret_cast<Print_Wnd*>(before);
    {
        const GlobalsSnapshot snapshot;
        Print_Var = nullptr;
        snapshot.restore();
        EXPECT_EQ(Print_Var, reinterpret_cast<Print_Wnd*>(before));
    }
    // A window first made during the test stays: it lives as long as the program.
    Print_Var = nullptr;
    {
        const GlobalsSnapshot snapshot;
        Print_Var = reinterpret_cast<Print_Wnd*>(during);
        snapshot.restore();
        EXPECT_EQ(Print_Var, reinterpret_cast<Print_Wnd*>(during));
    }
    Print_Var = kept;
}

TEST(GlobalsRestorer, TestsNestInsideTheirSuite)
{
    const QString path = Project_File_Name;
    const int shape = Card_Shape;
    GlobalsRestorer restorer;
    restorer.enter(); // the suite
    setProjectFileName(QStringLiteral("/tmp/suite.fcard"));
    restorer.enter(); // a test
    setCardShape(shape + 2);
    setProjectFileName(QStringLiteral("/tmp/test.fcard"));
    restorer.leave();
    EXPECT_EQ(Card_Shape, shape);
    EXPECT_EQ(Project_File_Name, QStringLiteral("/tmp/suite.fcard"));
    restorer.leave();
    EXPECT_EQ(Project_File_Name, path);
    restorer.leave(); // one too many: nothing to give back
    EXPECT_EQ(Project_File_Name, path);
}

// The shared main() installs the restorer: what one test changes, the next
// one does not see (run in one program, as `test_app` alone runs them).
TEST(GlobalsBetweenTests, FirstTestChangesGlobals)
{
    setCardShape(2);
    setExcelSheetColumns(7);
    setFillUserProfile(true);
    setExportCardSide(QStringLiteral("B"));
    Title_Name = QStringLiteral("Changed :");
}

TEST(GlobalsBetweenTests, NextTestSeesThemAsAtStart)
{
    EXPECT_EQ(Card_Shape, 0);
    EXPECT_EQ(Excel_Sheet_Columns, 0);
    EXPECT_FALSE(Fill_User_Profile);
    EXPECT_EQ(export_card_side, QString());
    EXPECT_EQ(Title_Name, QStringLiteral("Name :"));
}

} // namespace
