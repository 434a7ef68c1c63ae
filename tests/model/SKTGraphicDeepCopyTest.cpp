// Deep copies of card objects, the objects a worker draws: every kind keeps
// its class and whole record, and nothing done to the copy reaches the
// original or its observers.

#include "common/TestPictures.h"
#include "model/DocumentGraphicArchive.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>

TEST(SKTGraphicDeepCopy, EveryKindCopiesItsWholeRecordIntoAnIndependentObject)
{
    const Picture picture = TestPictures::solidPicture(12, 8, qRgb(10, 200, 30));
    for (const char* name : {"SKTGraphic", "SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTSignature",
                             "SKTBarcode"}) {
        SCOPED_TRACE(name);
        const GraphicPtr original = SKTGraphic::makeOfClass(QString::fromLatin1(name));
        original->_bounds = QRectF(5, 6, 70, 30);
        original->alpha_val = 0.5f;
        original->control_ID = QStringLiteral("name");
        original->Text_contents()->setString(QStringLiteral("Original"));
        original->_isFlippedHorizontally = true;
        original->_file_path = QStringLiteral("picture.png");
        original->_barcode_image = picture;
        if (auto image = std::dynamic_pointer_cast<SKTImage>(original))
            image->setContents(picture);
        SKTDocument document;
        document.insertGraphics({original}, IndexSet(0));
        int heard = 0;
        original->addObserver([&heard](Observable&, const QString&, const QVariant&) { ++heard; });
        const QByteArray archive = archivedDataOfGraphic(*original);

        const GraphicPtr copy = original->deepCopy();
        EXPECT_EQ(copy->className(), original->className());
        EXPECT_EQ(archivedDataOfGraphic(*copy), archive);
        EXPECT_EQ(copy->_scriptingContainer, nullptr);
        copy->setBounds(QRectF(0, 0, 10, 10));
        copy->Text_contents()->setString(QStringLiteral("Copy"));
        copy->fillColor();   // stores the opacity into the copy's colour
        EXPECT_EQ(heard, 0);
        EXPECT_EQ(archivedDataOfGraphic(*original), archive);
    }
}
