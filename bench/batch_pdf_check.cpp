// Reads a batch PDF of the benchmark's cards back, as a person checking the
// print would, before any timing of it is believed: pages of the file are
// rendered at 300 dpi (pdftoppm), every card's QR Code and Code 128 decoded
// (zxing-cpp) on the card as it lies cut out, and the words of the page
// (pdftotext) matched to the cards.
//
//   batch_pdf_check RECORDS.csv FILE.pdf PAGE...
//
// For each page given (from 1) the cells hold records (page - 1) x 10 on,
// across then down (bench/BatchBenchCard.h): every filled cell must show its
// record's name as text and carry a QR Code and a Code 128 that both read as
// its record's code, the Code 128 with light quiet zones of ten of its
// narrowest bars on the card either side; no cell shows the name or code of another record; the
// cells past the last record, and the paper outside the cards, hold no
// barcode and no record's text. The file must have as many pages as the
// records fill.
//
// Prints one line per page checked and one per fault; exits 0 when nothing
// failed, 1 when something did, 2 when the check could not run.

#include "bench/BatchBenchCard.h"

#include <QCoreApplication>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// text() as UTF-8
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace {

constexpr double renderDpi = 300;

struct Run
{
    bool ok = false;
    QByteArray output;
    QString error;
};

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(600000)) {
        result.error = QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
        return result;
    }
    result.output = process.readAllStandardOutput();
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!result.ok)
        result.error =
            QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return result;
}

struct Decoded
{
    QString text; // "" when nothing read
    int row = 0;  // the row read and the ends of the symbol on it (pixels)
    int left = 0;
    int right = 0;
};

// One barcode of `format` in a card's picture.
Decoded decoded(const QImage& grey, ZXing::BarcodeFormat format)
{
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(format);
    hints.setTryHarder(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return {};
    const ZXing::Position& at = result.position();
    return {QString::fromStdString(result.text()), (at.topLeft().y + at.bottomLeft().y) / 2,
            std::min(at.topLeft().x, at.bottomLeft().x), std::max(at.topRight().x, at.bottomRight().x)};
}

// What is wrong with the quiet zones of a linear symbol read on `row`
// between about `left` and `right`: each side must be light for ten of the
// symbol's narrowest bars or gaps; "" when both are.
QString quietZoneFault(const QImage& grey, int row, int left, int right)
{
    const uchar* line = grey.constScanLine(row);
    const auto dark = [&](int x) { return x < 0 || x >= grey.width() || line[x] < 128; };
    // the first and last bar near the ends the reader gave
    const int slack = 8;
    int first = std::max(0, left - slack), last = std::min(grey.width() - 1, right + slack);
    while (first < last && !dark(first))
        ++first;
    while (last > first && !dark(last))
        --last;
    int narrowest = last - first + 1, run = 1;
    for (int x = first + 1; x <= last; ++x) {
        if (dark(x) == dark(x - 1)) {
            ++run;
        } else {
            narrowest = std::min(narrowest, run);
            run = 1;
        }
    }
    narrowest = std::min(narrowest, run);
    const int zone = BatchBenchCard::code128QuietModules * narrowest;
    for (int x = first - 1; x >= first - zone; --x)
        if (dark(x))
            return QStringLiteral("the Code 128 has %1 light pixels before it, %2 needed").arg(first - 1 - x).arg(zone);
    for (int x = last + 1; x <= last + zone; ++x)
        if (dark(x))
            return QStringLiteral("the Code 128 has %1 light pixels after it, %2 needed").arg(x - last - 1).arg(zone);
    return QString();
}

struct Word
{
    QPointF centre;
    QString text;
};

// The words of a page and their centres in points (pdftotext -bbox).
std::vector<Word> wordsOf(const QByteArray& html)
{
    static const QRegularExpression word(
        "<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" yMax=\"([-\\d.]+)\">([^<]*)</word>");
    std::vector<Word> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(QString::fromUtf8(html))) {
        QString text = m.captured(5);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&#39;", "'");
        text.replace("&amp;", "&");
        words.push_back({QPointF((m.captured(1).toDouble() + m.captured(3).toDouble()) / 2,
                                 (m.captured(2).toDouble() + m.captured(4).toDouble()) / 2),
                         text});
    }
    return words;
}

