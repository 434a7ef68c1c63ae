// Archives come from files and the clipboard, so the reader must refuse
// damaged and hostile ones without crashing: references out of range,
// cycles, wrong value types, deep nesting and truncated data.
#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/ArchivedPicture.h"
#include "platform/ArchivedText.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/PlistGuard.h"
#include "platform/PlistValue.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Builds {"$archiver", "$version", "$top": {"root": UID 1}, "$objects"} from
// the given objects ("$null" is put first).
QByteArray archiveOf(std::vector<PlistValue> objects, quint64 root = 1)
{
    PlistValue list = PlistValue::array();
    list.append(PlistValue::string(QStringLiteral("$null")));
    for (PlistValue& o : objects)
        list.append(std::move(o));
    PlistValue top = PlistValue::dictionary();
    top.insert(QStringLiteral("root"), PlistValue::uid(root));
    PlistValue archive = PlistValue::dictionary();
    archive.insert(QStringLiteral("$archiver"), PlistValue::string(QStringLiteral("NSKeyedArchiver")));
    archive.insert(QStringLiteral("$version"), PlistValue::integer(100000));
    archive.insert(QStringLiteral("$top"), std::move(top));
    archive.insert(QStringLiteral("$objects"), std::move(list));
    return archive.toBinary();
}

PlistValue classInfo(const QString& name)
{
    PlistValue chain = PlistValue::array();
    chain.append(PlistValue::string(name));
    chain.append(PlistValue::string(QStringLiteral("NSObject")));
    PlistValue d = PlistValue::dictionary();
    d.insert(QStringLiteral("$classname"), PlistValue::string(name));
    d.insert(QStringLiteral("$classes"), std::move(chain));
    return d;
}

// A colour object with the given keys, its class dictionary at `classUid`.
PlistValue colourObject(quint64 classUid, int space, const char* key, PlistValue value)
{
    PlistValue d = PlistValue::dictionary();
    d.insert(QStringLiteral("NSColorSpace"), PlistValue::integer(space));
    if (key)
        d.insert(QString::fromLatin1(key), std::move(value));
    d.insert(QStringLiteral("$class"), PlistValue::uid(classUid));
    return d;
}

std::optional<Colour> rootColour(const QByteArray& data)
{
    KeyedUnarchiver coder(data);
    return coder.decodeRoot<Colour>(&ArchivedColour::decode);
}

// Nested arrays n deep in a binary property list, written by hand so that
// no library recursion is involved; with `cycle` the innermost refers back
// to the outermost.
QByteArray nestedBinaryArrays(quint32 n, bool cycle)
{
    QByteArray body;
    std::vector<quint32> offsets;
    for (quint32 i = 0; i < n; ++i) {
        offsets.push_back(quint32(8 + body.size()));
        const bool last = i + 1 == n;
        if (last && !cycle) {
            body.append(char(0xA0));
            continue;
        }
        const quint32 next = last ? 0 : i + 1;
        body.append(char(0xA1));
        for (int s = 24; s >= 0; s -= 8)
            body.append(char((next >> s) & 0xFF));
    }
    QByteArray data = "bplist00" + body;
    const quint64 tableOffset = quint64(data.size());
    for (quint32 o : offsets)
        for (int s = 24; s >= 0; s -= 8)
            data.append(char((o >> s) & 0xFF));
    data.append(QByteArray(6, '\0'));
    data.append(char(4));
    data.append(char(4));
    for (quint64 v : {quint64(n), quint64(0), tableOffset})
        for (int s = 56; s >= 0; s -= 8)
            data.append(char((v >> s) & 0xFF));
    return data;
}

// A binary property list {key: value} with both strings stored as UTF-16.
QByteArray utf16Dictionary(const QString& key, const QString& value)
{
    QByteArray body;
    std::vector<quint8> offsets;
    offsets.push_back(quint8(8 + body.size()));
    body.append(char(0xD1));
    body.append(char(1));
    body.append(char(2));
    for (const QString& s : {key, value}) {
        offsets.push_back(quint8(8 + body.size()));
        body.append(char(0x60 | s.size()));
        for (QChar c : s) {
            body.append(char(c.unicode() >> 8));
            body.append(char(c.unicode() & 0xFF));
        }
    }
    QByteArray data = "bplist00" + body;
    const quint8 tableOffset = quint8(data.size());
    for (quint8 o : offsets)
        data.append(char(o));
    data.append(QByteArray(6, '\0'));
    data.append(char(1));
    data.append(char(1));
    for (quint64 v : {quint64(3), quint64(0), quint64(tableOffset)})
        for (int s = 56; s >= 0; s -= 8)
            data.append(char((v >> s) & 0xFF));
    return data;
}

