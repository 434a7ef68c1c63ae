#include "data/TextPool.h"

QStringView TextPool::at(qsizetype index) const
{
    const qsizetype start = index == 0 ? 0 : m_ends.at(index - 1);
    return QStringView(m_text).mid(start, m_ends.at(index) - start);
}

qsizetype TextPool::length(qsizetype index) const
{
    return m_ends.at(index) - (index == 0 ? 0 : m_ends.at(index - 1));
}

void TextPool::append(QStringView text)
{
    m_text.append(text);
    m_ends.append(m_text.size());
}

void TextPool::clear()
{
    m_text = QString();
    m_ends = QList<qsizetype>();
}
