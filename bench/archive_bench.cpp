// The card object archive against its floor: archiving and unarchiving 1,000
// card objects (every kind, typical fields) through our keyed-archive layer,
// and libplist alone writing and parsing the very binary property lists we
// produce. Prints how many times the floor our round trip takes.
//
// Archiving is timed twice: the same objects again and again, whose barcode
// pictures keep the TIFF bytes made the first time, and freshly made objects,
// whose pictures are encoded anew as when a card is first saved.

#include "MedianTimesReporter.h"

#include "model/SKTGraphicArchive.h"
#include "model/SKTLine.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <cstdio>
#include <string>

namespace {
constexpr int objectCount = 1000;

const QStringList kinds {"SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTSignature", "SKTBarcode"};

// A barcode picture as the designer leaves one: black bars on white.
Picture barsPicture(int i)
{
    QImage image(120 + i % 7, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    for (int x = 0; x < image.width(); ++x) {
        if ((x * 7 + i) % 5 < 2)
            continue;
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, qRgb(0, 0, 0));
    }
    return Picture(image, QSizeF(image.width() * 0.5, image.height() * 0.5));
}

// Object i: the kinds in turn, with the fields a user sets for each.
GraphicPtr cardObject(int i)
{
    const QString kind = kinds[i % kinds.size()];
    GraphicPtr g = SKTGraphic::makeOfClass(kind);
    g->_bounds = QRectF(10 + i % 200, 20 + i % 130, 80 + i % 40, 24.5);
    g->_strokeWidth = 1 + (i % 4) * 0.3;
    g->_fillColor = Colour::rgb((i % 10) / 10.0, 0.5, 0.25, i % 3 ? 1.0 : 0.5);
    g->_strokeColor = Colour::rgb(0.1, (i % 7) / 7.0, 0.3);
    g->control_ID = QStringLiteral("%1_%2").arg(kind).arg(i);
    g->batch_list_name = i % 4 ? QString() : QStringLiteral("Names");
    g->batch_list_index = i % 5;
    g->ctrl_is_locked = i % 9 == 0;
    if (kind == QLatin1String("SKTText")) {
        g->Text_Value = QStringLiteral("Guest number %1").arg(i);
        g->text_ctrl_font = FontSpec(QStringLiteral("Liberation Serif"), 10 + i % 8);
        g->txt_clr = Colour::rgb(0.2, 0.2, 0.6);
        g->_Text_contents = std::make_shared<AttributedText>(g->Text_Value, g->text_ctrl_font, g->txt_clr);
        g->text_alignmnet = i % 3;
    } else if (kind == QLatin1String("SKTLine")) {
        static_cast<SKTLine&>(*g).setDirection(i % 2, i % 3 == 0);
    } else if (kind == QLatin1String("Shape_Control")) {
        g->_shape_type = i % 2 ? QStringLiteral("RR") : QStringLiteral("C");
        g->cor_rad_val_val = 5;
    } else if (kind == QLatin1String("SKTImage") || kind == QLatin1String("SKTSignature")) {
        g->_file_path = QStringLiteral("/home/user/Pictures/photo_%1.png").arg(i);
        g->sat_val = 1.2f;
    } else {
        g->Text_Value = QStringLiteral("%1").arg(100000 + i);
        g->header_val = QStringLiteral("Member");
        g->value_font_val = FontSpec(QStringLiteral("Liberation Sans"), 9);
        g->header_font_val = g->value_font_val;
        g->_barcode_image = barsPicture(i);
    }
    return g;
}

struct Fixture {
    GraphicList graphics;
    QList<QByteArray> archives;
    std::vector<plist_t> trees;   // what libplist makes of each archive

    Fixture()
    {
        for (int i = 0; i < objectCount; ++i)
            graphics.append(cardObject(i));
        archives = SKTGraphicArchive::propertiesWithGraphics(graphics);
        for (const QByteArray& a : archives) {
            plist_t tree = nullptr;
            plist_from_bin(a.constData(), uint32_t(a.size()), &tree);
            trees.push_back(tree);
        }
    }
    ~Fixture()
    {
        for (plist_t t : trees)
            plist_free(t);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}
} // namespace

static void BM_OurArchive(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        for (const GraphicPtr& g : f.graphics)
            benchmark::DoNotOptimize(SKTGraphicArchive::archivedData(*g));
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_OurArchive)->Unit(benchmark::kMillisecond);

static void BM_OurArchiveFresh(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        GraphicList graphics;
        for (int i = 0; i < objectCount; ++i)
            graphics.append(cardObject(i));
        state.ResumeTiming();
        for (const GraphicPtr& g : graphics)
            benchmark::DoNotOptimize(SKTGraphicArchive::archivedData(*g));
        state.PauseTiming();
        graphics.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_OurArchiveFresh)->Unit(benchmark::kMillisecond);

static void BM_OurUnarchive(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        for (const QByteArray& a : f.archives)
            benchmark::DoNotOptimize(SKTGraphicArchive::graphicWithArchivedData(a));
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_OurUnarchive)->Unit(benchmark::kMillisecond);

static void BM_LibplistWrite(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        for (plist_t tree : f.trees) {
            char* out = nullptr;
            uint32_t length = 0;
            plist_to_bin(tree, &out, &length);
            benchmark::DoNotOptimize(out);
            plist_to_bin_free(out);
        }
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_LibplistWrite)->Unit(benchmark::kMillisecond);

static void BM_LibplistParse(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        for (const QByteArray& a : f.archives) {
            plist_t tree = nullptr;
            plist_from_bin(a.constData(), uint32_t(a.size()), &tree);
            benchmark::DoNotOptimize(tree);
            plist_free(tree);
        }
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_LibplistParse)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.times;
    const auto has = [&](const char* name) { return t.count(name) != 0; };
    if (has("BM_OurArchive") && has("BM_OurUnarchive") && has("BM_LibplistWrite") && has("BM_LibplistParse")) {
        const double ours = t.at("BM_OurArchive") + t.at("BM_OurUnarchive");
        const double floor = t.at("BM_LibplistWrite") + t.at("BM_LibplistParse");
        std::printf("\nRound trip of %d card objects: ours %.2f ms, libplist alone %.2f ms, ratio %.2f\n",
                    objectCount, ours, floor, ours / floor);
        std::printf("  archiving %.2f times libplist's writing, unarchiving %.2f times its parsing\n",
                    t.at("BM_OurArchive") / t.at("BM_LibplistWrite"),
                    t.at("BM_OurUnarchive") / t.at("BM_LibplistParse"));
        if (has("BM_OurArchiveFresh")) {
            const double fresh = t.at("BM_OurArchiveFresh") + t.at("BM_OurUnarchive");
            std::printf("Fresh objects: ours %.2f ms, ratio %.2f (archiving %.2f times libplist's writing)\n",
                        fresh, fresh / floor, t.at("BM_OurArchiveFresh") / t.at("BM_LibplistWrite"));
        }
    }
    // The archives of freshly made objects, hashed: a faster archiver must
    // write the very same bytes.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int i = 0; i < objectCount; ++i)
        hash.addData(SKTGraphicArchive::archivedData(*cardObject(i)));
    std::printf("SHA-256 of the %d archives: %s\n", objectCount, hash.result().toHex().constData());
    benchmark::Shutdown();
    return 0;
}
