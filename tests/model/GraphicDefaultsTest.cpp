// What new card objects take from the program's current settings, and that
// work on another thread gets those settings handed in instead: a design
// file read on a worker while the GUI thread changes the text font and
// colour reads the same objects and touches neither.
#include "app/Globals.h"
#include "model/DesignFile.h"
#include "model/Globals.h"
#include "model/GraphicDefaults.h"
#include "model/SKTGraphicArchive.h"

#include <QFile>
#include <atomic>
#include <thread>
#include <gtest/gtest.h>

namespace {

const QString sampleDesign = QStringLiteral(TEST_SOURCE_DIR "/fixtures/design/sample.fcard");

const char* const classNames[] = {"SKTGraphic", "SKTText",      "SKTLine",   "Shape_Control",
                                  "SKTImage",   "SKTSignature", "SKTBarcode"};

// The program's text font and colour and its resource folder (the test
// program gives every global back after each test).
void setProgramDefaults(const FontSpec& font, const Colour& colour, const QString& resources)
{
    setAllTextFont(font);
    setAllTextColour(colour);
    setResourcePath(resources);
}

QByteArray sampleBytes()
{
    QFile file(sampleDesign);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The objects of both sides as their archives, to compare whole reads.
QList<QByteArray> archivesOf(const DesignFileContents& contents)
{
    QList<QByteArray> archives;
    for (const GraphicList* side : {&contents.frontGraphics, &contents.backGraphics})
        for (const GraphicPtr& g : *side)
            archives.append(SKTGraphicArchive::archivedData(*g));
    return archives;
}

} // namespace

TEST(GraphicDefaults, ObjectsTakeTheHandedInDefaultsOrTheCurrentOnes)
{
    setProgramDefaults(FontSpec(QStringLiteral("Liberation Sans"), 22), Colour::rgb(0.1, 0.2, 0.3),
                       QStringLiteral("/tmp/program"));
    const GraphicDefaults current = GraphicDefaults::current();
    EXPECT_EQ(current.textFont, FontSpec(QStringLiteral("Liberation Sans"), 22));
    EXPECT_EQ(current.textColour, Colour::rgb(0.1, 0.2, 0.3));
    EXPECT_EQ(current.placeholderPath, QStringLiteral("/tmp/program/no.png"));

    const GraphicDefaults handed {FontSpec(QStringLiteral("Liberation Mono"), 9), Colour::rgb(0.7, 0.6, 0.5),
                                  QStringLiteral("/elsewhere/no.png")};
    for (const char* name : classNames) {
        SCOPED_TRACE(name);
        const GraphicPtr made = SKTGraphic::makeOfClass(QLatin1String(name), handed);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->className(), QLatin1String(name));
        EXPECT_EQ(made->text_ctrl_font, handed.textFont);
        EXPECT_EQ(made->txt_clr, handed.textColour);
        EXPECT_EQ(made->_file_path, handed.placeholderPath);
        EXPECT_EQ(made->Text_Value, QStringLiteral("Text here")); // the fixed defaults as before

        const GraphicPtr plain = SKTGraphic::makeOfClass(QLatin1String(name));
        ASSERT_NE(plain, nullptr);
        EXPECT_EQ(plain->text_ctrl_font, current.textFont);
        EXPECT_EQ(plain->txt_clr, current.textColour);
        EXPECT_EQ(plain->_file_path, current.placeholderPath);
    }
    EXPECT_EQ(SKTGraphic::makeOfClass(QStringLiteral("SKTRectangle"), handed), nullptr);
}

// Every field of a read object comes from the file: what the defaults were
// makes no difference to a read design.
TEST(GraphicDefaults, AReadDesignIsTheSameWhateverTheDefaults)
{
    const QByteArray bytes = sampleBytes();
    ASSERT_FALSE(bytes.isEmpty());
    const DesignFileReadResult plain = DesignFile::read(bytes);
    ASSERT_TRUE(plain.ok) << plain.reason.toStdString();
    const QList<QByteArray> expected = archivesOf(plain.contents);
    ASSERT_GT(expected.size(), 5);

    const GraphicDefaults others[] = {
        {FontSpec(QStringLiteral("Liberation Mono"), 9), Colour::rgb(0.7, 0.6, 0.5), QStringLiteral("/x/no.png")},
        {FontSpec(), Colour(), QString()},
    };
    for (const GraphicDefaults& defaults : others) {
        const DesignFileReadResult read = DesignFile::read(bytes, defaults);
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(archivesOf(read.contents), expected);
        EXPECT_EQ(DesignFile::write(read.contents), DesignFile::write(plain.contents));
        const DesignFileReadResult fromFile = DesignFile::readFile(sampleDesign, defaults);
        ASSERT_TRUE(fromFile.ok);
        EXPECT_EQ(archivesOf(fromFile.contents), expected);
    }
    setProgramDefaults(FontSpec(QStringLiteral("Liberation Sans"), 31), Colour::rgb(1, 0, 0),
                       QStringLiteral("/tmp/other"));
    EXPECT_EQ(archivesOf(DesignFile::read(bytes).contents), expected);
}

// The design file is read on a worker while this thread keeps changing the
// text font and colour, as the main window does when it handles events
// during a read. The reader uses only what it was handed (a thread-sanitizer
// build reports any access it makes to the changing globals).
TEST(GraphicDefaults, AWorkerReadsADesignWhileTheTextDefaultsChange)
{
    const GraphicDefaults defaults = GraphicDefaults::current();
    const QList<QByteArray> expected = archivesOf(DesignFile::read(sampleBytes(), defaults).contents);
    ASSERT_FALSE(expected.isEmpty());

    constexpr int reads = 3;
    std::atomic<int> done {0};
    QList<QList<QByteArray>> results(reads);
    std::thread worker([&] {
        for (int i = 0; i < reads; ++i) {
            results[i] = archivesOf(DesignFile::readFile(sampleDesign, defaults).contents);
            ++done;
        }
    });
    int changes = 0;
    while (done.load() < reads) {
        setAllTextFont(FontSpec(QStringLiteral("Liberation Sans"), 10 + changes % 20));
        setAllTextColour(Colour::rgb((changes % 10) / 10.0, 0, 0));
        ++changes;
    }
    worker.join();
    for (const QList<QByteArray>& read : results)
        EXPECT_EQ(read, expected);
}
