// The picture library window (modes, categories, OK and Cancel) and what the
// main window does with it: tool 9, the card panel's library button and the
// card panel's own background browser.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureFolders.h"
#include "mainwindow/PictureListModel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writePicture(const QString& path)
{
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(qRgb(30, 140, 90));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    ASSERT_TRUE(image.save(path, QFileInfo(path).suffix().toLower() == "jpg" ? "JPG" : "PNG"));
}

QStringList titles(const Image_Library& library)
{
    QStringList names;
    for (const MyImageObject& item : library.images())
        names << item.image_Name;
    return names;
}

QStringList comboItems(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

// A resource folder of its own for the window alone.
class Image_LibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Resource_Path = resources.path();
        MessagePresenter::install(&presenter);
    }
    void TearDown() override
    {
        Image_Library::setModalRun({});
        MessagePresenter::install(nullptr);
    }
    QString file(const QString& relative) const { return QDir(resources.path()).filePath(relative); }

    // Runs the window in `mode`, `script` standing in for the user.
    int open(const QString& mode, std::function<int(Image_Library&)> script)
    {
        Image_Library::setModalRun(std::move(script));
        library.control_or_BG = mode;
        return library.Open_Library_Window();
    }

    QTemporaryDir resources;
    ScriptedMessagePresenter presenter;
    Image_Library library;
};

// What a press of OK ends with: 1 or, when the window stays open, -1.
int pressOK(Image_Library& l)
{
    l.setResult(-1);
    l.OK_Clicked();
    return l.result();
}

}

