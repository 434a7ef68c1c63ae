#include "data/BatchBinding.h"

#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "platform/AttributedText.h"

#include <algorithm>
#include <exception>

BatchBinding::BatchBinding(SeriesStore store, GraphicList front, GraphicList back, bool twoSided,
                           QList<DesignFileRow> rows)
    : m_store(std::move(store))
    , m_front(std::move(front))
    , m_back(std::move(back))
    , m_twoSided(twoSided)
    , m_rows(std::move(rows))
{
}

void BatchBinding::adoptState(const BatchBinding& other)
{
    m_table = other.m_table;
    useDataSheetValues = other.useDataSheetValues;
    onlyEmptySeries = other.onlyEmptySeries;
    useExcelBindingValues = other.useExcelBindingValues;
    dataTableRows = other.dataTableRows;
    excelTableRows = other.excelTableRows;
    totalCards = other.totalCards;
}

bool BatchBinding::takesValues(const SKTGraphic& graphic)
{
    const SKTGraphic::Kind kind = graphic.kind();
    return kind == SKTGraphic::Kind::Text || kind == SKTGraphic::Kind::Image || kind == SKTGraphic::Kind::Barcode;
}

bool BatchBinding::usesSource(const GraphicList& graphics, int sourceType)
{
    return std::any_of(graphics.begin(), graphics.end(), [sourceType](const GraphicPtr& graphic) {
        return graphic && takesValues(*graphic) && graphic->data_source_type == sourceType;
    });
}

int BatchBinding::slotOf(const QString& name) const
{
    for (int i = 0; i < m_table.size(); ++i) {
        if (m_table[i].name == name)
            return i;
    }
    return -1;
}

void BatchBinding::fillSlotsOf(const GraphicList& graphics, const QStringList& names)
{
    for (const GraphicPtr& graphic : graphics) {
        if (graphic && takesValues(*graphic) && graphic->data_source_type == 1)
            Add_dataset_col_in_binding_table(graphic->batch_list_name, int(names.indexOf(graphic->batch_list_name)));
    }
}

void BatchBinding::Create_Dataset_binding_table()
{
    m_table.clear();
    if (!m_twoSided && m_front.isEmpty())
        return;
    const QStringList names = m_store.names();
    for (const QString& name : names)
        m_table.append({name, std::nullopt});
    fillSlotsOf(m_front, names);
    if (m_twoSided)
        fillSlotsOf(m_back, names);
}

