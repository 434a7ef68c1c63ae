// Barcode picture production at the designer's default resolution (600 dpi),
// as the designer does on every keystroke and batch output once per record:
// the whole picture from settings and value, against the symbol's encoding
// alone, with the share of the picture work printed at the end.

#include "MedianTimesReporter.h"

#include "barcodes/BarcodeProducer.h"
#include "barcodes/Ecc200Symbol.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/Pdf417Symbol.h"
#include "barcodes/QREncoder.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Case
{
    std::string name;
    int title;   // position in the symbology list
    QString value;
    std::function<bool()> encodeOnly;
};

const std::vector<Case>& cases()
{
    static const QString record = QStringLiteral("Guest 0042 Jane Doe, Table 7");
    static const std::vector<Case> all = {
        {"code128", 9, record,
         [] {
             auto b = BarcodeProducer::makeLinear(QStringLiteral("Code 128"));
             return b->initWithContent(record) && !b->completeBarcode().isEmpty();
         }},
        {"ean13", 8, QStringLiteral("400638133393"),
         [] {
             auto b = BarcodeProducer::makeLinear(QStringLiteral("EAN-13"));
             return b->initWithContent(QStringLiteral("400638133393")) && !b->completeBarcode().isEmpty();
         }},
        {"qr", 19, record, [] { return QREncoder::encodeWithECLevel(0, 0, record, 60).dimension() > 0; }},
        {"pdf417", 20, record, [] { return !Pdf417Symbol::encode(record, 2).isNull(); }},
        {"datamatrix", 21, record,
         [] { return !Ecc200Symbol::encode(record.toLatin1(), Ecc200Symbol::Encoding::Auto).isNull(); }},
    };
    return all;
}

void picture(benchmark::State& state, const Case* c)
{
    BarcodeSettings settings;
    settings.barcode_font_index = c->title;
    settings.linear_or_2d = settings.isTwoDimensional() ? 1 : 0;
    for (auto _ : state) {
        const Picture p = BarcodeProducer::Get_Image_From_Val(settings, c->value, QStringLiteral("HEADER"),
                                                              QStringLiteral("FOOTER"));
        if (p.isNull())
            state.SkipWithError("no picture");
        benchmark::DoNotOptimize(p.image().constBits());
    }
}

void encoding(benchmark::State& state, const Case* c)
{
    for (auto _ : state) {
        if (!c->encodeOnly())
            state.SkipWithError("not encoded");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);   // fonts need one
    for (const Case& c : cases()) {
        benchmark::RegisterBenchmark(("picture/" + c.name).c_str(), picture, &c);
        benchmark::RegisterBenchmark(("encoding/" + c.name).c_str(), encoding, &c);
    }
    MedianTimesReporter reporter;
    runWithMedians(argc, argv, reporter);

    std::printf("\nmedian CPU time (us)\n%-12s %12s %12s %8s\n", "case", "picture", "encoding", "ratio");
    for (const Case& c : cases()) {
        const auto a = reporter.times.find("picture/" + c.name);
        const auto b = reporter.times.find("encoding/" + c.name);
        if (a == reporter.times.end() || b == reporter.times.end() || b->second <= 0)
            continue;
        std::printf("%-12s %12.1f %12.1f %8.1f\n", c.name.c_str(), a->second / 1000.0, b->second / 1000.0,
                    a->second / b->second);
    }
    benchmark::Shutdown();
    return 0;
}
