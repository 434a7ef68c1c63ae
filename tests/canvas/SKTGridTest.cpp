// The canvas grid: snapping of points and rectangles, the derived
// properties, observation of "any", the momentary display, and drawing only
// inside the dirty area.

#include "canvas/CanvasHost.h"
#include "canvas/SKTGrid.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <vector>

namespace {

// Records what the grid asks of the main window.
class AlignButtonRecorder : public CanvasHost
{
public:
    AlignButtonRecorder() = default;
    AlignButtonRecorder(const AlignButtonRecorder&) = delete;
    AlignButtonRecorder& operator=(const AlignButtonRecorder&) = delete;

    void setAlignWithGridButtonEnabled(bool enabled) override { calls.push_back(enabled); }
    std::vector<bool> calls;
};

// Counts the notifications of each key.
struct KeyCounter {
    explicit KeyCounter(SKTGrid& grid)
    {
        grid.addObserver([this](Observable&, const QString& key, const QVariant&) { keys.append(key); });
    }
    int count(const QString& key) const { return int(keys.count(key)); }
    QStringList keys;
};

QImage renderGrid(const SKTGrid& grid, const QRectF& dirty)
{
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    grid.drawRect(dirty, painter);
    return image;
}

bool isWhite(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

} // namespace

TEST(SKTGrid, ConstrainedPointSnapsToTheNearestMultipleWhenConstraining)
{
    const struct {
        double spacing;
        bool constraining;
        QPointF point, expected;
    } cases[] = {
        {9, true, {13.5, 4.4}, {18, 0}},
        {9, true, {-4.5, 0}, {0, 0}},        // half-way goes to the larger multiple
        {9, true, {-4.6, 0}, {-9, 0}},
        {9, true, {4.5, 4.49}, {9, 0}},
        {2.5, true, {3.7, 6.2}, {2.5, 5}},
        {9, false, {13.5, 4.4}, {13.5, 4.4}},  // snapping off
        {0, true, {13.5, 4.4}, {13.5, 4.4}},   // unusable
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "spacing " << c.spacing << " constraining " << c.constraining << " at "
                                        << c.point.x() << "," << c.point.y());
        SKTGrid grid;
        grid._spacing = c.spacing;
        grid.setConstraining(c.constraining);
        EXPECT_EQ(grid.constrainedPoint(c.point), c.expected);
    }
}

TEST(SKTGrid, AlignedRectSnapsOriginAndFarCornerSeparately)
{
    const struct {
        double spacing;
        bool constraining;
        QRectF rect, expected;
    } cases[] = {
        {9, false, {10, 10, 50, 20}, {9, 9, 54, 18}},   // snaps whether or not constraining
        {9, false, {10, 10, 50, 50}, {9, 9, 54, 54}},
        {9, false, {1, 1, 2, 2}, {0, 0, 0, 0}},         // a small rectangle may collapse
        {9, false, {-10, -5, 14, 9.5}, {-9, -9, 9, 18}},   // far y 4.5 is half-way: up to 9
        {10, false, {4.9, 5, 10.2, 10}, {0, 10, 20, 10}},
        {0, false, {10, 10, 50, 20}, {10, 10, 50, 20}}, // unusable: unchanged
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "spacing " << c.spacing << " rect " << c.rect.x() << "," << c.rect.y()
                                        << "," << c.rect.width() << "," << c.rect.height());
        SKTGrid grid;
        grid._spacing = c.spacing;
        grid.setConstraining(c.constraining);
        EXPECT_EQ(grid.alignedRect(c.rect), c.expected);
    }
}

TEST(SKTGrid, EverySetterCallTellsAnyEvenWithoutChange)
{
    SKTGrid grid;
    KeyCounter counter(grid);
    grid.setConstraining(false);
    grid.setAlwaysShown(false);
    grid.setSpacing(9.0);
    grid.setColor(grid.color());
    EXPECT_EQ(counter.count(SKTGridAnyKey), 4);
    EXPECT_EQ(counter.count(SKTGridConstrainingKey), 1);
    EXPECT_EQ(counter.count(SKTGridUsableKey), 1);         // follows the spacing
    EXPECT_EQ(counter.count(SKTGridCanSetColorKey), 2);    // follows shown and usable
    EXPECT_EQ(counter.count(SKTGridCanSetSpacingKey), 2);  // follows shown and constraining

    // Direct writes, as the main window's colour well and slider make them,
    // tell nobody.
    counter.keys.clear();
    grid._spacing = 12;
    grid._color = Colour::rgb(1, 0, 0);
    EXPECT_TRUE(counter.keys.isEmpty());
}

