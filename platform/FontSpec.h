#pragma once

#include <QFont>
#include <QMetaType>
#include <QString>

// A font as the card model stores it: the family name the program uses
// ("Times New Roman"), the face within the family (weight on the 100..900
// scale of QFont::Weight, italic or upright), the PostScript name it was read
// under (kept so that an unchanged font is written back unchanged; empty for
// fonts made here) and the size in points. QFont is only made for drawing and
// measuring.
class FontSpec
{
public:
    FontSpec() = default;
    FontSpec(QString family, double pointSize, QString postScriptName = {}, int weight = QFont::Normal,
             bool italic = false)
        : m_family(std::move(family))
        , m_postScriptName(std::move(postScriptName))
        , m_pointSize(pointSize)
        , m_weight(weight)
        , m_italic(italic)
    {
    }

    bool isValid() const { return !m_family.isEmpty() && m_pointSize > 0; }
    const QString& family() const { return m_family; }
    const QString& postScriptName() const { return m_postScriptName; }
    double pointSize() const { return m_pointSize; }
    int weight() const { return m_weight; }
    bool italic() const { return m_italic; }
    FontSpec withPointSize(double size) const { return FontSpec(m_family, size, m_postScriptName, m_weight, m_italic); }

    // A QFont of the family and face whose size is in points, so that at
    // 72 dpi one point is one pixel, as the card's coordinates are.
    QFont toQFont() const;
    // The name a user knows the face by: the installed face's full name
    // ("DejaVu Sans Bold"), else the family followed by the face ("Times New
    // Roman Bold Italic"); a regular face is the family alone.
    QString displayName() const;

    bool operator==(const FontSpec& o) const = default;

private:
    QString m_family;
    QString m_postScriptName;
    double m_pointSize = 0;
    int m_weight = QFont::Normal;
    bool m_italic = false;
};

Q_DECLARE_METATYPE(FontSpec)
