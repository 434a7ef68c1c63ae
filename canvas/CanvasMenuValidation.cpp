#include "canvas/CanvasMenuValidation.h"

#include <QCoreApplication>

MenuItemState CanvasMenuValidation::validateMenuItem(CanvasCommand command, const CanvasMenuFacts& facts)
{
    MenuItemState state;
    switch (command) {
    case CanvasCommand::MakeNaturalSize:
        state.enabled = facts.anySelectedCanMakeNaturalSize;
        break;
    case CanvasCommand::AlignWithGrid:
        state.enabled = facts.gridCanAlign && facts.selectedCount > 0;
        break;
    case CanvasCommand::Delete:
    case CanvasCommand::BringToFront:
    case CanvasCommand::SendToBack:
    case CanvasCommand::Cut:
    case CanvasCommand::Copy:
        state.enabled = facts.selectedCount > 0;
        break;
    case CanvasCommand::AlignLeftEdges:
    case CanvasCommand::AlignRightEdges:
    case CanvasCommand::AlignTopEdges:
    case CanvasCommand::AlignBottomEdges:
    case CanvasCommand::AlignHorizontalCenters:
    case CanvasCommand::AlignVerticalCenters:
    case CanvasCommand::MakeSameWidth:
    case CanvasCommand::MakeSameHeight:
        state.enabled = facts.selectedCount >= 2;
        break;
    case CanvasCommand::Undo:
        state.enabled = facts.canUndo;
        break;
    case CanvasCommand::Redo:
        state.enabled = facts.canRedo;
        break;
    case CanvasCommand::ShowOrHideRulers:
        state.title = facts.rulersShown ? QCoreApplication::translate("SKTGraphicView", "Hide Ruler")
                                        : QCoreApplication::translate("SKTGraphicView", "Show Ruler");
        break;
    case CanvasCommand::Paste:
        state.enabled = facts.canPaste;
        break;
    case CanvasCommand::SelectAll:
    case CanvasCommand::DeselectAll:
    case CanvasCommand::AlignFormCenter:
        break;
    }
    return state;
}
