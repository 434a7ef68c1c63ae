#include "mainwindow/series/BatchWizard.h"

#include "app/BatchDialogs.h"
#include "app/FileHelpers.h"
#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/SeriesDeletion.h"
#include "data/SeriesSaveRules.h"
#include "data/SeriesStore.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/series/Generate_List.h"
#include "mainwindow/series/Globals.h"
#include "mainwindow/series/Import_Wizard.h"
#include "mainwindow/series/Load_Num_Info.h"
#include "mainwindow/series/ModalRunPause.h"
#include "mainwindow/PleaseWaitRun.h"
#include "mainwindow/series/SeriesManagerLink.h"
#include "mainwindow/series/SeriesRowsModel.h"
#include "mainwindow/series/Update_Ex_Num.h"
#include "output/Globals.h"
#include "platform/AtomicFile.h"
#include "platform/SavePanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString emptyListMessage = QStringLiteral("List is empty.");
const QString fileErrorMessage = QStringLiteral("Error in file accessing.");

QTableView* makeTable(QWidget* parent, const char* name, SeriesRowsModel* model)
{
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setAlternatingRowColors(true);
    return table;
}

QPushButton* makeButton(QWidget* parent, const QString& text, const char* name)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}

BatchWizard::BatchWizard(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("BatchWizard"), tr("Batch Processing Series"))
{
    BatchWizard_Window = this;

    m_namesModel = new SeriesRowsModel(QStringLiteral("Extension"), tr("Series Name"), this);
    m_valuesModel = new SeriesRowsModel(QStringLiteral("Header"), tr("Value"), this);

    // screen 1: the series list
    list_screen = new QWidget(this);
    list_screen->setObjectName(QStringLiteral("list_screen"));
    auto* listTitle = new QLabel(tr("<b>Available Batch Processing Series</b>"), list_screen);
    List = makeTable(list_screen, "List", m_namesModel);
    batch_list_count = new QLabel(list_screen);
    batch_list_count->setObjectName(QStringLiteral("batch_list_count"));
    add_new_btn = makeButton(list_screen, tr("New"), "add_new_btn");
    update_btn = makeButton(list_screen, tr("Open"), "update_btn");
    import_btn = makeButton(list_screen, tr("Import..."), "import_btn");
    create_series_btn = makeButton(list_screen, tr("Generate..."), "create_series_btn");
    delete_list_btn = makeButton(list_screen, tr("Delete"), "delete_list_btn");
    help_btn = makeButton(list_screen, tr("Help"), "help_btn");
    close_btn = makeButton(list_screen, tr("Close"), "close_btn");
    {
        auto* side = new QVBoxLayout;
        for (QPushButton* button : {add_new_btn, update_btn, import_btn, create_series_btn, delete_list_btn})
            side->addWidget(button);
        side->addStretch(1);
        side->addWidget(help_btn);
        side->addWidget(close_btn);
        auto* middle = new QHBoxLayout;
        middle->addWidget(List, 1);
        middle->addLayout(side);
        auto* layout = new QVBoxLayout(list_screen);
        layout->addWidget(listTitle);
        layout->addLayout(middle, 1);
        layout->addWidget(batch_list_count);
    }

    // screen 2: the values of the open series
    value_screen = new QWidget(this);
    value_screen->setObjectName(QStringLiteral("value_screen"));
    batch_list_name = new QLineEdit(value_screen);
    batch_list_name->setObjectName(QStringLiteral("batch_list_name"));
    update_list_name = new QLineEdit(value_screen);
    update_list_name->setObjectName(QStringLiteral("update_list_name"));
    update_list_name->hide();
    List_value = makeTable(value_screen, "List_value", m_valuesModel);
    batch_value_count = new QLabel(value_screen);
    batch_value_count->setObjectName(QStringLiteral("batch_value_count"));
    export_type = new QComboBox(value_screen);
    export_type->setObjectName(QStringLiteral("export_type"));
    export_type->addItems({QStringLiteral("xlsx"), QStringLiteral("txt")});
    export_type->setCurrentIndex(0);
    import_value_btn = makeButton(value_screen, tr("Import..."), "import_value_btn");
    series_value_btn = makeButton(value_screen, tr("Generate..."), "series_value_btn");
    delete_rows_btn = makeButton(value_screen, tr("Delete Rows"), "delete_rows_btn");
    export_value_btn = makeButton(value_screen, tr("Export..."), "export_value_btn");
    save_btn = makeButton(value_screen, tr("Save"), "save_btn");
    back_btn = makeButton(value_screen, tr("Back"), "back_btn");
    help_2_btn = makeButton(value_screen, tr("Help"), "help_2_btn");
    close_2_btn = makeButton(value_screen, tr("Close"), "close_2_btn");
    {
        auto* nameRow = new QHBoxLayout;
        nameRow->addWidget(new QLabel(tr("Series name:"), value_screen));
        nameRow->addWidget(batch_list_name, 1);
        auto* exportRow = new QHBoxLayout;
        exportRow->addWidget(export_value_btn);
        exportRow->addWidget(export_type);
        auto* side = new QVBoxLayout;
        side->addWidget(import_value_btn);
        side->addWidget(series_value_btn);
        side->addWidget(delete_rows_btn);
        side->addLayout(exportRow);
        side->addWidget(save_btn);
        side->addStretch(1);
        side->addWidget(back_btn);
        side->addWidget(help_2_btn);
        side->addWidget(close_2_btn);
        auto* middle = new QHBoxLayout;
        middle->addWidget(List_value, 1);
        middle->addLayout(side);
        auto* layout = new QVBoxLayout(value_screen);
        layout->addLayout(nameRow);
        layout->addLayout(middle, 1);
        layout->addWidget(batch_value_count);
        layout->addWidget(update_list_name);
    }

    screens = new QStackedWidget(this);
    screens->setObjectName(QStringLiteral("screens"));
    screens->addWidget(list_screen);
    screens->addWidget(value_screen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(screens);

    plz_wait_Window = new PleaseWait_Modeless(this);
    Load_Number_Window = new Load_Num_Info(this);
    Update_Value_Wnd = new Update_Ex_Num(this);

    connect(add_new_btn, &QPushButton::clicked, this, &BatchWizard::AddNew_Btn_Clicked);
    connect(update_btn, &QPushButton::clicked, this, &BatchWizard::Update_Btn_Clicked);
    connect(import_btn, &QPushButton::clicked, this, &BatchWizard::Import_Btn_Clicked);
    connect(create_series_btn, &QPushButton::clicked, this, &BatchWizard::CreateSeries_Btn_Clicked);
    connect(delete_list_btn, &QPushButton::clicked, this, &BatchWizard::Delete_List_Btn_Clicked);
    connect(help_btn, &QPushButton::clicked, this, &BatchWizard::Help_Btn_Clicked);
    connect(close_btn, &QPushButton::clicked, this, &BatchWizard::Close_Btn_Clicked);
    connect(import_value_btn, &QPushButton::clicked, this, &BatchWizard::Import_Value_Btn_Clicked);
    connect(series_value_btn, &QPushButton::clicked, this, &BatchWizard::Series_Value_Btn_Clicked);
    connect(delete_rows_btn, &QPushButton::clicked, this, &BatchWizard::Delete_Rows_Btn_Clicked);
    connect(export_value_btn, &QPushButton::clicked, this, &BatchWizard::Export_Value_Btn_Clicked);
    connect(save_btn, &QPushButton::clicked, this, &BatchWizard::Save_Btn_Clicked);
    connect(back_btn, &QPushButton::clicked, this, &BatchWizard::Back_Btn_Clicked);
    connect(help_2_btn, &QPushButton::clicked, this, &BatchWizard::Help_2_Btn_Clicked);
    connect(close_2_btn, &QPushButton::clicked, this, &BatchWizard::Close_2_Btn_Clicked);
    connect(List, &QTableView::doubleClicked, this, [this] { doubleClickInTable(List); });
    connect(List_value, &QTableView::doubleClicked, this, [this] { doubleClickInTable(List_value); });

    // the import windows hand their values and new series to this window
    SeriesManagerLink& link = SeriesManagerLink::installed();
    link.Create_Value_List = [this](const QString& value) { Create_Value_List(value); };
    link.Add_Cell_Records = [this](const QStringList& cells) { appendCellRecords(cells); };
    link.Fill_List = [this] { Fill_List(); };

    showNames();
    showValues();
    showListScreen();
    resize(560, 420);
}

BatchWizard::~BatchWizard()
{
    if (BatchWizard_Window == this) {
        BatchWizard_Window = nullptr;
        SeriesManagerLink::installed() = SeriesManagerLink();
    }
}

void BatchWizard::setInUseCheck(InUseCheck check)
{
    m_inUse = std::move(check);
}

void BatchWizard::setWorkbookWriter(SeriesExporter::WorkbookWriter writer)
{
    m_workbookWriter = std::move(writer);
}

void BatchWizard::setRenameFollow(RenameFollow follow)
{
    m_renameFollow = std::move(follow);
}

// ---- opening and the two screens ----

int BatchWizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    showListScreen();
    Fill_List();
    ModalRunPause::pause();
    const int result = runModal();
    plz_wait_Window->hide();
    return result;
}

