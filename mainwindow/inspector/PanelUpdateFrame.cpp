#include "mainwindow/inspector/PanelUpdateFrame.h"

#include "mainwindow/inspector/InspectorHost.h"
#include "model/UndoRegistrationPause.h"

void PanelUpdateFrame::run(InspectorHost& host, const std::function<void()>& read,
                           const std::function<void(SKTGraphic&, bool)>& write)
{
    run(host, read, write, [](const SKTGraphic&) { return true; });
}

void PanelUpdateFrame::run(InspectorHost& host, const std::function<void()>& read,
                           const std::function<void(SKTGraphic&, bool)>& write,
                           const std::function<bool(const SKTGraphic&)>& takes)
{
    // Nothing while the window goes.
    if (!host.window())
        return;
    GraphicList graphics = host.graphicsToUpdate();
    graphics.removeIf([&](const GraphicPtr& graphic) { return !graphic || !takes(*graphic); });
    if (graphics.isEmpty())
        return;
    read();
    {
        const UndoRegistrationPause noUndo(host.document());
        for (const GraphicPtr& graphic : graphics)
            write(*graphic, graphics.size() == 1);
    }
    host.finishUpdate(graphics);
}
