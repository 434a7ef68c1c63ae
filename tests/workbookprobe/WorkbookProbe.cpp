// Reads a workbook the way the import dialogs do (unpack, the first sheet's
// titles, all its rows) in a child process, and takes the child's peak
// resident size from wait4. The child is forked while this program is still
// small: a child's peak counts what it had when it was forked, so a test
// program, large after making its workbooks, cannot measure it directly.
// Writes what was read as JSON to the file named second:
//   {"sheets", "titles", "columns", "rows", "cells", "refused",
//    "rssAfterRelease" (kilobytes resident once the memory was given back),
//    "peakKb" (the child's largest resident size in kilobytes)}
//
//     workbook_probe WORKBOOK RESULT
#include "data/Globals.h"
#include "data/WorkbookAccess.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

qint64 residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * (::sysconf(_SC_PAGESIZE) / 1024) : -1;
}

} // namespace

int readWorkbook(const QString& path, const QString& resultPath)
{
    const WorkbookAccess& access = WorkbookAccess::installed();
    const QList<WorkbookParts::Sheet> sheets = access.open(path);
    QStringList titles;
    SheetRows rows;
    if (!sheets.isEmpty()) {
        titles = access.titles(sheets.first().part);
        if (!titles.isEmpty())
            rows = access.rows(path, sheets.first().part);
    }
    QJsonObject result {
        {QStringLiteral("sheets"), int(sheets.size())},      {QStringLiteral("titles"), int(titles.size())},
        {QStringLiteral("columns"), Excel_Sheet_Columns},    {QStringLiteral("rows"), qint64(rows.size())},
        {QStringLiteral("cells"), qint64(rows.cellCount())}, {QStringLiteral("refused"), !access.refusal().isEmpty()}};
    rows.clear();
    access.release();
    result.insert(QStringLiteral("rssAfterRelease"), residentKilobytes());
    QFile out(resultPath);
    return out.open(QIODevice::WriteOnly) && out.write(QJsonDocument(result).toJson()) > 0 ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: workbook_probe WORKBOOK RESULT\n");
        return 2;
    }
    const QString path = QFile::decodeName(argv[1]);
    const QString resultPath = QFile::decodeName(argv[2]);
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(readWorkbook(path, resultPath));
    int status = 0;
    rusage usage {};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 1;
    QFile file(resultPath);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QJsonObject result = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    result.insert(QStringLiteral("peakKb"), qint64(usage.ru_maxrss));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(QJsonDocument(result).toJson()) < 0)
        return 1;
    return 0;
}
