#include "mainwindow/profile/ProfileDialogBase.h"

#include "app/FileHelpers.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "canvas/SKTRenderingView.h"
#include "data/UnpackFolder.h"
#include "mainwindow/ControlsScrollArea.h"
#include "mainwindow/profile/ProfileDialogHost.h"
#include "mainwindow/series/View_Data_Series.h"
#include "mainwindow/spreadsheet/Data_From_Excel.h"
#include "mainwindow/spreadsheet/Import_Excel.h"
#include "model/Globals.h"
#include "platform/OpenPanel.h"
#include "platform/Picture.h"
#include "profiles/Globals.h"
#include "profiles/User_Profile_Class.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <exception>

namespace {


// the prefix of each row's control names, in the field table's order
const char* const rowPrefixes[ProfileDialogState::rowCount] = {
    "name", "title", "comp_name", "slogan", "address", "phone", "fax", "email", "website", "unique", "image"};

const QStringList pictureTypes {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                                QStringLiteral("jfif"), QStringLiteral("gif"), QStringLiteral("bmp"),
                                QStringLiteral("png"), QStringLiteral("tif"), QStringLiteral("tiff")};

// sizes of the pictures shown, in pixels
constexpr int sidePictureWidth = 300;
constexpr int sidePictureHeight = 200;
constexpr int photoWellSize = 120;

QString controlName(int row, const char* suffix)
{
    return QLatin1String(rowPrefixes[row]) + QLatin1String(suffix);
}

void setItemsQuietly(QComboBox* combo, const QStringList& items, int current)
{
    const QSignalBlocker blocker(combo);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    if (shown != items) {
        combo->setCurrentIndex(-1);
        combo->clear();
        combo->addItems(items);
    }
    combo->setCurrentIndex(current >= 0 && current < combo->count() ? current : -1);
}

void setTextQuietly(QLineEdit* field, const QString& text)
{
    if (field->text() == text)
        return;
    const QSignalBlocker blocker(field);
    field->setText(text);
}

void setCheckedQuietly(QCheckBox* box, bool checked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

QLabel* pictureLabel(const char* name, int width, int height)
{
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setFixedSize(width, height);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setStyleSheet(QStringLiteral("QLabel { background: white; }"));
    return label;
}

}

ProfileDialogBase::ProfileDialogBase(ProfileDialogHost* controller, bool wizardForm, QWidget* parent)
    : DialogFrame(parent, QString(), QString())
    , m_controller(controller)
    , m_wizardForm(wizardForm)
    , m_state(sources(), !wizardForm)
{
    m_state.photoChanged = [this](const QString& path) { showPhoto(path); };
    buildWindow();
    for (int row = 0; row < ProfileDialogState::rowCount; ++row)
        connectRow(row);
    m_state.reset();
    showState();
}

ProfileDialogBase::~ProfileDialogBase() = default;

ProfileDialogState::Sources ProfileDialogBase::sources() const
{
    ProfileDialogState::Sources s;
    ProfileDialogHost* controller = m_controller;
    if (!controller)
        return s;
    s.seriesNames = [controller] { return controller->Get_datasheet_File_Name_Array(); };
    s.firstSeriesValue = [controller](const QString& series) {
        return controller->Get_First_Value_Of_Dataset(series);
    };
    s.columnTitles = [controller] { return controller->spreadsheetColumnTitles(); };
    s.sheetColumns = [controller] { return controller->spreadsheetSheetColumns(); };
    s.firstColumnValue = [controller](int column) { return controller->Get_First_Value_Of_Excel_Binding(column); };
    s.tableLoaded = [controller] { return controller->spreadsheetTableLoaded(); };
    return s;
}

// ---- the window ----

void ProfileDialogBase::buildWindow()
{
    // the spreadsheet bound to the card
    auto* sheetBox = new QGroupBox(tr("Spreadsheet"));
    auto* sheetColumn = new QVBoxLayout(sheetBox);
    auto* sheetLayout = new QHBoxLayout;
    sheetColumn->addLayout(sheetLayout);
    excel_path_field = new QLineEdit;
    excel_path_field->setObjectName(QStringLiteral("excel_path_field"));
    excel_path_field->setPlaceholderText(tr("No spreadsheet chosen"));
    excel_browse_btn = new QPushButton(tr("Browse…"));
    excel_browse_btn->setObjectName(QStringLiteral("excel_browse_btn"));
    view_excel_btn = new QPushButton(tr("View Table"));
    view_excel_btn->setObjectName(QStringLiteral("view_excel_btn"));
    batch_series_btn = new QPushButton(tr("Series Manager"));
    batch_series_btn->setObjectName(QStringLiteral("batch_series_btn"));
    sheetLayout->addWidget(new QLabel(tr("File:")));
    sheetLayout->addWidget(excel_path_field, 1);
    sheetLayout->addWidget(excel_browse_btn);
    sheetLayout->addWidget(view_excel_btn);
    sheetLayout->addWidget(batch_series_btn);
    excel_note_label = new QLabel;
    excel_note_label->setObjectName(QStringLiteral("excel_note_label"));
    excel_note_label->setWordWrap(true);
    excel_note_label->hide();
    sheetColumn->addWidget(excel_note_label);

    // the rows
    auto* rowsBox = new QGroupBox(tr("Details"));
    auto* grid = new QGridLayout(rowsBox);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    // columns: [side chooser] [caption box] caption [value box] value source list view
    enum Column { Side, CaptionBox, Caption, ValueBox, Value, Source, Choice, View };
    const QStringList headings {tr("Side"), QString(), tr("Caption"), QString(), tr("Value"), tr("Source"),
                                tr("Series / Column"), QString()};
    for (int c = 0; c < headings.size(); ++c) {
        if (headings[c].isEmpty() || (c == Side && !m_wizardForm))
            continue;
        auto* heading = new QLabel(QStringLiteral("<b>%1</b>").arg(headings[c]));
        if (c == Side) {
            select_side_label = heading;
            select_side_label->setObjectName(QStringLiteral("select_side_label"));
        }
        grid->addWidget(heading, 0, c);
    }
    for (int row = 0; row < ProfileDialogState::rowCount; ++row) {
        const int line = row + 1;
        RowControls c;
        const bool photo = row == ProfileDialogState::photoRow;
        if (m_wizardForm) {
            c.side_combo = new QComboBox;
            c.side_combo->setObjectName(controlName(row, "_side_combo"));
            c.side_combo->addItems({tr("Front"), tr("Back"), tr("Both")});
            grid->addWidget(c.side_combo, line, Side);
        }
        if (photo) {
            grid->addWidget(new QLabel(Title_image), line, Caption);
            image_path_val = new QLineEdit;
            image_path_val->setObjectName(QStringLiteral("image_path_val"));
            image_path_val->setReadOnly(true);
            image_path_val->setPlaceholderText(tr("No photo"));
            c.value = image_path_val;
            grid->addWidget(image_path_val, line, Value);
        } else {
            c.label = new QLineEdit;
            c.label->setObjectName(controlName(row, "_label"));
            c.label->setFixedWidth(140);
            c.value = new QLineEdit;
            c.value->setObjectName(controlName(row, "_value"));
            c.value->setMinimumWidth(240);
            grid->addWidget(c.label, line, Caption);
            grid->addWidget(c.value, line, Value);
            if (!m_wizardForm) {
                c.label_chk = new QCheckBox;
                c.label_chk->setObjectName(controlName(row, "_label_chk"));
                c.label_chk->setToolTip(tr("Edit the caption"));
                c.value_chk = new QCheckBox;
                c.value_chk->setObjectName(controlName(row, "_value_chk"));
                c.value_chk->setToolTip(tr("Edit the value"));
                grid->addWidget(c.label_chk, line, CaptionBox);
                grid->addWidget(c.value_chk, line, ValueBox);
            }
        }
        c.ds_combo = new QComboBox;
        c.ds_combo->setObjectName(controlName(row, "_ds_combo"));
        c.ds_combo->setMinimumWidth(90);
        c.ser_col_cb = new QComboBox;
        c.ser_col_cb->setObjectName(controlName(row, "_ser_col_cb"));
        // Without a placeholder the first item added would become the
        // current one by itself.
        c.ser_col_cb->setPlaceholderText(tr("Choose…"));
        c.ser_col_cb->setMinimumWidth(150);
        c.view_btn = new QPushButton(tr("View"));
        c.view_btn->setObjectName(controlName(row, "_view_btn"));
        grid->addWidget(c.ds_combo, line, Source);
        grid->addWidget(c.ser_col_cb, line, Choice);
        grid->addWidget(c.view_btn, line, View);
        rowControls.append(c);
    }
    grid->setColumnStretch(Value, 1);

    // pictures: the side (and on the wizard form the template), the photo
    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(new QLabel(tr("Card side:")));
    Preivew_picture = pictureLabel("Preivew_picture", sidePictureWidth, sidePictureHeight);
    pictureColumn->addWidget(Preivew_picture);
    if (m_wizardForm) {
        pictureColumn->addWidget(new QLabel(tr("Template:")));
        Template_picture = pictureLabel("Template_picture", sidePictureWidth, sidePictureHeight);
        pictureColumn->addWidget(Template_picture);
    }
    pictureColumn->addWidget(new QLabel(tr("Photo:")));
    user_picture = pictureLabel("user_picture", photoWellSize, photoWellSize);
    browse_pic_btn = new QPushButton(tr("Browse…"));
    browse_pic_btn->setObjectName(QStringLiteral("browse_pic_btn"));
    clear_pic_btn = new QPushButton(tr("Clear"));
    clear_pic_btn->setObjectName(QStringLiteral("clear_pic_btn"));
    auto* photoButtons = new QVBoxLayout;
    photoButtons->addWidget(browse_pic_btn);
    photoButtons->addWidget(clear_pic_btn);
    photoButtons->addStretch(1);
    auto* photoLine = new QHBoxLayout;
    photoLine->addWidget(user_picture);
    photoLine->addLayout(photoButtons);
    photoLine->addStretch(1);
    pictureColumn->addLayout(photoLine);
    pictureColumn->addStretch(1);

    // buttons
    help_btn = new QPushButton(tr("Help"));
    reset_btn = new QPushButton(tr("Reset"));
    preview_btn = new QPushButton(tr("Preview"));
    cancel_btn = new QPushButton(tr("Cancel"));
    ok_btn = new QPushButton(tr("OK"));
    ok_btn->setDefault(true);
    help_btn->setObjectName(QStringLiteral("help_btn"));
    reset_btn->setObjectName(QStringLiteral("reset_btn"));
    preview_btn->setObjectName(QStringLiteral("preview_btn"));
    cancel_btn->setObjectName(QStringLiteral("cancel_btn"));
    ok_btn->setObjectName(QStringLiteral("ok_btn"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help_btn);
    buttons->addWidget(reset_btn);
    buttons->addStretch(1);
    buttons->addWidget(preview_btn);
    buttons->addWidget(cancel_btn);
    buttons->addWidget(ok_btn);

    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(sheetBox);
    left->addWidget(rowsBox);
    left->addStretch(1);
    body->addLayout(left, 1);
    body->addLayout(pictureColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    // wider and taller than a small screen: the rows scroll, the buttons stay
    ControlsScrollArea::wrap(*layout, 0, Qt::Horizontal | Qt::Vertical);

    connect(excel_path_field, &QLineEdit::textEdited, this, [this](const QString& text) { m_state.excelPath = text; });
    connect(excel_browse_btn, &QPushButton::clicked, this, &ProfileDialogBase::Browse_excel_Btn_Clicked);
    connect(view_excel_btn, &QPushButton::clicked, this, &ProfileDialogBase::View_Excel_Btn_Clicked);
    connect(batch_series_btn, &QPushButton::clicked, this, &ProfileDialogBase::Batch_Series_Btn_Clicked);
    connect(browse_pic_btn, &QPushButton::clicked, this, &ProfileDialogBase::Browse_image_Btn_Clicked);
    connect(clear_pic_btn, &QPushButton::clicked, this, &ProfileDialogBase::Clear_image_Btn_Clicked);
    connect(help_btn, &QPushButton::clicked, this, &ProfileDialogBase::Help_Btn_Clicked);
    connect(reset_btn, &QPushButton::clicked, this, &ProfileDialogBase::Reset_Btn_Clicked);
    connect(preview_btn, &QPushButton::clicked, this, &ProfileDialogBase::Preview_Btn_Clicked);
    connect(cancel_btn, &QPushButton::clicked, this, &ProfileDialogBase::Cancel_Btn_Clicked);
    connect(ok_btn, &QPushButton::clicked, this, &ProfileDialogBase::OK_Btn_Clicked);
}

void ProfileDialogBase::connectRow(int row)
{
    const RowControls& c = rowControls[row];
    connect(c.ds_combo, &QComboBox::currentIndexChanged, this, [this, row](int index) {
        m_state.selectSource(row, index);
        showState();
    });
    connect(c.ser_col_cb, &QComboBox::currentIndexChanged, this, [this, row](int index) {
        m_state.selectChoice(row, index);
        showState();
    });
    connect(c.view_btn, &QPushButton::clicked, this, [this, row] { View_Data_Series_By_Name(row); });
    if (c.side_combo) {
        connect(c.side_combo, &QComboBox::currentIndexChanged, this,
                [this, row](int index) { m_state.sideChoice[row] = index; });
    }
    if (row == ProfileDialogState::photoRow)
        return;
    if (m_wizardForm) {
        connect(c.value, &QLineEdit::textEdited, this, [this, row](const QString& text) { m_state.setValue(row, text); });
        connect(c.label, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { m_state.setCaption(row, text); });
        return;
    }
    connect(c.value, &QLineEdit::textEdited, this, [this, row](const QString& text) {
        m_state.valueEdited(row, text);
        showState();
    });
    connect(c.label, &QLineEdit::textEdited, this, [this, row](const QString& text) {
        m_state.captionEdited(row, text);
        showState();
    });
    connect(c.label_chk, &QCheckBox::clicked, this, [this, row](bool checked) {
        m_state.captionCheckClicked(row, checked);
        showState();
    });
    connect(c.value_chk, &QCheckBox::clicked, this, [this, row](bool checked) {
        m_state.valueCheckClicked(row, checked);
        showState();
    });
}

void ProfileDialogBase::showState()
{
    setTextQuietly(excel_path_field, m_state.excelPath);
    excel_note_label->setText(m_state.excelNote);
    excel_note_label->setVisible(!m_state.excelNote.isEmpty());
    for (int row = 0; row < ProfileDialogState::rowCount; ++row) {
        const ProfileDialogState::Row& r = m_state.row(row);
        const RowControls& c = rowControls[row];
        setTextQuietly(c.value, r.value);
        if (row == ProfileDialogState::photoRow) {
            browse_pic_btn->setEnabled(r.valueEditable);
            clear_pic_btn->setEnabled(r.valueEditable);
        } else {
            c.value->setReadOnly(!r.valueEditable);
            setTextQuietly(c.label, r.caption);
            c.label->setReadOnly(!r.captionEditable);
        }
        if (c.label_chk) {
            setCheckedQuietly(c.label_chk, r.captionChecked);
            setCheckedQuietly(c.value_chk, r.valueChecked);
        }
        setItemsQuietly(c.ds_combo, r.sourceItems, r.source);
        setItemsQuietly(c.ser_col_cb, r.choiceItems, r.choice);
        c.ser_col_cb->setEnabled(r.choiceEnabled);
        c.view_btn->setEnabled(r.viewEnabled);
        if (c.side_combo) {
            const QSignalBlocker blocker(c.side_combo);
            c.side_combo->setCurrentIndex(m_state.sideChoice[row]);
            c.side_combo->setVisible(m_state.sideChoosersVisible);
        }
    }
    if (select_side_label)
        select_side_label->setVisible(m_state.sideChoosersVisible);
}

// ---- opening, OK and Cancel ----

int ProfileDialogBase::Open_Wnd(bool load)
{
    Reset_all_Ctrl();
    m_state.excelNote = m_controller ? m_controller->spreadsheetSourceNote() : QString();
    if (load) {
        m_state.excelPath = Excel_Source_Path;
        Graphics_array.clear();
        const bool back = Card_Front_Or_Back == 1;
        setWindowTitle(back ? QStringLiteral("Back Side User Profile Information")
                            : QStringLiteral("Front Side User Profile Information"));
        if (m_controller)
            Graphics_array = back ? m_controller->Get_Back_Controls_Array() : m_controller->Get_Front_Controls_Array();
        Create_and_Set_Preview_picture();
        m_pictureShows = Shown::Side;
        if (Template_picture)
            Template_picture->setPixmap(Preivew_picture->pixmap());
        m_state.loadSide(Graphics_array);
    } else {
        setWindowTitle(QStringLiteral("User Profile Information"));
    }
    m_state.openSideChoosers(load, Card_Front_Or_Back);
    showState();
    rowControls[0].value->setFocus();
    setResult(0);
    return runModalOf(*this);
}

void ProfileDialogBase::Reset_all_Ctrl()
{
    Preivew_picture->clear();
    m_pictureShows = Shown::Nothing;
    if (Template_picture)
        Template_picture->clear();
    m_state.reset();
    showState();
}

bool ProfileDialogBase::Check_Validation()
{
    return m_state.Check_Validation();
}

bool ProfileDialogBase::Fill_Front_User_profile_value_in_Variable()
{
    return m_controller && m_state.commit(m_controller->frontUserProfile(), ProfileDialogState::Target::Front);
}

bool ProfileDialogBase::Fill_Back_User_profile_value_in_Variable()
{
    return m_controller && m_state.commit(m_controller->backUserProfile(), ProfileDialogState::Target::Back);
}

bool ProfileDialogBase::Fill_TEMP_User_profile_value_in_Variable()
{
    return m_controller && m_state.commit(m_controller->tempUserProfile(), ProfileDialogState::Target::Temp);
}

void ProfileDialogBase::OK_Btn_Clicked()
{
    if (!m_controller)
        return;
    if (m_state.ok(load_side, m_controller->frontUserProfile(), m_controller->backUserProfile()))
        done(1);
}

void ProfileDialogBase::Cancel_Btn_Clicked()
{
    m_state.cancel();
    done(0);
}

void ProfileDialogBase::reject()
{
    Cancel_Btn_Clicked();
}

void ProfileDialogBase::Help_Btn_Clicked()
{
    Open_Help_File();
}

// ---- the spreadsheet ----

void ProfileDialogBase::Browse_excel_Btn_Clicked()
{
    UnpackFolder::remove();
    const QString path = OpenPanel::chooseFile(this, tr("Choose a spreadsheet"), {QStringLiteral("xlsx")},
                                               tr("Spreadsheets"));
    if (path.isEmpty())
        return;
    const QString before = m_state.excelPath;
    m_state.excelPath = path;
    showState();
    if (Check_And_Validate_File_Path(path)) {
        // Nothing was read: the file read before stays named.
        m_state.excelPath = before;
        showState();
        return;
    }
    Import_Excel* import = m_controller ? m_controller->importExcelWindow() : nullptr;
    bool replaced = false;
    if (import) {
        const QStringList previousTitles = m_controller->spreadsheetColumnTitles();
        const SheetColumns previousColumns = m_controller->spreadsheetSheetColumns();
        import->open_mode = QStringLiteral("E");
        import->Open_excel_Wnd(path);
        // A workbook that was refused, or whose import was cancelled, leaves
        // the table read before: its file stays named, so that no window or
        // design names a file whose columns the table does not hold.
        replaced = import->tableLoaded();
        if (!replaced) {
            m_state.excelPath = before;
        } else {
            // The rows bound to columns follow their titles as the card's
            // objects did.
            m_state.excelNote.clear();
            m_state.followColumnTitles(previousTitles, previousColumns);
        }
    }
    m_state.spreadsheetImported();
    showState();
    if (replaced) {
        showNewTableInPicture();
        m_controller->tellColumnsNotFollowed();
    }
}

void ProfileDialogBase::Add_Excel_in_Data_Source_Combo()
{
    m_state.addExcelItems();
    showState();
}

void ProfileDialogBase::Remove_Excel_in_Data_Source_Combo()
{
    m_state.removeExcelItems();
    showState();
}

void ProfileDialogBase::View_Excel_Btn_Clicked()
{
    try {
        if (Data_From_Excel* table = m_controller ? m_controller->excelTableWindow() : nullptr)
            table->Open_Wnd();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void ProfileDialogBase::Batch_Series_Btn_Clicked()
{
    if (m_controller)
        m_controller->Batch_Series_Button();
}

// ---- the photo ----

void ProfileDialogBase::Browse_image_Btn_Clicked()
{
    const QString path = OpenPanel::chooseFile(this, tr("Choose a photo"), pictureTypes, tr("Pictures"));
    if (path.isEmpty()) {
        setLibrarySelectedImage(QString());
        return;
    }
    Set_User_Image(path);
}

void ProfileDialogBase::Clear_image_Btn_Clicked()
{
    Set_User_Image(QString());
}

void ProfileDialogBase::Set_User_Image(const QString& path)
{
    m_state.setUserImage(path);
    showState();
}

void ProfileDialogBase::showPhoto(const QString& path)
{
    if (path.isEmpty()) {
        m_photo = QPixmap();
        user_picture->clear();
        return;
    }
    // Read as a picture object reads it: only from a regular file, so a
    // FIFO named as the photo cannot hold up the window.
    const QImage image = Picture::fromFile(path).image();
    // A file that is no picture leaves the well as it was.
    if (image.isNull())
        return;
    m_photo = QPixmap::fromImage(image);
    user_picture->setPixmap(m_photo.scaled(user_picture->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                           Qt::SmoothTransformation));
}

// ---- series ----

void ProfileDialogBase::View_Data_Series_By_Name(int row)
{
    const QString name = Trim_Str(m_state.row(row).chosenText());
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    if (View_Data_Series* viewer = View_Data_Series::defaultInstance()) {
        viewer->file_name = name;
        viewer->Open_Wnd();
    }
}

// ---- pictures and the preview ----

void ProfileDialogBase::showSidePicture(QLabel* label, const GraphicList& graphics)
{
    CanvasHost* host = m_controller ? m_controller->canvasHost() : nullptr;
    const Picture picture = SKTRenderingView::image_From_Card_Graphics(host, graphics, Card_Front_Or_Back == 1 ? 1 : 0,
                                                                       false);
    if (picture.isNull()) {
        label->clear();
        return;
    }
    const QPixmap pixmap = QPixmap::fromImage(picture.image());
    label->setPixmap(pixmap.scaled(label->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ProfileDialogBase::Create_and_Set_Preview_picture()
{
    showSidePicture(Preivew_picture, Graphics_array);
}

void ProfileDialogBase::Preview_Btn_Clicked()
{
    if (!Fill_TEMP_User_profile_value_in_Variable())
        return;
    // The temp side gets copies of the side's objects, so that placing the
    // temp profile there leaves the card itself as it was.
    m_controller->Temp_Design_Control_Assign_Copies();
    const double x = last_ctrl_X;
    const double y = last_ctrl_Y;
    m_controller->Fill_User_profile_info_TEMP_side();
    Graphics_array = m_controller->Get_Temp_Controls_Array();
    Create_and_Set_Preview_picture();
    m_pictureShows = Shown::Preview;
    setLastCtrlPosition(x, y);
}

void ProfileDialogBase::showNewTableInPicture()
{
    // The side's own objects took the new first row with the table; the
    // preview's copies were made before it.
    if (m_pictureShows == Shown::Preview && m_state.Check_Validation()) {
        Preview_Btn_Clicked();
        return;
    }
    if (m_pictureShows == Shown::Nothing || !m_controller)
        return;
    Graphics_array = Card_Front_Or_Back == 1 ? m_controller->Get_Back_Controls_Array()
                                             : m_controller->Get_Front_Controls_Array();
    Create_and_Set_Preview_picture();
    m_pictureShows = Shown::Side;
}
