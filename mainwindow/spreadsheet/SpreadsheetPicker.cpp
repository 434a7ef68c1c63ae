#include "mainwindow/spreadsheet/SpreadsheetPicker.h"

#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/WorkbookAccess.h"
#include "mainwindow/PleaseWaitRun.h"
#include "mainwindow/PleaseWait_Modeless.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace {

double s_loadPause = 1.0;

enum PickerColumn { StateColumn, ExtensionColumn, HeaderColumn };

// A file that holds no worksheet: no zip archive, an archive of something
// else, a workbook without sheets, a workbook the reader refused (past its
// limits, with shared strings it cannot read or text cells without them).
const QString unreadableMessage =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
// The message for a file that holds no worksheet, with the reader's reason
// for refusing it on a line of its own when it gave one.
QString unreadable(const QString& reason)
{
    return reason.isEmpty() ? unreadableMessage : unreadableMessage + QStringLiteral("\nReason: ") + reason;
}
// A sheet without a single row (or one that cannot be read).
const QString emptySheetMessage =
    QStringLiteral("There is no data in selected sheet.\nPlease select another Sheet/Excel File.\nEither file is "
                   "corrupted or selected file contains invalid characters.");

}   // namespace

SpreadsheetPicker::SpreadsheetPicker(QWidget* parent, bool withHeaderColumn, const QString& objectName,
                                     const QString& title)
    : DialogFrame(parent, objectName, title)
{
    resize(520, 520);

    file_path = new QLineEdit(this);
    file_path->setObjectName(QStringLiteral("file_path"));
    file_path->setReadOnly(true);
    Sheet_ComboBox = new QComboBox(this);
    Sheet_ComboBox->setObjectName(QStringLiteral("Sheet_ComboBox"));
    contains_header = new QCheckBox(tr("First row contains column titles"), this);
    contains_header->setObjectName(QStringLiteral("contains_header"));

    auto* form = new QFormLayout;
    form->addRow(tr("Workbook:"), file_path);
    form->addRow(tr("Sheet:"), Sheet_ComboBox);
    form->addRow(QString(), contains_header);

    ColList = new QTableWidget(0, withHeaderColumn ? 3 : 2, this);
    ColList->setObjectName(QStringLiteral("ColList"));
    QStringList headers {tr("Import"), tr("Column")};
    if (withHeaderColumn)
        headers << tr("Series name");
    ColList->setHorizontalHeaderLabels(headers);
    ColList->verticalHeader()->setVisible(false);
    ColList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ColList->horizontalHeader()->setSectionResizeMode(StateColumn, QHeaderView::ResizeToContents);
    ColList->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* selectAllButton = namedButton(tr("Select All"), QStringLiteral("select_all_btn"));
    auto* clearAllButton = namedButton(tr("Clear All"), QStringLiteral("clear_all_btn"));
    auto* pickButtons = new QHBoxLayout;
    pickButtons->addWidget(selectAllButton);
    pickButtons->addWidget(clearAllButton);
    pickButtons->addStretch(1);

    m_ownArea = new QVBoxLayout;
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok_btn"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel_btn"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Columns to import:"), this));
    layout->addWidget(ColList, 1);
    layout->addLayout(pickButtons);
    layout->addLayout(m_ownArea);
    layout->addWidget(m_buttons);

    plz_wait_Window = new PleaseWait_Modeless(this);

    connect(Sheet_ComboBox, &QComboBox::currentIndexChanged, this, [this] { sheetChosen(); });
    connect(ColList, &QTableWidget::cellChanged, this, &SpreadsheetPicker::pickerItemChanged);
    connect(selectAllButton, &QPushButton::clicked, this, [this] { selectAll(true); });
    connect(clearAllButton, &QPushButton::clicked, this, [this] { selectAll(false); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &SpreadsheetPicker::OKPressed);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &SpreadsheetPicker::CancelPressed);
}

void SpreadsheetPicker::setLoadPause(double seconds)
{
    s_loadPause = seconds;
}

