#include "platform/Observable.h"

#include <benchmark/benchmark.h>

namespace {
class Counter : public Observable
{
public:
    void bump() { didChange(QStringLiteral("bounds"), QVariant(m_value++)); }

private:
    int m_value = 0;
};
}

static void BM_NotifyOneObserver(benchmark::State& state)
{
    Counter c;
    int seen = 0;
    c.addObserver([&](Observable&, const QString&, const QVariant&) { ++seen; });
    for (auto _ : state)
        c.bump();
    benchmark::DoNotOptimize(seen);
}
BENCHMARK(BM_NotifyOneObserver);

BENCHMARK_MAIN();
