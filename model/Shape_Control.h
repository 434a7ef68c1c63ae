#pragma once

#include "model/SKTGraphic.h"

// A closed figure in the object's bounds, chosen by the shape code
// `_shape_type`: rectangle, circle (oval), rounded rectangle, triangle,
// diamond, star, double star or polygon. Fills solid, with a gradient or
// with a hatch pattern, and strokes with the dash table.
class Shape_Control : public SKTGraphic
{
public:
    // Figures with more corners than this are treated as empty: a point
    // count read from a damaged file must not stall drawing.
    static constexpr int maximumStarPoints = 10000;

    Shape_Control();
    explicit Shape_Control(const GraphicDefaults& defaults);
    ~Shape_Control() override;

    Kind kind() const override { return Kind::Shape; }
    QString className() const override { return QStringLiteral("Shape_Control"); }
    GraphicPtr deepCopy() const override;

    // The figure of the current shape code; empty for an unknown code. Every
    // figure fills by the non-zero winding rule.
    QPainterPath bezierPathForDrawing() const override;

    QPainterPath Rectangle_path() const;
    QPainterPath Circle_path() const;
    QPainterPath Rounded_Rectangle_path() const;
    QPainterPath Triangle_path() const;
    QPainterPath Diamond_path() const;
    // Eight corners: a four-pointed figure with its points at the corners of
    // the bounds.
    QPainterPath Custom_Polygon() const;
    // n points spread over the ellipse in the bounds, from the middle of the
    // top edge, each joined to the next but one: a star polygon for odd n, a
    // polygon of n / 2 corners traced twice for even n; empty for n < 1.
    QPainterPath Polygon_With_Diffrent_Sides(int n) const;

    // The point count of a double star and of a polygon for their type
    // values (1 to 5; any other value is its own count).
    static int doubleStarPoints(int type);
    static int polygonPoints(int type);

    // The base's area, grown where a thick outline's mitred points reach
    // further out (star points, sharp triangles). Building the outline is
    // slow and the canvas asks every object on every redraw, so the result
    // is kept with the fields it was worked out from and given again while
    // none of them has changed.
    QRectF drawingBounds() const override;

    // Inside the figure; the outline's width does not widen it.
    bool isContentsUnderPoint(const QPointF& point) const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

private:
    // The fields the drawing bounds depend on. Fields are written directly
    // all over the program (inspector, undo, archive reading), so the kept
    // result is checked against them rather than dropped on notice; they are
    // compared bit for bit, as the outline may differ for any change.
    struct BoundsInputs {
        QRectF bounds;
        bool stroke = false;
        double strokeWidth = 0;
        QString shapeType;
        int doubleStarType = 0;
        int polygonType = 0;
        float cornerRadius = 0;

    };
    // Whether the kept inputs are the object's current fields.
    bool keptInputsHold() const;
    QRectF workOutDrawingBounds() const;

    mutable BoundsInputs m_boundsInputs;
    mutable QRectF m_drawingBounds;
    mutable bool m_hasDrawingBounds = false;
};
