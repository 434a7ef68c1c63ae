#include "data/Globals.h"

bool Use_Data_Sheet_Values = false;
bool Use_Excel_Binding_Values = false;
int Total_Batch_Excel_Card = 0;
int Data_table_rows = 0;
int Excel_table_rows = 0;
int Excel_Sheet_Number = 0;
int Excel_Sheet_Columns = 0;
QString Custom_Msg_Title;
QString Custom_Msg_Val;
