#pragma once

#include <QByteArray>

class SKTGraphic;

// The card object archive of one object, as the document data stores it
// under "graphics". Empty until the card object archive is written.
QByteArray archivedDataOfGraphic(const SKTGraphic& graphic);
