#include "model/SKTText.h"

SKTText::SKTText() = default;

SKTText::~SKTText() = default;
