#include "profiles/ProfilePlacement.h"

#include "app/MessageBoxes.h"
#include "canvas/CanvasController.h"
#include "canvas/ProfileObjectCommands.h"
#include "canvas/ToolTable.h"
#include "model/Globals.h"
#include "profiles/CreationToolRestore.h"
#include "profiles/ProfileFieldTable.h"
#include "profiles/ProfilePlacementHost.h"

#include <exception>

namespace {

// The field's source written into its placed object.
void bind(SKTGraphic& object, const ProfileFieldTable::Field& field, const User_Profile_Class& profile)
{
    const bool series = field.dsIn(profile);
    const bool column = field.xlIn(profile);
    if (!series && !column) {
        object.Set_Data_source_type(0);
        object.Set_Excel_binding(false);
        return;
    }
    if (series) {
        object.Set_Data_source_type(1);
        object.Set_Batch_List_Name(field.dsNameIn(profile));
        object.Set_Batch_List_Index(field.dsIndexIn(profile));
        object.Set_Excel_binding(false);
    }
    if (column) {
        object.Set_Data_source_type(2);
        object.Set_Excel_binding(true);
        object.Set_Excel_binding_Index(field.xlColumnIn(profile));
    }
}

}   // namespace

ProfilePlacement::ProfilePlacement(CanvasController& canvas, ProfilePlacementHost& host,
                                   const User_Profile_Class& profile, const QSizeF& frontCardSize)
    : m_canvas(canvas), m_host(host), m_profile(profile), m_frontCardSize(frontCardSize)
{
}

QRectF ProfilePlacement::defaultRect(const QString& controlId, const QSizeF& frontCardSize)
{
    Show_NSLog_Message(QStringLiteral("{%1, %2}").arg(frontCardSize.width()).arg(frontCardSize.height()));
    const bool landscape = frontCardSize.width() >= frontCardSize.height();
    const ProfileFieldTable::Field* field = ProfileFieldTable::fieldWithControlId(controlId);
    const QRectF frame = !field ? QRectF() : landscape ? field->landscapeFrame : field->portraitFrame;
    return QRectF(frame.x(), ProfileFieldTable::boxHeight - frame.y(), frame.width(), frame.height());
}

void ProfilePlacement::place()
{
    const CreationToolRestore keepTool(m_host);
    ProfileObjectCommands commands(m_canvas);
    try {
        commands.Hide_all_Text_control_FUP_Control();
        m_host.setSelectedControlTool(ToolTable::Text);
        for (const ProfileFieldTable::Field& field : ProfileFieldTable::fields()) {
            const QString& value = field.valueIn(m_profile);
            // A bound field's value is only its first record's: its object
            // is placed whatever that value is, so that every record shows
            // its own. Only a typed field with nothing in it is left out.
            const bool bound = field.dsIn(m_profile) || field.xlIn(m_profile);
            if (value.isEmpty() && !bound)
                continue;
            const QString controlId = QLatin1String(field.controlId);
            const bool found = commands.Selcect_Ctrl_With_ID(controlId) != nullptr;
            const QRectF rect = found ? QRectF() : defaultRect(controlId, m_frontCardSize);
            if (field.isPhoto) {
                m_host.setSelectedControlTool(ToolTable::Picture);
                setLibrarySelectedImage(value);
            }
            if (bound)
                commands.ReplaceBoundGraphic(field.className(), !found, rect, QStringLiteral("F"), value, controlId);
            else
                commands.ReplaceGraphicText(field.className(), nullptr, !found, rect, QStringLiteral("F"), value,
                                            controlId);
            if (const GraphicPtr placed = m_canvas._Selected_Graphic)
                bind(*placed, field, m_profile);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}
