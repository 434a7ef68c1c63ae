#pragma once

// Program-wide values of the barcode designer: resolution, unit, module size
// and the symbology settings last chosen, and the last barcode picture.

#include "platform/Picture.h"

extern int USED_DPI_VALUE;
extern int Measument_Unit_Is;
extern int Barcode_module_size;
extern int QR_EC_Level_Val;
extern int QR_Version_Val;
extern int QR_Enc_Mode_Val;
extern int PDF_Row;
extern int PDF_Col;
extern int last_unit_val;
extern Picture Barcode_output_image;

// Other layers change these values through these functions; only barcodes
// writes them directly.
void setUsedDpiValue(int dpi);
void setMeasumentUnitIs(int unit);
void setQrEcLevelVal(int level);
void setQrVersionVal(int version);
void setBarcodeOutputImage(const Picture& picture);
