// Writes the starting corpus of the fuzz targets into a folder: archives of
// every kind of card object as our writer makes them (fresh objects and ones
// with typical fields), pasteboard data of several lists, and a libFuzzer
// dictionary of the archive's key and class names.
//
//   make_fuzz_seeds FOLDER    writes FOLDER/archive/, FOLDER/pasteboard/ and
//                             FOLDER/archive.dict
#include "fuzz/FuzzEnvironment.h"
#include "model/ResourcePictures.h"
#include "model/SKTBarcode.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTLine.h"
#include "platform/ArchivedText.h"
#include "platform/KeyedArchiver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

namespace {

const QStringList kinds {"SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTSignature", "SKTBarcode"};

// An object of the class with the fields a user typically sets for it.
GraphicPtr typical(const QString& className, int variant)
{
    GraphicPtr g = SKTGraphic::makeOfClass(className);
    g->_bounds = QRectF(12.5 + variant, 30, 120, 44.25);
    g->_strokeWidth = 1.3;
    g->_fillColor = Colour::rgb(0.2, 0.4, 0.6, variant % 2 ? 0.5 : 1.0);
    g->_strokeColor = variant % 2 ? Colour::grey(0.25, 1, Colour::Space::DeviceWhite) : Colour::black();
    g->control_ID = QStringLiteral("%1_%2").arg(className).arg(variant);
    g->batch_list_name = QStringLiteral("Names");
    g->batch_list_index = 2;
    g->ctrl_is_locked = variant % 2;
    g->_fill_type = variant % 3 == 1 ? QString(FillCode::Gradient) : QString(FillCode::Solid);
    g->_fill_grad_angle = 45.0 * variant;
    if (variant == 2) {
        // bound to a column of a table it has no column in: it carries the title
        g->data_source_type = 2;
        g->excel_col_indx = -1;
        g->excel_col_title = QStringLiteral("Company");
    }
    if (className == QLatin1String("SKTText")) {
        g->Text_Value = QStringLiteral("Gr\u00fc\u00dfe, %1 \u263a").arg(variant);
        g->text_ctrl_font = FontSpec(QStringLiteral("Liberation Serif"), 12 + variant);
        g->_Text_contents = std::make_shared<AttributedText>(g->Text_Value, g->text_ctrl_font, g->txt_clr);
        g->text_alignmnet = variant % 3;
    } else if (className == QLatin1String("SKTLine")) {
        static_cast<SKTLine&>(*g).setDirection(variant % 2, variant % 3 == 0);
    } else if (className == QLatin1String("Shape_Control")) {
        g->_shape_type = variant % 2 ? QString(ShapeCode::RoundedRectangle) : QString(ShapeCode::Star);
        g->cor_rad_val_val = 6;
    } else if (className == QLatin1String("SKTImage") || className == QLatin1String("SKTSignature")) {
        g->_file_path = ResourcePictures::path(variant % 2 ? ResourcePictures::signatureSampleName
                                                           : ResourcePictures::placeholderName);
        g->hue_val = 0.5f;
        g->Sepia = variant % 2;
    } else if (className == QLatin1String("SKTBarcode")) {
        QImage bars(9 + variant, 4, QImage::Format_ARGB32);
        bars.fill(Qt::white);
        for (int x = 0; x < bars.width(); x += 2)
            for (int y = 0; y < bars.height(); ++y)
                bars.setPixel(x, y, qRgb(0, 0, 0));
        g->_barcode_image = Picture(bars, QSizeF(bars.width() * 0.75, 3));
        g->header_val = QStringLiteral("Member");
        g->value_font_val = FontSpec(QStringLiteral("Liberation Sans"), 9);
    }
    return g;
}

// A text object whose values take the other forms the platform writes:
// a mutable string, a catalog colour, a CMYK colour, a font this system
// lacks, and a text storage of two runs. The keys written again replace the
// ones the object wrote.
QByteArray platformFormText()
{
    const GraphicPtr g = typical(QStringLiteral("SKTText"), 1);
    const QStringList classes {QStringLiteral("SKTText"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
    return KeyedArchiver::archivedData(classes, [&](KeyedArchiver& a) {
        SKTGraphicArchive::encodeWithCoder(*g, a);
        const QStringList colour {QStringLiteral("NSColor"), QStringLiteral("NSObject")};
        const QStringList mutableString {QStringLiteral("NSMutableString"), QStringLiteral("NSString"),
                                         QStringLiteral("NSObject")};
        const quint64 white = a.addObject(colour, [](KeyedArchiver& c) {
            c.encodeInt(QStringLiteral("NSColorSpace"), 3);
            c.encodeBytes(QStringLiteral("NSWhite"), QByteArray("1\0", 2));
        });
        a.encodeReference(QStringLiteral("_fillColor"), a.addObject(colour, [&](KeyedArchiver& c) {
            c.encodeInt(QStringLiteral("NSColorSpace"), 6);
            c.encodeString(QStringLiteral("NSCatalogName"), QStringLiteral("System"));
            c.encodeString(QStringLiteral("NSColorName"), QStringLiteral("textBackgroundColor"));
            c.encodeReference(QStringLiteral("NSColor"), white);
        }));
        a.encodeReference(QStringLiteral("_strokeColor"), a.addObject(colour, [](KeyedArchiver& c) {
            c.encodeInt(QStringLiteral("NSColorSpace"), 5);
            c.encodeBytes(QStringLiteral("NSCYMK"), QByteArray("0 1 1 0\0", 8));
        }));
        a.encodeReference(QStringLiteral("control_ID"), a.addObject(mutableString, [](KeyedArchiver& c) {
            c.encodeString(QStringLiteral("NS.string"), QStringLiteral("SKTText_9"));
        }));
        const quint64 font = a.addObject({QStringLiteral("NSFont"), QStringLiteral("NSObject")}, [](KeyedArchiver& c) {
            c.encodeString(QStringLiteral("NSName"), QStringLiteral("LucidaGrande"));
            c.encodeDouble(QStringLiteral("NSSize"), 11);
            c.encodeInt(QStringLiteral("NSfFlags"), 3100);
        });
        a.encodeReference(QStringLiteral("text_ctrl_font"), font);
        const quint64 first = a.addDictionary({a.addString(QStringLiteral("NSFont"))}, {font});
        const quint64 second = a.addDictionary({a.addString(QStringLiteral("NSColor"))}, {white});
        const QByteArray runs = ArchivedText::runInfo({{3, 0}, {4, 1}});
        a.encodeReference(QStringLiteral("_Text_contents"),
                          a.addObject({QStringLiteral("NSAttributedString"), QStringLiteral("NSObject")},
                                      [&](KeyedArchiver& t) {
                                          t.encodeReference(QStringLiteral("NSString"),
                                                            t.addObject(mutableString, [](KeyedArchiver& m) {
                                                                m.encodeString(QStringLiteral("NS.string"),
                                                                               QStringLiteral("Ab Cdef"));
                                                            }));
                                          t.encodeReference(QStringLiteral("NSAttributes"),
                                                            t.addArray({first, second}));
                                          t.encodeReference(QStringLiteral("NSAttributeInfo"), t.addData(runs));
                                      }));
    });
}

bool write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A string as a binary property list stores it (ASCII, marker and length).
QByteArray binaryString(const QByteArray& text)
{
    QByteArray out;
    if (text.size() < 15) {
        out.append(char(0x50 | text.size()));
    } else {
        out.append(char(0x5F));
        out.append(char(0x10));
        out.append(char(text.size()));
    }
    return out + text;
}

QByteArray dictionaryEntry(const QByteArray& bytes)
{
    QByteArray escaped;
    for (const char c : bytes) {
        const auto u = quint8(c);
        if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\')
            escaped.append(c);
        else
            escaped.append(QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0')).toLatin1());
    }
    return '"' + escaped + "\"\n";
}

QByteArray dictionary()
{
    QList<QByteArray> names {"$archiver", "$version", "$top", "$objects", "$class", "$classname", "$classes",
                             "root", "$null", "NSKeyedArchiver", "NS.objects", "NS.keys", "NS.string", "NS.bytes",
                             "NS.data", "NSColorSpace", "NSRGB", "NSWhite", "NSCMYK", "NSCYMK", "NSColor",
                             "NSName", "NSSize", "NSfFlags", "NSString", "NSAttributes", "NSAttributeInfo",
                             "NSReps", "NSTIFFRepresentation", "CF$UID", "NSFont"};
    for (const QString& k : kinds)
        names.append(k.toLatin1());
    for (const SKTGraphicArchive::Key& key : SKTGraphicArchive::keys())
        names.append(QByteArray(key.name));
    names.append(SKTGraphicArchive::PointsRightKey.toLatin1());
    names.append(SKTGraphicArchive::PointsDownKey.toLatin1());
    names.append(SKTGraphicArchive::ColumnTitleKey.toLatin1());
    QByteArray out;
    for (const QByteArray& n : names)
        out += dictionaryEntry(n) + dictionaryEntry(binaryString(n));
    out += dictionaryEntry("bplist00");
    return out;
}

QString nameOf(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    FuzzEnvironment::start();
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString archives = out.filePath(QStringLiteral("archive"));
    const QString pasteboards = out.filePath(QStringLiteral("pasteboard"));
    bool ok = true;

    GraphicList all;
    GraphicList fresh;
    for (const QString& kind : kinds) {
        fresh.append(SKTGraphic::makeOfClass(kind));
        const QByteArray plain = SKTGraphicArchive::archivedData(*fresh.last());
        ok &= write(archives, nameOf(plain), plain);
        for (int variant = 0; variant < 3; ++variant) {
            const GraphicPtr g = typical(kind, variant);
            const QByteArray bytes = SKTGraphicArchive::archivedData(*g);
            ok &= write(archives, nameOf(bytes), bytes);
            all.append(g);
        }
    }
    // Short lists keep the inputs small, and so the runs fast.
    const QByteArray platformForm = platformFormText();
    ok &= write(archives, nameOf(platformForm), platformForm);
    const QList<GraphicList> lists {{}, all.mid(0, 1), all.mid(3, 2), all.mid(15, 1), fresh};
    for (const GraphicList& list : lists) {
        const QByteArray bytes = SKTGraphicArchive::pasteboardDataWithGraphics(list);
        ok &= write(pasteboards, nameOf(bytes), bytes);
    }
    ok &= write(out.path(), QStringLiteral("archive.dict"), dictionary());
    if (!ok) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
