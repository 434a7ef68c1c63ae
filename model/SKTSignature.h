#pragma once

#include "model/ReducedPictureCache.h"
#include "model/SKTGraphic.h"

#include <optional>

// A signature ("S") or fingerprint ("F") picture, stretched over the bounds
// without adjustments, mirroring or transparency.
class SKTSignature : public SKTGraphic
{
public:
    SKTSignature();
    explicit SKTSignature(const GraphicDefaults& defaults);
    ~SKTSignature() override;

    Kind kind() const override { return Kind::Signature; }
    QString className() const override { return QStringLiteral("SKTSignature"); }
    GraphicPtr deepCopy() const override;

    // The path that stands for the sample picture of the object's kind.
    static inline const QString defaultPathName = QStringLiteral("Default");

    // The picture shown and the path it was read from (none until a picture
    // was read or given).
    Picture _contents_img;
    std::optional<QString> file_path;

    // Shows `contents` as the sample of kind `sign_or_FP` ("S" signature, any
    // other a fingerprint): the object's file becomes that sample's path. The
    // picture's size is centred on `point`. (The canvas that makes the
    // object resets the window's picture controls.)
    void initWithPosition(const QPointF& point, const Picture& contents, const QString& sign_or_FP);
    // Shows the picture file at `path` as kind `sign_or_FP`, its size
    // centred on `point`.
    void initWithPath(const QPointF& point, const QString& path, const QString& sign_or_FP);

    // The resource path of the sample picture of a kind: "sign_sample.png"
    // for "S", "fingerprints.png" for any other.
    static QString samplePath(const QString& sign_or_FP);
    // Reads the picture at `path` ("Default": the sample of the object's
    // kind) and records the path as the object's file; an unreadable file
    // leaves the object without a picture.
    void setFilePath(const QString& path) override;

    bool isDrawingFill() const override { return false; }

    // Nothing when hidden. A file path that differs from the one the picture
    // was read from (a design read back, a path set by the inspector) is read
    // first; then the frame and the whole picture stretched over the bounds.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

private:
    void placeCentredOn(const QPointF& point);

    ReducedPictureCache m_drawn;
};
