#include "mainwindow/inspector/SignaturePanelRules.h"

#include "model/SKTGraphic.h"

SignaturePanelState SignaturePanelRules::fromGraphic(const SKTGraphic& graphic)
{
    SignaturePanelState state;
    state.printObject = graphic.print_object;
    state.border = PanelBorder::fromGraphic(graphic);
    state.path = graphic._file_path;
    return state;
}

void SignaturePanelRules::applyTo(const SignaturePanelState& state, SKTGraphic& graphic, bool onlyOneSelected)
{
    (void)onlyOneSelected;
    graphic.print_object = state.printObject;
    state.border.applyTo(graphic);
    graphic._file_path = state.path;
}
