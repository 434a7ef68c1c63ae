#include "barcodes/pdf417lib.h"

#include "barcodes/pdf417tables.h"

#include <cmath>
#include <cstring>

namespace {

// Mode latches and shifts of the codeword stream.
constexpr int latchToText = 900;
constexpr int latchToByte = 901;
constexpr int latchToNumeric = 902;
constexpr int shiftToByte = 913;
constexpr int latchToByteSix = 924;

// The last codeword index that data may occupy: two error correction
// codewords at least follow in a 928-codeword symbol.
constexpr int lastDataIndex = 926;

// Runs of at least this many digits leave text compaction for numeric.
constexpr int minNumericRun = 13;

// Text sub-modes and character classes of text compaction.
enum TextClass : int {
    Alpha = 1,
    Lower = 2,
    Mixed = 4,
    Punctuation = 8,
    Byte = 16
};

// Text sub-mode values with a meaning of their own.
constexpr int valueSpace = 26;
constexpr int valueLatchLower = 27;      // Alpha, Mixed: latch to Lower
constexpr int valueShiftAlpha = 27;      // Lower: shift to Alpha for one character
constexpr int valueLatchMixed = 28;      // Alpha, Lower: latch to Mixed
constexpr int valueLatchAlpha = 28;      // Mixed: latch to Alpha
constexpr int valueLatchPunctuation = 25; // Mixed: latch to Punctuation
constexpr int valueShiftPunctuation = 29; // Alpha, Lower, Mixed: one Punctuation character
constexpr int valueBackToAlpha = 29;     // Punctuation: latch to Alpha
constexpr int valuePadding = 29;

struct Segment {
    char type;   // 'T' text, 'N' numeric, 'B' byte
    int start;   // offsets into the text, end exclusive
    int end;
    int length() const { return end - start; }
};

// The working state of one encoding: the input text and the next free
// codeword index.
struct Encoding {
    pdf417param* p;
    const unsigned char* text;
    int lenText;
    int cwPtr;
};

bool isTextByte(unsigned char c)
{
    return (c >= 32 && c <= 126) || c == '\r' || c == '\n' || c == '\t';
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int indexIn(const char* set, unsigned char c)
{
    if (c == 0)
        return -1;
    const char* found = std::strchr(set, c);
    return found ? int(found - set) : -1;
}

// Cuts text[start, end) into maximal stretches of text characters ('T') and
// byte characters ('B').
void cutTextAndBytes(const unsigned char* text, int start, int end, std::vector<Segment>& segments)
{
    int k = start;
    while (k < end) {
        const bool textRun = isTextByte(text[k]);
        int j = k + 1;
        while (j < end && isTextByte(text[j]) == textRun)
            ++j;
        segments.push_back({textRun ? 'T' : 'B', k, j});
        k = j;
    }
}

std::vector<Segment> breakString(const unsigned char* text, int len)
{
    std::vector<Segment> segments;
    segments.reserve(20);
    int lastEnd = 0;
    int digits = 0;
    int runStart = 0;
    for (int k = 0; k < len; ++k) {
        if (isDigit(text[k])) {
            if (digits == 0)
                runStart = k;
            ++digits;
            continue;
        }
        if (digits >= minNumericRun) {
            cutTextAndBytes(text, lastEnd, runStart, segments);
            segments.push_back({'N', runStart, k});
            lastEnd = k;
        }
        digits = 0;
    }
    if (digits >= minNumericRun) {
        cutTextAndBytes(text, lastEnd, runStart, segments);
        segments.push_back({'N', runStart, len});
    } else {
        cutTextAndBytes(text, lastEnd, len, segments);
    }

    auto join = [&segments](std::size_t from, std::size_t to, char type) {
        segments[from].end = segments[to].end;
        segments[from].type = type;
        segments.erase(segments.begin() + std::ptrdiff_t(from) + 1,
                       segments.begin() + std::ptrdiff_t(to) + 1);
    };

    // A single byte between two text stretches travels inside the text with
    // a byte shift when the text around it is long enough.
    for (std::size_t k = 1; k + 1 < segments.size();) {
        const Segment& b = segments[k];
        const Segment& before = segments[k - 1];
        const Segment& after = segments[k + 1];
        if (b.type == 'B' && b.length() == 1 && before.type == 'T' && after.type == 'T'
            && before.length() + after.length() >= 3) {
            join(k - 1, k + 1, 'T');
            k = 1;
        } else {
            ++k;
        }
    }

    // A text stretch of 5 characters or more takes in a neighbouring text
    // stretch or single byte.
    for (std::size_t k = 0; k < segments.size();) {
        const Segment& t = segments[k];
        if (t.type != 'T' || t.length() < 5) {
            ++k;
            continue;
        }
        auto joinable = [](const Segment& s) {
            return s.type == 'T' || (s.type == 'B' && s.length() == 1);
        };
        bool changed = false;
        if (k > 0 && joinable(segments[k - 1])) {
            join(k - 1, k, 'T');
            --k;
            changed = true;
        }
        if (k + 1 < segments.size() && joinable(segments[k + 1])) {
            join(k, k + 1, 'T');
            changed = true;
        }
        k = changed ? 0 : k + 1;
    }

    // A byte stretch takes in a short text stretch or another byte stretch
    // beside it.
    for (std::size_t k = 0; k < segments.size();) {
        if (segments[k].type != 'B') {
            ++k;
            continue;
        }
        auto joinable = [](const Segment& s) {
            return s.type == 'B' || (s.type == 'T' && s.length() < 5);
        };
        bool changed = false;
        if (k > 0 && joinable(segments[k - 1])) {
            join(k - 1, k, 'B');
            --k;
            changed = true;
        }
        if (k + 1 < segments.size() && joinable(segments[k + 1])) {
            join(k, k + 1, 'B');
            changed = true;
        }
        k = changed ? 0 : k + 1;
    }

    // A text of nothing but digits is cheaper in numeric compaction.
    if (segments.size() == 1 && segments[0].type == 'T' && segments[0].length() >= 8) {
        bool allDigits = true;
        for (int k = segments[0].start; k < segments[0].end && allDigits; ++k)
            allDigits = isDigit(text[k]);
        if (allDigits)
            segments[0].type = 'N';
    }
    return segments;
}

// Writes the digits of text[start, start + count) as base-900 codewords,
// most significant first, with a digit 1 put in front.
void basicNumberCompaction(Encoding& e, int start, int count)
{
    std::vector<int> number;   // decimal digits, most significant first
    number.reserve(std::size_t(count) + 1);
    number.push_back(1);
    for (int k = 0; k < count; ++k)
        number.push_back(e.text[start + k] - '0');

    const int outCount = count / 3 + 1;
    int* out = e.p->codewords + e.cwPtr;
    for (int k = outCount - 1; k >= 0; --k) {
        // number = number / 900, out[k] = remainder
        int remainder = 0;
        for (int& digit : number) {
            const int value = remainder * 10 + digit;
            digit = value / 900;
            remainder = value % 900;
        }
        out[k] = remainder;
    }
    e.cwPtr += outCount;
}

void numberCompaction(Encoding& e, int start, int length)
{
    const int full = length / 44;
    const int rest = length % 44;
    const int needed = full * 15 + (rest > 0 ? rest / 3 + 1 : 0);
    if (e.cwPtr + needed > lastDataIndex) {
        e.p->error = Pdf417TextTooLong;
        return;
    }
    for (int k = 0; k < length; k += 44)
        basicNumberCompaction(e, start + k, std::min(44, length - k));
}

void byteCompaction6(Encoding& e, int start)
{
    unsigned long long value = 0;
    for (int k = 0; k < 6; ++k)
        value = (value << 8) | e.text[start + k];
    int* out = e.p->codewords + e.cwPtr;
    for (int k = 4; k >= 0; --k) {
        out[k] = int(value % 900);
        value /= 900;
    }
    e.cwPtr += 5;
}

void byteCompaction(Encoding& e, int start, int length)
{
    const int needed = (length / 6) * 5 + length % 6;
    if (e.cwPtr + needed > lastDataIndex) {
        e.p->error = Pdf417TextTooLong;
        return;
    }
    const int fullEnd = start + (length / 6) * 6;
    int k = start;
    for (; k < fullEnd; k += 6)
        byteCompaction6(e, k);
    for (; k < start + length; ++k)
        e.p->codewords[e.cwPtr++] = e.text[k];
}

struct TypedValue {
    int type;    // TextClass bits; 0 past the end of the segment
    int value;
};

TypedValue getTextTypeAndValue(const unsigned char* text, int end, int idx)
{
    if (idx >= end)
        return {0, 0};
    const unsigned char c = text[idx];
    if (c >= 'A' && c <= 'Z')
        return {Alpha, c - 'A'};
    if (c >= 'a' && c <= 'z')
        return {Lower, c - 'a'};
    if (c == ' ')
        return {Alpha | Lower | Mixed, valueSpace};
    const int mixed = indexIn(MIXED_SET, c);
    const int punctuation = indexIn(PUNCTUATION_SET, c);
    if (mixed < 0 && punctuation < 0)
        return {Byte, c};
    if (mixed == punctuation)
        return {Mixed | Punctuation, mixed};
    if (mixed >= 0)
        return {Mixed, mixed};
    return {Punctuation, punctuation};
}

void textCompaction(Encoding& e, int start, int length)
{
    const int end = start + length;
    // One character gives at most three values (a latch pair and its value,
    // or the filler, the byte shift and the byte); one filler may follow.
    std::vector<int> values;
    values.reserve(std::size_t(length) * 3 + 1);
    int extra = 0;
    int mode = Alpha;

    auto nextTwoAre = [&](int k, int type) {
        return (getTextTypeAndValue(e.text, end, k + 1).type & type)
            && (getTextTypeAndValue(e.text, end, k + 2).type & type);
    };

    for (int k = start; k < end; ++k) {
        const TypedValue tv = getTextTypeAndValue(e.text, end, k);
        if (tv.type & mode) {
            values.push_back(tv.value);
            continue;
        }
        if (tv.type & Byte) {
            if (values.size() % 2 != 0) {
                values.push_back(valuePadding);
                if (mode == Punctuation)
                    mode = Alpha;
            }
            values.push_back(shiftToByte);
            values.push_back(tv.value);
            extra += 2;
            continue;
        }
        switch (mode) {
        case Alpha:
            if (tv.type & Lower) {
                values.insert(values.end(), {valueLatchLower, tv.value});
                mode = Lower;
            } else if (tv.type & Mixed) {
                values.insert(values.end(), {valueLatchMixed, tv.value});
                mode = Mixed;
            } else if (nextTwoAre(k, Punctuation)) {
                values.insert(values.end(), {valueLatchMixed, valueLatchPunctuation, tv.value});
                mode = Punctuation;
            } else {
                values.insert(values.end(), {valueShiftPunctuation, tv.value});
            }
            break;
        case Lower:
            if (tv.type & Alpha) {
                if (nextTwoAre(k, Alpha)) {
                    values.insert(values.end(), {valueLatchMixed, valueLatchAlpha, tv.value});
                    mode = Alpha;
                } else {
                    values.insert(values.end(), {valueShiftAlpha, tv.value});
                }
            } else if (tv.type & Mixed) {
                values.insert(values.end(), {valueLatchMixed, tv.value});
                mode = Mixed;
            } else if (nextTwoAre(k, Punctuation)) {
                values.insert(values.end(), {valueLatchMixed, valueLatchPunctuation, tv.value});
                mode = Punctuation;
            } else {
                values.insert(values.end(), {valueShiftPunctuation, tv.value});
            }
            break;
        case Mixed:
            if (tv.type & Lower) {
                values.insert(values.end(), {valueLatchLower, tv.value});
                mode = Lower;
            } else if (tv.type & Alpha) {
                values.insert(values.end(), {valueLatchAlpha, tv.value});
                mode = Alpha;
            } else if (nextTwoAre(k, Punctuation)) {
                values.insert(values.end(), {valueLatchPunctuation, tv.value});
                mode = Punctuation;
            } else {
                values.insert(values.end(), {valueShiftPunctuation, tv.value});
            }
            break;
        default:   // Punctuation: back to Alpha, then this character again
            values.push_back(valueBackToAlpha);
            mode = Alpha;
            --k;
            break;
        }
    }
    if (values.size() % 2 != 0)
        values.push_back(valuePadding);

    const int needed = (int(values.size()) + extra) / 2;
    if (e.cwPtr + needed > lastDataIndex) {
        e.p->error = Pdf417TextTooLong;
        return;
    }
    for (std::size_t k = 0; k < values.size(); k += 2) {
        const int high = values[k];
        const int low = values[k + 1];
        if (high >= 30) {
            e.p->codewords[e.cwPtr++] = high;
            e.p->codewords[e.cwPtr++] = low;
        } else {
            e.p->codewords[e.cwPtr++] = 30 * high + low;
        }
    }
}

void assemble(Encoding& e, const std::vector<Segment>& segments)
{
    e.cwPtr = 1;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        const Segment& s = segments[k];
        switch (s.type) {
        case 'B':
            e.p->codewords[e.cwPtr++] = s.length() % 6 == 0 ? latchToByteSix : latchToByte;
            byteCompaction(e, s.start, s.length());
            break;
        case 'N':
            e.p->codewords[e.cwPtr++] = latchToNumeric;
            numberCompaction(e, s.start, s.length());
            break;
        default:
            // A symbol starts in text compaction.
            if (k != 0)
                e.p->codewords[e.cwPtr++] = latchToText;
            textCompaction(e, s.start, s.length());
            break;
        }
        if (e.p->error != Pdf417Success)
            return;
    }
}

// The largest level whose error correction codewords fit in the free space.
int largestLevelFor(int freeSpace)
{
    for (int level = 8; level >= 1; --level) {
        if (freeSpace >= (2 << level))
            return level;
    }
    return 0;
}

// A symbol of more than 928 codewords is cut to one of the two 928-codeword
// rectangles.
void applySquareRule(pdf417param* p)
{
    if (p->codeColumns < 22) {
        p->codeColumns = 16;
        p->codeRows = 58;
    } else {
        p->codeColumns = 29;
        p->codeRows = 32;
    }
}

void deriveRowsFromColumns(pdf417param* p, int total)
{
    p->codeRows = (total - 1) / p->codeColumns + 1;
    if (p->codeRows < 3) {
        p->codeRows = 3;
    } else if (p->codeRows > 90) {
        p->codeRows = 90;
        p->codeColumns = (total - 1) / 90 + 1;
    }
}

void deriveColumnsFromRows(pdf417param* p, int total)
{
    p->codeColumns = (total - 1) / p->codeRows + 1;
    if (p->codeColumns > 30) {
        p->codeColumns = 30;
        p->codeRows = (total - 1) / 30 + 1;
    }
}

int columnsForAspectRatio(pdf417param* p, int total)
{
    double a = p->aspectRatio;
    if (!(a >= 0.001))   // also catches NaN
        a = 0.001;
    else if (a > 1000.0)
        a = 1000.0;
    const double b = 73.0 * a - 4.0;
    const double c = (-b + std::sqrt(b * b + 68.0 * a * total * double(p->yHeight))) / (34.0 * a);
    const double columns = 0.5 + c;
    if (!(columns >= 1.0))   // a row height of zero or less gives no real root
        return 1;
    if (columns >= 30.0)
        return 30;
    return int(columns);
}

// Chooses rows and columns for total codewords; returns the new total.
int chooseShape(pdf417param* p, int total, int needed)
{
    const bool fixedRows = (p->options & Pdf417FixedRows) != 0;
    if (p->options & Pdf417FixedRectangle) {
        total = p->codeColumns * p->codeRows;
        if (total > Pdf417MaxCodewords) {
            total = Pdf417MaxCodewords;
            applySquareRule(p);
        }
        if (total >= needed)
            return total;
        total = needed;
        if (fixedRows)
            deriveColumnsFromRows(p, total);
        else
            deriveRowsFromColumns(p, total);
    } else if (!(p->options & (Pdf417FixedColumns | Pdf417FixedRows))) {
        p->codeColumns = columnsForAspectRatio(p, total);
        deriveRowsFromColumns(p, total);
    } else if (!fixedRows) {
        deriveRowsFromColumns(p, total);
    } else {
        deriveColumnsFromRows(p, total);
    }
    return p->codeRows * p->codeColumns;
}

void calculateErrorCorrection(pdf417param* p, int dataCount)
{
    int level = p->errorLevel;
    if (level < 0 || level > 8)
        level = 0;
    const int k = 2 << level;
    const int* a = ERROR_LEVEL[level];
    int* ec = p->codewords + dataCount;
    for (int j = 0; j < k; ++j)
        ec[j] = 0;
    for (int i = 0; i < dataCount; ++i) {
        const int t = (p->codewords[i] + ec[0]) % 929;
        for (int j = 0; j < k; ++j) {
            const int next = j + 1 < k ? ec[j + 1] : 0;
            ec[j] = (next + 929 - (t * a[k - 1 - j]) % 929) % 929;
        }
    }
    for (int j = 0; j < k; ++j)
        ec[j] = (929 - ec[j]) % 929;
}

// ORs the low `bits` bits of pattern into the row buffer at bit position pos.
void putBits(unsigned char* row, int& pos, int pattern, int bits)
{
    for (int b = bits - 1; b >= 0; --b) {
        if ((pattern >> b) & 1)
            row[pos >> 3] |= static_cast<unsigned char>(0x80 >> (pos & 7));
        ++pos;
    }
}

void outPaintCode(pdf417param* p)
{
    p->bitColumns = 17 * (p->codeColumns + 3) + 18;
    const int bytesPerRow = (p->bitColumns - 1) / 8 + 1;
    p->lenBits = bytesPerRow * p->codeRows;
    p->outBits.assign(std::size_t(p->lenBits), 0);

    const int rows = p->codeRows;
    const int columns = p->codeColumns;
    const int level = p->errorLevel;
    int next = 0;
    for (int r = 0; r < rows; ++r) {
        unsigned char* row = p->outBits.data() + std::size_t(bytesPerRow) * std::size_t(r);
        const int cluster = r % 3;
        const int* patterns = CLUSTERS[cluster];
        const int q = 30 * (r / 3);
        int left = 0;
        int right = 0;
        switch (cluster) {
        case 0:
            left = q + (rows - 1) / 3;
            right = q + columns - 1;
            break;
        case 1:
            left = q + 3 * level + (rows - 1) % 3;
            right = q + (rows - 1) / 3;
            break;
        default:
            left = q + columns - 1;
            right = q + 3 * level + (rows - 1) % 3;
            break;
        }
        int pos = 0;
        putBits(row, pos, PDF417_START_PATTERN, 17);
        putBits(row, pos, patterns[left], 17);
        for (int c = 0; c < columns; ++c)
            putBits(row, pos, patterns[p->codewords[next++]], 17);
        putBits(row, pos, patterns[right], 17);
        putBits(row, pos, PDF417_STOP_PATTERN, 18);
    }
    if (p->options & Pdf417InvertBitmap) {
        for (unsigned char& byte : p->outBits)
            byte = static_cast<unsigned char>(~byte);
    }
}

}

