#include "mainwindow/spreadsheet/Import_Excel_DataSheet.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/ColumnSeriesPlan.h"
#include "data/SeriesStore.h"
#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/series/SeriesManagerLink.h"
#include "platform/AtomicFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

std::function<bool(const QString&)> s_seriesInUse;

const QString existsQuestion = QStringLiteral("Batch Processing Series already exists. Do you want to replace it?");
const QString accessMessage = QStringLiteral("Error in file accessing.");

} // namespace

Import_Excel_DataSheet::Import_Excel_DataSheet(QWidget* parent)
    : SpreadsheetPicker(parent, true, QStringLiteral("Import_Excel_DataSheet"), tr("Import Spreadsheet as Series"))
{
    Each_col_RD = new QRadioButton(tr("One series per column (named after its title)"), this);
    Each_col_RD->setObjectName(QStringLiteral("Each_col_RD"));
    Fill_col_RD = new QRadioButton(tr("All selected columns into one series"), this);
    Fill_col_RD->setObjectName(QStringLiteral("Fill_col_RD"));
    auto* kind = new QButtonGroup(this);
    kind->addButton(Each_col_RD);
    kind->addButton(Fill_col_RD);

    fill_box = new QGroupBox(this);
    fill_box->setObjectName(QStringLiteral("fill_box"));
    matrix_fill_type = new QButtonGroup(this);
    auto* matrixRow = new QHBoxLayout;
    const QStringList captions {tr("New series"), tr("Replace series"), tr("Append to series")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], fill_box);
        button->setObjectName(QStringLiteral("fill_type_%1").arg(i));
        matrix_fill_type->addButton(button, i);
        matrixRow->addWidget(button);
    }
    list_name = new QLineEdit(fill_box);
    list_name->setObjectName(QStringLiteral("list_name"));
    list_name->setPlaceholderText(tr("Series name"));
    List_ComboBox = new QComboBox(fill_box);
    List_ComboBox->setObjectName(QStringLiteral("List_ComboBox"));
    auto* boxLayout = new QVBoxLayout(fill_box);
    boxLayout->addLayout(matrixRow);
    boxLayout->addWidget(list_name);
    boxLayout->addWidget(List_ComboBox);

    ownArea()->addWidget(Each_col_RD);
    ownArea()->addWidget(Fill_col_RD);
    ownArea()->addWidget(fill_box);

    connect(Each_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Each_Col_RD_Click);
    connect(Fill_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Fill_Col_RD_Click);
    connect(matrix_fill_type, &QButtonGroup::idClicked, this, &Import_Excel_DataSheet::Fill_Type_CellClick);
}

void Import_Excel_DataSheet::setSeriesInUseCheck(std::function<bool(const QString&)> check)
{
    s_seriesInUse = std::move(check);
}

void Import_Excel_DataSheet::resetOwnControls()
{
    matrix_fill_type->button(0)->setChecked(true);
    Fill_Type_CellClick(0);
    Each_Col_RD_Click();
    List_ComboBox->clear();
    list_name->clear();
}

void Import_Excel_DataSheet::loadOwnLists()
{
    const QStringList names = SeriesStore().names();
    List_ComboBox->addItems(names);
    if (!names.isEmpty())
        List_ComboBox->setCurrentIndex(0);
}

void Import_Excel_DataSheet::Each_Col_RD_Click()
{
    Each_col_RD->setChecked(true);
    fill_box->setEnabled(false);
}

void Import_Excel_DataSheet::Fill_Col_RD_Click()
{
    Fill_col_RD->setChecked(true);
    fill_box->setEnabled(true);
}

void Import_Excel_DataSheet::Fill_Type_CellClick(int option)
{
    fill_col_option = option;
    list_name->setVisible(option == 0);
    List_ComboBox->setVisible(option != 0);
    setHeaderColumnVisible(option == 0);
}

bool Import_Excel_DataSheet::runImport()
{
    if (Each_col_RD->isChecked())
        return Create_file_For_Col_Func();
    const QString chosen = fill_col_option != 0 ? Trim_Str(List_ComboBox->currentText()) : Trim_Str(list_name->text());
    if (chosen.isEmpty()) {
        Show_MessageBox(fill_col_option != 0 ? QStringLiteral("Please select list name.")
                                             : SeriesStore::enterNameMessage);
        return false;
    }
    return Insert_file_Func();
}

int Import_Excel_DataSheet::askLong(const QString& title, const QString& text, bool applyBox)
{
    Long_SMS_Dlg* box = Long_SMS_Dlg::defaultInstance();
    if (!box)
        return Show_YES_NO_MessageBox(text);
    box->title_val = title;
    box->msg_val_str = text;
    box->apply_chk_show = applyBox;
    return box->Open_Long_sms_Dialog();
}

