#include "mainwindow/inspector/PicturePanelRules.h"

#include "model/SKTGraphic.h"

#include <numbers>

const std::array<PicturePanelRules::Slider, 9>& PicturePanelRules::sliders()
{
    // Ranges the adjustment chain takes: hue a half turn either way,
    // saturation 0..2, brightness -1..1, contrast 0..4, sharpness 0..2,
    // exposure -10..10 stops, blur up to 100 pixels, a full turn either way.
    using S = PicturePanelState;
    using G = SKTGraphic;
    static const double pi = std::numbers::pi;
    static const std::array<Slider, 9> table {{
        {"Trsp_slidr", "Transparency", &S::transparency, &G::img_trnsp_val, 0, 100, 100, 1, 0},
        {"Rotate_slidr", "Rotation", &S::rotation, &G::rotate_image, -360, 360, 0, 1, 0},
        {"Hue_slidr", "Hue", &S::hue, &G::hue_val, -pi, pi, 0, 100, 2},
        {"Sat_slidr", "Saturation", &S::saturation, &G::sat_val, 0, 2, 1, 100, 2},
        {"Brt_slidr", "Brightness", &S::brightness, &G::brt_val, -1, 1, 0, 100, 2},
        {"Con_slidr", "Contrast", &S::contrast, &G::con_val, 0, 4, 1, 100, 2},
        {"shrp_slidr", "Sharpness", &S::sharpness, &G::srp_val, 0, 2, 0, 100, 2},
        {"ev_slidr", "Exposure", &S::exposure, &G::ev_val, -10, 10, 0, 100, 2},
        {"blr_slidr", "Blur", &S::blur, &G::blr_val, 0, 100, 0, 10, 1},
    }};
    return table;
}

const std::array<PicturePanelRules::Check, 5>& PicturePanelRules::checks()
{
    using S = PicturePanelState;
    using G = SKTGraphic;
    static const std::array<Check, 5> table {{
        {"Image_Gray_Scale_chk", "Grey scale", &S::grayScale, &G::gray_Scale},
        {"Image_Sepia_chk", "Sepia", &S::sepia, &G::Sepia},
        {"Image_Invert_chk", "Invert colours", &S::invert, &G::invert_clr},
        {"Image_FIV_chk", "Flip vertically", &S::flipVertical, &G::_isFlippedVertically},
        {"Image_FIH_chk", "Flip horizontally", &S::flipHorizontal, &G::_isFlippedHorizontally},
    }};
    return table;
}

PicturePanelState PicturePanelRules::fromGraphic(const SKTGraphic& graphic)
{
    PicturePanelState state;
    state.printObject = graphic.print_object;
    state.path = graphic._file_path;
    state.border = PanelBorder::fromGraphic(graphic);
    for (const Check& check : checks())
        state.*check.state = graphic.*check.field;
    for (const Slider& slider : sliders())
        state.*slider.state = graphic.*slider.field;
    return state;
}

void PicturePanelRules::applyTo(const PicturePanelState& state, SKTGraphic& graphic, bool onlyOneSelected)
{
    // Every selected object gets the path, as the panel shows one path.
    (void)onlyOneSelected;
    graphic.print_object = state.printObject;
    state.border.applyTo(graphic);
    for (const Check& check : checks())
        graphic.*check.field = state.*check.state;
    for (const Slider& slider : sliders())
        graphic.*slider.field = float(state.*slider.state);
    graphic._file_path = state.path;
}

void PicturePanelRules::resetAdjustments(PicturePanelState& state)
{
    for (const Slider& slider : sliders())
        state.*slider.state = slider.neutral;
    for (const Check& check : checks())
        state.*check.state = false;
}
