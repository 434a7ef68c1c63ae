#include "mainwindow/series/Import_Wizard.h"

#include "app/FileHelpers.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/SeriesImportSources.h"
#include "data/SeriesStore.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/PleaseWaitRun.h"
#include "mainwindow/series/SeriesManagerLink.h"
#include "mainwindow/spreadsheet/Import_Excel.h"
#include "mainwindow/spreadsheet/Import_Excel_DataSheet.h"
#include "platform/AtomicFile.h"
#include "platform/OpenPanel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

Import_Wizard::FolderPanel s_folderPanel;

const QString untitled = QStringLiteral("Untitled");

}   // namespace

Import_Wizard::Import_Wizard(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Import_Wizard"), tr("Import Series"))
{

    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    Excel_RD = new QRadioButton(tr("Spreadsheet (.xlsx)"), this);
    Text_RD = new QRadioButton(tr("Text file (.txt, .csv, .rtf)"), this);
    Mnul_RD = new QRadioButton(tr("Typed or pasted text, one value per line"), this);
    Image_RD = new QRadioButton(tr("Folder of pictures"), this);
    named(Excel_RD, "Excel_RD");
    named(Text_RD, "Text_RD");
    named(Mnul_RD, "Mnul_RD");
    named(Image_RD, "Image_RD");
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {Excel_RD, Text_RD, Mnul_RD, Image_RD})
        group->addButton(b);

    Excel_path = new QLineEdit(this);
    Excel_btn = new QPushButton(tr("Browse..."), this);
    Text_file_name = new QLineEdit(this);
    Text_path = new QLineEdit(this);
    Text_btn = new QPushButton(tr("Browse..."), this);
    ManualEdit = new QPlainTextEdit(this);
    Manual_file_name = new QLineEdit(this);
    Image_file_name = new QLineEdit(this);
    Image_path = new QLineEdit(this);
    Image_btn = new QPushButton(tr("Browse..."), this);
    named(Excel_path, "Excel_path");
    named(Excel_btn, "Excel_btn");
    named(Text_file_name, "Text_file_name");
    named(Text_path, "Text_path");
    named(Text_btn, "Text_btn");
    named(ManualEdit, "ManualEdit");
    named(Manual_file_name, "Manual_file_name");
    named(Image_file_name, "Image_file_name");
    named(Image_path, "Image_path");
    named(Image_btn, "Image_btn");
    for (QLineEdit* name : {Text_file_name, Manual_file_name, Image_file_name})
        name->setPlaceholderText(tr("Series name"));
    Excel_path->setPlaceholderText(tr("Workbook file"));
    Text_path->setPlaceholderText(tr("Text file"));
    Image_path->setPlaceholderText(tr("Picture folder"));
    ManualEdit->setMinimumHeight(90);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(Excel_RD, row++, 0, 1, 3);
    grid->addWidget(Excel_path, row, 1);
    grid->addWidget(Excel_btn, row++, 2);
    grid->addWidget(Text_RD, row++, 0, 1, 3);
    grid->addWidget(Text_path, row, 1);
    grid->addWidget(Text_btn, row++, 2);
    grid->addWidget(Text_file_name, row++, 1);
    grid->addWidget(Mnul_RD, row++, 0, 1, 3);
    grid->addWidget(ManualEdit, row++, 1, 1, 2);
    grid->addWidget(Manual_file_name, row++, 1);
    grid->addWidget(Image_RD, row++, 0, 1, 3);
    grid->addWidget(Image_path, row, 1);
    grid->addWidget(Image_btn, row++, 2);
    grid->addWidget(Image_file_name, row++, 1);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok_btn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel_btn"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Make a data series from:"), this));
    layout->addLayout(grid);
    layout->addWidget(buttons);
    resize(520, 480);

    plz_wait_Window = new PleaseWait_Modeless(this);

    connect(Excel_RD, &QRadioButton::clicked, this, &Import_Wizard::Excel_RD_Pressed);
    connect(Text_RD, &QRadioButton::clicked, this, &Import_Wizard::Text_RD_Pressed);
    connect(Mnul_RD, &QRadioButton::clicked, this, &Import_Wizard::Manual_RD_Pressed);
    connect(Image_RD, &QRadioButton::clicked, this, &Import_Wizard::Image_RD_Pressed);
    connect(Excel_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Excel_Pressed);
    connect(Text_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Text_Pressed);
    connect(Image_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Image_Pressed);
    connect(buttons, &QDialogButtonBox::accepted, this, &Import_Wizard::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &Import_Wizard::CancelPressed);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &Import_Wizard::HelpPressed);
}