bool BatchWizard::valuesScreenShown() const
{
    return screens->currentWidget() == value_screen;
}

void BatchWizard::showListScreen()
{
    update_list_name->clear();
    screens->setCurrentWidget(list_screen);
}

void BatchWizard::showValueScreen()
{
    screens->setCurrentWidget(value_screen);
}

void BatchWizard::markSaved()
{
    m_savedValues = m_values.values();
    m_savedName = batch_list_name->text();
}

bool BatchWizard::hasUnsavedEdits() const
{
    return valuesScreenShown() && (m_values.values() != m_savedValues || batch_list_name->text() != m_savedName);
}

bool BatchWizard::settleUnsavedEdits()
{
    if (!hasUnsavedEdits())
        return true;
    switch (askYesNoOrCancel(QStringLiteral("Do you want to save changes to the series before closing?"))) {
    case MessagePresenter::Answer::Cancelled:
        return false;
    case MessagePresenter::Answer::No:
        return true;
    case MessagePresenter::Answer::Yes:
        break;
    }
    return saveValues();
}

void BatchWizard::reject()
{
    if (settleUnsavedEdits())
        FramedDialog::reject();
}

void BatchWizard::showNames()
{
    m_namesModel->setRows(m_names);
    batch_list_count->setText(QStringLiteral("Total List : %1").arg(m_names.size()));
}

