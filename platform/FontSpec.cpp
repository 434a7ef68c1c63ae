#include "platform/FontSpec.h"

#include "platform/PostScriptNames.h"

QFont FontSpec::toQFont() const
{
    QFont f(m_family);
    if (m_pointSize > 0)
        f.setPointSizeF(m_pointSize);
    f.setWeight(QFont::Weight(std::clamp(m_weight, 1, 1000)));
    f.setItalic(m_italic);
    return f;
}

QString FontSpec::displayName() const
{
    const QString name =
        m_postScriptName.isEmpty() ? PostScriptNames::postScriptNameFor(m_family, m_weight, m_italic) : m_postScriptName;
    const QString installed = PostScriptNames::installedFullName(name);
    if (!installed.isEmpty())
        return installed;
    QString result = m_family;
    const QString face = PostScriptNames::faceName(m_weight, m_italic);
    if (!face.isEmpty())
        result += QLatin1Char(' ') + face;
    return result;
}
