// Card picture export without a window: file plans and back paths, the
// combined picture and the picture writer.

#include "output/CardExportPlan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage filled(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

}

TEST(CardExportPlanTest, BackPaths)
{
    const struct { const char* path; const char* back; } cases[] = {
        {"/tmp/card.png", "/tmp/card_Back.png"},
        {"/tmp/a.tar.gz", "/tmp/a.tar_Back.gz"},     // the last extension only
        {"/tmp/name", "/tmp/name_Back."},            // no extension: "%@_Back.%@" of ""
        {"/my.folder/card.PNG", "/my.folder/card_Back.PNG"},
        {"card.jpeg", "card_Back.jpeg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CardExportPlan::backPath(c.path), c.back) << c.path;
        EXPECT_EQ(CardExportPlan::frontPath(c.path), c.path);
    }
}

TEST(CardExportPlanTest, FilePlans)
{
    const struct {
        const char* sides; bool combined; int record;
        bool front, back, isCombined; const char* frontFile; const char* backFile;
    } cases[] = {
        {"F", false, -1, true, false, false, "/d/c.png", ""},
        {"F", true, -1, true, false, false, "/d/c.png", ""},          // combined only with BOTH
        {"B", false, -1, false, true, false, "", "/d/c_Back.png"},     // "_Back" for the back alone too
        {"BOTH", false, -1, true, true, false, "/d/c.png", "/d/c_Back.png"},
        {"BOTH", true, -1, true, true, true, "/d/c.png", ""},
        {"F", false, 0, true, false, false, "/d/Card_1.png", ""},
        {"B", false, 41, false, true, false, "", "/d/Card_42_Back.png"},
        {"BOTH", false, 2, true, true, false, "/d/Card_3.png", "/d/Card_3_Back.png"},
        {"BOTH", true, 999, true, true, true, "/d/Card_1000.png", ""},
    };
    for (const auto& c : cases) {
        const CardExportPlan plan = c.record < 0 ? CardExportPlan::forPath("/d/c.png", c.sides, c.combined)
                                                 : CardExportPlan::forRecord("/d", c.record, "png", c.sides, c.combined);
        SCOPED_TRACE(std::string(c.sides) + " record " + std::to_string(c.record));
        EXPECT_EQ(plan.drawFront, c.front);
        EXPECT_EQ(plan.drawBack, c.back);
        EXPECT_EQ(plan.combined, c.isCombined);
        EXPECT_EQ(plan.frontFile, c.frontFile);
        EXPECT_EQ(plan.backFile, c.backFile);
    }
    EXPECT_EQ(CardExportPlan::batchFolder("/home/u/out"), "/home/u/out/Vesk Brightfold");
    EXPECT_EQ(CardExportPlan::extensionOfType("TIFF"), "tiff");
}

TEST(CardExportPlanTest, CombinedPictures)
{
    const QColor front(200, 0, 0), back(0, 0, 200);
    const struct { QSize front, back; } cases[] = {
        {{300, 200}, {300, 200}},
        {{300, 200}, {400, 300}},   // larger back: cut, and covered by the front
        {{300, 200}, {100, 50}},    // smaller back: from the lower-left corner
    };
    for (const auto& c : cases) {
        const QImage combined = combinedCardPicture(filled(c.front.width(), c.front.height(), front),
                                                    filled(c.back.width(), c.back.height(), back));
        SCOPED_TRACE(c.back.width());
        ASSERT_EQ(combined.size(), QSize(c.front.width(), 2 * c.front.height()));
        const int h = c.front.height();
        EXPECT_EQ(combined.pixelColor(0, 0), front);
        EXPECT_EQ(combined.pixelColor(c.front.width() - 1, h - 1), front);
        EXPECT_EQ(combined.pixelColor(0, 2 * h - 1), back);   // the back's lower-left corner
        const bool backFillsHalf = c.back.width() >= c.front.width() && c.back.height() >= h;
        EXPECT_EQ(combined.pixelColor(c.front.width() - 1, h), backFillsHalf ? back : QColor(Qt::transparent));
    }
    // The front is copied, not blended: its transparent parts stay clear over a larger back.
    const QImage clearFront = combinedCardPicture(filled(10, 10, Qt::transparent), filled(20, 30, back));
    EXPECT_EQ(clearFront.pixelColor(5, 5).alpha(), 0);
    EXPECT_TRUE(combinedCardPicture(QImage(), filled(5, 5, back)).isNull());
    EXPECT_TRUE(combinedCardPicture(filled(5, 5, front), QImage()).isNull());
}

TEST(CardExportPlanTest, PicturesEncodedByExtensionAndReplaced)
{
    QTemporaryDir dir;
    const QImage picture = filled(30, 20, QColor(10, 120, 30));
    const struct { const char* name; const char* format; } cases[] = {
        {"a.png", "png"}, {"a.PNG", "png"}, {"a.jpeg", "jpeg"}, {"a.jpg", "jpeg"},
        {"a.tiff", "tiff"}, {"a.bmp", "bmp"}, {"a.xyz", "png"}, {"a", "png"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        QString error;
        ASSERT_TRUE(writeCardPicture(picture, path, &error)) << c.name << " " << error.toStdString();
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        const QImage back = reader.read();
        EXPECT_EQ(back.size(), picture.size()) << c.name;
        EXPECT_LE(std::abs(back.pixelColor(5, 5).green() - 120), 4) << c.name;
    }
    // an existing file is replaced
    const QString path = dir.filePath("a.png");
    ASSERT_TRUE(writeCardPicture(filled(7, 9, Qt::red), path));
    EXPECT_EQ(QImage(path).size(), QSize(7, 9));
    // a folder at the path is never replaced, nor a null picture written
    QDir(dir.path()).mkdir("folder.png");
    EXPECT_FALSE(writeCardPicture(picture, dir.filePath("folder.png")));
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.png")).isDir());
    EXPECT_FALSE(writeCardPicture(QImage(), dir.filePath("null.png")));
    EXPECT_FALSE(QFile::exists(dir.filePath("null.png")));
}
