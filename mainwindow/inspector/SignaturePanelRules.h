#pragma once

#include "mainwindow/inspector/SignaturePanelState.h"

class SKTGraphic;

// The rules of the signature (and fingerprint) panel, without a window.
class SignaturePanelRules
{
public:
    // The panel showing a signature object, its file path included (so that
    // a later change of the panel does not give it the path of the
    // signature shown before).
    static SignaturePanelState fromGraphic(const SKTGraphic& graphic);
    // Writes the whole panel into one selected object: print flag, border,
    // line style and the path (the picture is read from it when the object
    // is drawn next).
    static void applyTo(const SignaturePanelState& state, SKTGraphic& graphic, bool onlyOneSelected);
};