void BatchWizard::showValues()
{
    m_valuesModel->setRows(m_values.values());
    batch_value_count->setText(QStringLiteral("Total Rows : %1").arg(m_values.count()));
}

void BatchWizard::Fill_List()
{
    m_names.clear();
    showNames();
    for (const QString& name : SeriesStore(Data_Folder_Path, batch_file_EXT).names())
        Create_Avail_List(name);
}

void BatchWizard::Create_Avail_List(const QString& name)
{
    if (Trim_Str(name).isEmpty())
        return;
    // kept as listed, blanks at its ends too, so that opening, saving and
    // deleting reach this very file
    m_names.append(name);
    showNames();
}

void BatchWizard::Create_Value_List(const QString& value)
{
    if (m_values.append(value))
        showValues();
}

void BatchWizard::appendValues(const QStringList& values)
{
    bool added = false;
    for (const QString& value : values)
        added = m_values.append(value) || added;
    if (added)
        showValues();
}

void BatchWizard::appendCellRecords(const QStringList& cells)
{
    for (const QString& cell : cells)
        m_values.appendRecord(cell);
    showValues();
}

QString BatchWizard::Get_List_Name_Text(int row) const
{
    return m_names.value(row);
}

QString BatchWizard::Get_Value_Text(int row) const
{
    return Trim_Str(m_values.value(row));
}

bool BatchWizard::replaceValue(int row, const QString& text)
{
    if (!m_values.replace(row, text))
        return false;
    showValues();
    selectRow(List_value, row);
    return true;
}

void BatchWizard::Show_Create_Modeless()
{
    plz_wait_Window->show();
}

void BatchWizard::Hide_Destroy_Modeless()
{
    plz_wait_Window->hide();
}

// ---- selections ----

