#include "barcodes/Ecc200Symbol.h"

extern "C" {
#include <iec16022ecc200.h>
}

#include <QImage>

#include <cctype>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// The library keeps its Reed-Solomon state in globals.
std::mutex libraryMutex;

// Zero bytes after the data: the library reads a little beyond the length.
constexpr int readAheadSlack = 8;
// Largest bitmap side made for one symbol.
constexpr int maximumPixelSide = 30000;

bool isC40Basic(char c)
{
    return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

bool isTextBasic(char c)
{
    return c == ' ' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

char normalisedLetter(char letter)
{
    switch (letter) {
    case 'c':
    case 'C':
        return 'C';
    case 't':
    case 'T':
        return 'T';
    default:
        // EDIFACT, X12 and Base256 come out wrong from the library; ASCII
        // writes the same bytes (upper shift for those above 127).
        return 'A';
    }
}

// The library's grid freed however the call ends.
struct LibraryBuffer
{
    unsigned char* grid = nullptr;
    ~LibraryBuffer() { std::free(grid); }
};

} // namespace

QByteArray Ecc200Symbol::autoPlan(const QByteArray& bytes)
{
    QByteArray plan(bytes.size(), 'A');
    const auto asciiCost = [&bytes](qsizetype from, qsizetype to) {
        int cost = 0;
        for (qsizetype i = from; i < to; ++i) {
            const auto c = static_cast<unsigned char>(bytes.at(i));
            if (std::isdigit(c) && i + 1 < to && std::isdigit(static_cast<unsigned char>(bytes.at(i + 1))))
                ++i;   // a digit pair is one codeword
            else if (c > 127)
                ++cost;   // upper shift
            ++cost;
        }
        return cost;
    };
    // A run of one mode's basic characters goes in that mode when its whole
    // triples (two codewords each, with a latch and an unlatch) cost less
    // than ASCII.
    const auto planRuns = [&](char letter, bool (*basic)(char)) {
        for (qsizetype start = 0; start < bytes.size();) {
            if (plan.at(start) != 'A' || !basic(bytes.at(start))) {
                ++start;
                continue;
            }
            qsizetype end = start;
            while (end < bytes.size() && plan.at(end) == 'A' && basic(bytes.at(end)))
                ++end;
            const qsizetype triples = (end - start) / 3;
            const qsizetype cut = start + 3 * triples;
            if (triples > 0 && 2 * triples + 2 + asciiCost(cut, end) < asciiCost(start, end))
                std::fill(plan.begin() + start, plan.begin() + cut, letter);
            start = end;
        }
    };
    planRuns('C', isC40Basic);
    planRuns('T', isTextBasic);
    return plan;
}

Ecc200Symbol::Encoding Ecc200Symbol::encodingForTitle(const QString& title)
{
    if (title == QLatin1String("Ascii"))
        return Encoding::Ascii;
    if (title == QLatin1String("C40"))
        return Encoding::C40;
    if (title == QLatin1String("Text"))
        return Encoding::Text;
    if (title == QLatin1String("Base256"))
        return Encoding::Base256;
    return Encoding::Auto;
}

QByteArray Ecc200Symbol::safePlan(const QByteArray& bytes, const QByteArray& requested)
{
    QByteArray plan(bytes.size(), 'A');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char letter = normalisedLetter(i < requested.size() ? requested.at(i) : 'A');
        const char c = bytes.at(i);
        if ((letter == 'C' && isC40Basic(c)) || (letter == 'T' && isTextBasic(c)))
            plan[i] = letter;
    }
    // Each C40 or Text run is cut to whole triples; the rest goes in ASCII.
    for (qsizetype start = 0; start < plan.size();) {
        const char letter = plan.at(start);
        qsizetype end = start;
        while (end < plan.size() && plan.at(end) == letter)
            ++end;
        if (letter != 'A') {
            for (qsizetype i = start + (end - start) / 3 * 3; i < end; ++i)
                plan[i] = 'A';
        }
        start = end;
    }
    return plan;
}

