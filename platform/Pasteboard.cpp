#include "platform/Pasteboard.h"

#include "platform/SystemPasteboard.h"

#include <QMimeData>
#include <QUuid>

const QString Pasteboard::changeMarkType = QStringLiteral("application/x-brightfold-pasteboard-change");

namespace {
Pasteboard* s_installed = nullptr;
}

void Pasteboard::setContents(QMimeData* data)
{
    if (!data)
        data = new QMimeData;
    m_putMark = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    data->setData(changeMarkType, m_putMark);
    putMimeData(data);
}

void Pasteboard::clearOwnContents()
{
    if (!m_putMark.isEmpty() && dataForType(changeMarkType) == m_putMark)
        clear();
}

qint64 Pasteboard::changeCount()
{
    const QByteArray mark = dataForType(changeMarkType);
    if (mark != m_lastMark) {
        m_lastMark = mark;
        ++m_changeCount;
    }
    return m_changeCount;
}

QString Pasteboard::availableTypeFromArray(const QStringList& types) const
{
    const QMimeData* data = mimeData();
    if (!data)
        return QString();
    for (const QString& type : types) {
        if (data->hasFormat(type))
            return type;
    }
    return QString();
}

QByteArray Pasteboard::dataForType(const QString& type) const
{
    const QMimeData* data = mimeData();
    return data && data->hasFormat(type) ? data->data(type) : QByteArray();
}

Pasteboard& Pasteboard::general()
{
    if (s_installed)
        return *s_installed;
    static SystemPasteboard system;
    return system;
}

void Pasteboard::install(Pasteboard* pasteboard)
{
    s_installed = pasteboard;
}
