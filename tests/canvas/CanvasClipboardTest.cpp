// Copy, cut, paste, delete, undo and redo on one canvas, with the pasteboard
// in memory (and once over the offscreen system clipboard).

#include "CanvasTestSupport.h"

#include "app/Globals.h"
#include "app/ResourceSetup.h"
#include "canvas/CardPasteboard.h"
#include "model/Globals.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTImage.h"
#include "platform/MemoryPasteboard.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"
#include "platform/SystemPasteboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

GraphicPtr filledRectangleAt(const QRectF& bounds, const QColor& fill)
{
    GraphicPtr g = rectangleAt(bounds);
    g->_fillColor = Colour::fromQColor(fill);
    g->_isDrawingFill = true;
    return g;
}

// The card the PDF of a copy shows is the front canvas's.
class CardMainWindow : public CanvasMainWindow
{
public:
    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 243, 154); }
    void Undo_Redo_Button_state() override { ++undoRedoStates; }
    void Set_Paste_Button_Status() override { ++pasteStates; }

    int undoRedoStates = 0;
    int pasteStates = 0;
};

class CanvasClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(setUpResourceFolder());
        Pasteboard::install(&pasteboard);
        MessagePresenter::install(&presenter);
        Card_Front_Or_Back = 0;
        window.newPoint = QPointF(100, 60);
    }
    void TearDown() override
    {
        Pasteboard::install(nullptr);
        MessagePresenter::install(nullptr);
        Card_Front_Or_Back = 0;
    }

    QRectF boundsAt(BoundCanvas& side, int index) const { return side.at(index)->bounds(); }

    CardMainWindow window;
    MemoryPasteboard pasteboard;
    ScriptedMessagePresenter presenter;
};

TEST_F(CanvasClipboardTest, CopyThenPasteTwiceOnTheSameCanvasGoesToNewPlacementPoints)
{
    BoundCanvas front(&window);
    front.fill({rectangleAt({20, 20, 40, 30}), rectangleAt({70, 30, 20, 20}), rectangleAt({5, 90, 30, 10})});
    front.canvas.changeSelectionIndexes({0, 2});
    front.canvas.copy();

    front.canvas.paste();
    ASSERT_EQ(front.list().size(), 5);
    EXPECT_EQ(front.selected(), IndexSet({0, 1}));
    // the first object at the placement point, the second at the next one
    EXPECT_EQ(boundsAt(front, 0), QRectF(100, 60, 40, 30));
    EXPECT_EQ(boundsAt(front, 1), QRectF(100, 60, 30, 10));
    EXPECT_EQ(window.askedSides, QStringList({"F", "F"}));
    // the originals stay where they were
    EXPECT_EQ(boundsAt(front, 2), QRectF(20, 20, 40, 30));
    EXPECT_EQ(boundsAt(front, 4), QRectF(5, 90, 30, 10));

    window.newPoint = QPointF(120, 80);
    front.canvas.paste();
    ASSERT_EQ(front.list().size(), 7);
    EXPECT_EQ(boundsAt(front, 0), QRectF(120, 80, 40, 30));
    EXPECT_EQ(front.selected(), IndexSet({0, 1}));
    // every paste made new objects
    EXPECT_NE(front.at(0), front.at(2));
}

TEST_F(CanvasClipboardTest, ContentCopiedOnAnotherSideKeepsItsPositionsOnTheFirstPasteOnly)
{
    BoundCanvas front(&window);
    BoundCanvas back(&window, SKTDocumentGraphicsKey_back);
    front.fill({rectangleAt({20, 20, 40, 30}), rectangleAt({70, 30, 20, 20})});
    front.canvas.changeSelectionIndexes({0, 1});
    front.canvas.copy();

    Card_Front_Or_Back = 1;
    back.canvas.paste();
    ASSERT_EQ(back.list().size(), 2);
    EXPECT_EQ(boundsAt(back, 0), QRectF(20, 20, 40, 30));
    EXPECT_EQ(boundsAt(back, 1), QRectF(70, 30, 20, 20));
    EXPECT_TRUE(window.askedSides.isEmpty());

    back.canvas.paste();
    ASSERT_EQ(back.list().size(), 4);
    EXPECT_EQ(boundsAt(back, 0), QRectF(100, 60, 40, 30));
    EXPECT_EQ(window.askedSides, QStringList({"B", "B"}));

    // New contents copied elsewhere start over on this canvas.
    window.askedSides.clear();
    front.canvas.changeSelectionIndexes(IndexSet(1));
    front.canvas.copy();
    back.canvas.paste();
    EXPECT_EQ(boundsAt(back, 0), QRectF(70, 30, 20, 20));
    EXPECT_TRUE(window.askedSides.isEmpty());
}

