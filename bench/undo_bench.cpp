// Undo of the front side: recording many property changes in one group, and
// undoing them.
#include "model/SKTDocument.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
constexpr int objectCount = 1000;
constexpr int changeCount = 10000;

struct Front {
    SKTDocument doc;
    GraphicList graphics;

    Front()
    {
        for (int i = 0; i < objectCount; ++i)
            graphics.append(std::make_shared<SKTGraphic>());
        doc.undoManager()->beginUndoGrouping();
        doc.insertGraphics(graphics, IndexSet::range(0, objectCount));
        doc.undoManager()->endUndoGrouping();
    }

    // 10,000 changes, ten to every object, alternating two keys.
    void change(int round)
    {
        UndoManager* undo = doc.undoManager();
        undo->beginUndoGrouping();
        for (int i = 0; i < changeCount; ++i) {
            const GraphicPtr& g = graphics.at(i % objectCount);
            if (i % 2)
                g->setStrokeWidth(round + i);
            else
                g->setBounds(QRectF(i, round, 10, 10));
        }
        undo->endUndoGrouping();
    }
};
}

static void BM_RecordChangesInOneGroup(benchmark::State& state)
{
    Front front;
    int round = 0;
    for (auto _ : state)
        front.change(++round);
    state.SetItemsProcessed(state.iterations() * changeCount);
}
BENCHMARK(BM_RecordChangesInOneGroup)->Unit(benchmark::kMillisecond);

static void BM_UndoChangesOfOneGroup(benchmark::State& state)
{
    Front front;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        front.change(++round);
        state.ResumeTiming();
        front.doc.undoManager()->undo();
    }
    state.SetItemsProcessed(state.iterations() * changeCount);
}
BENCHMARK(BM_UndoChangesOfOneGroup)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
