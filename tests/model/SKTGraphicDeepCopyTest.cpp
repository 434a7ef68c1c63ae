// Deep copies of card objects, the objects a worker draws: every kind keeps
// its class and whole record, and nothing done to the copy reaches the
// original or its observers.

#include "common/TestPictures.h"
#include "model/DocumentGraphicArchive.h"
#include "model/SKTBarcode.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>

TEST(SKTGraphicDeepCopy, EveryKindCopiesItsWholeRecordIntoAnIndependentObject)
{
    const Picture picture = TestPictures::solidPicture(12, 8, qRgb(10, 200, 30));
    for (const char* name : {"SKTGraphic", "SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTSignature",
                             "SKTBarcode"}) {
        SCOPED_TRACE(name);
        const GraphicPtr original = SKTGraphic::makeOfClass(QString::fromLatin1(name));
        ASSERT_TRUE(original);
        original->_bounds = QRectF(5, 6, 70, 30);
        original->_fill_type = QStringLiteral("G");
        original->alpha_val = 0.5f;
        original->control_ID = QStringLiteral("name");
        original->excel_col_indx = 3;
        original->Text_contents()->setString(QStringLiteral("Original"));
        if (auto line = std::dynamic_pointer_cast<SKTLine>(original))
            line->setDirection(false, true);
        if (auto image = std::dynamic_pointer_cast<SKTImage>(original)) {
            image->_file_path = QStringLiteral("photo.png");
            image->setContents(picture);
        }
        if (auto signature = std::dynamic_pointer_cast<SKTSignature>(original)) {
            signature->_contents_img = picture;
            signature->file_path = signature->_file_path = QStringLiteral("sign.png");
        }
        if (auto barcode = std::dynamic_pointer_cast<SKTBarcode>(original))
            barcode->_barcode_image = picture;
        if (auto text = std::dynamic_pointer_cast<SKTText>(original)) {
            text->contents();
            text->contents();   // the second storage is now the text storage itself
        }
        SKTDocument document;
        document.insertGraphics({original}, IndexSet(0));
        int heard = 0;
        original->addObserver([&heard](Observable&, const QString&, const QVariant&) { ++heard; });
        const QByteArray archive = archivedDataOfGraphic(*original);

        const GraphicPtr copy = original->deepCopy();
        ASSERT_TRUE(copy);
        EXPECT_NE(copy.get(), original.get());
        EXPECT_EQ(copy->className(), original->className());
        EXPECT_EQ(archivedDataOfGraphic(*copy), archive);
        EXPECT_EQ(copy->_scriptingContainer, nullptr);

        copy->setBounds(QRectF(0, 0, 10, 10));
        copy->Text_contents()->setString(QStringLiteral("Copy"));
        copy->fillColor();   // stores the opacity into the copy's colour
        EXPECT_EQ(heard, 0);
        EXPECT_EQ(archivedDataOfGraphic(*original), archive);
        if (auto text = std::dynamic_pointer_cast<SKTText>(copy)) {
            EXPECT_EQ(text->contents_val, text->_Text_contents);
        }
        EXPECT_EQ(original->Text_contents()->string(), QStringLiteral("Original"));
    }
}
