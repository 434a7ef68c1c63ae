#include "mainwindow/inspector/PanelUpdateFrame.h"

#include "mainwindow/SKTWindowController.h"
#include "model/UndoRegistrationPause.h"

void PanelUpdateFrame::run(SKTWindowController& controller, const std::function<void()>& read,
                           const std::function<void(SKTGraphic&, bool)>& write)
{
    // Nothing while the window goes.
    if (!controller.window())
        return;
    const GraphicList graphics = controller.graphicsToUpdate();
    if (graphics.isEmpty())
        return;
    read();
    {
        const UndoRegistrationPause noUndo(controller.document());
        for (const GraphicPtr& graphic : graphics)
            write(*graphic, graphics.size() == 1);
    }
    controller.finishUpdate(graphics);
}
