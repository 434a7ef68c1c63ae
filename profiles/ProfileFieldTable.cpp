#include "profiles/ProfileFieldTable.h"

#include "profiles/Globals.h"

#include <array>

namespace {

// A placeholder frame for an object whose top edge is `top` points below
// the card's top edge (the box's y grows upwards, the card's downwards).
constexpr QRectF frame(double x, double top, double width, double height)
{
    return QRectF(x, ProfileFieldTable::boxHeight - top, width, height);
}

// One line of text in the default text font (14 points) is 17 points high.
constexpr double line = 17;

#define PROFILE_MEMBERS(f)                                                                                  \
    &User_Profile_Class::f, &User_Profile_Class::f##_ds, &User_Profile_Class::f##_ds_indx,                 \
        &User_Profile_Class::f##_xl, &User_Profile_Class::f##_xl_col_indx, &User_Profile_Class::f##_ds_name, \
        &User_Profile_Class::f##_id, &User_Profile_Class::f##_label_id

// Landscape (ID-1: 243 x 153): the photo at the top left, name, position,
// company and slogan beside it, the contact lines below across the card.
// Portrait (153 x 243): the photo centred at the top, one line per field
// below it.
const std::array<ProfileFieldTable::Field, 11> kFields {{
    {"Name", "Fup_Name", "Fup_lbl_Name", &Title_Name, false,
     frame(70, 6, 167, line), frame(6, 70, 141, line), PROFILE_MEMBERS(Name)},
    {"Title", "Fup_Title", "Fup_lbl_Title", &Title_Title, false,
     frame(70, 23, 167, line), frame(6, 87, 141, line), PROFILE_MEMBERS(Title)},
    {"Company_name", "Fup_Company", "Fup_lbl_Company", &Title_Company_name, false,
     frame(70, 40, 167, line), frame(6, 104, 141, line), PROFILE_MEMBERS(Company_name)},
    {"slogan", "Fup_CompanySlogan", "Fup_lbl_CompanySlogan", &Title_slogan, false,
     frame(70, 57, 167, line), frame(6, 121, 141, line), PROFILE_MEMBERS(slogan)},
    {"address", "Fup_Address", "Fup_lbl_Address", &Title_address, false,
     frame(8, 78, 229, line), frame(6, 138, 141, line), PROFILE_MEMBERS(address)},
    {"phone", "Fup_PhoneNO", "Fup_lbl_PhoneNO", &Title_phone, false,
     frame(8, 95, 112, line), frame(6, 155, 141, line), PROFILE_MEMBERS(phone)},
    {"fax", "Fup_FaxNo", "Fup_lbl_FaxNo", &Title_fax, false,
     frame(124, 95, 113, line), frame(6, 172, 141, line), PROFILE_MEMBERS(fax)},
    {"email", "Fup_EmailID", "Fup_lbl_EmailID", &Title_email, false,
     frame(8, 112, 229, line), frame(6, 189, 141, line), PROFILE_MEMBERS(email)},
    {"website", "Fup_Website", "Fup_lbl_Website", &Title_website, false,
     frame(8, 129, 150, line), frame(6, 206, 141, line), PROFILE_MEMBERS(website)},
    {"unique", "Fup_UniqueNo", "Fup_lbl_UniqueNo", &Title_unique, false,
     frame(160, 129, 77, line), frame(6, 223, 141, line), PROFILE_MEMBERS(unique)},
    {"image", "Fup_Photo", "Fup_lbl_Photo", &Title_image, true,
     frame(8, 8, 56, 66), frame(50, 4, 53, 64), PROFILE_MEMBERS(image)},
}};

#undef PROFILE_MEMBERS

}   // namespace

QString ProfileFieldTable::Field::className() const
{
    return isPhoto ? QStringLiteral("SKTImage") : QStringLiteral("SKTText");
}

std::span<const ProfileFieldTable::Field> ProfileFieldTable::fields()
{
    return kFields;
}

const ProfileFieldTable::Field* ProfileFieldTable::fieldWithControlId(const QString& controlId)
{
    for (const Field& f : kFields) {
        if (controlId == QLatin1String(f.controlId))
            return &f;
    }
    return nullptr;
}