TEST(SKTGrid, AlwaysShownSwitchesTheAlignButtonOnlyWhenItChanges)
{
    AlignButtonRecorder window;
    SKTGrid grid(&window);
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(false);
    grid.setAlwaysShown(false);
    EXPECT_EQ(window.calls, std::vector<bool>({true, false}));
}

TEST(SKTGrid, NewSpacingShowsTheGridForAMoment)
{
    const struct {
        const char* name;
        bool alwaysShown;
        double newSpacing;
        bool momentary;
    } cases[] = {
        {"new spacing", false, 12, true},
        {"same spacing", false, 9, false},
        {"zero spacing", false, 0, false},
        {"negative spacing", false, -3, false},
        {"grid always shown", true, 12, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SKTGrid grid;
        grid.setAlwaysShown(c.alwaysShown);
        grid.setSpacing(c.newSpacing);
        EXPECT_EQ(grid.isShowingMomentarily(), c.momentary);
        // Switching permanent display on ends a momentary display at once.
        grid.setAlwaysShown(true);
        grid.setAlwaysShown(false);
        EXPECT_FALSE(grid.isShowingMomentarily());
    }
}

TEST(SKTGrid, MomentaryDisplayEndsWithAnAnnouncementOfAny)
{
    SKTGrid grid;
    grid.setSpacing(12);
    grid.setSpacing(15);   // a second change keeps one display going
    EXPECT_TRUE(grid.isShowingMomentarily());
    EXPECT_FALSE(isWhite(renderGrid(grid, {0, 0, 100, 100}), 30, 50));

    KeyCounter counter(grid);
    grid.stopShowingGridForTimer();
    EXPECT_FALSE(grid.isShowingMomentarily());
    EXPECT_EQ(counter.keys, QStringList({SKTGridAnyKey}));
    EXPECT_TRUE(isWhite(renderGrid(grid, {0, 0, 100, 100}), 30, 50));

    // Left alone, the display ends by itself.
    grid.setSpacing(12);
    counter.keys.clear();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !grid.isShowingMomentarily(); }, 10000));
    EXPECT_EQ(counter.keys, QStringList({SKTGridAnyKey}));
}

TEST(SKTGrid, LinesLieAtMultiplesOfTheSpacingAcrossTheDirtyRectangle)
{
    SKTGrid grid;
    const struct {
        QRectF rect;
        QList<double> columns, rows;
    } cases[] = {
        {{0, 0, 20, 20}, {0, 9, 18}, {0, 9, 18}},
        {{20, 5, 30, 4}, {27, 36, 45}, {9}},
        {{-10, -3, 20, 2}, {-9, 0, 9}, {}},
        {{1, 1, 7, 7}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.x() << "," << c.rect.y() << "," << c.rect.width() << ","
                                        << c.rect.height());
        const QPainterPath path = grid.linesInRect(c.rect);
        QList<double> columns, rows;
        for (const QPolygonF& line : path.toSubpathPolygons()) {
            ASSERT_EQ(line.size(), 2);
            if (line[0].x() == line[1].x()) {
                columns.append(line[0].x());
                EXPECT_EQ(line[0].y(), c.rect.top());
                EXPECT_EQ(line[1].y(), c.rect.bottom());
            } else {
                rows.append(line[0].y());
                EXPECT_EQ(line[0].x(), c.rect.left());
                EXPECT_EQ(line[1].x(), c.rect.right());
            }
        }
        EXPECT_EQ(columns, c.columns);
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(SKTGrid, DrawsOnlyInsideTheDirtyArea)
{
    SKTGrid grid;
    grid.setAlwaysShown(true);
    const QRectF dirty(20, 20, 30, 30);
    const QImage image = renderGrid(grid, dirty);
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 100; ++y) {
            if (!dirty.contains(QPointF(x + 0.5, y + 0.5))) {
                ASSERT_TRUE(isWhite(image, x, y)) << x << "," << y;
            }
        }
    }
    // The lines at 27, 36 and 45 show in the grid's colour, one pixel wide.
    const QRgb grey = Colour::grey(2.0 / 3.0).toQColor().rgb();
    for (int line : {27, 36, 45}) {
        EXPECT_EQ(image.pixel(line, 30), grey) << line;
        EXPECT_EQ(image.pixel(30, line), grey) << line;
    }
    EXPECT_TRUE(isWhite(image, 28, 30));
    EXPECT_TRUE(isWhite(image, 30, 28));

    // Hidden or unusable, it draws nothing.
    SKTGrid hidden;
    EXPECT_TRUE(isWhite(renderGrid(hidden, dirty), 27, 30));
    grid._spacing = 0;
    EXPECT_TRUE(isWhite(renderGrid(grid, dirty), 27, 30));
}
