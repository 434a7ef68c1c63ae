#pragma once

// Program-wide values of the user profiles: the workbook a profile is bound
// to, whether new cards are filled from the profile, and the field titles.

#include <QString>

extern bool Excel_Binding_Use;
extern QString Excel_Source_Path;
extern bool Fill_User_Profile;
extern QString Title_Name;
extern QString Title_Title;
extern QString Title_Company_name;
extern QString Title_slogan;
extern QString Title_address;
extern QString Title_phone;
extern QString Title_fax;
extern QString Title_email;
extern QString Title_website;
extern QString Title_unique;
extern QString Title_image;

// Other layers change these values through these functions; only profiles
// writes them directly.
void setExcelBindingUse(bool use);
void setExcelSourcePath(const QString& path);
void setFillUserProfile(bool fill);