bool Import_Excel_DataSheet::Create_file_For_Col_Func()
{
    Show_Create_Modeless();
    const QList<SpreadsheetImport::ColumnChoice> choices = ListData_xl;
    const bool header = contains_header->isChecked();
    QList<SpreadsheetImport::ColumnSeries> series;
    excel_content = readAllRows([&](const SpreadsheetImport::Rows& rows) {
        series = SpreadsheetImport::seriesPerColumn(rows, choices, header);
    });
    const int columns = excel_content.isEmpty() ? 0 : excel_content.rowLength(0);
    const bool applyBox = columns != 1;

    // Every chosen column is checked before anything is written. The names
    // come from header cells of the workbook: a name that would reach
    // outside the data folder is refused.
    QStringList names;
    for (const SpreadsheetImport::ColumnSeries& column : series)
        names.append(column.name);
    const SeriesStore store;
    const ColumnSeriesPlan plan = ColumnSeriesPlan::make(
        names, [&store](const QString& name) { return store.exists(name); }, s_seriesInUse);
    if (plan.refused()) {
        Hide_Destroy_Modeless();
        Show_MessageBox(ColumnSeriesPlan::inUseMessage(plan.inUse));
        return false;
    }

    // An apply-to-all answer holds for the question it was given on only:
    // a tick on the replace question replaces the other stored series of
    // this import without asking again.
    bool replaceAll = false;
    QList<SeriesStore::Named> chosen;
    for (qsizetype i = 0; i < series.size(); ++i) {
        const ColumnSeriesPlan::Column& planned = plan.columns.at(i);
        if (planned.step == ColumnSeriesPlan::Step::BadName) {
            Show_MessageBox(SeriesStore::enterNameMessage);
            continue;
        }
        const QString& name = planned.name;
        if (planned.step == ColumnSeriesPlan::Step::AskReplace && !replaceAll) {
            setMsgApplyAllChk(false);
            if (askLong(QStringLiteral("Batch Processing Series already exists :"),
                        name + QStringLiteral("\n") + existsQuestion, applyBox)
                != 1)
                continue;
            replaceAll = Msg_Apply_All_Chk;
        }
        chosen.append({name, series.at(i).values});
    }

    // The series of one table are written under one lock of the folder, so
    // no other write comes between them. The write may wait for the lock:
    // the window stays responsive.
    QStringList written;
    QString reason;
    bool allWritten = chosen.isEmpty();
    if (!allWritten)
        readOnWorker([&] { allWritten = store.writeTogether(chosen, &written, &reason); });
    if (file_name_Insert == 1)
        SeriesManagerLink::installed().refreshList();
    Hide_Destroy_Modeless();
    if (!allWritten) {
        QStringList notWritten;
        for (qsizetype i = written.size(); i < chosen.size(); ++i)
            notWritten.append(chosen.at(i).name);
        Show_MessageBox(ColumnSeriesPlan::stoppedMessage(written, notWritten, reason));
        return false;
    }
    if (excel_content.isEmpty())
        Show_MessageBox(
            QStringLiteral("There is no data in selected sheet.\nPlease select another Sheet/Excel "
                           "File.\nEither file is corrupted or selected file contains invalid characters."));
    return true;
}

bool Import_Excel_DataSheet::Insert_file_Func()
{
    const QString name = SeriesStore::askSeriesName(fill_col_option != 0 ? List_ComboBox->currentText()
                                                                         : list_name->text());
    if (name.isEmpty())
        return false;
    const SeriesStore store;
    if (fill_col_option == 0 && store.exists(name) && !Show_YES_NO_MessageBox(existsQuestion))
        return false;
    Show_Create_Modeless();
    const QList<SpreadsheetImport::ColumnChoice> choices = ListData_xl;
    const bool header = contains_header->isChecked();
    QStringList values;
    excel_content = readAllRows([&](const SpreadsheetImport::Rows& rows) {
        values = SpreadsheetImport::valuesOfTickedColumns(rows, choices, header);
    });
    if (excel_content.isEmpty()) {
        // Nothing read: the stored series stays as it is.
        Hide_Destroy_Modeless();
        Show_MessageBox(QStringLiteral("Either file is corrupted or selected file contains invalid characters."));
        return true;
    }
    const auto mode = fill_col_option == 2 ? SeriesStore::WriteMode::Append : SeriesStore::WriteMode::Replace;
    // The write may wait for the folder's lock: the window stays responsive.
    QString reason;
    bool written = false;
    readOnWorker([&] { written = store.write(name, values, mode, &reason); });
    if (!written) {
        Hide_Destroy_Modeless();
        Show_MessageBox(accessMessage + QStringLiteral("\n")
                        + AtomicFile::failureDetails(reason, store.filePath(name)));
        return false;
    }
    if (file_name_Insert == 1)
        SeriesManagerLink::installed().refreshList();
    Hide_Destroy_Modeless();
    return true;
}
