// Drawing card objects.
//
// Picture: a picture object with adjustments switched on holds a 12
// megapixel photo-like picture. Its first draw runs the adjustment chain;
// every later draw with unchanged settings should only paint what the first
// one kept, so a redraw must cost a small fraction of the first draw. The
// ratio of the two is printed at the end. Argument: pixels per inch of the
// picture drawn into (72 the screen at 100 %, 300 the card pictures). A
// redraw at a new zoom reduces the kept picture to the new size once.
//
// Side: a card side of 20 objects of every kind on a gradient card base with
// a border, drawn into a picture at 300 dpi by the card renderer.
//
// Records: 16 records of that side drawn at 300 dpi from snapshots, each
// worker binding a record number into its own copy. Argument: the number of
// workers; the ratio of one worker's time to four workers' is printed.

#include "app/Globals.h"
#include "barcodes/BarcodeDesignerSettings.h"
#include "barcodes/NKDBarcodeImage.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/QREncoder.h"
#include "canvas/SKTRenderingView.h"
#include "canvas/CanvasHost.h"
#include "canvas/CardBaseDrawing.h"
#include "canvas/SideSnapshot.h"
#include "model/Globals.h"
#include "model/Card_Property.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/AttributedText.h"

#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

const QRectF cardRect(0, 0, 243, 154);

