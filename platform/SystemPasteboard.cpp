#include "platform/SystemPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
QClipboard* clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}
}

const QMimeData* SystemPasteboard::mimeData() const
{
    QClipboard* c = clipboard();
    return c ? c->mimeData(QClipboard::Clipboard) : nullptr;
}

void SystemPasteboard::clear()
{
    if (QClipboard* c = clipboard())
        c->clear(QClipboard::Clipboard);
}

void SystemPasteboard::putMimeData(QMimeData* data)
{
    if (QClipboard* c = clipboard())
        c->setMimeData(data, QClipboard::Clipboard);
    else
        delete data;
}