QList<int> BatchWizard::selectedRows(QTableView* table)
{
    QList<int> rows;
    if (!table->selectionModel())
        return rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void BatchWizard::selectRow(QTableView* table, int row)
{
    table->clearSelection();
    if (row >= 0 && row < table->model()->rowCount()) {
        table->selectRow(row);
        table->setCurrentIndex(table->model()->index(row, 0));
    }
}

bool BatchWizard::Batch_List_Selection_Validation()
{
    if (m_names.isEmpty()) {
        Show_MessageBox(QStringLiteral("Available list is empty."));
        return false;
    }
    const QList<int> rows = selectedRows(List);
    if (rows.isEmpty() || Get_List_Name_Text(rows.first()).isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select a record from the available list to continue."));
        List->setFocus();
        return false;
    }
    return true;
}

void BatchWizard::doubleClickInTable(QTableView* table)
{
    const QList<int> rows = selectedRows(table);
    if (rows.isEmpty())
        return;
    if (rows.size() > 1) {
        Show_MessageBox(QStringLiteral("Please select only one record to update."));
        return;
    }
    if (table == List)
        On_Update();
    else if (table == List_value)
        OnGetSelected();
}

// ---- series list screen ----

void BatchWizard::AddNew_Btn_Clicked()
{
    showValueScreen();
    batch_list_name->setText(QStringLiteral("Untitled"));
    m_values.clear();
    showValues();
    markSaved();
}

void BatchWizard::Update_Btn_Clicked()
{
    On_Update();
}

void BatchWizard::On_Update()
{
    if (!Batch_List_Selection_Validation())
        return;
    const QString name = Get_List_Name_Text(selectedRows(List).first());
    const QString path = Trim_Str(SeriesSaveRules::seriesPath(Data_Folder_Path, name));

    SeriesValueList loaded;
    FileStamp stamp;
    SeriesValueList::LoadResult result = SeriesValueList::LoadResult::Unreadable;
    PleaseWaitRun::run(plz_wait_Window, [&] { result = loaded.load(path, true, &stamp); });
    if (result != SeriesValueList::LoadResult::Loaded) {
        Show_MessageBox(result == SeriesValueList::LoadResult::TooLarge ? SeriesStore::tooLargeMessage
                                                                         : fileErrorMessage);
        return;
    }
    showValueScreen();
    batch_list_name->setText(name);
    update_list_name->setText(name);
    m_values = loaded;
    m_opened = stamp;
    showValues();
    markSaved();
}

void BatchWizard::Import_Btn_Clicked()
{
    // the wizard writes a new series file and has the list refilled
    Import_Wizard::openForSeriesManager();
}

void BatchWizard::CreateSeries_Btn_Clicked()
{
    runGenerator(1, 1);
}

void BatchWizard::runGenerator(int fileNameRequired, int fileNameInsert)
{
    Generate_List* generator = Generate_List::defaultInstance();
    if (!generator)
        return;
    generator->file_name_required = fileNameRequired;
    generator->file_name_Insert = fileNameInsert;
    generator->Open_Wnd();
}

void BatchWizard::Delete_List_Btn_Clicked()
{
    if (!Batch_List_Selection_Validation())
        return;
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure want to delete selected Batch Processing Series?")) != 1)
        return;
    const QList<int> rows = selectedRows(List);
    const int formerRow = List->currentIndex().isValid() ? List->currentIndex().row() : rows.first();
    QStringList names;
    for (int row : rows)
        names.append(Get_List_Name_Text(row));

    // Which series go is decided here, as it reads the card's objects; the
    // files go on a worker, as the folder's lock may have to be waited for.
    const SeriesDeletion::Choice choice = SeriesDeletion::choose(names, m_inUse);
    SeriesDeletion::Outcome outcome;
    const QString folder = Data_Folder_Path;
    PleaseWaitRun::run(plz_wait_Window, [&] { outcome = SeriesDeletion::remove(folder, names, choice); });
    if (!outcome.error.isEmpty())
        Show_MessageBox(outcome.error);
    else if (choice.stopped)
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be delete because it is currently in use."));

    // only the rows whose files went leave the list, from the last
    for (auto it = outcome.deleted.crbegin(); it != outcome.deleted.crend(); ++it)
        m_names.removeAt(rows.at(*it));
    showNames();
    List->clearSelection();
    if (!outcome.anyInUse && formerRow > 0)
        selectRow(List, formerRow - 1);
}

void BatchWizard::Close_Btn_Clicked()
{
    done(0);
}

void BatchWizard::Help_Btn_Clicked()
{
    Open_Help_File();
}

// ---- values screen ----

bool BatchWizard::prepareForNewValues()
{
    if (m_values.isEmpty())
        return true;
    const int answer = Load_Number_Window->runQuestion();
    if (answer == 1) {
        m_values.clear();
        showValues();
        return true;
    }
    return answer == 0;
}

void BatchWizard::Import_Value_Btn_Clicked()
{
    if (!prepareForNewValues())
        return;
    Import_Wizard::openForSeriesManagerValues();
}

void BatchWizard::Series_Value_Btn_Clicked()
{
    if (!prepareForNewValues())
        return;
    runGenerator(0, 1);
}

void BatchWizard::OnGetSelected()
{
    if (m_values.isEmpty())
        return;
    const QList<int> rows = selectedRows(List_value);
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    const QString value = Get_Value_Text(row);
    Update_Value_Wnd->Update_m_ex_num_str->setText(value);
    Update_Value_Wnd->Update_m_s_number->setText(value);
    Update_Value_Wnd->Update_m_ex_num_index->setText(QString::number(row));
    Update_Value_Wnd->runEditor();
}

void BatchWizard::Delete_Rows_Btn_Clicked()
{
    if (m_values.isEmpty()) {
        Show_MessageBox(emptyListMessage);
        List_value->setFocus();
        return;
    }
    const QList<int> rows = selectedRows(List_value);
    if (rows.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select at least one record from the list to continue."));
        List_value->setFocus();
        return;
    }
    const int selected = List_value->currentIndex().isValid() ? List_value->currentIndex().row() : rows.first();
    const int next = m_values.removeRows(rows, selected);
    showValues();
    List_value->clearSelection();
    if (next >= 0)
        selectRow(List_value, next);
}

void BatchWizard::Export_Value_Btn_Clicked()
{
    if (m_values.isEmpty()) {
        Show_MessageBox(emptyListMessage);
        List_value->setFocus();
        return;
    }
    const SeriesExporter::Format format =
        export_type->currentIndex() == 0 ? SeriesExporter::Format::Workbook : SeriesExporter::Format::Text;
    const bool workbook = format == SeriesExporter::Format::Workbook;
    // The series goes to the chosen name with the format's extension put
    // on: the replace question concerns that file.
    const QString chosen = SavePanel::chooseFile(
        this, tr("Export Series"), workbook ? QStringLiteral("xlsx") : QStringLiteral("txt"),
        workbook ? tr("Workbooks") : tr("Text files"),
        [format](const QString& name) { return QStringList {SeriesExporter::exportPath(name, format)}; });
    if (chosen.isEmpty())
        return;
    const QString path = SeriesExporter::exportPath(chosen, format);
    const QStringList values = m_values.values();
    bool exported = false;
    PleaseWaitRun::run(plz_wait_Window, [&] {
        exported = SeriesExporter::exportValues(path, values, format, m_workbookWriter);
    });
    raise();
    if (!exported) {
        Show_MessageBox(fileErrorMessage);
        return;
    }
    setExportFile(path, QStringLiteral("Record has been exported successfully."));
    BatchDialogs::openExportFinishedBox();
}

void BatchWizard::Save_Btn_Clicked()
{
    if (!saveValues())
        return;
    raise();
    showListScreen();
    Fill_List();
}

bool BatchWizard::saveValues()
{
    if (m_values.isEmpty()) {
        Show_MessageBox(emptyListMessage);
        List_value->setFocus();
        return false;
    }
    SeriesSaveRules::Questions questions;
    questions.askReplace = [] {
        return Show_YES_NO_MessageBox(
                   QStringLiteral("Batch Processing Series already exists. Do you want to replace it?"))
            == 1;
    };
    questions.askChanged = [](const QString& name) {
        return Show_YES_NO_MessageBox(SeriesSaveRules::changedQuestion(name)) == 1;
    };
    questions.tellGone = [](const QString& name) { Show_MessageBox(SeriesSaveRules::goneMessage(name)); };
    // The write may wait for the folder's lock: the window stays responsive.
    questions.run = [this](const std::function<void()>& write) { PleaseWaitRun::run(plz_wait_Window, write); };

    const QString name = batch_list_name->text();
    const QString openedAs = update_list_name->text();
    QString reason;
    const SeriesSaveRules::Result result = SeriesSaveRules::save(Data_Folder_Path, name, openedAs, m_opened,
                                                                 m_values.values(), questions, &reason);
    switch (result) {
    case SeriesSaveRules::Result::Saved:
        break;
    case SeriesSaveRules::Result::BadName:
        Show_MessageBox(SeriesStore::enterNameMessage);
        batch_list_name->setFocus();
        return false;
    case SeriesSaveRules::Result::WriteFailed: {
        const QString path = SeriesSaveRules::plan(Data_Folder_Path, name, openedAs).path;
        Show_MessageBox(fileErrorMessage + QStringLiteral("\n") + AtomicFile::failureDetails(reason, path));
        return false;
    }
    case SeriesSaveRules::Result::Declined:
    case SeriesSaveRules::Result::KeptChanged:
        // the values shown stay, to be saved under another name or later
        return false;
    }
    markSaved();
    // Saved under a new name, its old file gone, the series moved: the
    // objects bound to it take its new name. Saved onto another series, the
    // opened one stays, and so do its objects.
    const QString savedAs = SeriesSaveRules::cleanedName(name);
    if (m_renameFollow && !openedAs.isEmpty() && name != openedAs && savedAs != openedAs
        && !SeriesStore(Data_Folder_Path, batch_file_EXT).exists(openedAs))
        m_renameFollow(openedAs, savedAs);
    return true;
}

void BatchWizard::Back_Btn_Clicked()
{
    showListScreen();
}

void BatchWizard::Close_2_Btn_Clicked()
{
    if (settleUnsavedEdits())
        done(0);
}

void BatchWizard::Help_2_Btn_Clicked()
{
    Open_Help_File();
}
