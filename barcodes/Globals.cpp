#include "barcodes/Globals.h"

int USED_DPI_VALUE = 600;
int Measument_Unit_Is = 0;
int Barcode_module_size = 1;
int QR_EC_Level_Val = 0;
int QR_Version_Val = 0;
int QR_Enc_Mode_Val = 0;
int PDF_Row = 0;
int PDF_Col = 3;
int last_unit_val = 0;
Picture Barcode_output_image;

void setUsedDpiValue(int dpi)
{
    USED_DPI_VALUE = dpi;
}

void setMeasumentUnitIs(int unit)
{
    Measument_Unit_Is = unit;
}

void setQrEcLevelVal(int level)
{
    QR_EC_Level_Val = level;
}

void setQrVersionVal(int version)
{
    QR_Version_Val = version;
}

void setBarcodeOutputImage(const Picture& picture)
{
    Barcode_output_image = picture;
}
