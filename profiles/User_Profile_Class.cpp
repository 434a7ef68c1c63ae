#include "profiles/User_Profile_Class.h"

namespace {

// The members of one profile field and its identifiers.
struct FieldMembers {
    bool User_Profile_Class::*fromSeries;
    int User_Profile_Class::*seriesIndex;
    bool User_Profile_Class::*fromSpreadsheet;
    int User_Profile_Class::*columnIndex;
    QString User_Profile_Class::*controlId;
    QString User_Profile_Class::*labelId;
    QString User_Profile_Class::*value;
    QString User_Profile_Class::*seriesName;
    const char* stem;   // the identifiers are "Fup_" and "Fup_lbl_" followed by it
};

#define PROFILE_FIELD(f, stem)                                                                             \
    FieldMembers { &User_Profile_Class::f##_ds, &User_Profile_Class::f##_ds_indx, &User_Profile_Class::f##_xl, \
                   &User_Profile_Class::f##_xl_col_indx, &User_Profile_Class::f##_id,                       \
                   &User_Profile_Class::f##_label_id, &User_Profile_Class::f, &User_Profile_Class::f##_ds_name, \
                   stem }

const FieldMembers kFields[] = {
    PROFILE_FIELD(Name, "Name"),
    PROFILE_FIELD(Title, "Title"),
    PROFILE_FIELD(Company_name, "Company"),
    PROFILE_FIELD(slogan, "CompanySlogan"),
    PROFILE_FIELD(address, "Address"),
    PROFILE_FIELD(phone, "PhoneNO"),
    PROFILE_FIELD(fax, "FaxNo"),
    PROFILE_FIELD(email, "EmailID"),
    PROFILE_FIELD(website, "Website"),
    PROFILE_FIELD(unique, "UniqueNo"),
    PROFILE_FIELD(image, "Photo"),
};

#undef PROFILE_FIELD

}

void User_Profile_Class::Reset_All_Values()
{
    Fill_User_Profile_Enable = false;
    Excel_Binding = false;
    for (const FieldMembers& f : kFields) {
        this->*f.fromSeries = false;
        this->*f.seriesIndex = 0;
        this->*f.fromSpreadsheet = false;
        this->*f.columnIndex = 0;
        this->*f.controlId = QStringLiteral("Fup_") + QLatin1String(f.stem);
        this->*f.labelId = QStringLiteral("Fup_lbl_") + QLatin1String(f.stem);
        this->*f.value = QString();
        this->*f.seriesName = QString();
    }
}
