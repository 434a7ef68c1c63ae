#include "profiles/ProfileDialogState.h"

#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/ColumnRebinding.h"
#include "profiles/Globals.h"
#include "profiles/ProfileFieldTable.h"

#include <exception>

const QString ProfileDialogState::manualItem = QStringLiteral("Manual");
const QString ProfileDialogState::seriesItem = QStringLiteral("Series");
const QString ProfileDialogState::excelItem = QStringLiteral("Excel");

namespace {

void logException(const std::exception& e)
{
    Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
}

}

ProfileDialogState::ProfileDialogState(Sources sources, bool withCheckBoxes)
    : m_sources(std::move(sources))
    , m_withCheckBoxes(withCheckBoxes)
{
    for (int i = 0; i < rowCount; ++i) {
        Row row;
        row.caption = *ProfileFieldTable::fields()[i].caption;
        row.sourceItems = {manualItem, seriesItem};
        m_rows.append(row);
        sideChoice.append(2);
    }
}

int ProfileDialogState::rowOfControlId(const QString& id)
{
    for (int i = 0; i < rowCount; ++i) {
        if (id == QLatin1String(ProfileFieldTable::fields()[i].controlId))
            return i;
    }
    return -1;
}

// ---- the handler cascade ----

void ProfileDialogState::selectSource(int row, int index)
{
    Row& r = m_rows[row];
    r.source = index >= 0 && index < r.sourceItems.size() ? index : -1;
    sourceChanged(row);
}

void ProfileDialogState::selectChoice(int row, int index)
{
    Row& r = m_rows[row];
    r.choice = index >= 0 && index < r.choiceItems.size() ? index : -1;
    choiceChanged(row);
}

void ProfileDialogState::sourceChanged(int row)
{
    Row& r = m_rows[row];
    try {
        r.choice = -1;
        r.choiceItems.clear();
        if (r.source == 0) {
            r.valueEditable = true;
            r.choiceEnabled = false;
            r.viewEnabled = false;
            if (row == photoRow && r.value != m_ownPhoto)
                setUserImage(m_ownPhoto);
            return;
        }
        r.valueEditable = false;
        r.choiceEnabled = true;
        r.viewEnabled = r.source == 1;
        if (r.source == 1) {
            if (m_sources.seriesNames)
                r.choiceItems = m_sources.seriesNames();
        } else if (m_sources.columnTitles) {
            r.choiceItems = m_sources.columnTitles();
        }
    } catch (const std::exception& e) {
        logException(e);
    }
}

void ProfileDialogState::choiceChanged(int row)
{
    const Row& r = m_rows[row];
    try {
        const QString chosen = r.chosenText();
        if (chosen.isEmpty())
            return;
        if (r.source == 1)
            rowChoiceInto(row, m_sources.firstSeriesValue ? m_sources.firstSeriesValue(chosen) : QString());
        else if (r.source == 2)
            rowChoiceInto(row, m_sources.firstColumnValue ? m_sources.firstColumnValue(r.choice) : QString());
    } catch (const std::exception& e) {
        logException(e);
    }
}

void ProfileDialogState::rowChoiceInto(int row, const QString& value)
{
    if (row == photoRow)
        setUserImage(value);
    else
        m_rows[row].value = value;
}

// ---- typing and the check boxes ----

void ProfileDialogState::setCaption(int row, const QString& text)
{
    m_rows[row].caption = text;
}

void ProfileDialogState::setValue(int row, const QString& text)
{
    m_rows[row].value = text;
}

void ProfileDialogState::captionEdited(int row, const QString& text)
{
    m_rows[row].caption = text;
    if (m_withCheckBoxes && row != photoRow)
        m_rows[row].captionChecked = true;
}

void ProfileDialogState::valueEdited(int row, const QString& text)
{
    m_rows[row].value = text;
    if (m_withCheckBoxes && row != photoRow)
        m_rows[row].valueChecked = true;
}