// Decodes everything an archive may hold through every reader, as the card
// reader does; the test is that this returns.
void decodeEverything(const QByteArray& data)
{
    KeyedUnarchiver coder(data);
    coder.decodeRoot<bool>([](KeyedUnarchiver& c) -> std::optional<bool> {
        for (const QString& key : c.current().keys()) {
            c.decodeBool(key);
            c.decodeInt(key);
            c.decodeDouble(key);
            c.decodeString(key);
            c.decodeRect(key);
            c.decodeColour(key);
            c.decodeFont(key);
            c.decodePicture(key);
            c.decodeObject<ArchivedText::Text>(key, &ArchivedText::decode);
            c.arrayElements(key);
        }
        return true;
    });
}

QByteArray richArchive()
{
    QImage image(6, 3, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 40));
    return KeyedArchiver::archivedData({"SKTText", "SKTGraphic", "NSObject"}, [&](KeyedArchiver& a) {
        a.encodeRect("_bounds", {1, 2, 3, 4});
        a.encodeBool("locked", true);
        a.encodeColour("fill", Colour::rgb(0.5, 0.25, 1, 0.5));
        a.encodeColour("white", Colour::white());
        a.encodeFont("font", FontSpec(QStringLiteral("Times New Roman"), 12));
        a.encodeString("name", QStringLiteral("Names"));
        a.encodeReference("text", ArchivedText::encode(a, QStringLiteral("Hello"), FontSpec(QStringLiteral("Arial"), 9),
                                                       Colour::black()));
        a.encodePicture("picture", Picture(image, QSizeF(3, 1.5)));
        a.encodeFloat("width", 1.3f);
    });
}

} // namespace

TEST(KeyedArchiveHostile, ContainerProblemsAreRefused)
{
    EXPECT_FALSE(KeyedUnarchiver(QByteArray()).isValid());
    EXPECT_FALSE(KeyedUnarchiver("not a property list").isValid());
    EXPECT_FALSE(KeyedUnarchiver(QByteArray(100, '\0')).isValid());
    // A property list, but no archive.
    PlistValue plain = PlistValue::array();
    plain.append(PlistValue::string(QStringLiteral("x")));
    EXPECT_FALSE(KeyedUnarchiver(plain.toBinary()).isValid());

    std::vector<PlistValue> objects;
    objects.push_back(PlistValue::string(QStringLiteral("only")));
    const QByteArray good = archiveOf(std::move(objects));
    EXPECT_TRUE(KeyedUnarchiver(good).isValid());
    for (quint64 root : {quint64(0), quint64(2), quint64(1) << 40}) {
        std::vector<PlistValue> o;
        o.push_back(PlistValue::string(QStringLiteral("only")));
        EXPECT_FALSE(KeyedUnarchiver(archiveOf(std::move(o), root)).isValid()) << root;
    }
    // "$objects" of the wrong type.
    PlistValue top = PlistValue::dictionary();
    top.insert(QStringLiteral("root"), PlistValue::uid(1));
    PlistValue archive = PlistValue::dictionary();
    archive.insert(QStringLiteral("$top"), std::move(top));
    archive.insert(QStringLiteral("$objects"), PlistValue::string(QStringLiteral("no array")));
    EXPECT_FALSE(KeyedUnarchiver(archive.toBinary()).isValid());
}