void BatchBinding::Add_dataset_col_in_binding_table(const QString& name, int slot)
{
    if (slot < 0 || slot >= m_table.size())
        return;
    try {
        bool tooLarge = false;
        if (std::optional<QStringList> values = m_store.readBindingValues(name, &tooLarge))
            m_table[slot].values = std::move(values);
        else if (tooLarge)
            Show_MessageBox(SeriesStore::tooLargeMessage);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void BatchBinding::Calculate_data_table_rows()
{
    dataTableRows = 0;
    for (const Slot& slot : m_table) {
        if (slot.values)
            dataTableRows = std::max(dataTableRows, int(slot.values->size()));
    }
}

void BatchBinding::Calculate_Excel_table_rows()
{
    excelTableRows = int(m_rows.size());
}

void BatchBinding::Check_Data_Sheet_Value_Use_or_Not()
{
    m_table.clear();
    onlyEmptySeries = false;
    useDataSheetValues = usesSource(m_front, 1) || (m_twoSided && usesSource(m_back, 1));
    if (!useDataSheetValues)
        return;
    Create_Dataset_binding_table();
    Calculate_data_table_rows();
    if (dataTableRows == 0) {
        useDataSheetValues = false;
        // No series gives a record, but a series that was read and holds
        // no value is still a source the cards draw from.
        onlyEmptySeries = std::any_of(m_table.begin(), m_table.end(),
                                      [](const Slot& slot) { return bool(slot.values); });
    }
}

void BatchBinding::Check_Excel_Binding_Value_Use_or_Not()
{
    useExcelBindingValues = usesSource(m_front, 2) || (m_twoSided && usesSource(m_back, 2));
    if (!useExcelBindingValues)
        return;
    Calculate_Excel_table_rows();
    if (excelTableRows == 0)
        useExcelBindingValues = false;
}

void BatchBinding::Get_total_Card_count()
{
    if (useDataSheetValues)
        Calculate_data_table_rows();
    else
        dataTableRows = 0;
    if (useExcelBindingValues)
        Calculate_Excel_table_rows();
    else
        excelTableRows = 0;
    totalCards = std::max(dataTableRows, excelTableRows);
}

void BatchBinding::Check_Series_Or_Excel_Use_or_not()
{
    Check_Data_Sheet_Value_Use_or_Not();
    Check_Excel_Binding_Value_Use_or_Not();
    Get_total_Card_count();
}

bool BatchBinding::Check_Batch_File_In_Use_Validation(const QString& name) const
{
    if (!m_store.exists(name))
        return false;
    auto uses = [&name](const GraphicList& graphics) {
        return std::any_of(graphics.begin(), graphics.end(), [&name](const GraphicPtr& graphic) {
            return graphic && takesValues(*graphic) && graphic->data_source_type == 1
                && graphic->batch_list_name == name;
        });
    };
    return uses(m_front) || (m_twoSided && uses(m_back));
}

GraphicList BatchBinding::followSeriesRename(const GraphicList& graphics, const QString& from, const QString& to,
                                             int listed)
{
    GraphicList renamed;
    if (from.isEmpty() || from == to)
        return renamed;
    for (const GraphicPtr& graphic : graphics) {
        if (graphic && graphic->batch_list_name == from) {
            graphic->Set_Batch_List_Name(to);
            graphic->Set_Batch_List_Index(listed);
            renamed.append(graphic);
        }
    }
    return renamed;
}

QString BatchBinding::Get_sel_row_col_value_of_dataset(int row, int slot) const
{
    if (slot < 0 || slot >= m_table.size() || !m_table[slot].values)
        return QString();
    const QStringList& values = *m_table[slot].values;
    return row >= 0 && row < values.size() ? values[row] : QString();
}

QString BatchBinding::cellOf(const QList<DesignFileRow>& rows, int row, int column)
{
    if (row < 0 || row >= rows.size() || column < 0)
        return QString();
    const QString key = column == 0 ? QStringLiteral("Extension") : QStringLiteral("Column%1").arg(column);
    return rows[row].value(key);
}

QString BatchBinding::Get_sel_row_col_value_of_Excel(int row, int column) const
{
    if (row >= excelTableRows)
        return QString();
    return cellOf(m_rows, row, column);
}

QString BatchBinding::Get_First_Value_Of_Dataset(const QString& name) const
{
    return m_store.readFirstValue(name);
}

QString BatchBinding::Get_First_Value_Of_Excel_Binding(int column) const
{
    return cellOf(m_rows, 0, column);
}

QString BatchBinding::Assign_Batch_Values_To_Control(const GraphicList& graphics, int row, Picture* lastBarcode) const
{
    try {
        for (const GraphicPtr& graphic : graphics) {
            if (!graphic || !takesValues(*graphic))
                continue;
            QString value;
            if (graphic->data_source_type == 1 && useDataSheetValues)
                value = Get_sel_row_col_value_of_dataset(row, slotOf(graphic->batch_list_name));
            else if (graphic->data_source_type == 2 && useExcelBindingValues)
                value = Get_sel_row_col_value_of_Excel(row, graphic->excel_col_indx);
            else
                continue;
            value = Trim_Str(value);
            switch (graphic->kind()) {
            case SKTGraphic::Kind::Text:
                // One storage holds one font and colour for all its
                // characters: the new characters take them over.
                graphic->Text_contents()->setString(value);
                break;
            case SKTGraphic::Kind::Image:
                graphic->setFilePath(value);
                break;
            case SKTGraphic::Kind::Barcode:
                // A value no barcode can be made of leaves no picture, not
                // the barcode of the record before.
                if (m_barcodeMaker) {
                    const Picture picture = m_barcodeMaker(*graphic, value);
                    graphic->Set_Barcode_image(picture);
                    if (lastBarcode)
                        *lastBarcode = picture;
                }
                break;
            default:
                break;
            }
        }
    } catch (const std::exception& e) {
        const QString reason = QString::fromLocal8Bit(e.what());
        return reason.isEmpty() ? QStringLiteral("The values could not be written into the card.") : reason;
    }
    return QString();
}
