#include "model/DocumentGraphicArchive.h"

#include "model/SKTGraphicArchive.h"

QByteArray archivedDataOfGraphic(const SKTGraphic& graphic)
{
    return SKTGraphicArchive::archivedData(graphic);
}
