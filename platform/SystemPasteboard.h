#pragma once

#include "platform/Pasteboard.h"

// The pasteboard over the system clipboard (QClipboard). Needs a
// QGuiApplication; without one it stays empty.
class SystemPasteboard : public Pasteboard
{
public:
    const QMimeData* mimeData() const override;
    void clear() override;

protected:
    void putMimeData(QMimeData* data) override;
};
