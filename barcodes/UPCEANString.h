#pragma once

#include <QString>

// Operations on module strings used by the UPC and EAN symbologies to derive
// the right-hand and even-parity digit patterns from the left-hand ones.
class UPCEANString
{
public:
    // Bars and spaces exchanged: every "0" becomes "1", anything else "0".
    static QString swapHandedness(const QString& modules);
    // swapHandedness read backwards.
    static QString swapParity(const QString& modules);
};
