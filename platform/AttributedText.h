#pragma once

#include "platform/Colour.h"
#include "platform/FontSpec.h"

#include <QString>

// The text of a text object: its characters with one font and one foreground
// colour for the whole run. Card objects hold it through a shared pointer, so
// that an editor and the object work on the same text.
class AttributedText
{
public:
    AttributedText() = default;
    AttributedText(QString text, FontSpec font, Colour foreground)
        : m_text(std::move(text)), m_font(std::move(font)), m_foreground(foreground)
    {
    }

    const QString& string() const { return m_text; }
    void setString(const QString& text) { m_text = text; }
    int length() const { return int(m_text.size()); }

    const FontSpec& font() const { return m_font; }
    void setFont(const FontSpec& font) { m_font = font; }

    const Colour& foregroundColour() const { return m_foreground; }
    void setForegroundColour(const Colour& colour) { m_foreground = colour; }

    bool operator==(const AttributedText& o) const = default;

private:
    QString m_text;
    FontSpec m_font;
    Colour m_foreground;
};
