#pragma once

#include <QFont>
#include <QMetaType>
#include <QString>

// A font as the card model stores it: the family name the program uses
// ("Times New Roman"), the PostScript name it was read under (kept so that an
// unchanged font is written back unchanged; empty for fonts made here) and
// the size in points. QFont is only made for drawing and measuring.
class FontSpec
{
public:
    FontSpec() = default;
    FontSpec(QString family, double pointSize, QString postScriptName = {})
        : m_family(std::move(family)), m_postScriptName(std::move(postScriptName)), m_pointSize(pointSize)
    {
    }

    bool isValid() const { return !m_family.isEmpty() && m_pointSize > 0; }
    const QString& family() const { return m_family; }
    const QString& postScriptName() const { return m_postScriptName; }
    double pointSize() const { return m_pointSize; }
    FontSpec withPointSize(double size) const { return FontSpec(m_family, size, m_postScriptName); }

    // A QFont whose size is in points, so that at 72 dpi one point is one
    // pixel, as the card's coordinates are.
    QFont toQFont() const;

    bool operator==(const FontSpec& o) const = default;

private:
    QString m_family;
    QString m_postScriptName;
    double m_pointSize = 0;
};

Q_DECLARE_METATYPE(FontSpec)