Ecc200Symbol Ecc200Symbol::encode(const QByteArray& bytes, Encoding encoding, int rows, int columns,
                                  QString* reason)
{
    const auto refuse = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return Ecc200Symbol();
    };
    if (bytes.isEmpty())
        return refuse(QStringLiteral("Nothing to encode"));
    if (bytes.size() > maximumLength)
        return refuse(QStringLiteral("Value too long for Data Matrix (%1 bytes, at most %2)")
                          .arg(bytes.size())
                          .arg(maximumLength));
    if (rows < 0 || columns < 0 || (rows == 0) != (columns == 0))
        return refuse(QStringLiteral("Invalid Data Matrix size %1x%2").arg(columns).arg(rows));

    std::vector<unsigned char> data(std::size_t(bytes.size()) + readAheadSlack, 0);
    std::copy(bytes.begin(), bytes.end(), data.begin());
    const int length = int(bytes.size());

    std::lock_guard<std::mutex> lock(libraryMutex);

    QByteArray requested;
    switch (encoding) {
    case Encoding::C40:
        requested = QByteArray(length, 'C');
        break;
    case Encoding::Text:
        requested = QByteArray(length, 'T');
        break;
    case Encoding::Ascii:
    case Encoding::Base256:
        requested = QByteArray(length, 'A');
        break;
    case Encoding::Auto:
        // Planned here: the library's own planner leaks memory on some
        // inputs.
        requested = autoPlan(bytes);
        break;
    }

    QByteArray plan = safePlan(bytes, requested);
    plan.append('\0');
    LibraryBuffer made;
    char* planLetters = plan.data();
    int w = columns;
    int h = rows;
    int used = 0;
    int capacity = 0;
    int ecc = 0;
    made.grid = iec16022ecc200(&w, &h, &planLetters, length, data.data(), &used, &capacity, &ecc);
    // The library hands our own letters back; they are not its to free.
    if (!made.grid || w <= 0 || h <= 0) {
        if (rows > 0)
            return refuse(QStringLiteral("Value does not fit a Data Matrix of %1 rows and %2 columns")
                              .arg(rows)
                              .arg(columns));
        return refuse(QStringLiteral("Value does not fit any Data Matrix size"));
    }

    // The library's 144 x 144 symbols (the one size whose error correction
    // blocks differ in length) do not read back with a standard decoder.
    if (w == 144 && h == 144)
        return refuse(QStringLiteral("Value too long for Data Matrix: 144 x 144 symbols are not made"));

    Ecc200Symbol symbol;
    symbol.m_rows = h;
    symbol.m_columns = w;
    symbol.m_modules.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const unsigned char* source = made.grid + std::size_t(h - 1 - y) * std::size_t(w);
        for (int x = 0; x < w; ++x)
            symbol.m_modules[std::size_t(y) * std::size_t(w) + std::size_t(x)] = source[x] ? 1 : 0;
    }
    plan.chop(1);
    symbol.m_encoding = plan;
    symbol.m_length = used;
    symbol.m_capacity = capacity;
    symbol.m_ecc = ecc;
    return symbol;
}

Picture Ecc200Symbol::picture(double modulePoints, int pixelsPerModule) const
{
    if (isNull() || modulePoints <= 0 || pixelsPerModule <= 0)
        return {};
    const qint64 widthPixels = qint64(m_columns + 2) * pixelsPerModule;
    const qint64 heightPixels = qint64(m_rows + 2) * pixelsPerModule;
    if (widthPixels > maximumPixelSide || heightPixels > maximumPixelSide)
        return {};
    QImage image(int(widthPixels), int(heightPixels), QImage::Format_RGBA8888);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    const QRgb dark = qRgba(0, 0, 0, 255);
    for (int y = 0; y < m_rows; ++y) {
        for (int x = 0; x < m_columns; ++x) {
            if (!isDark(x, y))
                continue;
            for (int py = 0; py < pixelsPerModule; ++py) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine((y + 1) * pixelsPerModule + py));
                for (int px = 0; px < pixelsPerModule; ++px)
                    line[(x + 1) * pixelsPerModule + px] = dark;
            }
        }
    }
    const QSizeF points((m_columns + 2) * modulePoints, (m_rows + 2) * modulePoints);
    const int dotsPerMetre = int(pixelsPerModule / modulePoints * 72.0 / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return Picture(image, points);
}
