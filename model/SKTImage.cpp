#include "model/SKTImage.h"

SKTImage::SKTImage() = default;

SKTImage::~SKTImage() = default;
