// Snapshots of a card side drawn on worker threads: each worker binds other
// record values into its own snapshot, and every picture is the one the GUI
// thread draws of the live side with the same values, pixel for pixel, while
// the GUI thread goes on changing and drawing the live objects.

#include "RenderTestSupport.h"
#include "app/Globals.h"
#include "canvas/CardBaseDrawing.h"
#include "canvas/SKTRenderingView.h"
#include "canvas/SideSnapshot.h"
#include "common/ObjectTestSupport.h"
#include "common/TestPictures.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <gtest/gtest.h>
#include <atomic>
#include <thread>

namespace {

// A rounded card whose back has a gradient and a border, the front plain.
struct RecordWindow : FakeMainWindow {
    RecordWindow()
    {
        back.setCard_fill_chk(true);
        back.setCard_fill_style(QStringLiteral("G"));
        back.setCard_fill_Grd_2_clr(Colour::rgb(0.5, 0.7, 1.0));
        back.setCard_border_chk(true);
        back.setCard_bor_Stepper(3);
    }
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int side) override
    {
        CardBaseDrawing::draw(painter, rect, side == 1 ? back : Card_Property(), 1, canvas, Resource_Path);
    }
    Card_Property back;
};

}

TEST(SideSnapshot, WorkersDrawTheirRecordsAsTheGuiThreadDrawsTheLiveSide)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    RecordWindow window;
    auto number = std::make_shared<SKTText>();
    number->_bounds = QRectF(20, 20, 200, 40);
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
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(120, 70, 60, 30);
    const GraphicList live {number, hatched, photo, barcode, std::make_shared<SKTLine>()};
    live.last()->_bounds = QRectF(10, 170, 280, 20);

    constexpr int records = 16, workers = 4;
    const auto recordText = [](int record) { return QStringLiteral("Guest %1").arg(record); };
    std::vector<QImage> expected;   // each record drawn alone on the GUI thread
    for (int r = 0; r < records; ++r) {
        number->Text_contents()->setString(recordText(r));
        expected.push_back(SKTRenderingView::image_From_Card_Graphics(&window, live, 1, false, 100).image());
    }
    ASSERT_NE(expected.at(0), expected.at(1));

    // One snapshot of the back and a copy of it for each worker.
    std::vector<SideSnapshot> copies(workers, SideSnapshot(live, window.back, 1, window.canvas, Resource_Path));
    std::vector<QImage> drawn(records);
    std::atomic<int> finished {0};
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            for (int r = w; r < records; r += workers) {
                copies[w].graphics().at(0)->Text_contents()->setString(recordText(r));
                drawn[r] = copies[w].picture(100).image();
            }
            ++finished;
        });
    }
    for (int i = 0; finished < workers; ++i) {   // the GUI thread edits and draws the live side
        number->Text_contents()->setString(QStringLiteral("Editing %1").arg(i));
        hatched->setBounds(hatched->bounds().translated(i % 2 ? 1 : -1, 0));
        Card_Front_Or_Back = i % 2;
        SKTRenderingView::image_From_Card_Graphics(&window, live, i % 2, false, 20);
    }
    for (std::thread& t : threads)
        t.join();
    Card_Front_Or_Back = 0;
    for (int r = 0; r < records; ++r)
        EXPECT_EQ(drawn[r], expected[r]) << "record " << r;
}