void Import_Wizard::setFolderPanel(FolderPanel panel)
{
    s_folderPanel = std::move(panel);
}

int Import_Wizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    import_option = 0;
    for (QLineEdit* field : {Excel_path, Text_path, Image_path, Text_file_name, Manual_file_name, Image_file_name})
        field->clear();
    ManualEdit->clear();
    Excel_RD_Pressed();
    const bool names = file_name_required == 1;
    for (QLineEdit* field : {Text_file_name, Manual_file_name, Image_file_name})
        field->setVisible(names);
    setResult(0);
    return runModal();
}

int Import_Wizard::openWith(int fileNameRequired, int fileNameInsert)
{
    Import_Wizard* wizard = defaultInstance();
    if (!wizard)
        return 0;
    wizard->file_name_required = fileNameRequired;
    wizard->file_name_Insert = fileNameInsert;
    return wizard->Open_Wnd();
}

void Import_Wizard::openFromMainWindow()
{
    openWith(1, 0);
}

void Import_Wizard::openForSeriesManager()
{
    openWith(1, 1);
}

void Import_Wizard::openForSeriesManagerValues()
{
    openWith(0, 1);
}

void Import_Wizard::Enable_Disable_Excel_Option(bool enable)
{
    Excel_btn->setEnabled(enable);
    Excel_path->setEnabled(enable);
}

namespace {

void enableNameField(QLineEdit* field, bool enable)
{
    field->setEnabled(enable);
    if (enable && Trim_Str(field->text()).isEmpty())
        field->setText(untitled);
}

}   // namespace

void Import_Wizard::Enable_Disable_Text_Option(bool enable)
{
    Text_btn->setEnabled(enable);
    Text_path->setEnabled(enable);
    enableNameField(Text_file_name, enable);
}

void Import_Wizard::Enable_Disable_Manual_Option(bool enable)
{
    ManualEdit->setReadOnly(!enable);
    ManualEdit->setEnabled(enable);
    enableNameField(Manual_file_name, enable);
}

void Import_Wizard::Enable_Disable_Image_Option(bool enable)
{
    Image_btn->setEnabled(enable);
    Image_path->setEnabled(enable);
    enableNameField(Image_file_name, enable);
}

void Import_Wizard::chooseSource(int option)
{
    import_option = option;
    QRadioButton* radios[] = {Excel_RD, Text_RD, Mnul_RD, Image_RD};
    for (int i = 0; i < 4; ++i)
        radios[i]->setChecked(i == option);
    Enable_Disable_Excel_Option(option == 0);
    Enable_Disable_Text_Option(option == 1);
    Enable_Disable_Manual_Option(option == 2);
    Enable_Disable_Image_Option(option == 3);
}

void Import_Wizard::Excel_RD_Pressed()
{
    chooseSource(0);
}

void Import_Wizard::Text_RD_Pressed()
{
    chooseSource(1);
}

void Import_Wizard::Manual_RD_Pressed()
{
    chooseSource(2);
}

void Import_Wizard::Image_RD_Pressed()
{
    chooseSource(3);
}

// A file panel only chooses: the chosen path goes into the source's field
// and the wizard waits for the series name and its own OK (the panel's
// Enter or Open never imports under the "Untitled" name put there).

void Import_Wizard::Browse_Excel_Pressed()
{
    const QString path = OpenPanel::chooseFile(this, tr("Choose a workbook"), {QStringLiteral("xlsx")},
                                               tr("Workbooks"));
    if (path.isEmpty())
        return;
    Excel_path->setText(path);
}

void Import_Wizard::Browse_Text_Pressed()
{
    const QString path = OpenPanel::chooseFile(
        this, tr("Choose a text file"), {QStringLiteral("txt"), QStringLiteral("rtf"), QStringLiteral("csv")},
        tr("Text files"));
    if (path.isEmpty())
        return;
    Text_path->setText(path);
}

void Import_Wizard::Browse_Image_Pressed()
{
    const QString folder = s_folderPanel ? s_folderPanel()
                                         : OpenPanel::chooseFolder(this, tr("Choose a picture folder"));
    if (folder.isEmpty())
        return;
    Image_path->setText(folder);
}

void Import_Wizard::HelpPressed()
{
    Open_Help_File();
}