TEST(KeyedArchiveHostile, ReferencesOutOfRangeReadAsNil)
{
    std::vector<PlistValue> objects;
    PlistValue root = PlistValue::dictionary();
    root.insert(QStringLiteral("far"), PlistValue::uid(999));
    root.insert(QStringLiteral("huge"), PlistValue::uid(~quint64(0)));
    root.insert(QStringLiteral("null"), PlistValue::uid(0));
    root.insert(QStringLiteral("$class"), PlistValue::uid(77));
    objects.push_back(std::move(root));
    KeyedUnarchiver coder(archiveOf(std::move(objects)));
    ASSERT_TRUE(coder.isValid());
    const auto ok = coder.decodeRoot<bool>([](KeyedUnarchiver& c) -> std::optional<bool> {
        EXPECT_TRUE(c.classes().isEmpty());
        EXPECT_TRUE(c.decodeString("far").isNull());
        EXPECT_FALSE(c.decodeColour("huge").isValid());
        EXPECT_FALSE(c.decodeFont("null").isValid());
        EXPECT_TRUE(c.decodeBytes("far").isEmpty());
        EXPECT_TRUE(c.arrayElements("huge").isEmpty());
        return true;
    });
    EXPECT_TRUE(ok);
}

TEST(KeyedArchiveHostile, CyclesEndInNil)
{
    // 1: catalog colour whose fallback is itself; 2: its class.
    {
        std::vector<PlistValue> objects;
        objects.push_back(colourObject(2, 6, "NSColor", PlistValue::uid(1)));
        objects.push_back(classInfo(QStringLiteral("NSColor")));
        EXPECT_FALSE(rootColour(archiveOf(std::move(objects))));
    }
    // Two catalog colours falling back to each other.
    {
        std::vector<PlistValue> objects;
        objects.push_back(colourObject(3, 6, "NSColor", PlistValue::uid(2)));
        objects.push_back(colourObject(3, 6, "NSColor", PlistValue::uid(1)));
        objects.push_back(classInfo(QStringLiteral("NSColor")));
        EXPECT_FALSE(rootColour(archiveOf(std::move(objects))));
    }
    // A mutable string whose characters are itself.
    {
        std::vector<PlistValue> objects;
        PlistValue s = PlistValue::dictionary();
        s.insert(QStringLiteral("NS.string"), PlistValue::uid(1));
        objects.push_back(std::move(s));
        KeyedUnarchiver coder(archiveOf(std::move(objects)));
        EXPECT_FALSE(coder.decodeRoot<QString>(&KeyedUnarchiver::stringObject));
    }
    // A picture whose representations array holds itself, and whose
    // attribute array holds the text.
    {
        std::vector<PlistValue> objects;
        PlistValue image = PlistValue::dictionary();
        image.insert(QStringLiteral("NSReps"), PlistValue::uid(2));
        objects.push_back(std::move(image));
        PlistValue reps = PlistValue::array();
        reps.append(PlistValue::uid(2));
        reps.append(PlistValue::uid(1));
        PlistValue repsObject = PlistValue::dictionary();
        repsObject.insert(QStringLiteral("NS.objects"), std::move(reps));
        objects.push_back(std::move(repsObject));
        KeyedUnarchiver coder(archiveOf(std::move(objects)));
        EXPECT_FALSE(coder.decodeRoot<Picture>(&ArchivedPicture::decode));
    }
}

