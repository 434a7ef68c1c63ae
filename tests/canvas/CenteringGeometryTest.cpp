// The zoom table and the centring clip view's geometry: centring a small
// card (single-precision rounding, halves away from zero) and limiting
// scroll requests.

#include "canvas/CenteringGeometry.h"
#include "canvas/ZoomFactors.h"

#include <gtest/gtest.h>

namespace {

TEST(ZoomFactorsTest, ElevenRowsFromTenToSixteenHundredPercent)
{
    const char* labels[] = {"10%", "25%", "50%", "75%", "100%", "125%", "150%", "200%", "400%", "800%", "1600%"};
    const double factors[] = {0.100000001490116, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 4.0, 8.0, 16.0};
    ASSERT_EQ(ZoomFactors::count, 11);
    for (int row = 0; row < ZoomFactors::count; ++row) {
        EXPECT_EQ(ZoomFactors::label(row), QString::fromLatin1(labels[row])) << row;
        EXPECT_NEAR(ZoomFactors::factor(row), factors[row], 1e-15) << row;
        EXPECT_EQ(ZoomFactors::rowForFactor(ZoomFactors::factor(row)), row);
    }
    // 10 % is the float 0.1, not the double 0.1.
    EXPECT_EQ(ZoomFactors::factor(0), double(0.1f));
    EXPECT_EQ(ZoomFactors::rowForFactor(0.1), -1);
    EXPECT_EQ(ZoomFactors::rowForFactor(3.0), -1);
}

struct CenterCase {
    QRectF document;
    QRectF bounds;
    QPointF origin;
};

TEST(CenteringGeometryTest, CentresOnlyAxesWhereTheViewIsLarger)
{
    const CenterCase cases[] = {
        // -178.5 rounds away from zero
        {{0, 0, 243, 154}, {0, 0, 600, 400}, {-179, -123}},
        // wider card: x keeps its origin, y is centred
        {{0, 0, 1000, 154}, {250, 7, 600, 400}, {250, -123}},
        {{0, 0, 243, 1000}, {3, 40, 600, 400}, {-179, 40}},
        // equal sizes are not centred
        {{0, 0, 600, 400}, {5, 6, 600, 400}, {5, 6}},
        // 600 points at 10 % (0.1f): bounds 5999.99991 is 6000 in single
        // precision, so the half is -2878.5 and rounds to -2879
        {{0, 0, 243, 154}, {0, 0, 600 / double(0.1f), 400 / double(0.1f)}, {-2879, -1923}},
        // a fraction above a half in double is exactly a half in float
        {{0, 0, 243.00000001, 154}, {0, 0, 600, 400}, {-179, -123}},
        // 200 %: bounds halve
        {{0, 0, 243, 154}, {0, 0, 300, 200}, {-29, -23}},
    };
    for (const CenterCase& c : cases) {
        const QPointF origin = CenteringGeometry::centeredOrigin(c.document, c.bounds);
        EXPECT_EQ(origin, c.origin) << c.document.width() << "x" << c.document.height() << " in "
                                    << c.bounds.width() << "x" << c.bounds.height() << " -> " << origin.x()
                                    << "," << origin.y();
    }
}

struct ConstrainCase {
    QPointF proposed;
    QRectF document;
    QSizeF bounds;
    QPointF result;
};

TEST(CenteringGeometryTest, ScrollRequestsStayWithinALargeCardAndCentredOnASmallOne)
{
    const ConstrainCase cases[] = {
        {{450, 0}, {0, 0, 1000, 154}, {600, 400}, {400, -123}},
        {{-20, 0}, {0, 0, 1000, 154}, {600, 400}, {0, -123}},
        {{123.5, 0}, {0, 0, 1000, 154}, {600, 400}, {124, -123}},
        {{-0.4, 0}, {0, 0, 1000, 154}, {600, 400}, {0, -123}},
        // a small card stays put whatever the request
        {{50, -300}, {0, 0, 243, 154}, {600, 400}, {-179, -123}},
        {{0, 0}, {0, 0, 243, 154}, {600, 400}, {-179, -123}},
        // both axes larger
        {{1000, 1000}, {0, 0, 1000, 800}, {600, 400}, {400, 400}},
        // the limit itself is fractional: 1000.6 - 600 = 400.6 rounds up
        {{1000, 0}, {0, 0, 1000.6, 400}, {600, 400}, {401, 0}},
    };
    for (const ConstrainCase& c : cases) {
        const QPointF r = CenteringGeometry::constrainScrollPoint(c.proposed, c.document, c.bounds);
        EXPECT_EQ(r, c.result) << c.proposed.x() << "," << c.proposed.y() << " -> " << r.x() << "," << r.y();
    }
}

}
