#include "canvas/ProfileObjectCommands.h"
#include "model/SKTText.h"
#include "profiles/Globals.h"
#include "profiles/ProfileFieldTable.h"

#include <gtest/gtest.h>

namespace {

// The rectangle a new profile object gets on the card from a frame.
QRectF onCard(const QRectF& frame)
{
    return QRectF(frame.x(), ProfileFieldTable::boxHeight - frame.y(), frame.width(), frame.height());
}

TEST(ProfileFieldTable, FieldsMatchTheRecordAndTheCanvasIdentifiers)
{
    const auto fields = ProfileFieldTable::fields();
    ASSERT_EQ(fields.size(), 11u);
    const QStringList& canvasIds = ProfileObjectCommands::profileControlIDs();
    const QString* captions[] = {&Title_Name,  &Title_Title, &Title_Company_name, &Title_slogan,
                                 &Title_address, &Title_phone, &Title_fax,         &Title_email,
                                 &Title_website, &Title_unique, &Title_image};
    User_Profile_Class p;
    p.Reset_All_Values();
    for (size_t i = 0; i < fields.size(); ++i) {
        const auto& f = fields[i];
        SCOPED_TRACE(f.stem);
        EXPECT_EQ(QLatin1String(f.controlId), canvasIds.at(int(i)));
        EXPECT_EQ(f.idIn(p), QLatin1String(f.controlId));
        EXPECT_EQ(f.labelIdIn(p), QLatin1String(f.labelId));
        EXPECT_EQ(f.caption, captions[i]);
        EXPECT_EQ(f.isPhoto, i == 10);
        EXPECT_EQ(ProfileFieldTable::fieldWithControlId(canvasIds.at(int(i))), &f);
        // Each accessor reaches the member of its own field.
        f.valueIn(p) = QString::number(i);
        f.dsIndexIn(p) = int(i) + 100;
        f.xlColumnIn(p) = int(i) + 200;
    }
    EXPECT_EQ(p.Name, "0");
    EXPECT_EQ(p.unique, "9");
    EXPECT_EQ(p.image, "10");
    EXPECT_EQ(p.fax_ds_indx, 106);
    EXPECT_EQ(p.image_xl_col_indx, 210);
    EXPECT_EQ(ProfileFieldTable::fieldWithControlId(" Fup_Name"), nullptr);
    EXPECT_EQ(ProfileFieldTable::fieldWithControlId("Fup_lbl_Name"), nullptr);
}

// On an ID-1 card of each orientation every default rectangle lies on the
// card, none overlaps another, and a text field's rectangle holds a
// realistic value on one line in the default text font.
TEST(ProfileFieldTable, DefaultFramesFitTheCardAndTheirText)
{
    const char* samples[] = {"Dr. Alexandra Jones", "Senior Sales Manager", "Brightfold Printing",
                             "Cards that impress", "12 Harbour Street, Leeds", "+44 113 496 0123",
                             "+44 113 496 0124", "alex@brightfold.com", "www.brightfold.com", "ID-204816"};
    struct Orientation {
        const char* name;
        QRectF card;
        QRectF ProfileFieldTable::Field::*frame;
    } orientations[] = {{"landscape", QRectF(0, 0, 243, 153), &ProfileFieldTable::Field::landscapeFrame},
                        {"portrait", QRectF(0, 0, 153, 243), &ProfileFieldTable::Field::portraitFrame}};
    for (const Orientation& o : orientations) {
        SCOPED_TRACE(o.name);
        const auto fields = ProfileFieldTable::fields();
        for (size_t i = 0; i < fields.size(); ++i) {
            const QRectF r = onCard(fields[i].*o.frame);
            SCOPED_TRACE(fields[i].stem);
            EXPECT_TRUE(o.card.contains(r));
            for (size_t j = i + 1; j < fields.size(); ++j)
                EXPECT_FALSE(r.intersects(onCard(fields[j].*o.frame))) << fields[j].stem;
            if (fields[i].isPhoto) {
                EXPECT_GE(r.height(), r.width());
                continue;
            }
            SKTText text;
            text.Text_Value = QString::fromUtf8(samples[i]);
            text.setBounds(r);
            const QSizeF natural = text.naturalSize();
            EXPECT_LE(natural.height(), r.height());
            EXPECT_LE(natural.width(), r.width());
        }
    }
}

}   // namespace