int SpreadsheetPicker::Open_excel_Wnd(const QString& path)
{
    m_sheetPart.clear();
    file_path->setText(path);
    contains_header->setChecked(true);
    ListData_xl.clear();
    reloadPicker();
    {
        const QSignalBlocker blocker(Sheet_ComboBox);
        Sheet_ComboBox->clear();
    }
    excel_content.clear();
    resetOwnControls();
    setResult(0);

    int code = 0;
    if (modalRunReplaced()) {
        Load_file_Func(path);
        code = runAndHide(*this);
    } else {
        // The window is up before the workbook is read, so the please-wait
        // window has a window to sit on and the dialog keeps painting.
        QTimer::singleShot(0, this, [this, path] { Load_file_Func(path); });
        code = exec();
        hide();
    }
    // The import is done: what was read is given back.
    excel_content.clear();
    const WorkbookAccess& access = WorkbookAccess::installed();
    if (access.release)
        access.release();
    return code;
}

void SpreadsheetPicker::readOnWorker(const std::function<void()>& work)
{
    const bool nested = m_reading;
    m_reading = true;
    try {
        // Input goes on: the please-wait window blocks the dialog's, and its
        // commands wait.
        PleaseWaitRun::wait(work);
    } catch (...) {
        m_reading = nested;
        throw;
    }
    m_reading = nested;
}

