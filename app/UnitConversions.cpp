#include "app/UnitConversions.h"

float Points_to_MM_Convert(float points)
{
    return static_cast<float>(static_cast<double>(points) * 0.3527777777778);
}

float MM_to_Points_Convert(float millimetres)
{
    return static_cast<float>(static_cast<double>(millimetres) * 2.834645669291);
}