void ProfileDialogState::captionCheckClicked(int row, bool checked)
{
    m_rows[row].captionChecked = checked;
    m_rows[row].captionEditable = checked;
}

void ProfileDialogState::valueCheckClicked(int row, bool checked)
{
    m_rows[row].valueChecked = checked;
    m_rows[row].valueEditable = checked;
}

// ---- the photo ----

void ProfileDialogState::setUserImage(const QString& path)
{
    m_rows[photoRow].value = Trim_Str(path);
    if (m_rows[photoRow].source == 0)
        m_ownPhoto = m_rows[photoRow].value;
    if (photoChanged)
        photoChanged(m_rows[photoRow].value);
}

// ---- the spreadsheet ----

bool ProfileDialogState::tableLoaded() const
{
    return m_sources.tableLoaded && m_sources.tableLoaded();
}

void ProfileDialogState::addExcelItems()
{
    for (Row& r : m_rows) {
        if (r.sourceItems.size() == 2)
            r.sourceItems.append(excelItem);
    }
}

void ProfileDialogState::removeExcelItems()
{
    for (int i = 0; i < rowCount; ++i) {
        Row& r = m_rows[i];
        if (r.sourceItems.size() != 3)
            continue;
        const int at = int(r.sourceItems.indexOf(excelItem));
        if (at < 0)
            continue;
        r.sourceItems.removeAt(at);
        // A row bound to a column no list offers any more is typed again.
        if (r.source == at)
            selectSource(i, 0);
        else if (r.source > at)
            --r.source;
    }
}

void ProfileDialogState::spreadsheetImported()
{
    if (tableLoaded())
        addExcelItems();
    else
        removeExcelItems();
}

void ProfileDialogState::followColumnTitles(const QStringList& previousTitles, const SheetColumns& previousColumns)
{
    const QStringList titles = m_sources.columnTitles ? m_sources.columnTitles() : QStringList();
    const SheetColumns columns = m_sources.sheetColumns ? m_sources.sheetColumns() : SheetColumns();
    for (int i = 0; i < rowCount; ++i) {
        Row& r = m_rows[i];
        if (r.source != 2)
            continue;
        const int before = r.choice;
        r.choiceItems = titles;
        r.choice = -1;
        if (before < 0)
            continue;
        const int column = ColumnRebinding::follow(previousTitles, previousColumns, titles, columns, before).column;
        if (column < 0 || column >= titles.size()) {
            rowChoiceInto(i, QString());
            continue;
        }
        // Also a column without a title: its first value is what the row
        // shows now.
        r.choice = column;
        try {
            rowChoiceInto(i, m_sources.firstColumnValue ? m_sources.firstColumnValue(column) : QString());
        } catch (const std::exception& e) {
            logException(e);
        }
    }
}

// ---- whole-dialog operations ----

void ProfileDialogState::reset()
{
    m_ownPhoto.clear();
    setUserImage(QString());
    for (int i = 0; i < rowCount; ++i) {
        Row& r = m_rows[i];
        r.captionChecked = false;
        r.valueChecked = false;
        if (i != photoRow)
            r.value.clear();
    }
    for (int i = 0; i < rowCount; ++i)
        selectSource(i, 0);
    for (int i = 0; i < rowCount; ++i)
        selectChoice(i, -1);
    for (int& side : sideChoice)
        side = 2;
}