TEST(KeyedArchiveHostile, WrongTypesAreRefused)
{
    const struct {
        const char* name;
        int space;
        const char* key;
        std::function<PlistValue()> value;
    } colours[] = {
        {"text as string", 2, "NSRGB", [] { return PlistValue::string(QStringLiteral("1 0 0")); }},
        {"text as number", 2, "NSRGB", [] { return PlistValue::integer(1); }},
        {"two components", 2, "NSRGB", [] { return PlistValue::data(QByteArray("1 0\0", 4)); }},
        {"not numbers", 1, "NSRGB", [] { return PlistValue::data(QByteArray("red green blue\0", 15)); }},
        {"nan", 2, "NSRGB", [] { return PlistValue::data(QByteArray("nan 0 0\0", 8)); }},
        {"infinite", 2, "NSRGB", [] { return PlistValue::data(QByteArray("1e999 0 0\0", 10)); }},
        {"too many", 2, "NSRGB", [] { return PlistValue::data(QByteArray("1 1 1 1 1 1 1 1\0", 16)); }},
        {"empty white", 3, "NSWhite", [] { return PlistValue::data(QByteArray()); }},
        {"short cmyk", 5, "NSCMYK", [] { return PlistValue::data(QByteArray("1 1 1\0", 6)); }},
        {"catalog without fallback", 6, nullptr, [] { return PlistValue(); }},
        {"unknown space", 42, nullptr, [] { return PlistValue(); }},
    };
    for (const auto& c : colours) {
        std::vector<PlistValue> objects;
        objects.push_back(colourObject(2, c.space, c.key, c.value()));
        objects.push_back(classInfo(QStringLiteral("NSColor")));
        EXPECT_FALSE(rootColour(archiveOf(std::move(objects)))) << c.name;
    }
    // A colour space given as a string, with a usable text: the text decides.
    {
        std::vector<PlistValue> objects;
        PlistValue colour = PlistValue::dictionary();
        colour.insert(QStringLiteral("NSColorSpace"), PlistValue::string(QStringLiteral("two")));
        colour.insert(QStringLiteral("NSRGB"), PlistValue::data(QByteArray("0 1 0\0", 6)));
        objects.push_back(std::move(colour));
        const auto read = rootColour(archiveOf(std::move(objects)));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->toQColor(), QColor(0, 255, 0));
    }
    // Fonts: a name that is no string, a size that is no number.
    {
        std::vector<PlistValue> objects;
        PlistValue font = PlistValue::dictionary();
        font.insert(QStringLiteral("NSName"), PlistValue::integer(12));
        objects.push_back(std::move(font));
        KeyedUnarchiver coder(archiveOf(std::move(objects)));
        EXPECT_FALSE(coder.decodeRoot<FontSpec>(&ArchivedFont::decode));
    }
    for (double size : {-4.0, std::numeric_limits<double>::quiet_NaN(), 1e300}) {
        std::vector<PlistValue> objects;
        PlistValue font = PlistValue::dictionary();
        font.insert(QStringLiteral("NSName"), PlistValue::uid(2));
        font.insert(QStringLiteral("NSSize"), PlistValue::real(size));
        objects.push_back(std::move(font));
        objects.push_back(PlistValue::string(QStringLiteral("ArialMT")));
        KeyedUnarchiver coder(archiveOf(std::move(objects)));
        const auto read = coder.decodeRoot<FontSpec>(&ArchivedFont::decode);
        ASSERT_TRUE(read);
        EXPECT_GT(read->pointSize(), 0);
        EXPECT_LE(read->pointSize(), 10000);
    }
    // Numbers of the wrong kind read as zero; a class entry of the wrong kind
    // gives no class.
    {
        std::vector<PlistValue> objects;
        PlistValue root = PlistValue::dictionary();
        root.insert(QStringLiteral("flag"), PlistValue::string(QStringLiteral("YES")));
        root.insert(QStringLiteral("count"), PlistValue::data("12"));
        root.insert(QStringLiteral("real"), PlistValue::real(1e30));
        root.insert(QStringLiteral("$class"), PlistValue::uid(2));
        objects.push_back(std::move(root));
        PlistValue info = PlistValue::dictionary();
        info.insert(QStringLiteral("$classname"), PlistValue::integer(3));
        objects.push_back(std::move(info));
        KeyedUnarchiver coder(archiveOf(std::move(objects)));
        coder.decodeRoot<bool>([](KeyedUnarchiver& c) -> std::optional<bool> {
            EXPECT_FALSE(c.decodeBool("flag"));
            EXPECT_EQ(c.decodeInt("count"), 0);
            EXPECT_EQ(c.decodeInt("real"), std::numeric_limits<int>::max());
            EXPECT_TRUE(c.className().isEmpty());
            return true;
        });
    }
    // Picture data that is no picture.
    {
        KeyedArchiver a;
        const quint64 root = a.addObject({"NSImage", "NSObject"}, [](KeyedArchiver& k) {
            const quint64 rep = k.addObject({"NSBitmapImageRep", "NSImageRep", "NSObject"}, [](KeyedArchiver& r) {
                r.encodeReference("NSTIFFRepresentation", r.addData("II*\0 garbage"));
            });
            k.encodeReference("NSReps", k.addArray({k.addArray({k.addInteger(0), rep})}));
        });
        KeyedUnarchiver coder(a.archive(root));
        EXPECT_FALSE(coder.decodeRoot<Picture>(&ArchivedPicture::decode));
    }
}

