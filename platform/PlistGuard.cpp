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

// Where the references of container `index` start and how many there are
// (twice the entry count for dictionaries). False when malformed; a scalar
// gives zero references.
bool containerRefs(const QByteArray& b, const BinaryTables& t, quint64 index, quint64& first, quint64& count,
                   bool& container, bool& dictionary)
{
    count = 0;
    container = false;
    dictionary = false;
    quint64 offset = 0;
    if (!readUnsigned(b, t.tableOffset + index * quint64(t.offsetSize), t.offsetSize, offset))
        return false;
    if (offset < 8 || offset >= t.tableOffset)
        return false;
    const quint8 marker = quint8(b[qsizetype(offset)]);
    const quint8 kind = marker >> 4;
    if (kind != 0xA && kind != 0xC && kind != 0xD)
        return true;
    container = true;
    dictionary = kind == 0xD;
    quint64 n = marker & 0x0F;
    quint64 pos = offset + 1;
    if (n == 0x0F) {
        if (pos >= quint64(b.size()))
            return false;
        const quint8 intMarker = quint8(b[qsizetype(pos)]);
        if ((intMarker >> 4) != 0x1 || (intMarker & 0x0F) > 3)
            return false;
        const int size = 1 << (intMarker & 0x0F);
        if (!readUnsigned(b, pos + 1, size, n))
            return false;
        pos += 1 + quint64(size);
    }
    const quint64 refs = kind == 0xD ? n * 2 : n;
    if (n > quint64(b.size()) || refs * quint64(t.refSize) > t.tableOffset - pos)
        return false;
    first = pos;
    count = refs;
    return true;
}

// False when object `index` is a UTF-16 string holding a NUL character.
bool keyReadable(const QByteArray& b, const BinaryTables& t, quint64 index)
{
    quint64 offset = 0;
    if (!readUnsigned(b, t.tableOffset + index * quint64(t.offsetSize), t.offsetSize, offset))
        return false;
    if (offset < 8 || offset >= t.tableOffset)
        return false;
    const quint8 marker = quint8(b[qsizetype(offset)]);
    if ((marker >> 4) != 0x6)
        return true;
    quint64 n = marker & 0x0F;
    quint64 pos = offset + 1;
    if (n == 0x0F) {
        if (pos >= quint64(b.size()))
            return false;
        const quint8 intMarker = quint8(b[qsizetype(pos)]);
        if ((intMarker >> 4) != 0x1 || (intMarker & 0x0F) > 3)
            return false;
        const int size = 1 << (intMarker & 0x0F);
        if (!readUnsigned(b, pos + 1, size, n))
            return false;
        pos += 1 + quint64(size);
    }
    if (n > (t.tableOffset - pos) / 2)
        return false;
    for (quint64 i = 0; i < n; ++i) {
        if (b[qsizetype(pos + 2 * i)] == 0 && b[qsizetype(pos + 2 * i + 1)] == 0)
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