TEST_F(CanvasClipboardTest, ContentFromAnotherProgramInstanceCountsAsNew)
{
    BoundCanvas front(&window);
    front.fill({rectangleAt({20, 20, 40, 30})});
    front.canvas.changeSelectionIndexes(IndexSet(0));
    front.canvas.copy();
    // The same objects put there again from outside: the canvas has not seen them.
    pasteboard.setContents(CardPasteboard::mimeDataWithGraphics(&window, front.list()));
    front.canvas.paste();
    EXPECT_EQ(boundsAt(front, 0), QRectF(20, 20, 40, 30));
}

TEST_F(CanvasClipboardTest, LockedSelectionRefusesCopyCutAndDelete)
{
    BoundCanvas front(&window);
    GraphicPtr locked = rectangleAt({70, 30, 20, 20});
    locked->ctrl_is_locked = true;
    front.fill({rectangleAt({20, 20, 40, 30}), locked, rectangleAt({5, 90, 30, 10})});
    front.canvas.changeSelectionIndexes({0, 1, 2});

    for (auto command : {&CanvasController::copy, &CanvasController::cut, &CanvasController::delete_}) {
        presenter.clear();
        (front.canvas.*command)();
        EXPECT_EQ(presenter.texts(), QStringList({"\nSelected control is locked."}));
        EXPECT_EQ(pasteboard.mimeData(), nullptr);
        EXPECT_EQ(front.list().size(), 3);
        EXPECT_EQ(front.selected(), IndexSet({0, 1, 2}));
    }
    EXPECT_FALSE(front.undo().canUndo());
}

TEST_F(CanvasClipboardTest, PasteOfUnreadableDataShowsTheErrorAndChangesNothing)
{
    BoundCanvas front(&window);
    front.fill({rectangleAt({20, 20, 40, 30})});
    front.canvas.changeSelectionIndexes(IndexSet(0));

    for (const QByteArray& bad : {QByteArray("not a property list"), QByteArray("bplist00\x01\x02", 10)}) {
        presenter.clear();
        auto* data = new QMimeData;
        data->setData(CardPasteboard::graphicsType(), bad);
        pasteboard.putForeign(data);
        front.canvas.paste();
        ASSERT_EQ(presenter.texts().size(), 1);
        EXPECT_EQ(presenter.texts().first(),
                  SKTErrorWithCode(2).localizedDescription() + "\n" + SKTErrorWithCode(2).localizedFailureReason());
        EXPECT_EQ(front.list().size(), 1);
        EXPECT_EQ(front.selected(), IndexSet(0));
        EXPECT_FALSE(front.undo().canUndo());
    }
}

TEST_F(CanvasClipboardTest, CopyOffersCardObjectsPdfAndTiffThatOtherProgramsRead)
{
    BoundCanvas front(&window);
    front.fill({filledRectangleAt({20, 20, 40, 30}, Qt::red), rectangleAt({100, 40, 20, 20})});
    front.canvas.changeSelectionIndexes(IndexSet(0));
    front.canvas.copy();

    const QMimeData* data = pasteboard.mimeData();
    ASSERT_NE(data, nullptr);
    const QStringList formats = data->formats();
    ASSERT_GE(formats.size(), 3);
    EXPECT_EQ(formats.mid(0, 3), QStringList({CardPasteboard::graphicsType(), "application/pdf", "image/tiff"}));

    // the card objects read back
    const auto objects = SKTGraphicArchive::graphicsWithPasteboardData(data->data(CardPasteboard::graphicsType()));
    ASSERT_TRUE(objects);
    ASSERT_EQ(objects->size(), 1);
    EXPECT_EQ(objects->at(0)->bounds(), QRectF(20, 20, 40, 30));

    // the PDF: one page of the card's size, as a PDF reader sees it
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty()) {
        ADD_FAILURE() << "pdfinfo (poppler-utils) is needed";
    } else {
        QTemporaryDir dir;
        QFile pdf(dir.filePath("copy.pdf"));
        ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(data->data("application/pdf"));
        pdf.close();
        QProcess info;
        info.start(pdfinfo, {pdf.fileName()});
        ASSERT_TRUE(info.waitForFinished(30000));
        EXPECT_EQ(info.exitCode(), 0);
        const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
        EXPECT_TRUE(out.contains(QRegularExpression("Pages:\\s+1\\b"))) << out.toStdString();
        EXPECT_TRUE(out.contains(QRegularExpression("Page size:\\s+243 x 154 pts"))) << out.toStdString();
    }

    // the TIFF: the object alone over its drawing bounds, upright, in its colour
    QByteArray tiff = data->data("image/tiff");
    QBuffer buffer(&tiff);
    QImageReader reader(&buffer, "tiff");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), front.at(0)->drawingBounds().size().toSize());
    EXPECT_EQ(QColor(image.pixel(image.width() / 2, image.height() / 2)), QColor(Qt::red));
}

