#include "barcodes/NKDModifiedPlesseyHexBarcode.h"

QString NKDModifiedPlesseyHexBarcode::_encodeChar(char c) const
{
    if (c >= 'A' && c <= 'F')
        return bitsPattern(c - 'A' + 10);
    return NKDModifiedPlesseyBarcode::_encodeChar(c);
}
