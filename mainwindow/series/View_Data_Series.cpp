#include "mainwindow/series/View_Data_Series.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/SeriesSaveRules.h"
#include "data/SeriesStore.h"
#include "data/SeriesValueList.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/series/ModalRunPause.h"
#include "mainwindow/PleaseWaitRun.h"
#include "mainwindow/series/SeriesRowsModel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

View_Data_Series::View_Data_Series(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("View_Data_Series"), tr("Batch Processing Series"))
{
    series_name = new QLabel(this);
    series_name->setObjectName(QStringLiteral("series_name"));
    QFont bold = series_name->font();
    bold.setBold(true);
    series_name->setFont(bold);
    m_model = new SeriesRowsModel(QStringLiteral("Extension"), tr("Value"), this);
    List = new QTableView(this);
    List->setObjectName(QStringLiteral("List"));
    List->setModel(m_model);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->horizontalHeader()->setStretchLastSection(true);
    List->verticalHeader()->hide();
    List->setAlternatingRowColors(true);
    list_count = new QLabel(this);
    list_count->setObjectName(QStringLiteral("list_count"));

    auto* buttons = okBox({ok_btn, QStringLiteral("ok_btn"), [this] { OK_Btn_Clicked(); }});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(series_name);
    layout->addWidget(List, 1);
    layout->addWidget(list_count);
    layout->addWidget(buttons);
    resize(360, 420);

    plz_wait_Window = new PleaseWait_Modeless(this);
    showValues();
}

int View_Data_Series::Open_Wnd()
{
    series_name->setText(file_name);
    m_values.clear();
    showValues();
    Load_file_Func(SeriesSaveRules::seriesPath(Data_Folder_Path, file_name));
    ModalRunPause::pause();
    const int result = runModal();
    plz_wait_Window->hide();
    return result;
}

void View_Data_Series::OK_Btn_Clicked()
{
    done(1);
}

void View_Data_Series::Load_file_Func(const QString& path)
{
    Load_Val_Thread(path);
}

void View_Data_Series::Load_Val_Thread(const QString& path)
{
    SeriesValueList loaded;
    SeriesValueList::LoadResult result = SeriesValueList::LoadResult::Unreadable;
    PleaseWaitRun::run(plz_wait_Window, [&] { result = loaded.load(path, false); });
    if (result == SeriesValueList::LoadResult::TooLarge)
        Show_MessageBox(SeriesStore::tooLargeMessage);
    if (result != SeriesValueList::LoadResult::Loaded) {
        Show_NSLog_Message(QStringLiteral("The series file %1 could not be read.").arg(path));
        return;
    }
    for (const QString& value : loaded.values())
        m_values.append(value);
    showValues();
}

void View_Data_Series::Create_Avail_List(const QString& value)
{
    const QString trimmed = Trim_Str(value);
    if (trimmed.isEmpty())
        return;
    m_values.append(trimmed);
    showValues();
}

void View_Data_Series::Update_batch_List_Count()
{
    list_count->setText(QStringLiteral("Total Rows : %1").arg(m_values.size()));
}

void View_Data_Series::showValues()
{
    m_model->setRows(m_values);
    Update_batch_List_Count();
}
