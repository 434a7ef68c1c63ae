#include "model/DocumentGraphicArchive.h"

#include "model/SKTGraphic.h"

QByteArray archivedDataOfGraphic(const SKTGraphic& graphic)
{
    (void)graphic;
    return QByteArray();
}
