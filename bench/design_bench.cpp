// The design file against its floor: saving and opening a design of 1,000
// card objects (every kind in turn) through DesignFile, and libplist alone
// writing and parsing the very same property lists: the object archives
// (binary) from their trees, the root array with them as XML, and back.
// Prints how many times the floor our save and open take.

#include "MedianTimesReporter.h"

#include "model/DesignFile.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTLine.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <cstdio>
#include <string>

namespace {
constexpr int objectCount = 1000;

const QStringList kinds {"SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTSignature", "SKTBarcode"};

GraphicPtr cardObject(int i)
{
    const QString kind = kinds[i % kinds.size()];
    GraphicPtr g = SKTGraphic::makeOfClass(kind);
    g->_bounds = QRectF(10 + i % 200, 20 + i % 130, 80 + i % 40, 24.5);
    g->_strokeWidth = 1 + (i % 4) * 0.3;
    g->_fillColor = Colour::rgb((i % 10) / 10.0, 0.5, 0.25, i % 3 ? 1.0 : 0.5);
    g->control_ID = QStringLiteral("%1_%2").arg(kind).arg(i);
    if (kind == QLatin1String("SKTText")) {
        g->Text_Value = QStringLiteral("Guest number %1").arg(i);
        g->text_ctrl_font = FontSpec(QStringLiteral("Liberation Serif"), 10 + i % 8);
        g->_Text_contents = std::make_shared<AttributedText>(g->Text_Value, g->text_ctrl_font, Colour::black());
    } else if (kind == QLatin1String("SKTLine")) {
        static_cast<SKTLine&>(*g).setDirection(i % 2, i % 3 == 0);
    } else if (kind == QLatin1String("Shape_Control")) {
        g->_shape_type = i % 2 ? QStringLiteral("RR") : QStringLiteral("C");
    } else if (kind == QLatin1String("SKTImage") || kind == QLatin1String("SKTSignature")) {
        g->_file_path = QStringLiteral("/home/user/Pictures/photo_%1.png").arg(i);
    } else {
        g->Text_Value = QStringLiteral("%1").arg(100000 + i);
    }
    return g;
}

struct Fixture {
    DesignFileContents design;
    QByteArray saved;
    plist_t root = nullptr;                 // libplist's tree of the saved file
    std::vector<plist_t> objectTrees;       // and of each object archive in it

    Fixture()
    {
        design.columnTitles = {QStringLiteral("No."), QStringLiteral("Name")};
        for (int r = 0; r < 50; ++r)
            design.rows.append({{"Extension", QString::number(r + 1)}, {"Column1", QStringLiteral("Name %1").arg(r)}});
        for (int i = 0; i < objectCount; ++i)
            (i % 2 ? design.backGraphics : design.frontGraphics).append(cardObject(i));
        saved = DesignFile::write(design);
        plist_from_xml(saved.constData(), uint32_t(saved.size()), &root);
        for (uint32_t i = 0; i < plist_array_get_size(root); ++i) {
            plist_t item = plist_array_get_item(root, i);
            char* bytes = nullptr;
            uint64_t length = 0;
            if (plist_get_node_type(item) == PLIST_DATA && i > 60) {
                plist_get_data_val(item, &bytes, &length);
                plist_t tree = nullptr;
                plist_from_bin(bytes, uint32_t(length), &tree);
                objectTrees.push_back(tree);
                free(bytes);
            }
        }
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}
} // namespace

static void BM_DesignSave(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(DesignFile::write(f.design));
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_DesignSave)->Unit(benchmark::kMillisecond);

static void BM_DesignOpen(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        DesignFileReadResult r = DesignFile::read(f.saved);
        if (!r.ok)
            state.SkipWithError("the saved design did not read back");
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_DesignOpen)->Unit(benchmark::kMillisecond);

// The same file made from the trees: each object archive written as binary,
// the record items and table copied, the root array written as XML.
static void BM_LibplistWrite(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        plist_t root = plist_new_array();
        size_t next = 0;
        for (uint32_t i = 0; i < plist_array_get_size(f.root); ++i) {
            plist_t item = plist_array_get_item(f.root, i);
            if (plist_get_node_type(item) == PLIST_DATA && i > 60) {
                char* bin = nullptr;
                uint32_t length = 0;
                plist_to_bin(f.objectTrees[next++], &bin, &length);
                plist_array_append_item(root, plist_new_data(bin, length));
                plist_to_bin_free(bin);
            } else {
                plist_array_append_item(root, plist_copy(item));
            }
        }
        char* xml = nullptr;
        uint32_t length = 0;
        plist_to_xml(root, &xml, &length);
        benchmark::DoNotOptimize(xml);
        plist_to_xml_free(xml);
        plist_free(root);
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}
BENCHMARK(BM_LibplistWrite)->Unit(benchmark::kMillisecond);

// Parsing the saved file, then each object archive in it.
static void BM_LibplistParse(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        plist_t root = nullptr;
        plist_from_xml(f.saved.constData(), uint32_t(f.saved.size()), &root);
        for (uint32_t i = 61; i < plist_array_get_size(root); ++i) {
            plist_t item = plist_array_get_item(root, i);
            if (plist_get_node_type(item) != PLIST_DATA)
                continue;
            char* bytes = nullptr;
            uint64_t length = 0;
            plist_get_data_val(item, &bytes, &length);
            plist_t tree = nullptr;
            plist_from_bin(bytes, uint32_t(length), &tree);
            benchmark::DoNotOptimize(tree);
            plist_free(tree);
            free(bytes);
        }
        plist_free(root);
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
    if (has("BM_DesignSave") && has("BM_DesignOpen") && has("BM_LibplistWrite") && has("BM_LibplistParse")) {
        std::printf("\nDesign of %d objects (%lld bytes): save %.2f ms = %.2f x libplist's %.2f ms; "
                    "open %.2f ms = %.2f x libplist's %.2f ms\n",
                    objectCount, static_cast<long long>(fixture().saved.size()), t.at("BM_DesignSave"),
                    t.at("BM_DesignSave") / t.at("BM_LibplistWrite"), t.at("BM_LibplistWrite"), t.at("BM_DesignOpen"),
                    t.at("BM_DesignOpen") / t.at("BM_LibplistParse"), t.at("BM_LibplistParse"));
    }
    benchmark::Shutdown();
    return 0;
}