void ProfileDialogState::loadSide(const GraphicList& graphics)
{
    for (const GraphicPtr& graphic : graphics) {
        if (!graphic)
            continue;
        const QString kind = graphic->className();
        const bool text = kind == QLatin1String("SKTText");
        if (!text && kind != QLatin1String("SKTImage"))
            continue;
        const QString id = Trim_Str(graphic->control_ID);
        if (id.isEmpty() || !graphic->ctrl_is_visible)
            continue;
        const int index = rowOfControlId(id);
        if (index < 0)
            continue;
        Row& r = m_rows[index];
        // A picture object keeps its picture's path; a text object has only
        // its text to offer.
        if (index == photoRow) {
            r.value = text ? graphic->Text_Value : graphic->FilePath();
        } else {
            r.value = graphic->Text_Value;
            if (m_withCheckBoxes)
                r.valueChecked = true;
        }
        int source = graphic->data_source_type;
        if (source == 2 && r.sourceItems.size() < 3 && tableLoaded())
            addExcelItems();
        if (source < 0 || source >= r.sourceItems.size())
            source = 0;
        // a bound photo has no path of its own: its file is the sample's
        if (index == photoRow)
            m_ownPhoto = source == 0 ? r.value : QString();
        selectSource(index, source);
        if (source == 0)
            continue;
        const int choice = source == 1 ? graphic->batch_list_index : graphic->excel_col_indx;
        if (choice < 0 || choice >= r.choiceItems.size()) {
            Show_NSLog_Message(QStringLiteral("%1: no item %2 to choose").arg(id).arg(choice));
            selectChoice(index, -1);
        } else {
            selectChoice(index, choice);
        }
    }
}

bool ProfileDialogState::Check_Validation()
{
    checked_field_name.clear();
    try {
        for (int i = 0; i < rowCount; ++i) {
            const Row& r = m_rows[i];
            if ((r.source == 1 || r.source == 2) && r.choice < 0) {
                checked_field_name = *ProfileFieldTable::fields()[i].caption;
                return false;
            }
        }
    } catch (const std::exception& e) {
        logException(e);
    }
    return true;
}

QString ProfileDialogState::validationMessage() const
{
    QString name = Trim_Str(checked_field_name);
    if (!name.isEmpty())
        name = QStringLiteral(" for '%1'").arg(name.remove(QStringLiteral(" :")));
    return QStringLiteral("Please select the source") + name;
}

bool ProfileDialogState::commit(User_Profile_Class& record, Target target)
{
    if (!Check_Validation()) {
        Show_MessageBox(validationMessage());
        return false;
    }
    if (target != Target::Temp) {
        record.Fill_User_Profile_Enable = true;
        if (tableLoaded()) {
            record.Excel_Binding = true;
            Excel_Source_Path = excelPath;
            Excel_Binding_Use = true;
        } else {
            Excel_Binding_Use = false;
            record.Excel_Binding = false;
        }
    }
    for (int i = 0; i < rowCount; ++i) {
        const Row& r = m_rows[i];
        const ProfileFieldTable::Field& f = ProfileFieldTable::fields()[i];
        f.valueIn(record) = r.value;
        switch (r.source) {
        case 0:
            f.dsIn(record) = false;
            f.dsNameIn(record) = QString();
            f.dsIndexIn(record) = 0;
            f.xlIn(record) = false;
            f.xlColumnIn(record) = 0;
            break;
        case 1:
            f.dsIn(record) = true;
            f.dsNameIn(record) = r.chosenText();
            f.dsIndexIn(record) = r.choice;
            f.xlIn(record) = false;
            f.xlColumnIn(record) = 0;
            break;
        case 2:
            f.dsIn(record) = false;
            f.dsNameIn(record) = QString();
            f.dsIndexIn(record) = 0;
            f.xlIn(record) = true;
            f.xlColumnIn(record) = r.choice;
            break;
        default:
            break;
        }
    }
    return true;
}

bool ProfileDialogState::ok(const QString& load_side, User_Profile_Class& front, User_Profile_Class& back)
{
    if (load_side == QLatin1String("B"))
        return commit(back, Target::Back);
    if (load_side.isEmpty())
        return commit(front, Target::Front) && commit(back, Target::Back);
    return commit(front, Target::Front);
}

void ProfileDialogState::cancel()
{
    if (tableLoaded())
        Excel_Source_Path = excelPath;
}

void ProfileDialogState::openSideChoosers(bool loadSide, int cardSide)
{
    sideChoosersVisible = !loadSide;
    if (loadSide) {
        for (int& side : sideChoice)
            side = cardSide == 1 ? 1 : 0;
    }
}