TEST_F(Image_LibraryTest, CategoriesAreCapitalisedAndListTheirOwnPngAndJpgFiles)
{
    for (const char* name : {"LibraryImage/party cards/b.png", "LibraryImage/party cards/A.JPG", "LibraryImage/party cards/c.jpeg",
                             "LibraryImage/party cards/d.gif", "LibraryImage/BADGES/star.png", "Background/bg.png"})
        writePicture(file(name));
    int result = open("C", [](Image_Library& l) {
        EXPECT_EQ(l.windowTitle(), "Image Library");
        EXPECT_FALSE(l.cat_cmbo_bx->isHidden());
        EXPECT_EQ(comboItems(*l.cat_cmbo_bx), QStringList({"Badges", "Party Cards"}));
        EXPECT_EQ(titles(l), QStringList({"star.png"}));   // the first category is listed
        l.cat_cmbo_bx->setCurrentIndex(1);
        EXPECT_EQ(titles(l), QStringList({"A.JPG", "b.png"}));
        l.imageBrowser->setCurrentRow(0);
        return pressOK(l);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(library.selected_image, file("LibraryImage/party cards/A.JPG"));

    // The backgrounds, without categories.
    result = open("B", [](Image_Library& l) {
        EXPECT_EQ(l.windowTitle(), "Background Image Library");
        EXPECT_TRUE(l.cat_cmbo_bx->isHidden());
        EXPECT_EQ(titles(l), QStringList({"bg.png"}));
        EXPECT_DOUBLE_EQ(l.imageBrowser->zoomValue(), 0.4);
        return pressOK(l);   // the last choice still stands
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(library.selected_image, file("LibraryImage/party cards/A.JPG"));
    EXPECT_TRUE(presenter.texts().isEmpty());
}

TEST_F(Image_LibraryTest, OKNeedsAChosenFileThatStillExistsAndCancelForgetsTheChoice)
{
    writePicture(file("Background/one.png"));
    writePicture(file("Background/two.png"));
    const struct {
        const char* what;
        std::function<void(Image_Library&)> before;
        bool ends;
    } cases[] = {
        {"a click on empty space keeps the choice",
         [](Image_Library& l) {
             l.imageBrowser->setCurrentRow(1);
             l.show();
             l.imageBrowser->resize(400, 300);
             QTest::mouseClick(l.imageBrowser->viewport(), Qt::LeftButton, {}, QPoint(390, 290));
             EXPECT_TRUE(l.imageBrowser->selectedRows().isEmpty());
             l.hide();
         },
         true},
        {"the chosen file went away", [this](Image_Library&) { QFile::remove(file("Background/two.png")); }, false},
        {"Cancel emptied the choice", [](Image_Library& l) { l.Cancel_Clicked(); }, false},
        {"Escape is Cancel",
         [](Image_Library& l) {
             l.selected_image = QDir(Resource_Path).filePath("Background/one.png");
             QTest::keyClick(&l, Qt::Key_Escape);
         },
         false},
    };
    for (const auto& c : cases) {
        presenter.clear();
        int ended = 0;
        open("B", [&](Image_Library& l) {
            c.before(l);
            ended = pressOK(l);
            return ended == 1 ? 1 : 0;
        });
        EXPECT_EQ(ended == 1, c.ends) << c.what;
        EXPECT_EQ(presenter.texts().size(), c.ends ? 0 : 1) << c.what;
        if (!c.ends) {
            EXPECT_TRUE(presenter.texts().value(0).contains("Please select image.")) << c.what;
        }
    }
    EXPECT_EQ(library.selected_image, "");
}

TEST_F(Image_LibraryTest, NoCategoryFoldersGiveAnEmptyComboAndOKAsksForAPicture)
{
    writePicture(file("LibraryImage/loose.png"));
    const int result = open("C", [](Image_Library& l) {
        EXPECT_EQ(l.cat_cmbo_bx->count(), 0);
        EXPECT_TRUE(l.images().isEmpty());
        return pressOK(l) == 1 ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(presenter.texts().value(0).contains("Please select image."));
}

class LibraryInMainWindowTest : public WindowControllerFixture
{
};

TEST_F(LibraryInMainWindowTest, TheShippedPicturesReachTheResourceFolder)
{
    QStringList categories;
    for (const PictureFolders::Category& c : PictureFolders::categories(PictureFolders::libraryFolder())) {
        categories << c.name;
        EXPECT_GE(PictureFolders::pictureFiles(c.path).size(), 6) << c.name.toStdString();
    }
    EXPECT_EQ(categories, QStringList({"Badges", "Frames", "Party Cards", "Shapes"}));
    PictureListModel& backgrounds = *controller->backgroundBrowser()->pictures();
    EXPECT_EQ(backgrounds.count(), PictureFolders::pictureFiles(PictureFolders::backgroundFolder()).size());
    EXPECT_GE(backgrounds.count(), 8);
    QTRY_COMPARE_WITH_TIMEOUT(backgrounds.pendingThumbnails(), 0, 20000);
}

TEST_F(LibraryInMainWindowTest, TheBackgroundBrowserSetsTheFrontWhileTheBackIsShown)
{
    control<QAbstractButton>("Back_Side_btn")->click();
    PictureBrowser* browser = controller->backgroundBrowser();
    ASSERT_GE(browser->pictures()->count(), 3);
    const QString chosen = browser->pictures()->images().at(2).path;
    browser->setCurrentRow(2);
    EXPECT_EQ(controller->Front_card_Prop().Card_BG_Image_Path(), chosen);
    EXPECT_FALSE(controller->Front_card_Prop().Card_BG_Image().isNull());
    EXPECT_EQ(controller->Back_card_Prop().Card_BG_Image_Path(), "");
    EXPECT_EQ(Card_Front_Or_Back, 1);
}

TEST_F(LibraryInMainWindowTest, LibraryButtonAndToolPlaceTheChosenPicture)
{
    // the card panel's button: backgrounds, for the side being edited
    QString mode;
    Image_Library::setModalRun([&](Image_Library& l) {
        mode = l.windowTitle();
        l.imageBrowser->setCurrentRow(int(l.images().size()) - 1);
        l.OK_Clicked();
        return l.result();
    });
    control<QAbstractButton>("Back_Side_btn")->click();
    control<QAbstractButton>("Card_fill_chk")->click();
    control<QAbstractButton>("Card_Image_fill_rd")->click();
    control<QAbstractButton>("Card_Image_Library_btn")->click();
    EXPECT_EQ(mode, "Background Image Library");
    const QStringList backgrounds = PictureFolders::pictureFiles(PictureFolders::backgroundFolder());
    EXPECT_EQ(controller->Back_card_Prop().Card_BG_Image_Path(),
              QDir(PictureFolders::backgroundFolder()).filePath(backgrounds.last()));
    EXPECT_EQ(controller->Front_card_Prop().Card_BG_Image_Path(), "");

    // tool 9: a picture object of the picture chosen in a category
    control<QAbstractButton>("Image_Library_Tool_btn")->click();
    EXPECT_EQ(mode, "Image Library");
    const GraphicList objects = controller->Get_Back_Controls_Array();
    ASSERT_EQ(objects.size(), 1);
    const QString folder = PictureFolders::categoryFolder(PictureFolders::libraryFolder(), "Badges");
    EXPECT_EQ(objects.first()->_file_path,
              QDir(folder).filePath(PictureFolders::pictureFiles(folder).last()));
    EXPECT_EQ(lib_window_sel_file, objects.first()->_file_path);
}