void SpreadsheetPicker::Show_Create_Modeless()
{
    if (isVisible()) {
        // The please-wait window stays while the workbook is read: closing
        // it would hand the dialog its input back halfway.
        plz_wait_Window->setHeld(true);
        plz_wait_Window->show();
        plz_wait_Window->raise();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void SpreadsheetPicker::Hide_Destroy_Modeless()
{
    plz_wait_Window->setHeld(false);
    plz_wait_Window->hide();
}

void SpreadsheetPicker::Load_file_Func(const QString& path)
{
    QElapsedTimer shown;
    shown.start();
    // Busy before the please-wait window shows (which lets events run).
    m_loading = true;
    Show_Create_Modeless();
    m_loadMessage.clear();
    try {
        const WorkbookAccess& access = WorkbookAccess::installed();
        QList<WorkbookParts::Sheet> sheets;
        QString refusal;
        readOnWorker([&access, &path, &sheets, &refusal] {
            if (access.open)
                sheets = access.open(path);
            refusal = access.refusal ? access.refusal() : QString();
        });
        {
            // The tabs by name; each item carries the part it is read from.
            const QSignalBlocker blocker(Sheet_ComboBox);
            for (const WorkbookParts::Sheet& sheet : sheets)
                Sheet_ComboBox->addItem(sheet.name, sheet.part);
            Sheet_ComboBox->setCurrentIndex(-1);
        }
        if (sheets.isEmpty())
            tell(unreadable(refusal));
        else
            Sheet_ComboBox->setCurrentIndex(0);   // runs the sheet choice
        loadOwnLists();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    m_loading = false;
    // The please-wait window stays long enough to be read.
    if (isVisible()) {
        while (shown.elapsed() < qint64(s_loadPause * 1000)) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
            QThread::msleep(20);
        }
    }
    Hide_Destroy_Modeless();
    if (!m_loadMessage.isEmpty())
        Show_MessageBox(m_loadMessage);
}

void SpreadsheetPicker::tell(const QString& text)
{
    if (m_loading)
        m_loadMessage = text;
    else
        Show_MessageBox(text);
}

void SpreadsheetPicker::sheetChosen()
{
    if (m_reading || Sheet_ComboBox->currentIndex() < 0)
        return;
    // A tab without a part to read gives no titles, and is said to have no data.
    m_sheetPart = Sheet_ComboBox->currentData().toString();
    const QString part = m_sheetPart;
    const bool underWait = m_loading;
    // Busy before the please-wait window shows (which lets events run).
    m_reading = true;
    if (!underWait)
        Show_Create_Modeless();
    try {
        const WorkbookAccess& access = WorkbookAccess::installed();
        QStringList titles;
        QString refusal;
        readOnWorker([&access, &part, &titles, &refusal] {
            titles = access.titles ? access.titles(part) : QStringList();
            if (titles.isEmpty() && access.refusal)
                refusal = access.refusal();
        });
        m_reading = false;
        if (!underWait)
            Hide_Destroy_Modeless();
        if (!refusal.isEmpty()) {
            // Refused (past the reader's limits, text cells without their
            // shared strings): nothing of the workbook is left to read, and
            // it is unreadable as a whole.
            ListData_xl.clear();
            reloadPicker();
            {
                const QSignalBlocker blocker(Sheet_ComboBox);
                Sheet_ComboBox->clear();
            }
            m_sheetPart.clear();
            tell(unreadable(refusal));
            return;
        }
        if (titles.isEmpty()) {
            // The columns of the sheet chosen before are not this one's.
            ListData_xl.clear();
            reloadPicker();
            tell(emptySheetMessage);
            return;
        }
        ListData_xl = SpreadsheetImport::choicesFromTitles(titles);
        reloadPicker();
    } catch (const std::exception& e) {
        m_reading = false;
        if (!underWait)
            Hide_Destroy_Modeless();
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

SpreadsheetImport::Rows
SpreadsheetPicker::readAllRows(const std::function<void(const SpreadsheetImport::Rows&)>& digest)
{
    const WorkbookAccess& access = WorkbookAccess::installed();
    const QString path = file_path->text();
    const QString part = m_sheetPart;
    SpreadsheetImport::Rows rows;
    readOnWorker([&access, &path, &part, &rows, &digest] {
        if (access.rows)
            rows = access.rows(path, part);
        if (digest)
            digest(rows);
    });
    return rows;
}

void SpreadsheetPicker::reloadPicker()
{
    m_filling = true;
    ColList->setRowCount(int(ListData_xl.size()));
    for (int row = 0; row < ListData_xl.size(); ++row) {
        const SpreadsheetImport::ColumnChoice& choice = ListData_xl[row];
        auto* state = new QTableWidgetItem;
        state->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        state->setCheckState(choice.State ? Qt::Checked : Qt::Unchecked);
        ColList->setItem(row, StateColumn, state);
        auto* title = new QTableWidgetItem(choice.Extension);
        title->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        ColList->setItem(row, ExtensionColumn, title);
        if (ColList->columnCount() > HeaderColumn) {
            // the name of the column's own series: the user may change it
            auto* header = new QTableWidgetItem(choice.Header);
            header->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            ColList->setItem(row, HeaderColumn, header);
        }
    }
    m_filling = false;
}

void SpreadsheetPicker::pickerItemChanged(int row, int column)
{
    if (m_filling || (column != StateColumn && column != HeaderColumn))
        return;
    if (row < 0 || row >= ListData_xl.size()) {
        Show_NSLog_Message(QStringLiteral("pRowIndex >= 0 && pRowIndex < [ListData_xl count]"));
        return;
    }
    if (column == HeaderColumn)
        ListData_xl[row].Header = ColList->item(row, column)->text();
    else
        ListData_xl[row].State = ColList->item(row, column)->checkState() == Qt::Checked;
}

void SpreadsheetPicker::selectAll(bool ticked)
{
    if (busy())
        return;
    for (SpreadsheetImport::ColumnChoice& choice : ListData_xl)
        choice.State = ticked;
    reloadPicker();
}

void SpreadsheetPicker::setHeaderColumnVisible(bool visible)
{
    if (ColList->columnCount() > HeaderColumn)
        ColList->setColumnHidden(HeaderColumn, !visible);
}

void SpreadsheetPicker::OKPressed()
{
    if (busy())
        return;
    if (ListData_xl.isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no column."));
        return;
    }
    if (!SpreadsheetImport::anyTicked(ListData_xl)) {
        Show_MessageBox(QStringLiteral("No column is selected."));
        return;
    }
    bool finished = true;
    m_importing = true;
    try {
        finished = runImport();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    m_importing = false;
    Hide_Destroy_Modeless();
    if (finished) {
        excel_content.clear();
        done(1);
    }
}

void SpreadsheetPicker::CancelPressed()
{
    if (busy())
        return;
    excel_content.clear();
    done(0);
}
