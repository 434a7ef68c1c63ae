#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"

QString NKDIndustrialTwoOfFiveBarcode::barcode() const
{
    QString modules;
    for (const char c : contentBytes()) {
        for (int k = 0; k < 5; ++k)
            modules += _getBarForDigit(c, k) ? QStringLiteral("100") : QStringLiteral("11100");
    }
    return modules;
}
