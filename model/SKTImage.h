#pragma once

#include "model/AdjustedPictureCache.h"
#include "model/ReducedPictureCache.h"
#include "model/SKTGraphic.h"

// A picture object: a picture file drawn over its bounds through the
// picture adjustments, mirrored by its flip flags and with its opacity.
class SKTImage : public SKTGraphic
{
public:
    SKTImage();
    explicit SKTImage(const GraphicDefaults& defaults);
    ~SKTImage() override;

    Kind kind() const override { return Kind::Image; }
    QString className() const override { return QStringLiteral("SKTImage"); }
    GraphicPtr deepCopy() const override;

    // The picture as read from the file, its size in points capped at
    // 724 x 468 (each side on its own); null when there is none.
    Picture _contents;

    // Shows the picture file at `path`, its size centred on `point`. (The
    // canvas that makes the object resets the window's picture controls.)
    void initWithPath(const QPointF& point, const QString& path);
    // Shows `contents` (the file is the one named by `Library_Selected_Image`),
    // its size centred on `point`.
    void initWithPosition(const QPointF& point, const Picture& contents);

    // Records `path` as the object's file and reads the picture from it
    // ("~" expanded, "." and ".." resolved); an unreadable file leaves the
    // object without a picture.
    void setFilePath(const QString& path) override;
    // Keeps `picture` as the object's picture (its size capped).
    void setContents(const Picture& picture);
    // Shown and naming a file, yet without a picture: it draws at most its
    // frame. An object without a file path draws nothing and lacks nothing.
    bool drawsWithoutPicture() const { return ctrl_is_visible && !_file_path.isEmpty() && _contents.isNull(); }

    // The published keys of the flips ("flippedHorizontally",
    // "flippedVertically") notify their observers and those of
    // "drawingContents".
    static const QString flippedHorizontallyKey;
    static const QString flippedVerticallyKey;
    void setFlippedHorizontally(bool flipped) override;
    void setFlippedVertically(bool flipped) override;
    void flipHorizontally() override { setFlippedHorizontally(!_isFlippedHorizontally); }
    void flipVertically() override { setFlippedVertically(!_isFlippedVertically); }

    // Sets the size to the picture's and clears both flips; a locked picture,
    // or one without a picture, keeps its bounds.
    void makeNaturalSize() override;
    GraphicPtr copy() const override;

    bool isDrawingFill() const override { return false; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }

    // The base's properties plus "contents" (the archived picture, present
    // only when there is one), "flippedHorizontally" and "flippedVertically".
    QVariantMap properties() const override;
    // Takes each of those entries only when it is of the right kind.
    void initWithProperties(const QVariantMap& properties) override;

    QVariant valueForKey(const QString& key) const override;
    void setValueForKey(const QVariant& value, const QString& key) override;
    QStringList keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;
    QStringList keyPathsForValuesAffectingValueForKey(const QString& key) const override;

    // The object's adjustment settings as the chain takes them.
    ImageAdjustments adjustmentSettings() const;
    // The picture drawn: `_contents` through the adjustments, kept from the
    // last draw while neither the picture nor the settings changed.
    Picture adjustedPicture();

    // What goes into PDF files and print jobs: the adjusted picture with no
    // more pixels than `printDpi` needs for `printedPoints` (the bounds' size
    // when empty; the adjusted picture itself when it has no more), made by
    // area averaging and kept, like the adjusted picture, by the object's
    // copies.
    Picture printedPicture(const QSizeF& printedPoints = QSizeF());
    static constexpr double printDpi = 300.0;
    // The pixels a picture of `pixels` gets for a drawing of `points`.
    static QSize printedPixels(const QSize& pixels, const QSizeF& points);

    // The adjusted picture as a window shows it at `devicePixels` (the
    // bounds' size on the screen): while the whole adjusted picture is not
    // made yet, the source is first reduced to about that size and then
    // adjusted, which takes a fraction of the time for a large photo; the
    // whole picture is made when output asks for it (adjustedPicture).
    Picture shownPicture(const QSizeF& devicePixels);

    // Nothing when hidden or without a file path; otherwise the frame, then
    // the whole adjusted picture stretched over the bounds (the printed
    // picture into PDF files and print jobs, the shown picture in windows).
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // Makes the adjusted and the printed picture.
    void prepareForOutput() override;

private:
    void placeCentredOn(const QPointF& point);

    Picture m_printed;
    qint64 m_printedKey = 0;

    AdjustedPictureCache m_adjusted;
    ReducedPictureCache m_drawn;
    // The source reduced for the screen, and its adjusted picture.
    Picture m_shownSource;
    qint64 m_shownSourceKey = 0;
    AdjustedPictureCache m_shown;
};
