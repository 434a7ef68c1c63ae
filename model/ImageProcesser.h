#pragma once

#include "model/ImageAdjustments.h"
#include "platform/Picture.h"

#include <QString>
#include <vector>

// The adjustment chain of picture objects: class operations only. Each step
// works on its own copy of the pixels in linear light and hands 8-bit pixels
// to the next; a step whose setting changes nothing returns its input as it
// is, without copying. Every operation is reentrant and touches no widget,
// so pictures can be adjusted on worker threads.
//
// Failures are never shown from here (the chain runs while drawing): they
// are handed back in a list for the caller to report once and log.
class ImageProcesser
{
public:
    struct StepFailure
    {
        QString step;      // the operation's name, as the user is told it
        QString reason;
    };
    using Failures = std::vector<StepFailure>;

    // Largest logical size of a picture, in points.
    static constexpr double maxWidth = 724;
    static constexpr double maxHeight = 468;

    ImageProcesser() = delete;

    // The whole chain: size cap, grey scale, sepia, invert (each when
    // switched on), hue, colour controls, sharpness, blur, exposure and
    // rotation, in this order. A step that fails passes its input on and
    // adds its failure to `failures`; the chain goes on. When there is no
    // picture, or the rotation cannot be made, the result is a null picture
    // and the failure is listed under "Get_Processed_Image".
    //
    // The picture object keeps its own picture capped (Set_Dimaension) so
    // its natural size is the capped one; the chain caps its copy as well.
    static Picture Get_Processed_Image(const Picture& image, const ImageAdjustments& settings,
                                       Failures* failures = nullptr);
    // The same with one argument per setting; `tranprency` is not used here
    // (the picture object applies it when drawing).
    static Picture Get_Processed_Image(const Picture& image, bool grayscale, bool sepia,
                                       bool invrtclr, float hue, float sat, float brt, float con,
                                       int rotate, float r, float g, float b, float tranprency,
                                       Failures* failures = nullptr);

    // Caps the logical size at maxWidth x maxHeight, each side on its own
    // (the proportions are not kept). The pixels stay as they are.
    static Picture& Set_Dimaension(Picture& image);

    // Luminance in every channel (a neutral grey tint).
    static Picture GrayScale(const Picture& image, Failures* failures = nullptr);
    static Picture Sepia(const Picture& image, Failures* failures = nullptr);
    static Picture Invert_Color(const Picture& image, Failures* failures = nullptr);
    // Turns the hues by `hue` radians.
    static Picture adjust_Hue(const Picture& image, float hue, Failures* failures = nullptr);
    // Saturation (1 keeps), then brightness (0 keeps), then contrast about
    // the middle of linear light (1 keeps).
    static Picture adjust_Color_Control(const Picture& image, float sat, float brt, float con,
                                        Failures* failures = nullptr);
    // Unsharp mask on luminance; 0 keeps.
    static Picture adjust_Sharpness(const Picture& image, float value, Failures* failures = nullptr);
    // Box blur of `value` pixels' radius; 0 or less keeps.
    static Picture adjust_boxBlur(const Picture& image, float value, Failures* failures = nullptr);
    // Multiplies linear light by 2^value.
    static Picture adjust_EV(const Picture& image, float value, Failures* failures = nullptr);
};
