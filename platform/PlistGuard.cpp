#include "platform/PlistGuard.h"

#include <cstdint>
#include <vector>

namespace {

// Reads a big-endian unsigned number of `size` (1..8) bytes at `pos`.
bool readUnsigned(const QByteArray& b, quint64 pos, int size, quint64& out)
{
    if (size < 1 || size > 8 || pos > quint64(b.size()) || quint64(b.size()) - pos < quint64(size))
        return false;
    quint64 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | quint8(b[qsizetype(pos + quint64(i))]);
    out = v;
    return true;
}

struct BinaryTables {
    int refSize = 0;
    int offsetSize = 0;
    quint64 objectCount = 0;
    quint64 root = 0;
    quint64 tableOffset = 0;
};

// The marker byte of object `index`, its count (the low nibble, or the
// integer after it) and where its contents start. False when malformed.
struct ObjectHeader {
    quint8 kind = 0;
    quint64 count = 0;
    quint64 contents = 0;
};

bool readHeader(const QByteArray& b, const BinaryTables& t, quint64 index, ObjectHeader& h)
{
    quint64 offset = 0;
    if (!readUnsigned(b, t.tableOffset + index * quint64(t.offsetSize), t.offsetSize, offset))
        return false;
    if (offset < 8 || offset >= t.tableOffset)
        return false;
    const quint8 marker = quint8(b[qsizetype(offset)]);
    h.kind = marker >> 4;
    h.count = marker & 0x0F;
    h.contents = offset + 1;
    // Data, strings and containers give their count in the low nibble, or
    // as an integer object after the marker when it is 15.
    const bool counted = (h.kind >= 0x4 && h.kind <= 0x7) || h.kind == 0xA || h.kind == 0xC || h.kind == 0xD;
    if (counted && h.count == 0x0F) {
        if (h.contents >= quint64(b.size()))
            return false;
        const quint8 intMarker = quint8(b[qsizetype(h.contents)]);
        if ((intMarker >> 4) != 0x1 || (intMarker & 0x0F) > 3)
            return false;
        const int size = 1 << (intMarker & 0x0F);
        if (!readUnsigned(b, h.contents + 1, size, h.count))
            return false;
        h.contents += 1 + quint64(size);
    }
    return h.contents <= t.tableOffset;
}

bool isContainer(quint8 kind)
{
    return kind == 0xA || kind == 0xC || kind == 0xD;
}

// Where the references of object `index` start and how many there are
// (twice the entry count for dictionaries); none for scalars.
bool containerRefs(const QByteArray& b, const BinaryTables& t, quint64 index, quint64& first, quint64& count,
                   bool& container, bool& dictionary)
{
    ObjectHeader h;
    if (!readHeader(b, t, index, h))
        return false;
    container = isContainer(h.kind);
    dictionary = h.kind == 0xD;
    count = 0;
    if (!container)
        return true;
    const quint64 refs = dictionary ? h.count * 2 : h.count;
    if (h.count > quint64(b.size()) || refs * quint64(t.refSize) > t.tableOffset - h.contents)
        return false;
    first = h.contents;
    count = refs;
    return true;
}

// False when object `index` is a UTF-16 string holding a NUL character.
bool keyReadable(const QByteArray& b, const BinaryTables& t, quint64 index)
{
    ObjectHeader h;
    if (!readHeader(b, t, index, h))
        return false;
    if (h.kind != 0x6)
        return true;
    if (h.count > (t.tableOffset - h.contents) / 2)
        return false;
    for (quint64 i = 0; i < h.count; ++i) {
        if (b[qsizetype(h.contents + 2 * i)] == 0 && b[qsizetype(h.contents + 2 * i + 1)] == 0)
            return false;
    }
    return true;
}

} // namespace

bool PlistGuard::accepts(const QByteArray& bytes, int maxDepth)
{
    if (bytes.startsWith("bplist"))
        return binaryAccepted(bytes, maxDepth);
    qsizetype i = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    if (i < bytes.size() && bytes[i] == '<')
        return xmlWithinDepth(bytes, maxDepth);
    return true;
}

