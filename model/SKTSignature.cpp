#include "model/SKTSignature.h"

SKTSignature::SKTSignature() = default;

SKTSignature::~SKTSignature() = default;
