#pragma once

// The holder profile of one card side: eleven fields (name, position, company,
// slogan, address, phone, fax, e-mail, website, unique number and photo),
// each with its value, its profile control and label identifiers and the
// source of its value (typed, a data series, or a spreadsheet column). A plain
// record: the profile dialogs write the members and the profile fill reads
// them directly.

#include <QString>

class User_Profile_Class
{
public:
    // Every member empty or 0.
    User_Profile_Class() = default;

    // Back to the defaults of a new design: the control and label
    // identifiers set ("Fup_Name" ... "Fup_Photo", "Fup_lbl_Name" ...
    // "Fup_lbl_Photo"), every value and series name emptied, every flag
    // cleared and every index 0. The `_label` members are left alone.
    void Reset_All_Values();

    bool Fill_User_Profile_Enable = false;
    bool Excel_Binding = false;

    // 1: the value comes from a data series
    bool Name_ds = false, Title_ds = false, Company_name_ds = false, slogan_ds = false, address_ds = false,
         phone_ds = false, fax_ds = false, email_ds = false, website_ds = false, unique_ds = false,
         image_ds = false;
    // position of that series in the dialog's series list
    int Name_ds_indx = 0, Title_ds_indx = 0, Company_name_ds_indx = 0, slogan_ds_indx = 0, address_ds_indx = 0,
        phone_ds_indx = 0, fax_ds_indx = 0, email_ds_indx = 0, website_ds_indx = 0, unique_ds_indx = 0,
        image_ds_indx = 0;
    // 1: the value comes from a spreadsheet column
    bool Name_xl = false, Title_xl = false, Company_name_xl = false, slogan_xl = false, address_xl = false,
         phone_xl = false, fax_xl = false, email_xl = false, website_xl = false, unique_xl = false,
         image_xl = false;
    // position of that column in the dialog's column list
    int Name_xl_col_indx = 0, Title_xl_col_indx = 0, Company_name_xl_col_indx = 0, slogan_xl_col_indx = 0,
        address_xl_col_indx = 0, phone_xl_col_indx = 0, fax_xl_col_indx = 0, email_xl_col_indx = 0,
        website_xl_col_indx = 0, unique_xl_col_indx = 0, image_xl_col_indx = 0;
    // profile control identifiers of the placed objects
    QString Name_id, Title_id, Company_name_id, slogan_id, address_id, phone_id, fax_id, email_id, website_id,
        unique_id, image_id;
    // label identifiers
    QString Name_label_id, Title_label_id, Company_name_label_id, slogan_label_id, address_label_id,
        phone_label_id, fax_label_id, email_label_id, website_label_id, unique_label_id, image_label_id;
    // label texts (nothing sets them)
    QString Name_label, Title_label, Company_name_label, slogan_label, address_label, phone_label, fax_label,
        email_label, website_label, unique_label, image_label;
    // the values: the text to show, or the photo's file path for `image`
    QString Name, Title, Company_name, slogan, address, phone, fax, email, website, unique, image;
    // name of the data series of each field
    QString Name_ds_name, Title_ds_name, Company_name_ds_name, slogan_ds_name, address_ds_name, phone_ds_name,
        fax_ds_name, email_ds_name, website_ds_name, unique_ds_name, image_ds_name;
};