class Checker
{
public:
    Checker(std::vector<BatchBenchCard::Record> records, QString pdf)
        : m_records(std::move(records)), m_pdf(std::move(pdf))
    {
        for (size_t r = 0; r < m_records.size(); ++r) {
            m_owner.insert(m_records[r].name, int(r));
            m_owner.insert(m_records[r].code, int(r));
        }
    }

    int pages() const
    {
        return int((m_records.size() + BatchBenchCard::cardsPerSheet - 1) / BatchBenchCard::cardsPerSheet);
    }

    void fault(const QString& text)
    {
        ++m_faults;
        std::printf("FAIL %s: %s\n", qPrintable(m_pdf), qPrintable(text));
    }
    int faults() const { return m_faults; }

    void checkPageCount()
    {
        const Run info = run("pdfinfo", {m_pdf});
        if (!info.ok)
            return fault(info.error);
        const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromUtf8(info.output));
        const int found = m.hasMatch() ? m.captured(1).toInt() : -1;
        if (found != pages())
            fault(QStringLiteral("%1 pages for %2 records, %3 expected").arg(found).arg(m_records.size()).arg(pages()));
    }

    void checkPage(int page, const QString& folder)
    {
        if (page < 1 || page > pages())
            return fault(QStringLiteral("page %1 is not a page of %2 records").arg(page).arg(m_records.size()));
        const int faultsBefore = m_faults;
        const QString prefix = folder + QStringLiteral("/page");
        const Run render = run("pdftoppm",
                               {"-r", QString::number(renderDpi), "-f", QString::number(page), "-l",
                                QString::number(page), "-gray", "-png", "-singlefile", m_pdf, prefix});
        const QImage raster = render.ok ? QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8) : QImage();
        if (raster.isNull())
            return fault(QStringLiteral("page %1 could not be rendered: %2").arg(page).arg(render.error));
        const Run text = run("pdftotext",
                             {"-bbox", "-f", QString::number(page), "-l", QString::number(page), m_pdf, "-"});
        if (!text.ok)
            return fault(QStringLiteral("page %1: %2").arg(page).arg(text.error));

        // the words in each cell, in the order they come; -1 outside the cards
        std::map<int, QStringList> cellWords;
        for (const Word& word : wordsOf(text.output)) {
            int cell = -1;
            for (int c = 0; c < BatchBenchCard::cardsPerSheet && cell < 0; ++c)
                cell = BatchBenchCard::cardOnSheet(c).contains(word.centre) ? c : -1;
            cellWords[cell] << word.text;
        }
        checkWords(page, -1, -1, cellWords[-1]);

        int barcodes = 0, names = 0;
        for (int cell = 0; cell < BatchBenchCard::cardsPerSheet; ++cell) {
            const int record = (page - 1) * BatchBenchCard::cardsPerSheet + cell;
            const bool filled = record < int(m_records.size());
            const QString where = filled ? QStringLiteral("page %1 card %2 (record %3, %4)")
                                               .arg(page)
                                               .arg(cell + 1)
                                               .arg(record + 1)
                                               .arg(m_records[size_t(record)].code)
                                         : QStringLiteral("page %1 cell %2 (no record)").arg(page).arg(cell + 1);
            const QImage card = cardPicture(raster, cell);
            const Decoded qrRead = decoded(card, ZXing::BarcodeFormat::QRCode);
            const Decoded code128Read = decoded(card, ZXing::BarcodeFormat::Code128);
            const QString& qr = qrRead.text;
            const QString& code128 = code128Read.text;
            if (!filled) {
                if (!qr.isEmpty() || !code128.isEmpty())
                    fault(QStringLiteral("%1 carries a barcode").arg(where));
                if (!cellWords[cell].isEmpty())
                    fault(QStringLiteral("%1 shows \"%2\"").arg(where, cellWords[cell].join(' ')));
                continue;
            }
            const BatchBenchCard::Record& expected = m_records[size_t(record)];
            for (const auto& [kind, got] : {std::pair<QString, QString>("QR Code", qr), {"Code 128", code128}}) {
                if (got.isEmpty())
                    fault(QStringLiteral("%1: the %2 does not read").arg(where, kind));
                else if (got != expected.code)
                    fault(QStringLiteral("%1: the %2 reads \"%3\"").arg(where, kind, got));
                else
                    ++barcodes;
            }
            if (!code128.isEmpty()) {
                if (const QString quiet = quietZoneFault(card, code128Read.row, code128Read.left, code128Read.right);
                    !quiet.isEmpty())
                    fault(QStringLiteral("%1: %2").arg(where, quiet));
            }
            if (cellWords[cell].join(' ').contains(expected.name))
                ++names;
            else
                fault(QStringLiteral("%1: the name \"%2\" is not there (found \"%3\")")
                          .arg(where, expected.name, cellWords[cell].join(' ')));
            checkWords(page, cell, record, cellWords[cell]);
        }
        std::printf("%s page %d: %d barcodes read, %d names found%s\n", qPrintable(m_pdf), page, barcodes, names,
                    m_faults == faultsBefore ? "" : ", FAULTS");
    }

