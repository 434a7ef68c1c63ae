#pragma once

#include "model/SKTGraphic.h"

#include <QSizeF>

// A text object: the characters of its text storage, trimmed and changed to
// its case, drawn in its own font, colour, alignment and letter spacing
// inside its bounds, over an optional background and inside an optional
// frame. Only the characters of the storage reach the card; its font is
// what the natural size is measured with.
class SKTText : public SKTGraphic
{
public:
    SKTText();
    explicit SKTText(const GraphicDefaults& defaults);
    ~SKTText() override;

    Kind kind() const override { return Kind::Text; }
    QString className() const override { return QStringLiteral("SKTText"); }
    GraphicPtr deepCopy() const override;

    // A second text storage that drawing never uses: made from `Text_Value`
    // on the first call, the object's text storage on every later one.
    std::shared_ptr<AttributedText> contents();
    std::shared_ptr<AttributedText> contents_val;
    bool _contentsBeingChangedByScripting = false;
    bool _boundsBeingChangedToMatchContents = false;

    // The base's properties plus "contents", the archived text storage.
    QVariantMap properties() const override;
    // After the base: "contents", when it is data holding an archived text
    // storage, becomes `contents_val`.
    void initWithProperties(const QVariantMap& properties) override;

    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The base's drawing bounds united with the bounds grown by 1 point.
    QRectF drawingBounds() const override;
    bool canSetDrawingStroke() const override { return false; }

    // The size the storage's characters need in the storage's own font when
    // wrapped at the current width (rounded up to whole points, so the text
    // fits again when drawn at that size).
    QSizeF naturalSize();
    // Sets the size to `naturalSize`; a locked text keeps its bounds.
    void makeNaturalSize() override;
    // Sets the height to the natural one, keeping origin and width; the
    // change of bounds is not an undoable one.
    void setHeightToMatchContents();

    // The base's keys, plus "undoContents" while scripting changes the text,
    // minus "bounds" while the height follows the text.
    QStringList keysForValuesToObserveForUndo() const override;
    // "undoContents" is presented as "Text".
    QString presentablePropertyNameForKey(const QString& key) const override;

    // ---- helpers of the drawing, public for their own sake ----
    // `text` changed by a text case code: 1 upper case, 2 lower case, 3 the
    // first letter of every white-space separated word upper case and the
    // rest lower case; any other code leaves it.
    static QString transformedText(const QString& text, int caseCode);
    // The text actually drawn: the storage's characters trimmed, then changed
    // to the object's case. Empty means the object draws nothing.
    QString drawnText();

private:
    void announceUndoKeysChange(const QStringList& oldKeys);
};
