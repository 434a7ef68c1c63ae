#include "model/SKTLine.h"

SKTLine::SKTLine() = default;

SKTLine::~SKTLine() = default;