// A photo-like picture: smooth gradients over the whole picture, a few soft
// blobs and some noise in every pixel.
QImage photoLike(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    QRandomGenerator random(12345);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double fy = double(y) / h;
        for (int x = 0; x < w; ++x) {
            const double fx = double(x) / w;
            const double blob = std::exp(-((fx - 0.3) * (fx - 0.3) + (fy - 0.6) * (fy - 0.6)) * 20.0);
            const int noise = int(random.bounded(17)) - 8;
            const int r = qBound(0, int(60 + 150 * fx + 40 * blob) + noise, 255);
            const int g = qBound(0, int(90 + 120 * fy * (1 - fx) + 30 * blob) + noise, 255);
            const int b = qBound(0, int(200 - 140 * fy + 50 * std::sin(fx * 9.0)) + noise, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    return image;
}

const Picture& bigPicture()
{
    static const Picture picture(photoLike(4000, 3000), QSizeF(4000, 3000));
    return picture;
}

std::shared_ptr<SKTImage> adjustedPictureObject(const QRectF& bounds, const Picture& picture)
{
    auto image = std::make_shared<SKTImage>();
    image->_file_path = QStringLiteral("photo.png");
    image->setContents(picture);
    image->_bounds = bounds;
    image->_isDrawingStroke = false;
    image->hue_val = 0.4f;
    image->sat_val = 1.3f;
    image->srp_val = 0.5f;
    image->blr_val = 2.0f;
    return image;
}

QImage cardImage(double dpi)
{
    const double scale = dpi / 72.0;
    QImage image(int(std::round(cardRect.width() * scale)), int(std::round(cardRect.height() * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void drawObject(QImage& target, double dpi, SKTGraphic& graphic)
{
    QPainter painter(&target);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(dpi / 72.0, dpi / 72.0);
    graphic.drawContentsInView(painter, false);
}

void BM_PictureFirstDraw(benchmark::State& state)
{
    const double dpi = double(state.range(0));
    QImage target = cardImage(dpi);
    for (auto _ : state) {
        state.PauseTiming();
        auto image = adjustedPictureObject(QRectF(10, 10, 200, 150), bigPicture());
        state.ResumeTiming();
        drawObject(target, dpi, *image);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PictureFirstDraw)->Arg(72)->Arg(300)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PictureCachedRedraw(benchmark::State& state)
{
    const double dpi = double(state.range(0));
    QImage target = cardImage(dpi);
    auto image = adjustedPictureObject(QRectF(10, 10, 200, 150), bigPicture());
    drawObject(target, dpi, *image);
    for (auto _ : state) {
        drawObject(target, dpi, *image);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PictureCachedRedraw)->Arg(72)->Arg(300)->Unit(benchmark::kMillisecond);

// A redraw at another zoom: the adjusted picture is kept, its reduction to
// the new size is made again. Three zooms by turns, so no reduction is kept.
void BM_PictureRedrawAtNewZoom(benchmark::State& state)
{
    const double zooms[] = {72.0, 90.0, 108.0};
    QImage target = cardImage(108.0);
    auto image = adjustedPictureObject(QRectF(10, 10, 200, 150), bigPicture());
    drawObject(target, zooms[0], *image);
    int turn = 0;
    for (auto _ : state) {
        drawObject(target, zooms[++turn % 3], *image);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PictureRedrawAtNewZoom)->Unit(benchmark::kMillisecond);

// ---- a side of 20 objects ----

// The main window as the renderer sees it: the card's size and the base of
// the current side, a gradient with a border.
class CardWindow : public CanvasHost
{
public:
    CardWindow()
    {
        m_record.setCard_fill_chk(true);
        m_record.setCard_fill_style(QStringLiteral("G"));
        m_record.setCard_fill_Grd_1_clr(Colour::rgb(0.85, 0.92, 1.0));
        m_record.setCard_fill_Grd_2_clr(Colour::rgb(1.0, 0.95, 0.8));
        m_record.setCard_grad_Stepper(45);
        m_record.setCard_alpha_Stepper(1.0f);
        m_record.setCard_border_chk(true);
        m_record.setCard_bor_Stepper(3);
        m_record.setCard_bordr_clr(Colour::rgb(0.1, 0.2, 0.5));
    }
    CardWindow(const CardWindow&) = delete;
    CardWindow& operator=(const CardWindow&) = delete;

    QRectF frontCanvasBounds() const override { return cardRect; }
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int) override
    {
        CardBaseDrawing::draw(painter, rect, m_record, 1, cardRect, QString());
    }

private:
    Card_Property m_record;
};

GraphicPtr shape(const QString& code, int type, const QRectF& bounds, QColor fill)
{
    auto s = std::make_shared<Shape_Control>();
    s->Set_Shape_Type(code);
    s->double_star_type = type;
    s->polygon_type = type;
    s->_bounds = bounds;
    s->_fillColor = Colour::fromQColor(fill);
    s->_strokeColor = Colour::rgb(0.1, 0.1, 0.3);
    s->_strokeWidth = 1.5;
    return s;
}

GraphicPtr text(const QString& characters, const QRectF& bounds, double size)
{
    auto t = std::make_shared<SKTText>();
    t->Text_contents()->setString(characters);
    t->_bounds = bounds;
    t->_isDrawingFill = false;
    t->_isDrawingStroke = false;
    t->text_ctrl_font = FontSpec(QStringLiteral("Times New Roman"), size);
    t->txt_clr = Colour::rgb(0.1, 0.1, 0.2);
    return t;
}

GraphicPtr line(const QPointF& from, const QPointF& to)
{
    auto l = std::make_shared<SKTLine>();
    l->setBeginPoint(from);
    l->setEndPoint(to);
    l->_strokeWidth = 2;
    l->_strokeColor = Colour::rgb(0.6, 0.1, 0.1);
    return l;
}

GraphicPtr signature(const QRectF& bounds, const QString& kind)
{
    QImage ink(240, 80, QImage::Format_ARGB32);
    ink.fill(Qt::transparent);
    {
        QPainter painter(&ink);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::darkBlue, 4));
        QPainterPath path(QPointF(10, 60));
        path.cubicTo(60, -20, 90, 120, 140, 30);
        path.cubicTo(170, -10, 200, 90, 230, 40);
        painter.drawPath(path);
    }
    auto s = std::make_shared<SKTSignature>();
    s->Set_Sign_Or_FP(kind);
    s->_contents_img = Picture(ink, QSizeF(120, 40));
    s->_file_path = QStringLiteral("ink.png");
    s->file_path = s->_file_path;
    s->_bounds = bounds;
    s->_isDrawingStroke = false;
    return s;
}

GraphicPtr barcode(const Picture& picture, const QPointF& at)
{
    auto b = std::make_shared<SKTBarcode>();
    b->Set_Barcode_image(picture);
    b->_bounds = QRectF(at, picture.size());
    return b;
}

Picture eanPicture()
{
    NKDEAN13Barcode ean;
    ean.initWithContent(QStringLiteral("400638133393"), true);
    ean.setBarWidth(0.02f * 72.0f);
    ean.setHeight(40);
    ean.calculateWidth();
    return NKDBarcodeImage::imageFromBarcode(ean, 600);
}

Picture qrPicture()
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(1, 0, QStringLiteral("https://example.org/card/42"));
    return QREncoder::renderDataMatrix(grid, 50, 600);
}

GraphicList twentyObjects()
{
    const QImage photo = photoLike(800, 600);
    auto picture = adjustedPictureObject(QRectF(150, 8, 80, 60), Picture(photo, QSizeF(800, 600)));
    GraphicList list {
        text(QStringLiteral("Ada Lovelace"), QRectF(10, 8, 130, 24), 16),
        text(QStringLiteral("Analytical Engines Ltd."), QRectF(10, 30, 130, 16), 9),
        text(QStringLiteral("Visitor"), QRectF(10, 46, 80, 14), 10),
        line(QPointF(10, 64), QPointF(140, 64)),
        line(QPointF(150, 72), QPointF(232, 72)),
        shape(ShapeCode::Rectangle, 1, QRectF(10, 70, 24, 18), QColor(250, 200, 80)),
        shape(ShapeCode::Circle, 1, QRectF(38, 70, 18, 18), QColor(90, 180, 90)),
        shape(ShapeCode::RoundedRectangle, 1, QRectF(60, 70, 26, 18), QColor(90, 140, 220)),
        shape(ShapeCode::Triangle, 1, QRectF(90, 70, 20, 18), QColor(220, 90, 90)),
        shape(ShapeCode::Diamond, 1, QRectF(114, 70, 20, 18), QColor(150, 90, 200)),
        shape(ShapeCode::Star, 1, QRectF(10, 92, 20, 20), QColor(240, 220, 40)),
        shape(ShapeCode::DoubleStar, 1, QRectF(34, 92, 20, 20), QColor(240, 140, 40)),
        shape(ShapeCode::Polygon, 1, QRectF(58, 92, 20, 20), QColor(40, 200, 200)),
        shape(ShapeCode::Polygon, 3, QRectF(82, 92, 20, 20), QColor(200, 40, 160)),
        picture,
        signature(QRectF(150, 78, 80, 26), SignatureCode::Signature),
        signature(QRectF(110, 92, 30, 20), SignatureCode::Fingerprint),
        barcode(eanPicture(), QPointF(10, 116)),
        barcode(qrPicture(), QPointF(180, 100)),
        text(QStringLiteral("ID 0042"), QRectF(110, 120, 60, 14), 9),
    };
    return list;
}

void BM_SideAt300Dpi(benchmark::State& state)
{
    CardWindow window;
    const GraphicList list = twentyObjects();
    // The first picture adjusts the picture object's picture; this measures
    // the pictures made after it.
    benchmark::DoNotOptimize(SKTRenderingView::image_From_Card_Graphics(&window, list, 0, false, 300));
    for (auto _ : state)
        benchmark::DoNotOptimize(SKTRenderingView::image_From_Card_Graphics(&window, list, 0, false, 300));
    state.counters["objects"] = double(list.size());
}
BENCHMARK(BM_SideAt300Dpi)->Unit(benchmark::kMillisecond);

void BM_SnapshotRecordsOnWorkers(benchmark::State& state)
{
    constexpr int records = 16;
    const int workers = int(state.range(0));
    GraphicList list = twentyObjects();
    Card_Property record;
    record.setCard_fill_chk(true);
    record.setCard_fill_style(QStringLiteral("G"));
    const SideSnapshot snapshot(list, record, 1, cardRect, QString());
    std::vector<SideSnapshot> copies(size_t(workers), snapshot);
    for (SideSnapshot& copy : copies)
        benchmark::DoNotOptimize(copy.picture(300));   // adjusts the picture once per copy
    for (auto _ : state) {
        std::vector<std::thread> threads;
        for (int w = 0; w < workers; ++w) {
            threads.emplace_back([&copies, w, workers] {
                SideSnapshot& own = copies[size_t(w)];
                for (int r = w; r < records; r += workers) {
                    own.graphics().last()->Text_contents()->setString(QStringLiteral("ID %1").arg(r));
                    benchmark::DoNotOptimize(own.picture(300));
                }
            });
        }
        for (std::thread& t : threads)
            t.join();
    }
    state.counters["records/s"] = benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SnapshotRecordsOnWorkers)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints what the benchmarks print, then the ratio of a first picture draw
// to a cached redraw at each density.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char* dpi : {"72", "300"}) {
            const auto first = m_times.find(std::string("BM_PictureFirstDraw/") + dpi + "/iterations:3");
            const auto redraw = m_times.find(std::string("BM_PictureCachedRedraw/") + dpi);
            if (first != m_times.end() && redraw != m_times.end() && redraw->second > 0)
                std::printf("picture at %s dpi: first draw / cached redraw = %.1f\n", dpi,
                            first->second / redraw->second);
        }
        const auto one = m_times.find("BM_SnapshotRecordsOnWorkers/1/real_time");
        const auto four = m_times.find("BM_SnapshotRecordsOnWorkers/4/real_time");
        if (one != m_times.end() && four != m_times.end() && four->second > 0)
            std::printf("16 records: one worker / four workers = %.2f\n", one->second / four->second);
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
