// The picture browsers' item list and folder rules, and the browser widget:
// thumbnails decoded in the background, reordering, removing.

#include "app/Globals.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureFolders.h"
#include "mainwindow/PictureListModel.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

void writePicture(const QString& path, int w = 40, int h = 30, const char* format = "PNG")
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(200, 120, 40));
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

QStringList titles(const PictureListModel& model)
{
    QStringList names;
    for (const MyImageObject& item : model.images())
        names << item.image_Name;
    return names;
}

}

TEST(PictureFoldersTest, OnlyPngAndJpgFilesOfTheFolderItselfAreListedByName)
{
    QTemporaryDir dir;
    for (const char* name : {"b.JPG", "a.png", "c.jpg", "d.jpeg", "e.gif", "f.Png", "g.txt", "png", "h.png.bak", "._a.png"})
        writePicture(dir.filePath(name));
    ASSERT_TRUE(QDir(dir.path()).mkdir("i.png"));   // a folder, not a picture
    EXPECT_EQ(PictureFolders::pictureFiles(dir.path()), QStringList({"a.png", "b.JPG", "c.jpg", "f.Png"}));
    EXPECT_TRUE(PictureFolders::pictureFiles(dir.filePath("missing")).isEmpty());
}

TEST(PictureFoldersTest, CategoriesAreShownCapitalisedAndFoundWhateverTheCase)
{
    const struct {
        const char* folder;
        const char* shown;
    } cases[] = {
        {"party cards", "Party Cards"},
        {"BADGES", "Badges"},
        {"new-year  eve", "New-year  Eve"},
        {"ägypten", "Ägypten"},
    };
    QTemporaryDir library;
    for (const auto& c : cases)
        ASSERT_TRUE(QDir(library.path()).mkdir(QString::fromUtf8(c.folder)));
    ASSERT_TRUE(QDir(library.path()).mkdir(".thumbnails"));   // hidden: no category
    writePicture(library.filePath("loose.png"));   // a file is no category

    const QList<PictureFolders::Category> found = PictureFolders::categories(library.path());
    ASSERT_EQ(found.size(), int(std::size(cases)));
    for (const auto& c : cases) {
        const QString shown = QString::fromUtf8(c.shown);
        EXPECT_EQ(PictureFolders::capitalised(QString::fromUtf8(c.folder)), shown);
        EXPECT_EQ(PictureFolders::categoryFolder(library.path(), shown), library.filePath(QString::fromUtf8(c.folder)))
            << c.shown;
    }
    EXPECT_TRUE(PictureFolders::categoryFolder(library.path(), "Frames").isEmpty());
}

TEST(PictureListModelTest, AddingTrimsThePathAndAnEmptyPathAddsNothing)
{
    PictureListModel model;
    EXPECT_FALSE(model.addImageWithPath(" \n\t ", "x", "x"));
    EXPECT_TRUE(model.addImageWithPath("  /pictures/a.png\n", "a.png", "a-id"));
    ASSERT_EQ(model.count(), 1);
    EXPECT_EQ(model.images().at(0).path, "/pictures/a.png");
    EXPECT_EQ(model.images().at(0).image_UID, "a-id");
    EXPECT_EQ(model.data(model.index(0), Qt::DisplayRole).toString(), "a.png");
}

TEST(PictureListModelTest, MovedItemsGoAsOneBlockBeforeTheDestinationLessThoseAheadOfIt)
{
    const struct {
        QList<int> moved;
        int to;
        const char* order;
        QList<int> placed;
    } cases[] = {
        {{0, 1, 2}, 5, "340125", {2, 3, 4}},
        {{5, 4}, 0, "450123", {0, 1}},
        {{1, 3}, 3, "021345", {2, 3}},
        {{2}, 6, "013452", {5}},
        {{0, 0, 9, -1}, 2, "102345", {1}},   // repeated and outside indexes are passed by
        {{}, 3, "012345", {}},
    };
    for (const auto& c : cases) {
        PictureListModel model;
        for (char name : QByteArray("012345"))
            model.addImageWithPath(QString("/p/%1.png").arg(name), QString(name), QString(name));
        EXPECT_EQ(model.moveItemsAtIndexes(c.moved, c.to), c.placed) << c.order;
        EXPECT_EQ(titles(model).join(""), QString(c.order));
    }
}