private:
    // Card `cell` of a page as it lies cut out on a dark table: nothing
    // beyond its edges counts as quiet zone.
    static QImage cardPicture(const QImage& page, int cell)
    {
        const double scale = renderDpi / 72;
        const QRectF points = BatchBenchCard::cardOnSheet(cell);
        const QRect pixels = QRectF(points.topLeft() * scale, points.size() * scale).toRect();
        const int pad = 60;
        QImage card(pixels.width() + 2 * pad, pixels.height() + 2 * pad, QImage::Format_Grayscale8);
        card.fill(0);
        const QRect inside = pixels.intersected(page.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            std::memcpy(card.scanLine(y - pixels.top() + pad) + (inside.left() - pixels.left() + pad),
                        page.constScanLine(y) + inside.left(), size_t(inside.width()));
        return card;
    }

    // No word or pair of words in `words` is the name or code of a record
    // other than `record` (-1: of any record).
    void checkWords(int page, int cell, int record, const QStringList& words)
    {
        for (qsizetype i = 0; i < words.size(); ++i) {
            for (const QString& candidate :
                 {words[i], i + 1 < words.size() ? words[i] + ' ' + words[i + 1] : QString()}) {
                const auto owner = m_owner.constFind(candidate);
                if (candidate.isEmpty() || owner == m_owner.cend() || *owner == record)
                    continue;
                const QString where = cell < 0 ? QStringLiteral("page %1 outside the cards").arg(page)
                                               : QStringLiteral("page %1 card %2").arg(page).arg(cell + 1);
                fault(QStringLiteral("%1 shows \"%2\" of record %3").arg(where, candidate).arg(*owner + 1));
            }
        }
    }

    std::vector<BatchBenchCard::Record> m_records;
    QString m_pdf;
    // record of each name and code
    QHash<QString, int> m_owner;
    int m_faults = 0;
};

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: batch_pdf_check RECORDS.csv FILE.pdf PAGE...\n");
        return 2;
    }
    QString error;
    std::optional<std::vector<BatchBenchCard::Record>> records = BatchBenchCard::readRecords(args[0], &error);
    if (!records) {
        std::fprintf(stderr, "batch_pdf_check: %s\n", qPrintable(error));
        return 2;
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "batch_pdf_check: %s\n", qPrintable(folder.errorString()));
        return 2;
    }
    Checker checker(std::move(*records), args[1]);
    checker.checkPageCount();
    for (const QString& page : args.mid(2)) {
        bool ok = false;
        const int number = page.toInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "batch_pdf_check: \"%s\" is no page number\n", qPrintable(page));
            return 2;
        }
        checker.checkPage(number, folder.path());
    }
    return checker.faults() == 0 ? 0 : 1;
}
