#include "mainwindow/inspector/PanelUpdateFrame.h"

#include "mainwindow/inspector/InspectorHost.h"
#include "model/UndoRegistrationPause.h"

void PanelUpdateFrame::run(InspectorHost& host, const std::function<void()>& read,
                           const std::function<void(SKTGraphic&, bool)>& write)
{
    // Nothing while the window goes.
    if (!host.window())
        return;
    const GraphicList graphics = host.graphicsToUpdate();
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
