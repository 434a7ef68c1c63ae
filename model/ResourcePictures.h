#pragma once

#include "platform/Picture.h"

#include <QString>

// The pictures of the resource folder (`Resource_Path`) that card objects
// show before they have pictures of their own.
class ResourcePictures
{
public:
    ResourcePictures() = delete;

    static inline const QString placeholderName = QStringLiteral("no.png");
    static inline const QString signatureSampleName = QStringLiteral("sign_sample.png");
    static inline const QString fingerprintSampleName = QStringLiteral("fingerprints.png");
    static inline const QString barcodeSampleName = QStringLiteral("barcode_sample.png");

    // The path of `name` in the resource folder, with exactly one separator
    // between the folder and the name (the folder may be given with or
    // without a trailing "/"); the name alone when no folder is set.
    static QString path(const QString& name);

    // The picture of `name` in the resource folder; null when it is missing
    // or unreadable. A file is read once and shared until it changes on
    // disk. Safe to call from any thread.
    static Picture picture(const QString& name);
};
