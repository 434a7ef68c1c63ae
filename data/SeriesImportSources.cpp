#include "data/SeriesImportSources.h"

#include "app/StringHelpers.h"
#include "data/CsvReader.h"
#include "data/RtfTextConverter.h"
#include "data/SeriesStore.h"
#include "data/TextFileDecoder.h"
#include "platform/Picture.h"
#include "platform/ProcessorCores.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

using Result = SeriesImportSources::Result;

const QString SeriesImportSources::unreadableFileMessage = QStringLiteral("Please select a valid file.");

QString SeriesImportSources::tooLargeMessage()
{
    return QStringLiteral("The file is too large to import. Text, CSV and RTF files of up to %1 MB can be imported.")
        .arg(maxTextFileBytes / (1024 * 1024));
}
const QString SeriesImportSources::undecodableMessage =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
const QString SeriesImportSources::emptyTypedTextMessage = QStringLiteral("Please enter some data.");

namespace {
Result failure(const QString& message)
{
    Result result;
    result.message = message;
    return result;
}

bool isPictureExtension(const QString& extension)
{
    static const QStringList extensions = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                                           QStringLiteral("jfif"), QStringLiteral("gif"), QStringLiteral("bmp"),
                                           QStringLiteral("png"), QStringLiteral("tif"), QStringLiteral("tiff")};
    return extensions.contains(extension.toLower());
}

// Blank lines at the very end of a list are no records: an editor's or a
// spreadsheet's closing empty lines hold no guest.
void dropBlankEnd(QStringList& values)
{
    while (!values.isEmpty() && Trim_Str(values.constLast()).isEmpty())
        values.removeLast();
}
} // namespace

QString SeriesImportSources::chk_and_insert_validation(const QString& text)
{
    QString result = text;
    result.remove(u'\\');
    result.remove(u'{');
    result.remove(u'}');
    return Trim_Str(result);
}

QString SeriesImportSources::pathExtension(const QString& path)
{
    QString name = path;
    while (name.size() > 1 && name.endsWith(u'/'))
        name.chop(1);
    name = name.mid(name.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0)
        return QString();
    return name.mid(dot + 1);
}

Result SeriesImportSources::valuesFromTextFile(const QString& path)
{
    // Only a regular file: a FIFO or a device would hold up the import.
    QFile file;
    if (!RegularFile::openForReading(file, path))
        return failure(unreadableFileMessage);
    // The size the file claims, then what reading gives: a file that grows
    // while it is read is cut off at the limit and refused as well.
    if (file.size() > maxTextFileBytes)
        return failure(tooLargeMessage());
    const QByteArray bytes = file.read(maxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(unreadableFileMessage);
    if (bytes.size() > maxTextFileBytes)
        return failure(tooLargeMessage());
    return valuesFromBytes(bytes, pathExtension(path));
}

Result SeriesImportSources::valuesFromBytes(const QByteArray& bytes, const QString& extension)
{
    const QString kind = extension.toUpper();
    const std::optional<QString> text =
        kind == QLatin1String("RTF") ? RtfTextConverter::plainText(bytes) : TextFileDecoder::decode(bytes);
    if (!text || text->isEmpty())
        return failure(undecodableMessage);
    Result result;
    result.values = kind == QLatin1String("CSV") ? valuesFromCsv(*text) : valuesFromLines(*text);
    return result;
}

QStringList SeriesImportSources::valuesFromLines(const QString& text)
{
    QStringList values;
    for (const QString& line : SeriesStore::records(text))
        values.append(chk_and_insert_validation(line));
    dropBlankEnd(values);
    return values;
}

QStringList SeriesImportSources::valuesFromCsv(const QString& text)
{
    QStringList values;
    for (const QStringList& record : CsvReader::records(text)) {
        for (const QString& field : record)
            values.append(chk_and_insert_validation(SeriesStore::oneLine(field)));
    }
    dropBlankEnd(values);
    return values;
}

Result SeriesImportSources::valuesFromTypedText(const QString& text)
{
    if (Trim_Str(text).isEmpty())
        return failure(emptyTypedTextMessage);
    Result result;
    result.values = SeriesStore::records(text);
    dropBlankEnd(result.values);
    return result;
}

QStringList SeriesImportSources::valuesFromPictureFolder(const QString& folder, QStringList* leftOut)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return {};
    QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    QStringList values;
    for (const QString& name : names) {
        if (!isPictureExtension(pathExtension(name)))
            continue;
        const QString path = dir.filePath(name);
        const QFileInfo info(path);
        if (!info.exists() || info.isDir())
            continue;
        if (!path.contains(u'\n') && !path.contains(u'\r'))
            values.append(path);
        else if (leftOut)
            leftOut->append(path);
    }
    return values;
}

namespace {

// `text`, then the first ten of `paths` a line each (line breaks shown as
// U+21B5), then how many more there are.
QString namingPaths(QString text, const QStringList& paths)
{
    constexpr int shown = 10;
    for (const QString& path : paths.mid(0, shown))
        text += u'\n' + SeriesStore::records(path).join(QChar(0x21B5));
    if (paths.size() > shown)
        text += QStringLiteral("\nand %1 more.").arg(paths.size() - shown);
    return text;
}

}

QString SeriesImportSources::leftOutMessage(const QStringList& paths)
{
    return namingPaths(QStringLiteral("These pictures are left out: a series value is one line, and their paths hold "
                                      "a line break (shown as \u21B5)."),
                       paths);
}

QStringList SeriesImportSources::unreadablePictures(const QStringList& paths)
{
    // Each file is read whole, as a card reads it: a picture cut short or
    // damaged past its header is found too.
    std::vector<char> unreadable(size_t(paths.size()), 0);
    std::atomic<qsizetype> next {0};
    const auto worker = [&] {
        for (qsizetype i = next++; i < paths.size(); i = next++)
            unreadable[size_t(i)] = Picture::fromFile(paths[i]).isNull() ? 1 : 0;
    };
    const int threads = int(std::clamp<qsizetype>(paths.size(), 1, ProcessorCores::usable()));
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(worker);
    worker();
    for (std::thread& thread : workers)
        thread.join();
    QStringList found;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (unreadable[size_t(i)])
            found.append(paths[i]);
    }
    return found;
}

QString SeriesImportSources::unreadablePicturesMessage(const QStringList& paths)
{
    return namingPaths(QStringLiteral("These files are not readable pictures. They are kept in the series, and their "
                                      "cards will be drawn without a picture:"),
                       paths);
}
