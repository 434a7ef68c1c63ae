#include "barcodes/NKDPlanetBarcode.h"

float NKDPlanetBarcode::_heightForDigit(int digitIndex, int bar) const
{
    return NKDPostnetBarcode::_heightForDigit(digitIndex, bar) == tallInches ? shortInches : tallInches;
}
