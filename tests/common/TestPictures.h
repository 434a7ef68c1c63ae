#pragma once

#include "platform/Picture.h"

#include <QImage>

// Small generated pictures for the picture tests.
namespace TestPictures {

// A w x h image of one colour (Format_ARGB32, not premultiplied).
QImage solid(int w, int h, QRgb colour);
// The same as a picture of one point per pixel.
Picture solidPicture(int w, int h, QRgb colour);
// Largest difference of any channel (alpha included) between two colours.
int channelDistance(QRgb a, QRgb b);

}
