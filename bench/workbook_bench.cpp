// Reading a workbook of 100,000 rows x 5 columns (written once by our writer
// into a temporary folder) the way the spreadsheet import reads it: unpack
// and shared strings, column titles, every row. Beside it the floor of only
// unpacking the workbook, and openpyxl in read-only mode reading every row of
// the same file (Debian's Python, timed in its own process by CPU time, the
// median of five runs). Prints how many times the floor our read takes and
// how many times faster than openpyxl it is.

#include "MedianTimesReporter.h"

#include "app/ResourceSetup.h"
#include "data/Globals.h"
#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"
#include "data/UnpackFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {
constexpr int rowCount = 100000;

struct Fixture {
    QTemporaryDir folder;
    QString workbook;

    Fixture()
    {
        qputenv("TMPDIR", QFile::encodeName(folder.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath(QStringLiteral("data"))));
        if (!setUpResourceFolder())
            std::fprintf(stderr, "no resource folder\n");
        SpreadsheetWriter::Table table;
        table.reserve(rowCount + 1);
        table.append({"Number", "Name", "City", "Amount", "Code"});
        for (int i = 0; i < rowCount; ++i)
            table.append({QString::number(i), QStringLiteral("Name %1").arg(i),
                          QStringLiteral("City %1").arg(i % 97), QString::number(i * 0.5),
                          QStringLiteral("C%1").arg(i, 6, 10, QLatin1Char('0'))});
        workbook = folder.filePath(QStringLiteral("rows.xlsx"));
        if (!SpreadsheetWriter::WriteWorkbook(workbook, table, true))
            std::fprintf(stderr, "the workbook was not written\n");
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_ReadWorkbook(benchmark::State& state)
{
    const QString path = fixture().workbook;
    for (auto _ : state) {
        SpreadsheetWriter::ReadWorkbook(path, true);
        SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
        benchmark::DoNotOptimize(SpreadsheetWriter::ReadData_only_column());
        const SheetRows rows = SpreadsheetWriter::ReadWorkbook(path, false);
        if (rows.size() != rowCount + 1 || Excel_Sheet_Columns != 5)
            state.SkipWithError("the workbook read wrong");
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(BM_ReadWorkbook)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_UnpackOnly(benchmark::State& state)
{
    const QString path = fixture().workbook;
    for (auto _ : state) {
        UnpackFolder::empty();
        if (!SSZipArchive::unzipFileAtPath(path, UnpackFolder::path(), true, QString(), nullptr))
            state.SkipWithError("cannot unpack");
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(BM_UnpackOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// openpyxl's median CPU time in milliseconds; negative when it cannot run.
double openpyxlReadOnlyMs(const QString& path)
{
    const char* script = R"(
import statistics, sys, time
import openpyxl
times = []
for _ in range(5):
    start = time.process_time()
    book = openpyxl.load_workbook(sys.argv[1], read_only=True)
    rows = sum(1 for _ in book.worksheets[0].iter_rows(values_only=True))
    book.close()
    times.append(time.process_time() - start)
print(statistics.median(times) * 1000, rows)
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), path});
    if (!python.waitForFinished(600000) || python.exitCode() != 0)
        return -1;
    const QList<QByteArray> answer = python.readAllStandardOutput().trimmed().split(' ');
    if (answer.size() != 2 || answer[1].toInt() != rowCount + 1)
        return -1;
    return answer[0].toDouble();
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.times;
    if (t.count("BM_ReadWorkbook") && t.count("BM_UnpackOnly")) {
        const double ours = t.at("BM_ReadWorkbook");
        const double openpyxl = openpyxlReadOnlyMs(fixture().workbook);
        std::printf("\nWorkbook of %d rows x 5 columns (%lld bytes): read %.1f ms = %.2f x unpacking alone (%.1f ms)\n",
                    rowCount, static_cast<long long>(QFileInfo(fixture().workbook).size()), ours,
                    ours / t.at("BM_UnpackOnly"), t.at("BM_UnpackOnly"));
        if (openpyxl > 0)
            std::printf("openpyxl read-only: %.1f ms, %.1f x our read\n", openpyxl, openpyxl / ours);
        else
            std::printf("openpyxl read-only could not run\n");
    }
    benchmark::Shutdown();
    return 0;
}