TEST(KeyedArchiveHostile, RunsThatDoNotFitTheTextFallBackToOneRun)
{
    for (const QByteArray& info : {ArchivedText::runInfo({{3, 0}, {9, 1}}), ArchivedText::runInfo({{5, 7}}),
                                   ArchivedText::runInfo({{2, 0}}), QByteArray("\xFF", 1)}) {
        KeyedArchiver a;
        const quint64 root = a.addObject({"NSAttributedString", "NSObject"}, [&](KeyedArchiver& k) {
            k.encodeString("NSString", QStringLiteral("Hello"));
            const quint64 d1 = k.addDictionary({k.addString("NSColor")}, {ArchivedColour::encode(k, Colour::black())});
            const quint64 d2 = k.addDictionary({k.addString("NSColor")}, {ArchivedColour::encode(k, Colour::white())});
            k.encodeReference("NSAttributes", k.addArray({d1, d2}));
            k.encodeBytes("NSAttributeInfo", info);
        });
        KeyedUnarchiver coder(a.archive(root));
        const auto text = coder.decodeRoot<ArchivedText::Text>(&ArchivedText::decode);
        ASSERT_TRUE(text);
        EXPECT_EQ(text->string, QStringLiteral("Hello"));
        ASSERT_EQ(text->runs.size(), 1);
        EXPECT_EQ(text->runs[0].length, 5);
        EXPECT_EQ(text->runs[0].colour, Colour::black());
    }
}

TEST(KeyedArchiveHostile, DeepObjectNestingIsCut)
{
    // Catalog colours, each falling back to the next; the last is a real one.
    auto chain = [](int n) {
        std::vector<PlistValue> objects;
        const quint64 classUid = quint64(n) + 2;
        for (int i = 1; i <= n; ++i)
            objects.push_back(colourObject(classUid, 6, "NSColor", PlistValue::uid(quint64(i) + 1)));
        objects.push_back(colourObject(classUid, 2, "NSRGB", PlistValue::data(QByteArray("0 0 1\0", 6))));
        objects.push_back(classInfo(QStringLiteral("NSColor")));
        return archiveOf(std::move(objects));
    };
    const auto shallow = rootColour(chain(10));
    ASSERT_TRUE(shallow);
    EXPECT_EQ(shallow->toQColor(), QColor(0, 0, 255));
    EXPECT_FALSE(rootColour(chain(KeyedUnarchiver::maxNesting + 5)));
    EXPECT_FALSE(rootColour(chain(20000)));
}

TEST(KeyedArchiveHostile, DeepPropertyListNestingIsRefusedBeforeParsing)
{
    // libplist recurses once per level; a hundred thousand levels would
    // overflow its stack.
    EXPECT_TRUE(PlistValue::fromData(nestedBinaryArrays(100000, false)).isNull());
    EXPECT_FALSE(PlistValue::fromData(nestedBinaryArrays(100, false)).isNull());
    EXPECT_TRUE(PlistValue::fromData(nestedBinaryArrays(100, true)).isNull());   // a cycle
    EXPECT_TRUE(PlistGuard::accepts(nestedBinaryArrays(10, false), 10));
    EXPECT_FALSE(PlistGuard::accepts(nestedBinaryArrays(11, false), 10));

    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
    xml += QByteArray("<array>").repeated(1000000) + QByteArray("</array>").repeated(1000000) + "</plist>";
    EXPECT_TRUE(PlistValue::fromData(xml).isNull());
    QByteArray shallowXml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><dict/><array><string>x</string>"
                            "</array></array></plist>";
    const PlistValue parsed = PlistValue::fromData(shallowXml);
    ASSERT_FALSE(parsed.isNull());
    EXPECT_EQ(parsed.node().count(), 2u);
    EXPECT_TRUE(PlistGuard::accepts(shallowXml, 2));
    EXPECT_FALSE(PlistGuard::accepts(shallowXml, 1));
}

