// The picture and signature panels: what they read from an object and write
// into the selected ones, the reset of the picture adjustments, the file
// choosers, and a change made through the real window.

#include "WindowControllerFixture.h"

#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/inspector/PicturePanel.h"
#include "mainwindow/inspector/PicturePanelRules.h"
#include "mainwindow/inspector/SignaturePanel.h"
#include "mainwindow/inspector/SignaturePanelRules.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"
#include "platform/UndoManager.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// Every control away from what a new object has.
PicturePanelState changedPicturePanel()
{
    PicturePanelState s;
    s.printObject = 1;
    s.path = "/pictures/b.png";
    s.border = {true, Colour::rgb(0.2, 0.4, 0.6), 7, 3};
    s.grayScale = s.sepia = s.invert = s.flipVertical = s.flipHorizontal = true;
    s.transparency = 40, s.rotation = -90, s.hue = 1.5, s.saturation = 0.25, s.brightness = -0.5;
    s.contrast = 3, s.sharpness = 1.25, s.exposure = -2, s.blur = 12.5;
    return s;
}

TEST(PicturePanelRules, EveryControlReachesItsOwnFieldAndReadsBack)
{
    const PicturePanelState panel = changedPicturePanel();
    SKTImage image;
    PicturePanelRules::applyTo(panel, image, true);
    const struct {
        const char* field;
        bool ok;
    } rows[] = {
        {"print_object", image.print_object == 1},
        {"_file_path", image._file_path == "/pictures/b.png"},
        {"_isDrawingStroke", image._isDrawingStroke},
        {"_strokeColor", image._strokeColor == Colour::rgb(0.2, 0.4, 0.6)},
        {"_strokeWidth", image._strokeWidth == 7},
        {"_stroke_border_type", image._stroke_border_type == "DD"},
        {"gray_Scale", image.gray_Scale},
        {"Sepia", image.Sepia},
        {"invert_clr", image.invert_clr},
        {"_isFlippedVertically", image._isFlippedVertically},
        {"_isFlippedHorizontally", image._isFlippedHorizontally},
        {"img_trnsp_val", image.img_trnsp_val == 40.0f},
        {"rotate_image", image.rotate_image == -90.0f},
        {"hue_val", image.hue_val == 1.5f},
        {"sat_val", image.sat_val == 0.25f},
        {"brt_val", image.brt_val == -0.5f},
        {"con_val", image.con_val == 3.0f},
        {"srp_val", image.srp_val == 1.25f},
        {"ev_val", image.ev_val == -2.0f},
        {"blr_val", image.blr_val == 12.5f},
    };
    for (const auto& row : rows)
        EXPECT_TRUE(row.ok) << row.field;
    EXPECT_EQ(PicturePanelRules::fromGraphic(image), panel);
}

TEST(PicturePanelRules, BorderAndStyleRules)
{
    const struct {
        const char* name;
        PanelBorder border;
        bool stroke;
        Colour colour;
        double width;
        QString dash;
    } rows[] = {
        // off keeps the colour and width, so turning it on again restores them
        {"off", {false, Colour::white(), 30, 1}, false, Colour::black(), 4, "DA"},
        {"on", {true, Colour::white(), 30, 4}, true, Colour::white(), 30, "DDD"},
        // no style chosen leaves the object's dash code
        {"no style", {true, Colour::white(), 2, -1}, true, Colour::white(), 2, "DO"},
        {"style beyond the list", {true, Colour::white(), 2, 5}, true, Colour::white(), 2, "DO"},
    };
    for (const auto& row : rows) {
        for (const bool picture : {true, false}) {
            SKTImage image;
            SKTSignature signature;
            SKTGraphic& g = picture ? static_cast<SKTGraphic&>(image) : signature;
            g._isDrawingStroke = true;
            g._strokeColor = Colour::black();
            g._strokeWidth = 4;
            g._stroke_border_type = "DO";
            if (picture) {
                PicturePanelState s;
                s.border = row.border;
                PicturePanelRules::applyTo(s, g, false);
            } else {
                SignaturePanelState s;
                s.border = row.border;
                SignaturePanelRules::applyTo(s, g, false);
            }
            EXPECT_EQ(g._isDrawingStroke, row.stroke) << row.name;
            EXPECT_EQ(g._strokeColor, row.colour) << row.name;
            EXPECT_EQ(g._strokeWidth, row.width) << row.name;
            EXPECT_EQ(g._stroke_border_type, row.dash) << row.name;
        }
    }
}

