#pragma once

// Where the card pictures of an export go and which sides are drawn for
// them, as plain values: the single export of the card on screen and one
// record of a batch. Window-free; the main window draws and writes.

#include "platform/AtomicFile.h"

#include <QString>

class QImage;

struct CardExportPlan
{
    bool drawFront = false;
    bool drawBack = false;
    // One picture, the front above the back, at frontFile.
    bool combined = false;
    // The files written; empty when that side gets no file of its own.
    QString frontFile;
    QString backFile;

    // `sides` is "F", "B" or "BOTH" (anything else is "B"); `combined`
    // counts only with "BOTH".
    static CardExportPlan forPath(const QString& path, const QString& sides, bool combined);
    // Record `record` (from 0) of a batch into `folder`: "Card_<record+1>.<type>".
    static CardExportPlan forRecord(const QString& folder, int record, const QString& type,
                                    const QString& sides, bool combined);

    // The front picture's path: the path itself.
    static QString frontPath(const QString& path);
    // The back picture's path: the last component's name without its last
    // extension, "_Back", the dot and that extension; the folders kept.
    static QString backPath(const QString& path);
    // The folder a batch writes into, inside the chosen one.
    static QString batchFolder(const QString& chosen);
    // The file extension of a file type title of the export dialog.
    static QString extensionOfType(const QString& title);

    // Pixels per inch of pictures at the card's own size: one pixel a point.
    static constexpr double cardDpi = 72.0;
    // The pixel density pictures of the file type `type` (an extension) are
    // drawn at: a TIFF at `chosenDpi`, the resolution chosen in the export
    // dialog (the same size in points, that density written in the file);
    // every other type, and a TIFF without a usable choice, at cardDpi.
    static double pictureDpi(const QString& type, double chosenDpi);
};

// One picture as wide as the front and twice as high: the front in the
// upper half, the back below it, each copied unscaled from the lower-left
// corner of its half (what lies outside is cut), at the front's pixel
// density. Null when either is null.
QImage combinedCardPicture(const QImage& front, const QImage& back);

// Writes `image` to `path` atomically, encoded by the path's extension
// (png, jpeg/jpg, tiff/tif, bmp; PNG for any other). A failed write keeps
// any old file and leaves no partial one; the reason goes to `error`.
bool writeCardPicture(const QImage& image, const QString& path, QString* error = nullptr);
// The two halves of writeCardPicture, so that pictures can be encoded side
// by side and written in order: the file's bytes as the path's extension
// says (empty on failure, the reason in `error`), and those bytes written
// to `path` atomically. A batch writes only inside its folder: with
// AtomicFile::Links::Replace a link at the path is replaced itself, never
// followed to a file elsewhere.
QByteArray encodeCardPicture(const QImage& image, const QString& path, QString* error = nullptr);
bool writeCardPictureData(const QByteArray& data, const QString& path, QString* error = nullptr,
                          AtomicFile::Links links = AtomicFile::Links::Follow);
// Makes the folder `folder` (and the folders it lies in) if it is not there;
// false, with the system's reason in `error`, when it cannot be made.
bool makeCardFolder(const QString& folder, QString* error = nullptr);
