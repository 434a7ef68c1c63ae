#pragma once

#include <QString>

// The canvas commands that menu items reach, and the rule that enables each
// item from what the canvas holds. Window-free, so that the rule is tested
// without a menu; the main window's menu bar asks it whenever a menu opens
// and whenever the selection or the undo history changes.
enum class CanvasCommand {
    Delete,
    Cut,
    Copy,
    Paste,
    Undo,
    Redo,
    SelectAll,
    DeselectAll,
    BringToFront,
    SendToBack,
    AlignLeftEdges,
    AlignRightEdges,
    AlignTopEdges,
    AlignBottomEdges,
    AlignHorizontalCenters,
    AlignVerticalCenters,
    AlignFormCenter,
    MakeSameWidth,
    MakeSameHeight,
    MakeNaturalSize,
    AlignWithGrid,
    ShowOrHideRulers,
};

// What the rule needs to know of a canvas at the moment a menu is shown.
struct CanvasMenuFacts {
    int selectedCount = 0;
    // At least one selected object can take a natural size.
    bool anySelectedCanMakeNaturalSize = false;
    // The grid has a usable spacing.
    bool gridCanAlign = false;
    // The window's own answers for undo and redo.
    bool canUndo = false;
    bool canRedo = false;
    bool rulersShown = false;
    // Paste would make something (CanvasController::canPaste).
    bool canPaste = false;
};

struct MenuItemState {
    bool enabled = true;
    // A new title for the item, or empty to keep its title.
    QString title;
};

class CanvasMenuValidation
{
public:
    // Whether the item of `command` is enabled, and for the ruler item its
    // title ("Hide Ruler" while the rulers are shown, "Show Ruler" while they
    // are not). Locks play no part: the commands themselves refuse or pass
    // locked objects by.
    static MenuItemState validateMenuItem(CanvasCommand command, const CanvasMenuFacts& facts);
};
