#include "model/ImageProcesser.h"

#include "platform/ColourMatrix.h"
#include "platform/LinearImage.h"

#include <cmath>
#include <new>

namespace {

void report(ImageProcesser::Failures* failures, const QString& step, const QString& reason)
{
    if (failures)
        failures->push_back({step, reason});
}

// Settings arrive unchecked from the object's fields; a value that is not a
// finite number has no meaning for any step.
bool usable(float value, const QString& step, ImageProcesser::Failures* failures)
{
    if (std::isfinite(value))
        return true;
    report(failures, step, QStringLiteral("the value %1 is not a finite number").arg(double(value)));
    return false;
}

// Runs one step: `produce` makes the new pixels from the old. A step that
// cannot get the memory for its pixels passes its input on.
template <typename Produce>
Picture runStep(const Picture& image, const QString& step, ImageProcesser::Failures* failures,
                Produce&& produce)
{
    if (image.isNull())
        return image;
    QImage out;
    try {
        out = produce(image.image());
    } catch (const std::bad_alloc&) {
        out = QImage();
    }
    if (out.isNull()) {
        report(failures, step,
               QStringLiteral("not enough memory for a picture of %1 x %2 pixels")
                   .arg(image.image().width())
                   .arg(image.image().height()));
        return image;
    }
    return Picture(std::move(out), image.size());
}

Picture colourStep(const Picture& image, const ColourMatrix& matrix, const QString& step,
                   ImageProcesser::Failures* failures)
{
    return runStep(image, step, failures, [&](const QImage& in) { return matrix.applyTo(in); });
}

// A step that mixes neighbouring pixels: done on linear premultiplied floats.
template <typename Filter>
Picture spatialStep(const Picture& image, const QString& step, ImageProcesser::Failures* failures,
                    Filter&& filter)
{
    return runStep(image, step, failures, [&](const QImage& in) {
        LinearImage pixels(in);
        filter(pixels);
        return pixels.toImage();
    });
}

}

Picture ImageProcesser::Get_Processed_Image(const Picture& image, const ImageAdjustments& s,
                                            Failures* failures)
{
    if (image.isNull()) {
        report(failures, QStringLiteral("Get_Processed_Image"), QStringLiteral("there is no picture to adjust"));
        return {};
    }
    Picture picture = image;
    Set_Dimaension(picture);
    if (s.gray_Scale)
        picture = GrayScale(picture, failures);
    if (s.Sepia)
        picture = Sepia(picture, failures);
    if (s.invert_clr)
        picture = Invert_Color(picture, failures);
    picture = adjust_Hue(picture, s.hue_val, failures);
    picture = adjust_Color_Control(picture, s.sat_val, s.brt_val, s.con_val, failures);
    picture = adjust_Sharpness(picture, s.srp_val, failures);
    picture = adjust_boxBlur(picture, s.blr_val, failures);
    picture = adjust_EV(picture, s.ev_val, failures);

    Picture rotated = picture.imageRotated(float(s.rotate));
    if (rotated.isNull())
        report(failures, QStringLiteral("Get_Processed_Image"),
               QStringLiteral("the picture turned by %1 degrees could not be made").arg(s.rotate));
    return rotated;
}

Picture ImageProcesser::Get_Processed_Image(const Picture& image, bool grayscale, bool sepia,
                                            bool invrtclr, float hue, float sat, float brt,
                                            float con, int rotate, float r, float g, float b,
                                            float tranprency, Failures* failures)
{
    (void)tranprency;
    ImageAdjustments s;
    s.gray_Scale = grayscale;
    s.Sepia = sepia;
    s.invert_clr = invrtclr;
    s.hue_val = hue;
    s.sat_val = sat;
    s.brt_val = brt;
    s.con_val = con;
    s.rotate = rotate;
    s.srp_val = r;
    s.ev_val = g;
    s.blr_val = b;
    return Get_Processed_Image(image, s, failures);
}

Picture& ImageProcesser::Set_Dimaension(Picture& image)
{
    const QSizeF size = image.size();
    const QSizeF capped(std::min(size.width(), maxWidth), std::min(size.height(), maxHeight));
    if (capped != size)
        image.setSize(capped);
    return image;
}

Picture ImageProcesser::GrayScale(const Picture& image, Failures* failures)
{
    return colourStep(image, ColourMatrix::luminanceGrey(), QStringLiteral("GrayScale"), failures);
}

Picture ImageProcesser::Sepia(const Picture& image, Failures* failures)
{
    return colourStep(image, ColourMatrix::sepiaTone(), QStringLiteral("Sepia"), failures);
}

Picture ImageProcesser::Invert_Color(const Picture& image, Failures* failures)
{
    return colourStep(image, ColourMatrix::inverted(), QStringLiteral("Invert_Color"), failures);
}

Picture ImageProcesser::adjust_Hue(const Picture& image, float hue, Failures* failures)
{
    const QString step = QStringLiteral("adjust_Hue");
    if (hue == 0 || !usable(hue, step, failures))
        return image;
    return colourStep(image, ColourMatrix::hueRotation(hue), step, failures);
}

Picture ImageProcesser::adjust_Color_Control(const Picture& image, float sat, float brt, float con,
                                             Failures* failures)
{
    const QString step = QStringLiteral("adjust_Color_Control");
    if (sat == 1 && brt == 0 && con == 1)
        return image;
    if (!usable(sat, step, failures) || !usable(brt, step, failures)
        || !usable(con, step, failures))
        return image;
    const ColourMatrix controls = ColourMatrix::saturation(sat)
                                      .then(ColourMatrix::brightness(brt))
                                      .then(ColourMatrix::contrast(con));
    return colourStep(image, controls, step, failures);
}

Picture ImageProcesser::adjust_Sharpness(const Picture& image, float value, Failures* failures)
{
    const QString step = QStringLiteral("adjust_Sharpness");
    if (value == 0 || !usable(value, step, failures))
        return image;
    return spatialStep(image, step, failures, [&](LinearImage& pixels) { pixels.sharpenLuminance(value); });
}

Picture ImageProcesser::adjust_boxBlur(const Picture& image, float value, Failures* failures)
{
    const QString step = QStringLiteral("adjust_boxBlur");
    if (!usable(value, step, failures) || value <= 0)
        return image;
    return spatialStep(image, step, failures, [&](LinearImage& pixels) { pixels.boxBlur(value); });
}

Picture ImageProcesser::adjust_EV(const Picture& image, float value, Failures* failures)
{
    const QString step = QStringLiteral("adjust_EV");
    if (value == 0 || !usable(value, step, failures))
        return image;
    return colourStep(image, ColourMatrix::exposure(value), step, failures);
}
