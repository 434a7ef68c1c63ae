#pragma once

// Program-wide values of batch data: whether a data sheet or a bound
// workbook feeds the cards, and the sizes of what was read.

#include <QString>

extern bool Use_Data_Sheet_Values;
extern bool Use_Excel_Binding_Values;
extern int Total_Batch_Excel_Card;
extern int Data_table_rows;
extern int Excel_table_rows;
extern int Excel_Sheet_Columns;
extern QString Custom_Msg_Title;
extern QString Custom_Msg_Val;

// Other layers change these values through these functions; only data writes
// them directly.
void setUseDataSheetValues(bool use);
void setUseExcelBindingValues(bool use);
// The sizes of the bound tables and the number of cards they make.
void setBatchTableSizes(int dataTableRows, int excelTableRows, int totalCards);
void setExcelSheetColumns(int columns);
void setCustomMessage(const QString& title, const QString& text);
