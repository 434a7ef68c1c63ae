#pragma once

// Conversions between points and millimetres, computed in double precision
// and handed back in single precision.

// points * 0.3527777777778
float Points_to_MM_Convert(float points);

// millimetres * 2.834645669291
float MM_to_Points_Convert(float millimetres);
