#include "profiles/User_Profile_Class.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(User_Profile_Class, ResetSetsIdentifiersAndClearsTheRest)
{
    User_Profile_Class p;
    EXPECT_TRUE(p.Name_id.isEmpty());
    p.Fill_User_Profile_Enable = true;
    p.Excel_Binding = true;
    p.Name = "Ann";
    p.image = "/photo.png";
    p.phone_ds = true;
    p.phone_ds_indx = 4;
    p.phone_ds_name = "Phones";
    p.email_xl = true;
    p.email_xl_col_indx = 3;
    p.Title_label = "kept";

    p.Reset_All_Values();

    EXPECT_FALSE(p.Fill_User_Profile_Enable);
    EXPECT_FALSE(p.Excel_Binding);
    EXPECT_EQ(p.Name, "");
    EXPECT_EQ(p.image, "");
    EXPECT_FALSE(p.phone_ds);
    EXPECT_EQ(p.phone_ds_indx, 0);
    EXPECT_EQ(p.phone_ds_name, "");
    EXPECT_FALSE(p.email_xl);
    EXPECT_EQ(p.email_xl_col_indx, 0);
    EXPECT_EQ(p.Title_label, "kept");

    const QStringList ids {p.Name_id,  p.Title_id, p.Company_name_id, p.slogan_id,  p.address_id, p.phone_id,
                           p.fax_id,   p.email_id, p.website_id,      p.unique_id,  p.image_id};
    EXPECT_EQ(ids, (QStringList {"Fup_Name", "Fup_Title", "Fup_Company", "Fup_CompanySlogan", "Fup_Address",
                                 "Fup_PhoneNO", "Fup_FaxNo", "Fup_EmailID", "Fup_Website", "Fup_UniqueNo",
                                 "Fup_Photo"}));
    EXPECT_EQ(p.Name_label_id, "Fup_lbl_Name");
    EXPECT_EQ(p.slogan_label_id, "Fup_lbl_CompanySlogan");
    EXPECT_EQ(p.image_label_id, "Fup_lbl_Photo");
}

}
