#include "barcodes/DataMatrix.h"

DataMatrix::DataMatrix(int64_t dimension)
    : _dimension(dimension > 0 ? dimension : 0), _data(size_t(_dimension * _dimension), 0)
{
}

void DataMatrix::set(signed char value, int64_t x, int64_t y)
{
    if (contains(x, y))
        _data[size_t(y * _dimension + x)] = value;
}

signed char DataMatrix::valueAt(int64_t x, int64_t y) const
{
    return contains(x, y) ? _data[size_t(y * _dimension + x)] : 0;
}

QString DataMatrix::description() const
{
    QString text;
    text.reserve(int(_dimension * (_dimension + 1)));
    for (int64_t y = 0; y < _dimension; ++y) {
        for (int64_t x = 0; x < _dimension; ++x)
            text += QString::number(int(valueAt(x, y)));
        text += QLatin1Char('\n');
    }
    return text;
}
