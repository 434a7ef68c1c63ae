#pragma once

// Lets the user choose a font, starting from the current one. The desktop's
// font dialog by default; tests replace the handler to answer with a
// scripted font.

#include "platform/FontSpec.h"

#include <functional>
#include <optional>

class QFont;
class QWidget;

class FontChooser
{
public:
    // The chosen font, or nothing when the chooser was cancelled.
    using Handler = std::function<std::optional<FontSpec>(const FontSpec& current)>;

    static std::optional<FontSpec> chooseFont(QWidget* parent, const FontSpec& current);

    // The font the dialog opens on: `current`, or, for a family that is not
    // installed under its own name (a design's "Times New Roman" drawn with
    // its metric twin), the family that draws it.
    static QFont dialogStartFont(const FontSpec& current);
    // The answer for the dialog's `chosen` font and face (weight, italic): a
    // family and face kept as they were (the family under its own name or
    // the one that draws it) keep the name they were read under, so an
    // unchanged font is written back as it came.
    static FontSpec answerFor(const FontSpec& current, const QFont& chosen);

    // Replaces the chooser; an empty handler brings back the dialog.
    static void setHandler(Handler handler);
};
