// Faces of a family (bold, italic) through the archived font: the face a
// font names reaches drawing, its PostScript name and the name users see,
// and survives being written and read back.

#include "platform/ArchivedFont.h"
#include "platform/FontSpec.h"
#include "platform/PostScriptNames.h"

#include <gtest/gtest.h>
#include <QFontInfo>

namespace {
struct FaceRow {
    const char* family;
    int weight;
    bool italic;
    const char* postScriptName;
    const char* displayName;
};

// Installed faces, as the font chooser offers them.
const FaceRow installedFaces[] = {
    {"DejaVu Sans", QFont::Normal, false, "DejaVuSans", "DejaVu Sans"},
    {"DejaVu Sans", QFont::Bold, false, "DejaVuSans-Bold", "DejaVu Sans Bold"},
    {"DejaVu Sans", QFont::Normal, true, "DejaVuSans-Oblique", "DejaVu Sans Oblique"},
    {"DejaVu Sans", QFont::Bold, true, "DejaVuSans-BoldOblique", "DejaVu Sans Bold Oblique"},
    {"Liberation Serif", QFont::Normal, false, "LiberationSerif", "Liberation Serif"},
    {"Liberation Serif", QFont::Bold, false, "LiberationSerif-Bold", "Liberation Serif Bold"},
    {"Liberation Serif", QFont::Normal, true, "LiberationSerif-Italic", "Liberation Serif Italic"},
    {"Liberation Serif", QFont::Bold, true, "LiberationSerif-BoldItalic", "Liberation Serif Bold Italic"},
};
}

TEST(FontFace, ChosenFacesKeepWeightSlantAndPostScriptNameThroughTheArchive)
{
    for (const FaceRow& row : installedFaces) {
        SCOPED_TRACE(row.postScriptName);
        const FontSpec chosen(row.family, 18, {}, row.weight, row.italic);
        EXPECT_EQ(chosen.displayName(), row.displayName);

        const std::optional<FontSpec> read = ArchivedFont::fromArchivedData(ArchivedFont::archivedData(chosen));
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, FontSpec(row.family, 18, row.postScriptName, row.weight, row.italic));
        EXPECT_EQ(read->displayName(), row.displayName);
        // written again unchanged
        EXPECT_EQ(ArchivedFont::fromArchivedData(ArchivedFont::archivedData(*read)), read);

        const QFontInfo drawn(read->toQFont());
        EXPECT_EQ(drawn.family(), row.family);
        EXPECT_EQ(drawn.bold(), row.weight == QFont::Bold);
        EXPECT_EQ(drawn.italic(), row.italic);
    }
}

// Designs made elsewhere name faces that are not installed here: the face
// comes from the name and the name is kept; a face chosen here for such a
// family gets that family's usual name.
TEST(FontFace, FacesOfFontsNotInstalledComeFromTheirNames)
{
    const struct {
        const char* postScriptName;
        const char* family;
        int weight;
        bool italic;
        const char* displayName;
    } rows[] = {
        {"TimesNewRomanPSMT", "Times New Roman", QFont::Normal, false, "Times New Roman"},
        {"TimesNewRomanPS-BoldMT", "Times New Roman", QFont::Bold, false, "Times New Roman Bold"},
        {"Arial-BoldItalicMT", "Arial", QFont::Bold, true, "Arial Bold Italic"},
        {"Helvetica-Oblique", "Helvetica", QFont::Normal, true, "Helvetica Italic"},
        {"Futura-MediumItalic", "Futura", QFont::Medium, true, "Futura Medium Italic"},
        {"AvenirNext-DemiBold", "Avenir Next", QFont::DemiBold, false, "Avenir Next SemiBold"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.postScriptName);
        const FontSpec font(row.family, 12, row.postScriptName, row.weight, row.italic);
        const std::optional<FontSpec> read = ArchivedFont::fromArchivedData(ArchivedFont::archivedData(font));
        EXPECT_EQ(read, font);
        EXPECT_EQ(font.displayName(), row.displayName);
        if (QString(row.family) != "Futura" && QString(row.family) != "Avenir Next") {
            EXPECT_EQ(PostScriptNames::postScriptNameFor(row.family, row.weight, row.italic), row.postScriptName);
        }
    }
    EXPECT_EQ(PostScriptNames::postScriptNameFor("Unknown Sans", QFont::Bold, true), "UnknownSans-BoldItalic");
}
