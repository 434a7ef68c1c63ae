#include "data/Globals.h"

bool Use_Data_Sheet_Values = false;
bool Use_Excel_Binding_Values = false;
int Total_Batch_Excel_Card = 0;
int Data_table_rows = 0;
int Excel_table_rows = 0;
int Excel_Sheet_Columns = 0;
QString Custom_Msg_Title;
QString Custom_Msg_Val;

void setUseDataSheetValues(bool use)
{
    Use_Data_Sheet_Values = use;
}

void setUseExcelBindingValues(bool use)
{
    Use_Excel_Binding_Values = use;
}

void setBatchTableSizes(int dataTableRows, int excelTableRows, int totalCards)
{
    Data_table_rows = dataTableRows;
    Excel_table_rows = excelTableRows;
    Total_Batch_Excel_Card = totalCards;
}

void setExcelSheetColumns(int columns)
{
    Excel_Sheet_Columns = columns;
}

void setCustomMessage(const QString& title, const QString& text)
{
    Custom_Msg_Title = title;
    Custom_Msg_Val = text;
}
