#include "mainwindow/inspector/PanelUpdateFrame.h"

#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"

namespace {

// Undo registration of a document off for as long as it lives.
class UndoPause
{
public:
    explicit UndoPause(SKTDocument* document) : m_document(document)
    {
        if (m_document)
            m_document->Enable_Disable_Undo_Registraion(false);
    }
    ~UndoPause()
    {
        if (m_document)
            m_document->Enable_Disable_Undo_Registraion(true);
    }
    UndoPause(const UndoPause&) = delete;
    UndoPause& operator=(const UndoPause&) = delete;

private:
    SKTDocument* m_document;
};

}

void PanelUpdateFrame::run(SKTWindowController& controller, const std::function<void(SKTGraphic&, bool)>& write)
{
    // Nothing while the window goes.
    if (!controller.window())
        return;
    const GraphicList graphics = controller.graphicsToUpdate();
    if (graphics.isEmpty())
        return;
    {
        const UndoPause noUndo(controller.document());
        for (const GraphicPtr& graphic : graphics)
            write(*graphic, graphics.size() == 1);
    }
    controller.finishUpdate(graphics);
}
