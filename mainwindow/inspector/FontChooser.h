#pragma once

// Lets the user choose a font, starting from the current one. The desktop's
// font dialog by default; tests replace the handler to answer with a
// scripted font.

#include "platform/FontSpec.h"

#include <functional>
#include <optional>

class QWidget;

class FontChooser
{
public:
    // The chosen font, or nothing when the chooser was cancelled.
    using Handler = std::function<std::optional<FontSpec>(const FontSpec& current)>;

    static std::optional<FontSpec> chooseFont(QWidget* parent, const FontSpec& current);

    // Replaces the chooser; an empty handler brings back the dialog.
    static void setHandler(Handler handler);
};
