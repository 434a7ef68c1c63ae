#include "mainwindow/inspector/BarcodeDesignStep.h"

#include "model/SKTDocument.h"
#include "model/UndoRegistrationPause.h"
#include "platform/UndoManager.h"

BarcodeDesignStep::BarcodeDesignStep(const GraphicList& graphics)
{
    for (const GraphicPtr& graphic : graphics) {
        if (graphic)
            m_before.emplace_back(graphic, Look::of(*graphic));
    }
}

BarcodeDesignStep::Look BarcodeDesignStep::Look::of(const SKTGraphic& graphic)
{
    return {BarcodeSettings::fromObject(graphic), graphic.print_object, graphic._barcode_image, graphic.bounds()};
}

void BarcodeDesignStep::Look::applyTo(SKTGraphic& graphic) const
{
    settings.writeTo(graphic);
    graphic.Set_Data_source_type(settings.data_source_type);
    graphic.Set_Batch_List_Name(settings.batch_list_name);
    graphic.Set_Batch_List_Index(settings.batch_list_index);
    graphic.Set_Excel_binding_Index(settings.excel_col_indx);
    graphic.print_object = printObject;
    graphic.Set_Barcode_image(picture);
    // Last, so the canvases draw the object again with its picture.
    graphic.setBounds(bounds);
}

bool BarcodeDesignStep::Look::operator==(const Look& other) const
{
    return settings == other.settings && printObject == other.printObject && bounds == other.bounds
        && picture.size() == other.picture.size() && picture.image() == other.picture.image();
}

bool BarcodeDesignStep::registerUndo(SKTDocument* document) const
{
    UndoManager* undo = document ? document->undoManager() : nullptr;
    if (!undo || !undo->isUndoRegistrationEnabled())
        return false;
    const GraphicList front = document->graphics();
    Looks before;
    Looks after;
    for (const auto& [graphic, look] : m_before) {
        const Look now = Look::of(*graphic);
        if (front.contains(graphic) && !(now == look)) {
            before.emplace_back(graphic, look);
            after.emplace_back(graphic, now);
        }
    }
    if (before.empty())
        return false;
    undo->beginUndoGrouping();
    registerReturn(document, before, after);
    undo->endUndoGrouping();
    return true;
}

void BarcodeDesignStep::registerReturn(SKTDocument* document, const Looks& to, const Looks& from)
{
    // The undo manager belongs to the document, so its actions never
    // outlive it.
    document->undoManager()->registerUndo([document, to, from] {
        {
            // The frame's change is part of this step, not one of its own.
            const UndoRegistrationPause quiet(document);
            for (const auto& [graphic, look] : to)
                look.applyTo(*graphic);
        }
        registerReturn(document, from, to);
    });
}
