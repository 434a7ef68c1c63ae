#include "model/Shape_Control.h"

Shape_Control::Shape_Control() = default;

Shape_Control::~Shape_Control() = default;
