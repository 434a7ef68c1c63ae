#include "model/SKTBarcode.h"

SKTBarcode::SKTBarcode() = default;

SKTBarcode::~SKTBarcode() = default;