bool PlistGuard::binaryAccepted(const QByteArray& b, int maxDepth)
{
    constexpr quint64 headerSize = 8;
    constexpr quint64 trailerSize = 32;
    if (quint64(b.size()) < headerSize + trailerSize)
        return false;
    const quint64 trailer = quint64(b.size()) - trailerSize;
    BinaryTables t;
    t.offsetSize = quint8(b[qsizetype(trailer + 6)]);
    t.refSize = quint8(b[qsizetype(trailer + 7)]);
    if (!readUnsigned(b, trailer + 8, 8, t.objectCount) || !readUnsigned(b, trailer + 16, 8, t.root)
        || !readUnsigned(b, trailer + 24, 8, t.tableOffset))
        return false;
    if (t.offsetSize < 1 || t.offsetSize > 8 || t.refSize < 1 || t.refSize > 8)
        return false;
    if (t.objectCount == 0 || t.root >= t.objectCount || t.tableOffset < headerSize || t.tableOffset > trailer
        || t.objectCount > (trailer - t.tableOffset) / quint64(t.offsetSize))
        return false;

    // Longest chain of containers from the root, by an explicit-stack walk
    // that remembers the depth below each finished object. Scalars count no
    // level, containers one.
    enum : quint8 { Unseen, Open, Done };
    std::vector<quint8> state(t.objectCount, Unseen);
    std::vector<int> depthOf(t.objectCount, 0);
    struct Frame {
        quint64 index;
        quint64 firstRef;
        quint64 refCount;
        quint64 next;
        int deepestChild;
    };
    std::vector<Frame> stack;
    auto open = [&](quint64 index) {
        Frame f {index, 0, 0, 0, 0};
        bool container = false;
        bool dictionary = false;
        if (!containerRefs(b, t, index, f.firstRef, f.refCount, container, dictionary))
            return false;
        // A dictionary's references are its keys, then its values.
        for (quint64 k = 0; dictionary && k < f.refCount / 2; ++k) {
            quint64 key = 0;
            if (!readUnsigned(b, f.firstRef + k * quint64(t.refSize), t.refSize, key) || key >= t.objectCount
                || !keyReadable(b, t, key))
                return false;
        }
        if (!container) {
            state[index] = Done;
            depthOf[index] = 0;
            return true;
        }
        state[index] = Open;
        stack.push_back(f);
        return true;
    };
    if (!open(t.root))
        return false;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.refCount) {
            const quint64 finished = f.index;
            depthOf[finished] = f.deepestChild + 1;
            state[finished] = Done;
            stack.pop_back();
            if (!stack.empty())
                stack.back().deepestChild = std::max(stack.back().deepestChild, depthOf[finished]);
            continue;
        }
        quint64 child = 0;
        if (!readUnsigned(b, f.firstRef + f.next * quint64(t.refSize), t.refSize, child))
            return false;
        ++f.next;
        if (child >= t.objectCount || state[child] == Open) // out of range, or a cycle
            return false;
        if (state[child] == Unseen) {
            if (!open(child))
                return false;
            if (state[child] == Open) {
                if (int(stack.size()) > maxDepth)
                    return false;
                continue;
            }
        }
        Frame& top = stack.back();
        if (int(stack.size()) + depthOf[child] > maxDepth)
            return false;
        top.deepestChild = std::max(top.deepestChild, depthOf[child]);
    }
    return depthOf[t.root] <= maxDepth;
}

bool PlistGuard::xmlWithinDepth(const QByteArray& b, int maxDepth)
{
    auto nameIs = [&](qsizetype pos, const char* name, qsizetype length) {
        if (b.size() - pos < length + 1 || b.mid(pos, length) != QByteArray::fromRawData(name, length))
            return false;
        const char after = b[pos + length];
        return after == '>' || after == '/' || after == ' ' || after == '\t' || after == '\r' || after == '\n';
    };
    int depth = 0;
    for (qsizetype i = b.indexOf('<'); i >= 0 && i + 1 < b.size(); i = b.indexOf('<', i + 1)) {
        const bool closing = b[i + 1] == '/';
        const qsizetype name = i + (closing ? 2 : 1);
        if (!nameIs(name, "array", 5) && !nameIs(name, "dict", 4))
            continue;
        if (closing) {
            depth = std::max(0, depth - 1);
            continue;
        }
        const qsizetype end = b.indexOf('>', name);
        if (end > 0 && b[end - 1] == '/')
            continue; // an empty container written as one tag
        if (++depth > maxDepth)
            return false;
    }
    return true;
}