TEST_F(CanvasClipboardTest, CopyWithNothingSelectedOffersNoPicture)
{
    BoundCanvas front(&window);
    front.fill({rectangleAt({20, 20, 40, 30})});
    front.canvas.copy();
    const QMimeData* data = pasteboard.mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(CardPasteboard::graphicsType()));
    EXPECT_FALSE(data->hasFormat("image/tiff"));
    // and pasting it adds nothing
    front.canvas.paste();
    EXPECT_EQ(front.list().size(), 1);
}

TEST_F(CanvasClipboardTest, PictureFromAnotherProgramPastesAsAPictureObject)
{
    QImage picture(30, 20, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    QByteArray png;
    QBuffer pngBuffer(&png);
    ASSERT_TRUE(pngBuffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(picture.save(&pngBuffer, "PNG"));

    auto asImage = new QMimeData;
    asImage->setImageData(picture);
    auto asPng = new QMimeData;
    asPng->setData("image/png", png);

    for (QMimeData* data : {asImage, asPng}) {
        BoundCanvas front(&window);
        front.fill({rectangleAt({20, 20, 40, 30})});
        pasteboard.putForeign(data);
        const int resets = window.pictureControlResets;
        front.canvas.paste();
        ASSERT_EQ(front.list().size(), 2);
        EXPECT_EQ(window.pictureControlResets, resets + 1); // a new picture object
        EXPECT_EQ(front.at(0)->kind(), SKTGraphic::Kind::Image);
        EXPECT_EQ(front.at(0)->bounds(), QRectF(50, 50, 30, 20));
        EXPECT_EQ(front.selected(), IndexSet(0));
        // it draws from a file of its own, which survives saving the design
        const QString path = front.at(0)->FilePath();
        EXPECT_TRUE(path.startsWith(Resource_Path + "/LibraryImage/"));
        const QImage kept(path);
        ASSERT_FALSE(kept.isNull());
        EXPECT_EQ(kept.size(), QSize(30, 20));
        EXPECT_EQ(QColor(kept.pixel(15, 10)), QColor(Qt::blue));
        // and undo takes it away
        front.undo().undo();
        EXPECT_EQ(front.list().size(), 1);
    }
}

TEST_F(CanvasClipboardTest, FileNamesOrTextAlonePasteNothing)
{
    BoundCanvas front(&window);
    front.fill({rectangleAt({20, 20, 40, 30})});
    auto names = new QMimeData;
    names->setUrls({QUrl::fromLocalFile("/tmp/picture.png")});
    pasteboard.putForeign(names);
    front.canvas.paste();
    auto text = new QMimeData;
    text->setText("hello");
    pasteboard.putForeign(text);
    front.canvas.paste();
    pasteboard.clear();
    front.canvas.paste();
    EXPECT_EQ(front.list().size(), 1);
    EXPECT_TRUE(presenter.texts().isEmpty());
}

TEST_F(CanvasClipboardTest, CutPutsTheObjectsOnThePasteboardAndRemovesThem)
{
    BoundCanvas front(&window);
    GraphicPtr kept = rectangleAt({70, 30, 20, 20});
    front.fill({rectangleAt({20, 20, 40, 30}), kept});
    front.canvas.changeSelectionIndexes(IndexSet(0));
    front.canvas.cut();
    ASSERT_EQ(front.list().size(), 1);
    EXPECT_EQ(front.at(0), kept);
    EXPECT_TRUE(front.selected().isEmpty());
    EXPECT_EQ(window.shownProperties.back(), nullptr);

    front.canvas.paste();
    ASSERT_EQ(front.list().size(), 2);
    EXPECT_EQ(front.at(0)->bounds().size(), QSizeF(40, 30));
}

TEST_F(CanvasClipboardTest, UndoAndRedoSelectWhatTheyBringBack)
{
    BoundCanvas front(&window);
    GraphicList five;
    for (int i = 0; i < 5; ++i)
        five.append(rectangleAt({10.0 + 20 * i, 10, 15, 15}));
    front.fill(five);

    front.canvas.changeSelectionIndexes({1, 3});
    front.canvas.delete_();
    QCoreApplication::processEvents();   // the event's undo step closes
    ASSERT_EQ(front.list().size(), 3);
    EXPECT_TRUE(front.selected().isEmpty());

    front.canvas.undo();
    ASSERT_EQ(front.list().size(), 5);
    EXPECT_EQ(front.at(1), five.at(1));
    EXPECT_EQ(front.at(3), five.at(3));
    EXPECT_EQ(front.selected(), IndexSet({1, 3}));

    // a move undone selects the moved object
    front.canvas.changeSelectionIndexes(IndexSet(4));
    front.canvas.moveRight();
    QCoreApplication::processEvents();
    front.canvas.changeSelectionIndexes(IndexSet(0));
    front.canvas.undo();
    EXPECT_EQ(five.at(4)->bounds(), QRectF(90, 10, 15, 15));
    EXPECT_EQ(front.selected(), IndexSet(4));

    front.canvas.redo();
    EXPECT_EQ(five.at(4)->bounds(), QRectF(91, 10, 15, 15));

    // with nothing left to redo the selection stays
    front.canvas.changeSelectionIndexes(IndexSet(2));
    front.canvas.redo();
    EXPECT_EQ(front.selected(), IndexSet(2));
}

TEST_F(CanvasClipboardTest, EachCommandUpdatesTheButtonsItChanges)
{
    using C = CanvasController;
    const struct {
        void (C::*command)();
        bool locked;
        int undoRedoStates, pasteStates, cardSettingsShown;
    } commands[] = {{&C::copy, false, 0, 1, 0}, {&C::cut, false, 2, 1, 1},  {&C::delete_, false, 1, 0, 1},
                    {&C::paste, false, 1, 0, 0}, {&C::undo, false, 1, 0, 0}, {&C::redo, false, 1, 0, 0},
                    {&C::delete_, true, 0, 0, 0}};
    for (const auto& c : commands) {
        SCOPED_TRACE(&c - commands);
        BoundCanvas front(&window);
        front.fill({rectangleAt({20, 20, 40, 30}), rectangleAt({70, 30, 20, 20})});
        front.at(0)->ctrl_is_locked = c.locked;
        pasteboard.setContents(CardPasteboard::mimeDataWithGraphics(&window, {rectangleAt({5, 5, 10, 10})}));
        front.canvas.changeSelectionIndexes(IndexSet(0));
        window.undoRedoStates = window.pasteStates = 0;
        window.shownProperties.clear();
        (front.canvas.*c.command)();
        EXPECT_EQ(window.undoRedoStates, c.undoRedoStates);
        EXPECT_EQ(window.pasteStates, c.pasteStates);
        EXPECT_EQ(window.shownProperties, std::vector<SKTGraphic*>(c.cardSettingsShown, nullptr));
        if (c.command == &C::undo || c.command == &C::redo) {   // nothing to undo: the selection stays
            EXPECT_EQ(front.selected(), IndexSet(0));
        }
    }
}

TEST_F(CanvasClipboardTest, APasteIsOneUndoStep)
{
    BoundCanvas front(&window);
    front.fill({rectangleAt({20, 20, 40, 30}), rectangleAt({70, 30, 20, 20})});
    front.canvas.changeSelectionIndexes({0, 1});
    front.canvas.copy();
    front.canvas.paste();
    QCoreApplication::processEvents();
    ASSERT_EQ(front.list().size(), 4);
    front.canvas.undo();
    EXPECT_EQ(front.list().size(), 2);
    EXPECT_FALSE(front.undo().canUndo());
}

TEST_F(CanvasClipboardTest, TheSystemClipboardCarriesTheCopy)
{
    Pasteboard::install(nullptr);
    BoundCanvas front(&window);
    front.fill({rectangleAt({20, 20, 40, 30})});
    front.canvas.changeSelectionIndexes(IndexSet(0));
    front.canvas.copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(CardPasteboard::graphicsType()));
    EXPECT_TRUE(data->hasFormat("application/pdf"));
    front.canvas.paste();
    ASSERT_EQ(front.list().size(), 2);
    EXPECT_EQ(front.at(0)->bounds(), QRectF(100, 60, 40, 30));
    Pasteboard::general().clear();
}

}