TEST(KeyedArchiveHostile, NulCharactersInStrings)
{
    const QString withNul = QStringLiteral("\u00e9") + QChar(0) + QStringLiteral("x");
    const PlistValue ordinary = PlistValue::fromData(utf16Dictionary(QStringLiteral("\u00e9k"), withNul));
    ASSERT_FALSE(ordinary.isNull());
    EXPECT_EQ(ordinary.node().keys(), QStringList {QStringLiteral("\u00e9k")});
    EXPECT_EQ(ordinary.node().value(QStringLiteral("\u00e9k")).toString(), withNul);
    // libplist cannot hand out such a key without aborting: refused.
    EXPECT_TRUE(PlistValue::fromData(utf16Dictionary(withNul, QStringLiteral("v"))).isNull());
}

TEST(KeyedArchiveHostile, BinaryTablesOutOfRangeAreRefused)
{
    QByteArray good = nestedBinaryArrays(3, false);
    ASSERT_FALSE(PlistValue::fromData(good).isNull());
    const qsizetype trailer = good.size() - 32;
    auto patched = [&](qsizetype at, const QByteArray& bytes) {
        QByteArray b = good;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    const QByteArray cases[] = {
        patched(trailer + 6, QByteArray(1, '\0')),                                   // offset size 0
        patched(trailer + 7, QByteArray(1, char(9))),                                // reference size 9
        patched(trailer + 8, QByteArray("\x7f\xff\xff\xff\xff\xff\xff\xff", 8)),     // object count
        patched(trailer + 16, QByteArray("\0\0\0\0\0\0\0\x09", 8)),                  // root beyond the objects
        patched(trailer + 24, QByteArray("\xff\xff\xff\xff\xff\xff\xff\x00", 8)),    // table beyond the data
        patched(9, QByteArray("\0\0\0\x63", 4)),                                      // reference to object 99
    };
    for (const QByteArray& bad : cases)
        EXPECT_TRUE(PlistValue::fromData(bad).isNull());
}

TEST(KeyedArchiveHostile, TruncatedArchivesDoNotCrash)
{
    const QByteArray data = richArchive();
    decodeEverything(data);
    for (qsizetype n = 0; n < data.size(); ++n)
        decodeEverything(data.left(n));
    EXPECT_FALSE(KeyedUnarchiver(data.left(data.size() - 1)).isValid());
}

// Every UID node below `node`.
void collectUids(const PlistNode& node, std::vector<plist_t>& out)
{
    if (node.type() == PLIST_UID) {
        out.push_back(node.get());
        return;
    }
    for (quint32 i = 0; i < node.count(); ++i)
        collectUids(node.at(i), out);
    for (const QString& key : node.keys())
        collectUids(node.value(key), out);
}

TEST(KeyedArchiveHostile, RewiredReferencesDoNotCrash)
{
    // References pointed at random objects: cycles, objects of the wrong
    // class, class dictionaries read as values and values read as classes.
    const PlistValue original = PlistValue::fromData(richArchive());
    ASSERT_FALSE(original.isNull());
    const quint32 objectCount = original.node().value("$objects").count();
    QRandomGenerator random(7);
    const int rounds = qEnvironmentVariableIntValue("ARCHIVE_FUZZ_ROUNDS") > 0
        ? qEnvironmentVariableIntValue("ARCHIVE_FUZZ_ROUNDS") : 2000;
    for (int round = 0; round < rounds; ++round) {
        PlistValue archive = original.copy();
        std::vector<plist_t> uids;
        collectUids(archive.node(), uids);
        const int changes = 1 + int(random.bounded(6));
        for (int i = 0; i < changes; ++i)
            plist_set_uid_val(uids[random.bounded(quint32(uids.size()))], random.bounded(objectCount + 2));
        decodeEverything(archive.toBinary());
    }
}

TEST(KeyedArchiveHostile, DamagedArchivesDoNotCrash)
{
    const QByteArray data = richArchive();
    QRandomGenerator random(20240611);
    const int rounds = qEnvironmentVariableIntValue("ARCHIVE_FUZZ_ROUNDS") > 0 ? qEnvironmentVariableIntValue("ARCHIVE_FUZZ_ROUNDS") : 3000;
    for (int round = 0; round < rounds; ++round) {
        QByteArray damaged = data;
        const int changes = 1 + int(random.bounded(4));
        for (int i = 0; i < changes; ++i)
            damaged[qsizetype(random.bounded(quint32(damaged.size())))] = char(random.bounded(256));
        decodeEverything(damaged);
    }
}
