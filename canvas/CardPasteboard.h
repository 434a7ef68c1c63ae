#pragma once

#include "model/SKTGraphic.h"

#include <QImage>
#include <QString>

class CanvasHost;
class QMimeData;

// What the canvas puts on the pasteboard and takes from it: card objects in
// their own type, with a PDF and a TIFF of them for other programs, and
// pictures that other programs put there.
class CardPasteboard
{
public:
    // The card objects' own type (their pasteboard data).
    static QString graphicsType();
    static QString pdfType();         // "application/pdf"
    static QString tiffType();        // "image/tiff"
    static QString fileNamesType();   // "text/uri-list"

    // The contents of a copy of `graphics` (in list order), in this order:
    // the card objects, a PDF page of the card with the base `host` draws and
    // the objects, and a TIFF of the objects alone. The copied objects bound
    // to a spreadsheet column carry its title from `host`'s table; one whose
    // column that table does not have takes no column. A PDF or TIFF that cannot
    // be made (no host, no object covering anything) is left out rather than
    // offered empty.
    static QMimeData* mimeDataWithGraphics(CanvasHost* host, const GraphicList& graphics);
    // The objects as the pasteboard takes them: those bound to a column of
    // the table titled `columnTitles` (the row-number column first) are
    // copies carrying its title; the others are the objects themselves.
    static GraphicList withColumnTitles(const GraphicList& graphics, const QStringList& columnTitles);

    // What a paste of `data` makes: card objects when the contents offer
    // the card objects' type; nothing when they offer file names (a file
    // name alone is never pasted); a picture object when they offer a
    // picture in a format that can be read; otherwise nothing. Paste, the
    // Edit menu's item and the Paste button all go by this answer. It looks
    // at the formats offered only, so it stays cheap for a large picture.
    enum class PasteContents { Nothing, Graphics, Picture };
    static PasteContents pasteContents(const QMimeData* data);

    // A picture the contents offer, in any picture format that can be read;
    // null when there is none.
    static QImage pictureFromMimeData(const QMimeData* data);

    // Keeps a pasted picture as a new PNG file in the "LibraryImage" folder
    // of the resource folder, so that the picture object made from it draws
    // and is saved like any other; the file's path, or "" when it cannot be
    // written.
    static QString storePastedPicture(const QImage& picture);
};
