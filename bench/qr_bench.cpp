// QR Code encoding time: our encoder against libqrencode on the same texts,
// with the ratio of the two printed at the end. Each benchmark runs nine
// times unless told otherwise, and the summary compares the medians.

#include "MedianTimesReporter.h"

#include "barcodes/QREncoder.h"

#include <benchmark/benchmark.h>

#ifdef HAVE_QRENCODE
#include <qrencode.h>
#endif

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Case
{
    std::string name;
    std::string text;
    int level;
};

std::string repeated(const std::string& piece, size_t length)
{
    std::string text;
    while (text.size() < length)
        text += piece;
    text.resize(length);
    return text;
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = [] {
        const std::string url = "https://example.com/cards/badge?id=0012345&name=Jane%20Doe";
        const std::string prose = "Please join us for dinner at 7 pm, 14 Harbour Street. RSVP to Jane: 555-0142. ";
        const std::string digits = "31415926535897932384626433832795028841971693993751";
        return std::vector<Case>{
            {"url_M", url, 1},
            {"text200_L", repeated(prose, 200), 0},
            {"text200_H", repeated(prose, 200), 3},
            {"text1000_M", repeated(prose, 1000), 1},
            {"text2900_L", repeated(prose, 2900), 0},
            {"digits3000_Q", repeated(digits, 3000), 2},
            {"mixed600_Q", repeated("ORDER 12345678 item:widget qty 0042 ", 600), 2},
        };
    }();
    return all;
}

void ours(benchmark::State& state, const Case* c)
{
    for (auto _ : state) {
        const DataMatrix grid = QREncoder::encodeCStringWithECLevel(c->level, 0, c->text.c_str());
        if (grid.dimension() == 0)
            state.SkipWithError("not encoded");
        benchmark::DoNotOptimize(grid.valueAt(0, 0));
    }
}

#ifdef HAVE_QRENCODE
void libqrencode(benchmark::State& state, const Case* c)
{
    for (auto _ : state) {
        QRcode* code = QRcode_encodeString(c->text.c_str(), 0, QRecLevel(c->level), QR_MODE_8, 1);
        if (code == nullptr)
            state.SkipWithError("not encoded");
        else
            benchmark::DoNotOptimize(code->data[0]);
        QRcode_free(code);
    }
}
#endif

} // namespace

int main(int argc, char** argv)
{
    for (const Case& c : cases()) {
        benchmark::RegisterBenchmark(("ours/" + c.name).c_str(), ours, &c);
#ifdef HAVE_QRENCODE
        benchmark::RegisterBenchmark(("libqrencode/" + c.name).c_str(), libqrencode, &c);
#endif
    }
    MedianTimesReporter reporter;
    runWithMedians(argc, argv, reporter);

#ifdef HAVE_QRENCODE
    std::printf("\nmedian CPU time (ns)\n%-16s %12s %12s %8s\n", "case", "ours", "libqrencode", "ratio");
    double worst = 0;
    for (const Case& c : cases()) {
        const auto a = reporter.times.find("ours/" + c.name);
        const auto b = reporter.times.find("libqrencode/" + c.name);
        if (a == reporter.times.end() || b == reporter.times.end() || b->second <= 0)
            continue;
        const double ratio = a->second / b->second;
        worst = ratio > worst ? ratio : worst;
        std::printf("%-16s %12.1f %12.1f %8.2f\n", c.name.c_str(), a->second, b->second, ratio);
    }
    std::printf("largest ratio (ours / libqrencode): %.2f\n", worst);
#endif
    benchmark::Shutdown();
    return 0;
}
