#pragma once

#include "platform/Pasteboard.h"

#include <QMimeData>
#include <memory>

// A pasteboard that keeps its contents in memory, for tests. Contents can
// also be put as another program would, without a mark (putForeign).
class MemoryPasteboard : public Pasteboard
{
public:
    const QMimeData* mimeData() const override { return m_data.get(); }
    void clear() override { m_data.reset(); }

    // Puts `data` (taken over) as it is, as another program would.
    void putForeign(QMimeData* data) { m_data.reset(data); }

protected:
    void putMimeData(QMimeData* data) override { m_data.reset(data); }

private:
    std::unique_ptr<QMimeData> m_data;
};
