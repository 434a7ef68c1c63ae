#include "TestPictures.h"

#include <algorithm>
#include <cstdlib>

namespace TestPictures {

QImage solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

Picture solidPicture(int w, int h, QRgb colour)
{
    return Picture(solid(w, h, colour), QSizeF(w, h));
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

}
