#pragma once

#include "barcodes/BarcodeSettings.h"
#include "model/SKTGraphic.h"
#include "platform/Picture.h"

#include <QRectF>

#include <utility>
#include <vector>

class SKTDocument;

// The barcode designer's OK as one undo step. Made before the designer
// opens, it keeps what the designer's OK and the copy of its settings may
// change in each object given: the barcode settings with the value's
// source, the print flag, the picture and the frame. `registerUndo` then
// records one step that brings back every object that changed, all of it
// together, and whose undo (Redo) gives the designer's result again; so the
// frame never parts from the picture it was made for.
class BarcodeDesignStep
{
public:
    explicit BarcodeDesignStep(const GraphicList& graphics);

    // Records the step with `document`'s undo manager when any object of
    // its front list changed since the step was made; the other sides record
    // no undo, as everywhere. Nothing is recorded while registration is off.
    // Whether a step was recorded.
    bool registerUndo(SKTDocument* document) const;

private:
    struct Look
    {
        BarcodeSettings settings;
        int printObject = 0;
        Picture picture;
        QRectF bounds;

        static Look of(const SKTGraphic& graphic);
        void applyTo(SKTGraphic& graphic) const;
        bool operator==(const Look& other) const;
    };
    using Looks = std::vector<std::pair<GraphicPtr, Look>>;

    // Registers the undo action that gives the objects `to` and registers
    // the way back to `from`.
    static void registerReturn(SKTDocument* document, const Looks& to, const Looks& from);

    Looks m_before;
};
