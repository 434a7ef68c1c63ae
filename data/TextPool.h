#pragma once

// Many texts kept one after another in one buffer: an entry costs its
// characters and the place where it ends, not a string object of its own.
// The shared strings of a workbook are read into one; millions of short
// entries then take tens of megabytes instead of hundreds.

#include <QList>
#include <QString>
#include <QStringView>

class TextPool
{
public:
    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }
    // The characters of all entries together.
    qsizetype textLength() const { return m_text.size(); }

    // Entry `index` (0 <= index < size()); valid until the pool changes.
    QStringView at(qsizetype index) const;
    QString value(qsizetype index) const { return at(index).toString(); }
    qsizetype length(qsizetype index) const;
    // Where entry `index` starts in text().
    qsizetype start(qsizetype index) const { return index == 0 ? 0 : m_ends.at(index - 1); }
    // The characters of all entries together.
    const QString& text() const { return m_text; }

    void append(QStringView text);
    // Empties the pool and gives its buffers back.
    void clear();

    bool operator==(const TextPool& other) const { return m_ends == other.m_ends && m_text == other.m_text; }

private:
    QString m_text;
    QList<qsizetype> m_ends;
};
