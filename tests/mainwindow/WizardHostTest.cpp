// The card-size wizard over a scripted main window (WizardHost) instead of
// the main window controller: the host's preset sizes reach the steppers,
// OK hands the chosen size in points to the document and the canvases, and
// the holder-profile button follows the host's wizard form.

#include "app/UnitConversions.h"
#include "mainwindow/CardSizeChooser.h"
#include "mainwindow/CardSizePresets.h"
#include "mainwindow/Card_Wizard.h"
#include "mainwindow/ProfileDialog.h"
#include "mainwindow/WizardHost.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

class ScriptedWizardHost : public WizardHost
{
public:
    QSizeF Get_My_card_Size(const QString& category, const QString& preset, int list_index) const override
    {
        asked.append(QStringLiteral("%1/%2/%3").arg(category, preset).arg(list_index));
        return QSizeF(40.0 + list_index, 25.5 + 2 * list_index);
    }
    void Set_Card_Size_In_Control(const QSizeF& millimetres) override { shownSizes.append(millimetres); }
    void Set_Document_Size(const QSizeF& points) override { documentSizes.append(points); }
    void SetDocumentCanvasSize(const QSizeF& points) override { canvasSizes.append(points); }
    ProfileDialog* profileWizardForm() const override { return form; }
    int Open_User_Profile_Window(bool load, const QString& side) override
    {
        profilesOpened.append(QStringLiteral("%1:%2").arg(load).arg(side));
        return 1;
    }
    bool Open_Log_File() override { return false; }

    mutable QStringList asked;
    QList<QSizeF> shownSizes, documentSizes, canvasSizes;
    QStringList profilesOpened;
    ProfileDialog* form = nullptr;
};

struct NoForm : ProfileDialog
{
    int Open_Wnd(bool) override { return 0; }
};

class WizardHostTest : public ::testing::TestWithParam<int>
{
protected:
    ~WizardHostTest() override { Card_Wizard::setModalRun({}); }
};

TEST_P(WizardHostTest, ChosenPresetSizeGoesToTheHostInPoints)
{
    const int row = GetParam();
    ScriptedWizardHost host;
    Card_Wizard wizard(&host);
    Card_Wizard::setModalRun([row](Card_Wizard& w) {
        w.sizes->Mark_List_New_Selection(row);
        w.ok_btn->click();
        return w.result();
    });
    ASSERT_EQ(wizard.Open_Wnd(), 1);

    const QSizeF millimetres(40.0 + row, 25.5 + 2 * row);
    EXPECT_EQ(host.asked.last(), QStringLiteral("%1/H/%2").arg(CardSizePresets::pvcCategory).arg(row));
    EXPECT_DOUBLE_EQ(wizard.sizes->width_Stepper->value(), millimetres.width());
    EXPECT_DOUBLE_EQ(wizard.sizes->height_Stepper->value(), millimetres.height());
    const QSizeF points(MM_to_Points_Convert(float(millimetres.width())),
                        MM_to_Points_Convert(float(millimetres.height())));
    ASSERT_EQ(host.documentSizes.size(), 1);
    ASSERT_EQ(host.canvasSizes.size(), 1);
    EXPECT_EQ(host.documentSizes.first(), points);
    EXPECT_EQ(host.canvasSizes.first(), points);
    EXPECT_TRUE(host.shownSizes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, WizardHostTest, ::testing::Values(0, 2, 5));

TEST(WizardHost, ProfileButtonFollowsTheHostsWizardFormAndOpensItOnNoSide)
{
    ScriptedWizardHost host;
    Card_Wizard wizard(&host);
    bool enabled = true;
    Card_Wizard::setModalRun([&enabled](Card_Wizard& w) {
        enabled = w.profile_btn->isEnabled();
        return 0;
    });
    wizard.Open_Wnd();
    EXPECT_FALSE(enabled);

    NoForm form;
    host.form = &form;
    wizard.Open_Wnd();
    EXPECT_TRUE(enabled);
    Card_Wizard::setModalRun({});

    wizard.profile_btn->click();
    EXPECT_EQ(host.profilesOpened, QStringList {QStringLiteral("0:")});
    // Cancel hands nothing to the host
    EXPECT_TRUE(host.documentSizes.isEmpty());
}

}
