#include "common/GlobalsSnapshot.h"

#include "app/Globals.h"
#include "barcodes/Globals.h"
#include "data/Globals.h"
#include "mainwindow/Globals.h"
#include "mainwindow/series/Globals.h"
#include "model/Globals.h"
#include "output/Globals.h"
#include "platform/FolderLock.h"
#include "profiles/Globals.h"

#include <atomic>

namespace {

template <class T>
std::function<void()> saved(T& global)
{
    return [&global, value = global] { global = value; };
}

template <class T>
std::function<void()> saved(std::atomic<T>& global)
{
    return [&global, value = global.load()] { global = value; };
}

// A window that exists once points its global at itself while it lives. The
// windows made by defaultInstance() live as long as the program, so a pointer
// set before the test is given back; one a test sets keeps its window.
template <class T>
std::function<void()> savedWindow(T*& global)
{
    return [&global, value = global] {
        if (value)
            global = value;
    };
}

} // namespace

// The table of globals: every global a Globals.h declares that is not const.
// tests/layers/check_globals.py fails when one is missing here.
#define SAVED_GLOBAL(name) m_restore.push_back(saved(name))
#define WINDOW_GLOBAL(name) m_restore.push_back(savedWindow(name))

GlobalsSnapshot::GlobalsSnapshot()
{
    // app
    SAVED_GLOBAL(Resource_Path);
    SAVED_GLOBAL(Data_Folder_Path);
    SAVED_GLOBAL(design_file_EXT);
    SAVED_GLOBAL(batch_file_EXT);
    SAVED_GLOBAL(Project_File_Name);
    SAVED_GLOBAL(Cutom_Msg_Title);
    SAVED_GLOBAL(Cutom_Msg_Val);
    SAVED_GLOBAL(Msg_Apply_All_Chk);
    SAVED_GLOBAL(yes_no_msg_val);

    // model
    SAVED_GLOBAL(Card_Front_Or_Back);
    SAVED_GLOBAL(Card_Shape);
    SAVED_GLOBAL(CARD_SIDE_STR);
    SAVED_GLOBAL(Card_Value_In_Process);
    SAVED_GLOBAL(Not_Draw_Only_Prop_Change);
    SAVED_GLOBAL(last_ctrl_X);
    SAVED_GLOBAL(last_ctrl_Y);
    SAVED_GLOBAL(Library_Selected_Image);
    SAVED_GLOBAL(lib_window_sel_file);
    SAVED_GLOBAL(Text_Ctrl_Font);
    SAVED_GLOBAL(All_Text_font);
    SAVED_GLOBAL(All_Text_clr);

    // barcodes
    SAVED_GLOBAL(USED_DPI_VALUE);
    SAVED_GLOBAL(Measument_Unit_Is);
    SAVED_GLOBAL(Barcode_module_size);
    SAVED_GLOBAL(QR_EC_Level_Val);
    SAVED_GLOBAL(QR_Version_Val);
    SAVED_GLOBAL(QR_Enc_Mode_Val);
    SAVED_GLOBAL(PDF_Row);
    SAVED_GLOBAL(PDF_Col);
    SAVED_GLOBAL(last_unit_val);
    SAVED_GLOBAL(Barcode_output_image);

    // data
    SAVED_GLOBAL(Use_Data_Sheet_Values);
    SAVED_GLOBAL(Use_Excel_Binding_Values);
    SAVED_GLOBAL(Total_Batch_Excel_Card);
    SAVED_GLOBAL(Data_table_rows);
    SAVED_GLOBAL(Excel_table_rows);
    SAVED_GLOBAL(Excel_Sheet_Columns);
    SAVED_GLOBAL(Custom_Msg_Title);
    SAVED_GLOBAL(Custom_Msg_Val);

    // profiles
    SAVED_GLOBAL(Excel_Binding_Use);
    SAVED_GLOBAL(Excel_Source_Path);
    SAVED_GLOBAL(Fill_User_Profile);
    SAVED_GLOBAL(Title_Name);
    SAVED_GLOBAL(Title_Title);
    SAVED_GLOBAL(Title_Company_name);
    SAVED_GLOBAL(Title_slogan);
    SAVED_GLOBAL(Title_address);
    SAVED_GLOBAL(Title_phone);
    SAVED_GLOBAL(Title_fax);
    SAVED_GLOBAL(Title_email);
    SAVED_GLOBAL(Title_website);
    SAVED_GLOBAL(Title_unique);
    SAVED_GLOBAL(Title_image);

    // output
    SAVED_GLOBAL(export_card_side);
    SAVED_GLOBAL(list_count);
    SAVED_GLOBAL(curr_barcode_count);
    SAVED_GLOBAL(curr_msg_count);
    SAVED_GLOBAL(sender_email);
    SAVED_GLOBAL(sender_pwd);
    SAVED_GLOBAL(sending_server);
    SAVED_GLOBAL(sending_port);
    SAVED_GLOBAL(send_enable_ssl);
    SAVED_GLOBAL(Stop_SMS_Sending_Now);
    SAVED_GLOBAL(Pause_Delay_Time);
    SAVED_GLOBAL(Export_File_Path);
    SAVED_GLOBAL(Export_File_Message);

    // mainwindow
    SAVED_GLOBAL(Start_Card_Option);
    SAVED_GLOBAL(Invite_Title);
    SAVED_GLOBAL(Invite_Message);
    SAVED_GLOBAL(Invite_From);
    SAVED_GLOBAL(Invite_To);
    SAVED_GLOBAL(Invite_Venue);
    SAVED_GLOBAL(Invite_Date);
    SAVED_GLOBAL(Invite_Time);
    SAVED_GLOBAL(Invite_BG_IMG);
    SAVED_GLOBAL(Selected_Template_Path);
    SAVED_GLOBAL(export_template_name);
    SAVED_GLOBAL(User_Defined_File);
    WINDOW_GLOBAL(inv_wzrd_Window);
    WINDOW_GLOBAL(temp_wzrd_Window);
    WINDOW_GLOBAL(wzrd_Window);
    WINDOW_GLOBAL(Barcode_Gen_Var);
    WINDOW_GLOBAL(Print_Var);
    WINDOW_GLOBAL(BatchWizard_Window);
    WINDOW_GLOBAL(Gen_List_Window);

    // not a layer's global, but a setting tests change: how long a folder
    // lock waits for another holder
    m_restore.push_back([limit = FolderLock::waitLimit()] { FolderLock::setWaitLimit(limit); });
}

#undef SAVED_GLOBAL
#undef WINDOW_GLOBAL

void GlobalsSnapshot::restore() const
{
    for (const std::function<void()>& restore : m_restore)
        restore();
}

void GlobalsRestorer::enter()
{
    m_saved.push_back(std::make_unique<GlobalsSnapshot>());
}

void GlobalsRestorer::leave()
{
    if (m_saved.empty())
        return;
    m_saved.back()->restore();
    m_saved.pop_back();
}
