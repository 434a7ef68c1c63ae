// Snapshots of a card side drawn on worker threads: each worker binds other
// record values into its own snapshot, and every picture is the one the GUI
// thread draws of the live side with the same values, pixel for pixel, while
// the GUI thread goes on changing and drawing the live objects.

#include "RenderTestSupport.h"
#include "canvas/CardBaseDrawing.h"
#include "canvas/SKTRenderingView.h"
#include "canvas/SideSnapshot.h"
#include "common/ObjectTestSupport.h"
#include "common/TestPictures.h"
#include "model/Card_Property.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr double dpi = 100;

// The main window of a rounded card whose back has a gradient and a border
// and whose front is plain red.
class RecordWindow : public FakeMainWindow
{
public:
    RecordWindow()
    {
        front.setCard_fill_chk(true);
        front.setCard_fill_clr(Colour::rgb(1, 0, 0));
        back.setCard_fill_chk(true);
        back.setCard_fill_style(QStringLiteral("G"));
        back.setCard_fill_Grd_1_clr(Colour::rgb(1.0, 0.9, 0.6));
        back.setCard_fill_Grd_2_clr(Colour::rgb(0.5, 0.7, 1.0));
        back.setCard_grad_Stepper(30);
        back.setCard_border_chk(true);
        back.setCard_bor_Stepper(3);
        back.setCard_bordr_clr(Colour::rgb(0.2, 0.1, 0.4));
    }
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int side) override
    {
        CardBaseDrawing::draw(painter, rect, side == 1 ? back : front, 1, canvas, Resource_Path);
    }
    Card_Property front;
    Card_Property back;
};

}

TEST(SideSnapshot, WorkersDrawTheirRecordsAsTheGuiThreadDrawsTheLiveSide)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    RecordWindow window;

    auto number = std::make_shared<SKTText>();
    number->_bounds = QRectF(20, 20, 200, 40);
    number->text_ctrl_font = FontSpec(QStringLiteral("Times New Roman"), 24);
    auto hatched = std::make_shared<Shape_Control>();
    hatched->_bounds = QRectF(200, 100, 80, 60);
    hatched->_fill_type = QStringLiteral("H");
    hatched->_fill_hatch_type = QStringLiteral("Checks");
    hatched->alpha_val = 0.6f;   // the colour getters store this opacity back
    auto photo = std::make_shared<SKTImage>();
    photo->_file_path = QStringLiteral("photo.png");
    photo->setContents(TestPictures::solidPicture(60, 40, qRgb(40, 120, 220)));
    photo->_bounds = QRectF(20, 80, 90, 60);
    photo->Sepia = true;   // an adjusted picture, cached by the object that draws it
    photo->img_trnsp_val = 70;
    auto line = std::make_shared<SKTLine>();
    line->_bounds = QRectF(10, 170, 280, 20);
    const GraphicList live {number, hatched, photo, std::make_shared<SKTBarcode>(), line};
    std::static_pointer_cast<SKTBarcode>(live.at(3))->_bounds = QRectF(120, 70, 60, 30);

    const auto recordText = [](int record) { return QStringLiteral("Guest %1").arg(record); };
    constexpr int records = 16;
    constexpr int workers = 4;

    // Each record drawn alone from the live side on the GUI thread.
    std::vector<QImage> expected;
    for (int r = 0; r < records; ++r) {
        number->Text_contents()->setString(recordText(r));
        expected.push_back(SKTRenderingView::image_From_Card_Graphics(live, 1, false, dpi).image());
        ASSERT_FALSE(expected.back().isNull());
    }
    ASSERT_NE(expected.at(0), expected.at(1));

    // One snapshot of the back, one copy per worker, taken on the GUI thread.
    const SideSnapshot snapshot(live, window.back, 1, window.canvas, Resource_Path);
    std::vector<SideSnapshot> copies(workers, snapshot);
    std::vector<QImage> drawn(records);
    std::atomic<int> finished {0};
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            SideSnapshot& own = copies[size_t(w)];
            for (int r = w; r < records; r += workers) {
                own.graphics().at(0)->Text_contents()->setString(recordText(r));
                drawn[size_t(r)] = own.picture(dpi).image();
            }
            ++finished;
        });
    }
    // Meanwhile the GUI thread edits and draws the live side.
    for (int i = 0; finished < workers; ++i) {
        number->Text_contents()->setString(QStringLiteral("Editing %1").arg(i));
        hatched->setBounds(hatched->bounds().translated(i % 2 ? 1 : -1, 0));
        Card_Front_Or_Back = i % 2;
        SKTRenderingView::image_From_Card_Graphics(live, i % 2, false, 20);
    }
    for (std::thread& t : threads)
        t.join();
    Card_Front_Or_Back = 0;

    for (int r = 0; r < records; ++r)
        EXPECT_EQ(drawn[size_t(r)], expected[size_t(r)]) << "record " << r;
}
