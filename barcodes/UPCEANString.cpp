#include "barcodes/UPCEANString.h"

#include <algorithm>

QString UPCEANString::swapHandedness(const QString& modules)
{
    QString swapped(modules.size(), QLatin1Char('0'));
    for (qsizetype i = 0; i < modules.size(); ++i) {
        if (modules.at(i) == QLatin1Char('0'))
            swapped[i] = QLatin1Char('1');
    }
    return swapped;
}

QString UPCEANString::swapParity(const QString& modules)
{
    QString swapped = swapHandedness(modules);
    std::reverse(swapped.begin(), swapped.end());
    return swapped;
}
