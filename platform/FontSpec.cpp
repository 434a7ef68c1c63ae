#include "platform/FontSpec.h"

QFont FontSpec::toQFont() const
{
    QFont f(m_family);
    if (m_pointSize > 0)
        f.setPointSizeF(m_pointSize);
    return f;
}
