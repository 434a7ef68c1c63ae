#include "profiles/Globals.h"

bool Excel_Binding_Use = false;
QString Excel_Source_Path;
bool Fill_User_Profile = false;
QString Title_Name = QStringLiteral("Name :");
QString Title_Title = QStringLiteral("Position / Title :");
QString Title_Company_name = QStringLiteral("Company Name :");
QString Title_slogan = QStringLiteral("Company Slogan :");
QString Title_address = QStringLiteral("Address :");
QString Title_phone = QStringLiteral("Phone No. :");
QString Title_fax = QStringLiteral("Fax No. :");
QString Title_email = QStringLiteral("Email Id :");
QString Title_website = QStringLiteral("Website :");
QString Title_unique = QStringLiteral("Unique No. :");
QString Title_image = QStringLiteral("Photo :");

void setExcelBindingUse(bool use)
{
    Excel_Binding_Use = use;
}

void setExcelSourcePath(const QString& path)
{
    Excel_Source_Path = path;
}

void setFillUserProfile(bool fill)
{
    Fill_User_Profile = fill;
}
