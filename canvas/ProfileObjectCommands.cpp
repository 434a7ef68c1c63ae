#include "canvas/ProfileObjectCommands.h"

#include "app/MessageBoxes.h"
#include "canvas/CanvasController.h"
#include "model/PicturePath.h"
#include "model/SKTDocument.h"
#include "model/UndoRegistrationPause.h"

#include <QFileInfo>

namespace {

const QString textClassName = QStringLiteral("SKTText");
const QString pictureClassName = QStringLiteral("SKTImage");

}   // namespace

const QStringList& ProfileObjectCommands::profileControlIDs()
{
    static const QStringList ids {"Fup_Name",    "Fup_Title",   "Fup_Company", "Fup_CompanySlogan",
                                  "Fup_Address", "Fup_PhoneNO", "Fup_FaxNo",   "Fup_EmailID",
                                  "Fup_Website", "Fup_UniqueNo", "Fup_Photo"};
    return ids;
}

bool ProfileObjectCommands::isTextOrPictureObject(const SKTGraphic& graphic)
{
    const QString name = graphic.className();
    return name == textClassName || name == pictureClassName;
}

GraphicPtr ProfileObjectCommands::Selcect_Ctrl_With_ID(const QString& identifier) const
{
    if (identifier.isEmpty())
        return nullptr;
    for (const GraphicPtr& g : m_canvas.graphics()) {
        if (g && isTextOrPictureObject(*g) && g->control_ID == identifier)
            return g;
    }
    return nullptr;
}

void ProfileObjectCommands::ReplaceGraphicText(const QString& className, const CanvasMouseEvent* withEvent,
                                               bool use_rect, const QRectF& bound_rect, const QString& card_side,
                                               const QString& ctrl_value, const QString& ctrl_ID)
{
    // A refill never follows the mouse: the event is not used.
    (void)withEvent;
    const GraphicPtr graphic = Selcect_Ctrl_With_ID(ctrl_ID);
    if (!graphic) {
        m_canvas.createGraphicOfClass(className, nullptr, use_rect, bound_rect, card_side, ctrl_value, ctrl_ID);
        return;
    }
    if (className == textClassName)
        refillText(graphic, ctrl_value);
    else if (className == pictureClassName)
        refillPicture(graphic, ctrl_value);
    if (!m_canvas.editingGraphic())
        m_canvas.startEditingGraphic(graphic);
    m_canvas._Selected_Graphic = graphic;
}

void ProfileObjectCommands::ReplaceBoundGraphic(const QString& className, bool use_rect, const QRectF& bound_rect,
                                                const QString& card_side, const QString& ctrl_value,
                                                const QString& ctrl_ID)
{
    GraphicPtr graphic = Selcect_Ctrl_With_ID(ctrl_ID);
    if (!graphic) {
        m_canvas.createGraphicOfClass(className, nullptr, use_rect, bound_rect, card_side, ctrl_value, ctrl_ID);
        graphic = m_canvas._Selected_Graphic;
        if (!graphic)
            return;
    }
    showBoundValue(graphic, ctrl_value);
    if (!m_canvas.editingGraphic())
        m_canvas.startEditingGraphic(graphic);
    m_canvas._Selected_Graphic = graphic;
}

void ProfileObjectCommands::showBoundValue(const GraphicPtr& graphic, const QString& value)
{
    UndoRegistrationPause pause(m_canvas.document());
    if (graphic->className() == textClassName) {
        graphic->Text_Value = value;
        graphic->setIsDrawingStroke(false);
        graphic->setIsDrawingFill(false);
        graphic->Text_contents()->setString(value);
    } else if (graphic->className() == pictureClassName) {
        // A missing picture shows as none, as a batch record without one
        // does.
        graphic->setFilePath(value);
    }
    graphic->Set_Ctrl_Is_Visible(true);
    m_canvas.invalidateHandlesOfGraphics({graphic});
}

void ProfileObjectCommands::refillText(const GraphicPtr& graphic, const QString& text)
{
    if (text.isEmpty())
        return;
    UndoRegistrationPause pause(m_canvas.document());
    graphic->Text_Value = text;
    graphic->setIsDrawingStroke(false);
    graphic->setIsDrawingFill(false);
    // The storage keeps its font and colour; only its characters change.
    graphic->Text_contents()->setString(text);
    graphic->Set_Ctrl_Is_Visible(true);
    m_canvas.invalidateHandlesOfGraphics({graphic});
}

void ProfileObjectCommands::refillPicture(const GraphicPtr& graphic, const QString& path)
{
    // A file that is not a picture would leave the object showing nothing,
    // so it is treated like a missing one.
    const QString file = PicturePath::standardized(path);
    if (!QFileInfo(file).isFile() || Picture::fromFile(file).isNull()) {
        Show_NSLog_Message(path);
        return;
    }
    graphic->setFilePath(path);
    graphic->Set_Ctrl_Is_Visible(true);
    m_canvas.invalidateHandlesOfGraphics({graphic});
}

void ProfileObjectCommands::Hide_all_Text_control_FUP_Control()
{
    GraphicList hidden;
    for (const GraphicPtr& g : m_canvas.graphics()) {
        if (g && isTextOrPictureObject(*g) && profileControlIDs().contains(g->control_ID)) {
            g->Set_Ctrl_Is_Visible(false);
            hidden.append(g);
        }
    }
    m_canvas.invalidateHandlesOfGraphics(hidden);
}

void ProfileObjectCommands::delete_all_Text_control()
{
    const GraphicList list = m_canvas.graphics();
    IndexSet indexes;
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i) && isTextOrPictureObject(*list.at(i)))
            indexes.add(i);
    }
    if (!indexes.isEmpty())
        m_canvas.removeGraphicsAtIndexes(indexes);
}