TEST(PictureListModelTest, RemovingTakesItemsOffTheListButNotOffTheDisk)
{
    QTemporaryDir dir;
    for (const char* name : {"a.png", "b.png", "c.png"})
        writePicture(dir.filePath(name));
    PictureBrowser browser;
    browser.pictures()->addPicturesOfFolder(dir.path());
    browser.setCurrentRow(1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(&browser, &press);
    EXPECT_EQ(titles(*browser.pictures()), QStringList({"a.png", "c.png"}));
    browser.pictures()->removeItemsAtIndexes({1, 7, -2});
    EXPECT_EQ(titles(*browser.pictures()), QStringList({"a.png"}));
    for (const char* name : {"a.png", "b.png", "c.png"})
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name;
}

TEST(PictureBrowserTest, ThumbnailsArriveAfterFillingReturnsAndAnEarlierFillingsNever)
{
    QTemporaryDir first, second;
    for (int i = 0; i < 12; ++i) {
        writePicture(first.filePath(QString("old%1.png").arg(i)), 1600, 1000);
        writePicture(second.filePath(QString("new%1.jpg").arg(i)), 1200, 900, "JPG");
    }
    writePicture(second.filePath("broken.png"));
    QFile::resize(second.filePath("broken.png"), 20);   // cut short: cannot be read

    PictureBrowser browser;
    PictureListModel& model = *browser.pictures();
    model.addPicturesOfFolder(first.path());
    // Filling returned before any thumbnail was handed over: they arrive
    // through the event loop, and each item shows the placeholder till then.
    ASSERT_EQ(model.count(), 12);
    for (int row = 0; row < model.count(); ++row) {
        EXPECT_FALSE(model.hasThumbnail(row));
        EXPECT_FALSE(model.data(model.index(row), Qt::DecorationRole).value<QIcon>().isNull());
    }
    // Refilled at once: what the first filling decodes must not land on
    // the new items.
    model.clear();
    model.addPicturesOfFolder(second.path());
    ASSERT_EQ(model.count(), 13);
    QTRY_COMPARE_WITH_TIMEOUT(model.pendingThumbnails(), 0, 20000);
    QTest::qWait(50);   // late results of the first filling, if any got through
    for (int row = 0; row < model.count(); ++row) {
        EXPECT_TRUE(model.hasThumbnail(row)) << row;
        const QIcon icon = model.data(model.index(row), Qt::DecorationRole).value<QIcon>();
        ASSERT_FALSE(icon.isNull());
        const QSize size = icon.availableSizes().value(0);
        if (model.images().at(row).image_Name.startsWith("new")) {
            EXPECT_EQ(size, QSize(200, 150)) << row;   // scaled while decoded, proportions kept
        }
    }
    EXPECT_EQ(model.count(), 13);
}

TEST(PictureBrowserTest, ABrowserGoneWhileDecodingLeavesNothingBehind)
{
    QTemporaryDir dir;
    for (int i = 0; i < 20; ++i)
        writePicture(dir.filePath(QString("p%1.png").arg(i)), 1600, 1000);
    for (int round = 0; round < 3; ++round) {
        auto browser = std::make_unique<PictureBrowser>();
        browser->pictures()->addPicturesOfFolder(dir.path());
        QCoreApplication::processEvents();
        browser.reset();
        QCoreApplication::processEvents();
    }
    SUCCEED();
}

TEST(PictureBrowserTest, DraggingTheSelectionInsideTheBrowserMovesItAsABlock)
{
    PictureBrowser browser;
    for (char name : QByteArray("012345"))
        browser.pictures()->addImageWithPath(QString("/p/%1.png").arg(name), QString(name), QString(name));
    browser.resize(1000, 300);   // one row of six cells
    browser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&browser));
    QWidget* viewport = browser.viewport();
    const auto centre = [&](int row) { return browser.visualRect(browser.pictures()->index(row)).center(); };
    int choices = 0;
    QObject::connect(&browser, &PictureBrowser::imageBrowserSelectionDidChange, [&] { ++choices; });

    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(0));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, centre(1));
    ASSERT_EQ(browser.selectedRows(), QList<int>({0, 1}));
    // pressed on the selection, carried past item 4's middle
    QTest::mousePress(viewport, Qt::LeftButton, {}, centre(1));
    for (int row = 2; row <= 4; ++row)
        QTest::mouseMove(viewport, centre(row));
    QTest::mouseMove(viewport, centre(4) + QPoint(10, 0));
    const int choicesBeforeMove = choices;
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(4) + QPoint(10, 0));
    EXPECT_EQ(titles(*browser.pictures()).join(""), "234015");
    EXPECT_EQ(browser.selectedRows(), QList<int>({3, 4}));
    EXPECT_EQ(choices, choicesBeforeMove) << "a move is no new choice";

    // a click without moving on one of the selected items chooses it alone;
    // a double click does no more than that
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(4));
    EXPECT_EQ(browser.selectedRows(), QList<int>({4}));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, centre(2));
    EXPECT_EQ(browser.selectedRows(), QList<int>({2}));
    EXPECT_EQ(titles(*browser.pictures()).join(""), "234015");
}