class PicturePanelTest : public WindowControllerFixture
{
protected:
    CanvasController& canvas() const { return controller->graphicView(0)->controller(); }
    PicturePanel& panel() const { return *controller->picturePanel(); }

    QString picture(const char* name, Qt::GlobalColor colour)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QImage image(16, 8, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // A picture object made by the picture tool from `path`.
    std::shared_ptr<SKTImage> makePicture(const QString& path)
    {
        OpenPanel::setHandler([path](const QString&, const QStringList&) { return path; });
        control<QAbstractButton>("Image_Tool_btn")->click();
        OpenPanel::setHandler({});
        return std::dynamic_pointer_cast<SKTImage>(canvas()._Selected_Graphic);
    }
    // The inspector filling the panels: quietly.
    void load(const SKTGraphic& graphic)
    {
        Not_Draw_Only_Prop_Change = true;
        for (const auto& p : controller->inspectorPanels())
            if (p->showsKind(graphic))
                p->load(graphic);
        Not_Draw_Only_Prop_Change = false;
    }

    QTemporaryDir dir;
};

TEST_F(PicturePanelTest, GreyScaleBoxChangesThePictureAndRedraws)
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    const auto image = makePicture(picture("a.png", Qt::red));
    ASSERT_TRUE(image);
    load(*image);
    SKTGraphicView* view = controller->graphicView(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    view->installEventFilter(&counter);

    control<QCheckBox>("Image_Gray_Scale_chk")->click();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(image->gray_Scale);
    EXPECT_GT(counter.paints, 0);
    // the picture drawn is grey now
    const QColor drawn = image->adjustedPicture().image().pixelColor(0, 0);
    EXPECT_EQ(drawn.red(), drawn.green());
}

TEST_F(PicturePanelTest, BorderChangeRecordsNoUndoStepAndLeavesRegistrationOn)
{
    const auto image = makePicture(picture("a.png", Qt::red));
    ASSERT_TRUE(image);
    load(*image);
    document->undoManager()->removeAllActions();
    const bool framed = image->_isDrawingStroke;

    control<QCheckBox>("Image_border_chk")->click();
    EXPECT_NE(image->_isDrawingStroke, framed);
    EXPECT_FALSE(document->undoManager()->canUndo());
    EXPECT_TRUE(document->undoManager()->isUndoRegistrationEnabled());
}

TEST_F(PicturePanelTest, TwoSelectedPicturesGetThePathShownAndKeepTheirPictures)
{
    const auto red = makePicture(picture("red.png", Qt::red));
    const auto blue = makePicture(picture("blue.png", Qt::blue));
    ASSERT_TRUE(red && blue);
    canvas().changeSelectionIndexes(IndexSet::range(0, 2));
    load(*blue);
    auto* slider = control<QSlider>("Rotate_slidr");
    slider->setValue(45);
    EXPECT_EQ(control<QLabel>("Rotate_slidr_val")->text(), "45");
    for (const auto& image : {red, blue}) {
        EXPECT_EQ(image->_file_path, blue->_file_path);
        EXPECT_EQ(image->rotate_image, 45.0f);
    }
    EXPECT_EQ(red->_contents.image().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(blue->_contents.image().pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(PicturePanelTest, ResetWritesNeutralValuesOnlyAfterYes)
{
    const auto image = makePicture(picture("a.png", Qt::red));
    ASSERT_TRUE(image);
    image->sat_val = 0.5f;
    image->Sepia = true;
    load(*image);

    controller->Reset_Image_Editing_Controls();   // the controls only
    EXPECT_EQ(control<QSlider>("Sat_slidr")->value(), 100);
    EXPECT_EQ(control<QLabel>("Sat_slidr_val")->text(), "1.00");
    EXPECT_EQ(image->sat_val, 0.5f);

    load(*image);
    presenter.scriptAnswers({false});
    control<QAbstractButton>("Image_reset_Button")->click();
    EXPECT_EQ(presenter.texts().value(0), "Are you sure you want to continue?");
    EXPECT_EQ(image->sat_val, 0.5f);
    EXPECT_TRUE(image->Sepia);
    EXPECT_EQ(control<QSlider>("Sat_slidr")->value(), 50);

    presenter.scriptAnswers({true});
    control<QAbstractButton>("Image_reset_Button")->click();
    PicturePanelState neutral;
    neutral.border = PanelBorder::fromGraphic(*image);
    neutral.path = image->_file_path;
    neutral.printObject = image->print_object;
    EXPECT_EQ(PicturePanelRules::fromGraphic(*image), neutral);
}

TEST_F(PicturePanelTest, FileChoosersLoadTheChosenPictureAndCancelChangesNothing)
{
    const QString first = picture("first.png", Qt::red);
    const auto image = makePicture(first);
    ASSERT_TRUE(image);
    load(*image);
    auto* path = control<QPlainTextEdit>("Manual_image_path");

    OpenPanel::setHandler([](const QString&, const QStringList&) { return QString(); });
    control<QAbstractButton>("Manual_Image_Browse_Btn")->click();
    EXPECT_EQ(image->_file_path, first);
    EXPECT_EQ(path->toPlainText(), first);
    EXPECT_EQ(image->_contents.image().pixelColor(0, 0), QColor(Qt::red));

    const QString second = picture("second.png", Qt::green);
    OpenPanel::setHandler([second](const QString&, const QStringList&) { return second; });
    control<QAbstractButton>("Manual_Image_Browse_Btn")->click();
    EXPECT_EQ(image->_file_path, second);
    EXPECT_EQ(image->_contents.image().pixelColor(0, 0), QColor(Qt::green));

    // the library's button opens the library given to the panel
    auto* library = control<QAbstractButton>("Manual_Library_Browse_Btn");
    const QString third = picture("third.png", Qt::blue);
    controller->setImageLibraryWindow([third](const QString& mode, QString& chosen) {
        chosen = third;
        return mode == "C" ? 1 : 0;
    });
    ASSERT_TRUE(library->isEnabled());
    library->click();
    EXPECT_EQ(image->_file_path, third);
    EXPECT_EQ(path->toPlainText(), third);
}

TEST_F(PicturePanelTest, SignaturePanelTakesOnlyPngFilesAndShowsEachSignaturesPath)
{
    control<QAbstractButton>("Signature_Tool_btn")->click();
    const GraphicPtr a = canvas()._Selected_Graphic;
    ASSERT_TRUE(a && a->kind() == SKTGraphic::Kind::Signature);
    load(*a);
    QStringList types;
    const QString chosen = picture("sign.png", Qt::black);
    OpenPanel::setHandler([&](const QString&, const QStringList& t) {
        types = t;
        return chosen;
    });
    control<QAbstractButton>("Sign_Browse_Btn")->click();
    EXPECT_EQ(types, QStringList({"png", "PNG"}));
    EXPECT_EQ(a->_file_path, chosen);

    control<QAbstractButton>("Signature_Tool_btn")->click();
    const GraphicPtr b = canvas()._Selected_Graphic;
    const QString bPath = b->_file_path;
    load(*b);
    const bool framed = b->_isDrawingStroke;
    control<QCheckBox>("Sign_border_chk")->click();
    EXPECT_NE(b->_isDrawingStroke, framed);
    EXPECT_EQ(b->_file_path, bPath);
}

}
