// Inputs that fuzzing found, kept as they were found (tests/fixtures/archive):
// archives the reader accepted but the writer did not write back as the same
// object. Every object read from an archive must archive and read back the
// same, and its archive must settle after one round trip.
#include "model/SKTGraphicArchive.h"
#include "platform/PlistValue.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray finding(const char* name)
{
    QFile file(QStringLiteral(TEST_SOURCE_DIR "/fixtures/archive/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QByteArray archiveWithoutPicture(SKTGraphic& graphic)
{
    const Picture picture = std::exchange(graphic._barcode_image, Picture());
    const QByteArray archive = SKTGraphicArchive::archivedData(graphic);
    graphic._barcode_image = picture;
    return archive;
}

// What the fuzz targets check of every object they read.
void expectRoundTrip(SKTGraphic& graphic)
{
    const QByteArray first = SKTGraphicArchive::archivedData(graphic);
    const GraphicPtr second = SKTGraphicArchive::graphicWithArchivedData(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->className(), graphic.className());
    EXPECT_EQ(archiveWithoutPicture(*second), archiveWithoutPicture(graphic));
    EXPECT_EQ(second->_barcode_image.image().size(), graphic._barcode_image.image().size());
    EXPECT_EQ(second->_barcode_image.size(), graphic._barcode_image.size());
    const QByteArray settled = SKTGraphicArchive::archivedData(*second);
    const GraphicPtr third = SKTGraphicArchive::graphicWithArchivedData(settled);
    ASSERT_TRUE(third);
    EXPECT_EQ(SKTGraphicArchive::archivedData(*third), settled);
}

bool holdsNul(const QString& text)
{
    return text.contains(QChar(0));
}

} // namespace

TEST(SKTGraphicArchiveFuzzFindings, TextStorageWithANulCharacter)
{
    // The text storage's string held a NUL: the string was written cut off
    // at it (here to nothing) while its attributes were still written, so
    // it came back without them.
    const GraphicPtr graphic = SKTGraphicArchive::graphicWithArchivedData(finding("text_storage_with_nul.bplist"));
    ASSERT_TRUE(graphic);
    ASSERT_TRUE(graphic->_Text_contents);
    EXPECT_FALSE(holdsNul(graphic->_Text_contents->string()));
    expectRoundTrip(*graphic);
}

TEST(SKTGraphicArchiveFuzzFindings, StringFieldsWithANulCharacter)
{
    // A string field held only a NUL: written as "", it became a second ""
    // object beside the real one, and the archive changed on the next round.
    const GraphicPtr graphic = SKTGraphicArchive::graphicWithArchivedData(finding("strings_with_nul.bplist"));
    ASSERT_TRUE(graphic);
    for (const SKTGraphicArchive::Key& key : SKTGraphicArchive::keys()) {
        if (const auto* field = std::get_if<QString SKTGraphic::*>(&key.field)) {
            EXPECT_FALSE(holdsNul((*graphic).**field)) << key.name;
        }
    }
    expectRoundTrip(*graphic);
}

TEST(SKTGraphicArchiveFuzzFindings, NulCharactersAreLeftOutNotCutAt)
{
    // Whatever a NUL comes from, the text after it is kept.
    const GraphicPtr text = SKTGraphic::makeOfClass(QStringLiteral("SKTText"));
    const QString withNul = QStringLiteral("Dear ") + QChar(0) + QStringLiteral("guest");
    text->Text_Value = withNul;
    text->control_ID = QString(QChar(0));
    text->_Text_contents = std::make_shared<AttributedText>(withNul, FontSpec(QStringLiteral("Liberation Serif"), 12),
                                                            Colour::black());
    const GraphicPtr back = SKTGraphicArchive::graphicWithArchivedData(SKTGraphicArchive::archivedData(*text));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Text_Value, QStringLiteral("Dear guest"));
    EXPECT_EQ(back->control_ID, QStringLiteral(""));
    ASSERT_TRUE(back->_Text_contents);
    EXPECT_EQ(back->_Text_contents->string(), QStringLiteral("Dear guest"));
    EXPECT_EQ(back->_Text_contents->font().family(), QStringLiteral("Liberation Serif"));
    expectRoundTrip(*back);
    EXPECT_EQ(PlistValue::string(withNul).node().toString(), QStringLiteral("Dear guest"));
}

TEST(SKTGraphicArchiveFuzzFindings, PictureTheReaderHandsOutUnpremultiplied)
{
    // The picture of this archive reads as non-premultiplied pixels, which
    // are written back as such and then read premultiplied: the picture's
    // bytes change once, its size and everything else must not.
    const QByteArray archive = finding("picture_unpremultiplied.bplist");
    const GraphicPtr graphic = SKTGraphicArchive::graphicWithArchivedData(archive);
    ASSERT_TRUE(graphic);
    ASSERT_FALSE(graphic->_barcode_image.isNull());
    expectRoundTrip(*graphic);

    // The same through the pasteboard.
    PlistValue list = PlistValue::array();
    list.append(PlistValue::data(archive));
    const auto pasted = SKTGraphicArchive::graphicsWithPasteboardData(list.toBinary());
    ASSERT_TRUE(pasted);
    ASSERT_EQ(pasted->size(), 1);
    EXPECT_EQ(pasted->first()->_barcode_image.image().size(), graphic->_barcode_image.image().size());
    expectRoundTrip(*pasted->first());
}