void Import_Wizard::OKPressed()
{
    switch (import_option) {
    case 0: {
        const QString path = Trim_Str(Excel_path->text());
        if (Check_And_Validate_File_Path(path))
            return;
        if (file_name_required != 1) {
            if (Import_Excel* dialog = Import_Excel::defaultInstance()) {
                dialog->open_mode = QStringLiteral("D");
                dialog->Open_excel_Wnd(path);
            }
        } else if (Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance()) {
            dialog->file_name_Insert = file_name_Insert;
            dialog->Open_excel_Wnd(path);
        }
        break;
    }
    case 1: {
        const QString path = Trim_Str(Text_path->text());
        if (Check_And_Validate_File_Path(path) || !Create_And_Save_Text_Data_Sheet(path))
            return;
        break;
    }
    case 2:
        if (!Create_And_Save_Manual_Paste_data_Sheet())
            return;
        break;
    case 3: {
        const QString path = Trim_Str(Image_path->text());
        if (Check_And_Validate_File_Path(path) || !Create_And_Save_Image_data_Sheet(path))
            return;
        break;
    }
    default:
        return;
    }
    done(1);
}

void Import_Wizard::CancelPressed()
{
    done(0);
}

bool Import_Wizard::deliver(QLineEdit* nameField, const QStringList& values)
{
    if (file_name_required != 1) {
        // each value a record in its place, an empty one too
        SeriesManagerLink::installed().addCellRecords(values);
    } else {
        const QString name = SeriesStore::askSeriesName(nameField->text());
        if (name.isEmpty())
            return false;
        const SeriesStore store;
        if (store.exists(name)
            && !Show_YES_NO_MessageBox(
                QStringLiteral("Batch Processing Series already exists. Do you want to replace it?")))
            return false;
        // The old series goes only once the new one is complete. The write
        // may wait for the folder's lock: the window stays responsive.
        QString reason;
        bool written = false;
        PleaseWaitRun::run(isVisible() ? plz_wait_Window : nullptr,
                           [&] { written = store.write(name, values, SeriesStore::WriteMode::Replace, &reason); });
        if (!written) {
            Show_MessageBox(QStringLiteral("Error in file accessing.\n")
                            + AtomicFile::failureDetails(reason, store.filePath(name)));
            return false;
        }
    }
    if (file_name_Insert == 1)
        SeriesManagerLink::installed().refreshList();
    return true;
}

bool Import_Wizard::Create_And_Save_Text_Data_Sheet(const QString& path)
{
    // Read and split on a worker: a text file up to the import's limit may
    // take a moment.
    SeriesImportSources::Result read;
    PleaseWaitRun::run(isVisible() ? plz_wait_Window : nullptr,
                       [&read, path] { read = SeriesImportSources::valuesFromTextFile(path); });
    if (!read.ok()) {
        Show_MessageBox(read.message);
        return false;
    }
    return deliver(Text_file_name, read.values);
}

bool Import_Wizard::Create_And_Save_Manual_Paste_data_Sheet()
{
    // A line of blanks stays as typed; in the series manager it is an
    // empty record.
    const SeriesImportSources::Result typed = SeriesImportSources::valuesFromTypedText(ManualEdit->toPlainText());
    if (!typed.ok()) {
        Show_MessageBox(typed.message);
        return false;
    }
    return deliver(Manual_file_name, typed.values);
}

bool Import_Wizard::Create_And_Save_Image_data_Sheet(const QString& folder)
{
    // Listed and read on a worker: every picture is read once to find those
    // a card could not draw.
    QStringList leftOut;
    QStringList pictures;
    QStringList unreadable;
    PleaseWaitRun::run(isVisible() ? plz_wait_Window : nullptr, [&] {
        pictures = SeriesImportSources::valuesFromPictureFolder(folder, &leftOut);
        unreadable = SeriesImportSources::unreadablePictures(pictures);
    });
    if (!deliver(Image_file_name, pictures))
        return false;
    // kept as paths, but named: their cards would show an empty frame
    if (!unreadable.isEmpty())
        Show_MessageBox(SeriesImportSources::unreadablePicturesMessage(unreadable));
    // named, so the user sees why the series has fewer values than pictures
    if (!leftOut.isEmpty())
        Show_MessageBox(SeriesImportSources::leftOutMessage(leftOut));
    return true;
}

void Import_Wizard::Show_Create_Modeless()
{
    if (isVisible()) {
        plz_wait_Window->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void Import_Wizard::Hide_Destroy_Modeless()
{
    plz_wait_Window->hide();
}
