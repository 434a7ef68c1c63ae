#include "mainwindow/spreadsheet/Data_From_Excel.h"

#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

Data_From_Excel* Data_From_Excel_Window = nullptr;

namespace {

QString columnKey(int column)
{
    return column == 0 ? QStringLiteral("Extension") : QStringLiteral("Column%1").arg(column);
}

}   // namespace

Data_From_Excel::Data_From_Excel(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Data_From_Excel"), tr("Spreadsheet Data"))
{
    Data_From_Excel_Window = this;
    m_titles = &m_ownTitles;
    m_rows = &m_ownRows;
    m_columns = &m_ownColumns;
    resize(640, 480);

    ColList = new QTableWidget(this);
    ColList->setObjectName(QStringLiteral("ColList"));
    ColList->verticalHeader()->setVisible(false);
    ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_count = new QLabel(this);
    rows_count->setObjectName(QStringLiteral("rows_count"));
    column_count = new QLabel(this);
    column_count->setObjectName(QStringLiteral("column_count"));

    auto* counts = new QFormLayout;
    counts->addRow(tr("Rows:"), rows_count);
    counts->addRow(tr("Columns:"), column_count);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok_btn"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ColList, 1);
    layout->addLayout(counts);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &Data_From_Excel::OK_Click);
    connect(ColList, &QTableWidget::cellChanged, this, &Data_From_Excel::cellEdited);
}

Data_From_Excel::~Data_From_Excel()
{
    if (Data_From_Excel_Window == this)
        Data_From_Excel_Window = nullptr;
}

void Data_From_Excel::bindTable(QStringList* titles, QList<DesignFileRow>* rows, SheetColumns* columns)
{
    m_titles = titles ? titles : &m_ownTitles;
    m_rows = rows ? rows : &m_ownRows;
    m_columns = columns ? columns : &m_ownColumns;
}

QList<DesignFileRow> Data_From_Excel::ListData() const
{
    return *m_rows;
}

QStringList Data_From_Excel::columnTitles() const
{
    return *m_titles;
}

void Data_From_Excel::replaceTable(const SpreadsheetImport::Table& table)
{
    const QStringList previous = *m_titles;
    const SheetColumns previousColumns = *m_columns;
    const QString first = m_titles->value(0, QStringLiteral("No."));
    *m_titles = table.titles;
    if (m_titles->isEmpty())
        m_titles->append(first);
    else
        (*m_titles)[0] = first;
    *m_rows = table.rows;
    *m_columns = table.columns.fits(*m_titles) ? table.columns : SheetColumns();
    // Read without a title row, it is bound by place even with its layout
    // unknown.
    m_columns->firstRowTitles = table.columns.firstRowTitles;
    emit tableReplaced(previous, previousColumns);
}

void Data_From_Excel::Create_List_By_Array(const QStringList& cells, int count)
{
    if (!SpreadsheetImport::appendTableRow(*m_rows, cells, count))
        Show_NSLog_Message(QStringLiteral("A spreadsheet row has fewer cells than columns; it is left out."));
}

void Data_From_Excel::Create_Value_List(const QString& text)
{
    const QString value = Trim_Str(text);
    if (!value.isEmpty())
        m_rows->append(DesignFileRow {{QStringLiteral("Extension"), value}});
}

void Data_From_Excel::Mark_List_New_Selection(int row)
{
    ColList->clearSelection();
    if (row >= 0 && row < ColList->rowCount())
        ColList->selectRow(row);
}

void Data_From_Excel::reloadTable()
{
    m_filling = true;
    ColList->clear();
    ColList->setColumnCount(int(m_titles->size()));
    ColList->setHorizontalHeaderLabels(*m_titles);
    for (int c = 1; c < m_titles->size(); ++c) {
        ColList->setColumnWidth(c, 100);
        if (QTableWidgetItem* header = ColList->horizontalHeaderItem(c))
            header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    ColList->setRowCount(int(m_rows->size()));
    for (int r = 0; r < m_rows->size(); ++r) {
        for (int c = 0; c < m_titles->size(); ++c)
            ColList->setItem(r, c, new QTableWidgetItem(m_rows->at(r).value(columnKey(c))));
    }
    m_filling = false;
}

void Data_From_Excel::cellEdited(int row, int column)
{
    if (m_filling)
        return;
    if (row < 0 || row >= m_rows->size()) {
        Show_NSLog_Message(QStringLiteral("pRowIndex >= 0 && pRowIndex < [ListData count]"));
        return;
    }
    (*m_rows)[row].insert(columnKey(column), ColList->item(row, column)->text());
}

int Data_From_Excel::Open_Wnd()
{
    reloadTable();
    rows_count->setText(QString::number(m_rows->size()));
    column_count->setText(QString::number(m_titles->size()));
    setResult(0);
    return runModal();
}

void Data_From_Excel::OK_Click()
{
    done(1);
}