void pdf417init(pdf417param* param)
{
    param->outBits.clear();
    param->outBits.shrink_to_fit();
    param->lenBits = 0;
    param->options = 0;
    param->error = Pdf417Success;
    param->lenText = -1;
    param->text = "";
    param->yHeight = 3.0f;
    param->aspectRatio = 0.5f;
}

void pdf417free(pdf417param* param)
{
    param->outBits.clear();
    param->outBits.shrink_to_fit();
}

void paintCode(pdf417param* p)
{
    p->error = Pdf417Success;
    if (p->options & Pdf417RawCodewords) {
        if (p->lenCodewords < 1 || p->lenCodewords > lastDataIndex
            || p->codewords[0] != p->lenCodewords) {
            p->error = Pdf417InvalidCodewords;
            return;
        }
        // Every codeword must have a pattern.
        for (int k = 1; k < p->lenCodewords; ++k) {
            if (p->codewords[k] < 0 || p->codewords[k] > 928) {
                p->error = Pdf417InvalidCodewords;
                return;
            }
        }
    } else {
        const char* text = p->text ? p->text : "";
        if (!p->text)
            p->lenText = 0;
        else if (p->lenText < 0)
            p->lenText = int(std::strlen(text));
        if (p->lenText > Pdf417MaxTextBytes) {
            p->error = Pdf417TextTooLong;
            return;
        }
        Encoding e {p, reinterpret_cast<const unsigned char*>(text), p->lenText, 1};
        assemble(e, breakString(e.text, e.lenText));
        if (p->error != Pdf417Success)
            return;
        p->lenCodewords = e.cwPtr;
        p->codewords[0] = e.cwPtr;
    }

    const int maxLevel = largestLevelFor(Pdf417MaxCodewords - p->lenCodewords);
    if (!(p->options & Pdf417UseErrorLevel)) {
        const int n = p->lenCodewords;
        p->errorLevel = n < 41 ? 2 : n < 161 ? 3 : n < 321 ? 4 : 5;
    }
    if (p->errorLevel < 0)
        p->errorLevel = 0;
    else if (p->errorLevel > maxLevel)
        p->errorLevel = maxLevel;

    if (p->codeColumns < 1)
        p->codeColumns = 1;
    else if (p->codeColumns > 30)
        p->codeColumns = 30;
    if (p->codeRows < 3)
        p->codeRows = 3;
    else if (p->codeRows > 90)
        p->codeRows = 90;

    const int needed = p->lenCodewords + (2 << p->errorLevel);
    int total = chooseShape(p, needed, needed);
    if (total > Pdf417MaxCodewords) {
        total = Pdf417MaxCodewords;
        applySquareRule(p);
    }

    // The level grows to fill the rows and columns; what is left is padding.
    p->errorLevel = largestLevelFor(total - p->lenCodewords);
    const int correction = 2 << p->errorLevel;
    const int padding = total - correction - p->lenCodewords;
    for (int k = 0; k < padding; ++k)
        p->codewords[p->lenCodewords + k] = latchToText;
    p->lenCodewords += padding;
    p->codewords[0] = p->lenCodewords;

    calculateErrorCorrection(p, p->lenCodewords);
    p->lenCodewords = total;
    outPaintCode(p);
}
