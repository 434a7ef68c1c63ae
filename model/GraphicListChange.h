#pragma once

#include "model/SKTGraphic.h"
#include "platform/IndexSet.h"

#include <QString>

// What changed in one of a document's object lists, as its observers (the
// canvases) are told after the change: the list's key ("graphics",
// "graphics_back" or "graphics_temp"), whether objects were inserted or
// removed, their indexes (after an insertion: in the list as it is now;
// before a removal: in the list as it was) and the objects themselves.
struct GraphicListChange {
    enum class Kind { Insertion, Removal };

    QString key;
    Kind kind = Kind::Insertion;
    IndexSet indexes;
    GraphicList graphics;   // in index order
};
