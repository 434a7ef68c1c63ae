#include "profiles/User_Profile_Class.h"

#include "profiles/ProfileFieldTable.h"

void User_Profile_Class::Reset_All_Values()
{
    Fill_User_Profile_Enable = false;
    Excel_Binding = false;
    for (const ProfileFieldTable::Field& f : ProfileFieldTable::fields()) {
        f.dsIn(*this) = false;
        f.dsIndexIn(*this) = 0;
        f.xlIn(*this) = false;
        f.xlColumnIn(*this) = 0;
        f.idIn(*this) = QLatin1String(f.controlId);
        f.labelIdIn(*this) = QLatin1String(f.labelId);
        f.valueIn(*this) = QString();
        f.dsNameIn(*this) = QString();
    }
}
