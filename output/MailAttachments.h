#pragma once

// The card pictures a mail carries: drawn from side snapshots (one record
// bound into them, or the card as it is) and written as "<base>.jpeg" for
// the front and "<base>_Back.jpeg" for the back in a private folder of the
// send. Touches no widget and no live card object.

#include "output/BatchPictureExport.h"
#include "output/MissingPictures.h"

#include <QMutex>
#include <QString>
#include <QStringList>

class MailAttachments
{
public:
    // `folder` exists and belongs to this send; `sides` is "F", "B" or "BOTH".
    MailAttachments(const QString& folder, const QString& baseName, const QString& sides);

    QString frontPath() const;
    QString backPath() const;

    // Draws `record` (bound through `bind`; with record < 0 or no binder the
    // snapshots as they are) and writes its pictures over the last ones.
    // Returns the attachments, back before front; empty when a picture
    // could not be made or written.
    QStringList render(const SideSnapshot& front, const SideSnapshot& back,
                       const BatchPictureExport::Binder& bind, int record) const;

    // Removes the pictures.
    void clear() const;

    // The cards drawn by render() so far, in the order drawn, and those of
    // them drawn without a picture they name.
    MissingPictures missingPictures() const;

private:
    QString m_folder;
    QString m_base;
    QString m_sides;
    mutable QMutex m_picturesMutex;
    mutable MissingPictures m_pictures;
};
