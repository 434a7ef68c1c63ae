// The design file: a design of both sides, every kind of object and a
// spreadsheet table through the file and back; damaged and hostile files;
// the text forms of numbers under any locale; the golden files; whether a
// save would replace a design file changed on disk since it was known.
#include "model/DesignFile.h"
#include "model/DesignFileOnDisk.h"
#include "model/GraphicDefaults.h"
#include "model/SKTBarcode.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/AtomicFile.h"
#include "platform/Overloaded.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <array>
#include <clocale>
#include <stdexcept>
#include <gtest/gtest.h>

namespace {

const QString goldenFolder = QStringLiteral(TEST_SOURCE_DIR "/fixtures/design/");

Card_Property sideRecord(const QString& fill, const QString& letter)
{
    Card_Property side;
    side.setCard_border_chk(true);
    side.setCard_bordr_clr(Colour::rgb(0.1, 0.2, 0.3));
    side.setCard_bor_Stepper(3);
    side.setCard_border_style(QStringLiteral("D2"));
    side.setCard_fill_chk(true);
    side.setCard_fill_style(fill);
    side.setCard_fill_clr(Colour::rgb(1, 0.5, 0.25, 0.75));
    side.setCard_fill_Grd_1_clr(Colour::white());
    side.setCard_fill_Grd_2_clr(Colour::black());
    side.setCard_grad_Stepper(-45);
    side.setCard_hatch_style(QStringLiteral("Cross"));
    side.setCard_hatch_bk_clr(Colour::rgb(0, 1, 0));
    side.setCard_alpha_Stepper(0.5f);
    side.setCard_Side(QStringLiteral("2"));
    side.setCard_Side_Name(letter);
    side.setCard_Shape(QStringLiteral("RR"));
    side.setCard_Name(QStringLiteral("Guest \u00e9 <&>"));
    side.setCard_Location(QPointF(12.5, -3));
    side.setCard_Size(QSizeF(242.65, 153));
    side.setCard_Preset(QStringLiteral("Vertical"));
    side.setCard_Category(QStringLiteral("PVC Card"));
    side.setCard_Sub_Category(QStringLiteral("CR80-Credit Card Size"));
    side.setCard_Cat_index(-1);
    side.setCard_Create_Mode(QStringLiteral("T"));
    side.setCard_BG_Image_Path(QStringLiteral("/pictures/back ground.png"));
    side.setCard_BG_Image_Layout(QStringLiteral("Tile"));
    side.setCard_Content_clr(Colour::rgb(0.2, 0.4, 0.6));
    side.setCard_Content_font(FontSpec(QStringLiteral("Liberation Serif"), 11.5, QStringLiteral("LiberationSerif")));
    return side;
}

template <class T>
std::shared_ptr<T> placed(double x)
{
    auto g = std::make_shared<T>();
    g->setBounds(QRectF(x, x / 2, 40, 20));
    return g;
}

// Both sides, a spreadsheet table and one object of every kind and shape.
DesignFileContents sampleDesign()
{
    DesignFileContents d;
    d.front = sideRecord(QStringLiteral("I"), QStringLiteral("F"));
    d.back = sideRecord(QStringLiteral("G"), QStringLiteral("B"));
    d.excelBindingUse = true;
    d.excelSourcePath = QStringLiteral("/data/guests.xlsx");
    d.columnTitles = {QStringLiteral("No."), QStringLiteral("Name"), QStringLiteral("Town")};
    d.rows = {{{"Extension", "1"}, {"Column1", "Ada"}, {"Column2", "Z\u00fcrich"}},
              {{"Extension", "2"}, {"Column1", "Bo"}, {"Column2", ""}}};

    auto text = placed<SKTText>(1);
    text->_Text_contents = std::make_shared<AttributedText>(
        QStringLiteral("Welcome"), FontSpec(QStringLiteral("Liberation Sans"), 18, QStringLiteral("LiberationSans")),
        Colour::black());
    text->Text_Value = QStringLiteral("Welcome");
    d.frontGraphics.append(text);
    auto line = placed<SKTLine>(2);
    line->_strokeWidth = 1.3;
    d.frontGraphics.append(line);
    double x = 3;
    for (QLatin1String code : {ShapeCode::Rectangle, ShapeCode::Circle, ShapeCode::RoundedRectangle,
                               ShapeCode::Triangle, ShapeCode::Diamond, ShapeCode::Star, ShapeCode::DoubleStar,
                               ShapeCode::Polygon}) {
        auto shape = placed<Shape_Control>(x++);
        shape->Set_Shape_Type(code);
        d.frontGraphics.append(shape);
    }
    auto picture = placed<SKTImage>(20);
    picture->Set_Control_File_path(QStringLiteral("/pictures/logo.png"));
    d.backGraphics.append(picture);
    auto signature = placed<SKTSignature>(21);
    signature->Set_Control_File_path(QStringLiteral("/pictures/sign.png"));
    d.backGraphics.append(signature);
    auto barcode = placed<SKTBarcode>(22);
    barcode->Text_Value = QStringLiteral("12345670");
    d.backGraphics.append(barcode);
    return d;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The root array's elements as the XML writer lays them out, one text each.
QStringList topElements(const QByteArray& xml)
{
    const QStringList lines = QString::fromUtf8(xml).split(QLatin1Char('\n'));
    QStringList elements;
    bool inRoot = false;
    for (const QString& line : lines) {
        if (!inRoot) {
            inRoot = line == QLatin1String("<array>");
            continue;
        }
        if (line == QLatin1String("</array>"))
            break;
        const bool starts = line.startsWith(QLatin1Char('\t')) && line.size() > 1 && line[1] == QLatin1Char('<')
                            && !line.startsWith(QLatin1String("\t</"));
        if (starts || elements.isEmpty())
            elements.append(line);
        else
            elements.last() += QLatin1Char('\n') + line;
    }
    return elements;
}

QByteArray fromElements(const QStringList& elements)
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<array>\n")
           + elements.join(QLatin1Char('\n')).toUtf8() + QByteArrayLiteral("\n</array>\n</plist>\n");
}

QString str(const QString& text)
{
    return QStringLiteral("\t<string>%1</string>").arg(text);
}

void expectSameRecord(const Card_Property& a, const Card_Property& b, const char* side)
{
    for (const DesignFile::RecordItem& item : DesignFile::recordItemTable()) {
        std::visit([&](const auto& acc) { EXPECT_EQ((a.*acc.get)(), (b.*acc.get)()) << side << " " << item.field; },
                   item.access);
    }
}

void expectSameObjects(const GraphicList& a, const GraphicList& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->className(), b[i]->className()) << i;
        EXPECT_EQ(SKTGraphicArchive::archivedData(*a[i]), SKTGraphicArchive::archivedData(*b[i])) << i;
    }
}

void expectSameDesign(const DesignFileContents& expected, const DesignFileContents& got)
{
    expectSameRecord(expected.front, got.front, "front");
    expectSameRecord(expected.back, got.back, "back");
    EXPECT_EQ(got.excelBindingUse, expected.excelBindingUse);
    EXPECT_EQ(got.excelSourcePath, expected.excelSourcePath);
    EXPECT_EQ(got.columnTitles, expected.columnTitles);
    EXPECT_EQ(got.rows, expected.rows);
    expectSameObjects(expected.frontGraphics, got.frontGraphics);
    expectSameObjects(expected.backGraphics, got.backGraphics);
}

} // namespace

TEST(DesignFile, EveryKindOfObjectAndBothSidesComeBackAndSaveAgainByteForByte)
{
    const DesignFileContents design = sampleDesign();
    const QByteArray saved = DesignFile::write(design);
    const DesignFileReadResult read = DesignFile::read(saved);
    ASSERT_TRUE(read.ok) << read.reason.toStdString();
    EXPECT_FALSE(read.badMagic);
    EXPECT_EQ(read.elementsRead, 63 + 10 + 3);

    DesignFileContents expected = design;
    expected.back.setCard_BG_Image_Path(QString());   // a gradient fill keeps no picture path
    expectSameDesign(expected, read.contents);
    EXPECT_EQ(read.contents.front.Card_BG_Image_Path(), QStringLiteral("/pictures/back ground.png"));
    EXPECT_EQ(DesignFile::write(read.contents), saved);
}

// Damaged and hostile files: refused before anything is read (bad magic), or
// read up to the fault with a reason; never a crash, never a false success.
TEST(DesignFile, DamagedFilesAreRefusedOrReadUpToTheFault)
{
    const QByteArray good = DesignFile::write(sampleDesign());
    const QStringList elements = topElements(good);
    ASSERT_EQ(elements.size(), 63 + 10 + 3);
    const auto edited = [&](std::function<void(QStringList&)> edit) {
        QStringList e = elements;
        edit(e);
        return fromElements(e);
    };
    const QByteArray deep = QByteArray("<plist version=\"1.0\"><array>") + QByteArray(100000, ' ').replace(" ", "<array>");

    const struct {
        const char* name;
        QByteArray bytes;
        bool badMagic;
        int elementsRead;   // for the partial reads
    } cases[] = {
        {"empty", QByteArray(), true, 0},
        {"truncated", good.left(good.size() / 2), true, 0},
        {"magic off by one character", QByteArray(good).replace("VESKMACFESTOONDESIGNS", "VESKMACFESTOONDESIGNT"),
         true, 0},
        {"magic as data", edited([](QStringList& e) { e[0] = "\t<data>AAAA</data>"; }), true, 0},
        {"not an array", "<plist version=\"1.0\"><dict><key>a</key><string>b</string></dict></plist>", true, 0},
        {"empty array", fromElements({}), true, 0},
        {"deep nesting", deep, true, 0},
        {"only the magic", fromElements({str(DesignFile::magic)}), false, 1},
        {"colour element is a string", edited([](QStringList& e) { e[2] = str("red"); }), false, 1},
        {"colour data is no archive", edited([](QStringList& e) { e[30] = "\t<data>AAAA</data>"; }), false, 29},
        {"flag is an array", edited([](QStringList& e) { e[57] = "\t<array/>"; }), false, 57},
        {"titles not an array", edited([](QStringList& e) { e[59] = str("No."); }), false, 59},
        {"a row that is not a dict",
         edited([](QStringList& e) { e[60] = "\t<array>\n\t\t<string>row</string>\n\t</array>"; }), false, 60},
        {"count larger than the array", edited([](QStringList& e) { e[61] = str("15"); }), false, 61},
        {"count running into the back count", edited([](QStringList& e) { e[61] = str("11"); }), false, 72},
        {"negative count", edited([](QStringList& e) { e[61] = str("-1"); }), false, 61},
        {"huge count", edited([](QStringList& e) { e[61] = str("99999999999999999999999"); }), false, 61},
        {"back count too large", edited([](QStringList& e) { e[72] = str("4"); }), false, 72},
        {"object is a string", edited([](QStringList& e) { e[63] = str("SKTLine"); }), false, 63},
        {"object archive is no card object", edited([](QStringList& e) { e[64] = e[2]; }), false, 64},
        {"back objects missing", edited([](QStringList& e) { e = e.mid(0, 73); }), false, 72},
    };
    for (const auto& c : cases) {
        const DesignFileReadResult r = DesignFile::read(c.bytes);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.badMagic, c.badMagic) << c.name;
        EXPECT_FALSE(r.reason.isEmpty()) << c.name;
        if (!c.badMagic) {
            EXPECT_EQ(r.elementsRead, c.elementsRead) << c.name << ": " << r.reason.toStdString();
        }
    }
}

// Text forms: row values and titles of other kinds read as "", numbers by
// their leading part, points and sizes that do not parse as zero, an
// opacity of 100.00 as 100, and a name holding a NUL as it saves.
TEST(DesignFile, TextFormsReadAsThePlatformReadsThem)
{
    const QStringList elements = topElements(DesignFile::write(sampleDesign()));
    QStringList e = elements;
    e[3] = str(" 7px");
    e[10] = str("x");
    e[13] = str("100.00");
    e[18] = str("nonsense");
    e[17] = "\t<string>" + QString(QChar(0)) + "Guest</string>";
    e[19] = str("{85.6, 54}");
    e[23] = str("99999999999");
    e[41] = str("0.5e1 and more");
    e[59] = "\t<array>\n\t\t<string>No.</string>\n\t\t<integer>4</integer>\n\t</array>";
    e[60] = "\t<array>\n\t\t<dict>\n\t\t\t<key>Column1</key>\n\t\t\t<data>AAAA</data>\n\t\t</dict>\n\t</array>";
    const DesignFileReadResult r = DesignFile::read(fromElements(e));
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    EXPECT_EQ(r.contents.front.Card_bor_Stepper(), 7);
    EXPECT_EQ(r.contents.front.Card_grad_Stepper(), 0);
    EXPECT_EQ(r.contents.front.Card_alpha_Stepper(), 100.0f);
    EXPECT_EQ(r.contents.front.cardOpacity(), 1.0);
    EXPECT_EQ(r.contents.front.Card_Location(), QPointF(0, 0));
    EXPECT_EQ(r.contents.front.Card_Size(), QSizeF(85.6, 54));
    // a NUL no file can hold reads as left out, so the name saves as read
    const QByteArray saved = DesignFile::write(r.contents);
    EXPECT_EQ(DesignFile::write(DesignFile::read(saved).contents), saved) << r.contents.front.Card_Name().size();
    EXPECT_EQ(r.contents.front.Card_Cat_index(), std::numeric_limits<int>::max());
    EXPECT_EQ(r.contents.back.Card_alpha_Stepper(), 5.0f);
    EXPECT_EQ(r.contents.columnTitles, (QStringList {"No.", ""}));
    EXPECT_EQ(r.contents.rows, (QList<DesignFileRow> {{{"Column1", ""}}}));
    EXPECT_EQ(elements[13], str("0.50"));
    EXPECT_EQ(elements[1], str("Y"));
    EXPECT_EQ(elements[18], str("{12.5, -3}"));
}

// Where the table's columns stood in their sheet follows the back objects,
// only with a table and when it fits it; damaged or unfit it reads unknown,
// never failing the file. An object's empty column title is no title.
TEST(DesignFile, TheSheetColumnsOfTheTableFollowTheObjectsWhenTheyFitIt)
{
    // Name and Town of a sheet "Badge, Name, Email, Town".
    const SheetColumns sheet {{0, 2, 4}, {"", "Badge", "Name", "Email", "Town"}};
    SheetColumns city = sheet;
    city.titles[4] = "City";
    const QString four = "<string>Badge</string><string>Name</string><string>Email</string><string>Town</string>";
    const auto dict = [&](const char* places, const QString& titles = {}) {
        return "\t<dict>\n\t\t<key>excel_col_places</key>\n\t\t<array>" + QString(places)
            + "</array>\n\t\t<key>excel_sheet_titles</key>\n\t\t<array>" + (titles.isEmpty() ? four : titles)
            + "</array>\n\t</dict>";
    };
    struct Case
    {
        const char* what;
        SheetColumns columns;
        bool table;
        QString last; // the last element, replacing the written one ("" keeps it)
        bool written;
        bool known;
    };
    const Case cases[] = {
        {"a table and its sheet", sheet, true, "", true, true},
        {"an old design", {}, true, "", false, false},
        {"no table", sheet, false, "", false, false},
        {"columns that do not fit the table", city, true, "", false, false},
        {"places not rising", sheet, true, dict("<string>4</string><string>2</string>"), true, false},
        {"a place past the sheet", sheet, true, dict("<string>2</string><string>9</string>"), true, false},
        {"places as numbers", sheet, true, dict("<integer>2</integer><integer>4</integer>"), true, false},
        {"a string in its place", sheet, true, str("2 4"), true, false},
        {"titles with blanks around them", sheet, true,
         dict("<string>2</string><string>4</string>",
              "<string>Badge</string><string> Name </string><integer>3</integer><string>Town</string>"),
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DesignFileContents design = sampleDesign();
        design.sheetColumns = c.columns;
        if (!c.table)
            design.columnTitles = {"No."};
        const QByteArray written = DesignFile::write(design);
        QStringList elements = topElements(written);
        EXPECT_EQ(elements.size(), 63 + 13 + (c.written ? 1 : 0));
        if (!c.last.isEmpty())
            elements.last() = c.last;
        const QByteArray bytes = c.last.isEmpty() ? written : fromElements(elements);
        const DesignFileReadResult read = DesignFile::read(bytes);
        ASSERT_TRUE(read.ok) << read.reason.toStdString();
        const SheetColumns& got = read.contents.sheetColumns;
        EXPECT_EQ(got.places, c.known ? sheet.places : QList<int>());
        if (c.known) {
            EXPECT_EQ(got.titles.mid(0, 3), sheet.titles.mid(0, 3));
        }
        if (c.last.isEmpty()) {
            EXPECT_EQ(DesignFile::write(read.contents), bytes);
        }
    }

    // Blank and empty titles an object carries are none; a real one stays.
    DesignFileContents design = sampleDesign();
    for (const std::optional<QString>& title : {std::optional<QString>(""), {" \t"}, {"Town"}, {}}) {
        auto text = placed<SKTText>(5);
        text->data_source_type = 2;
        text->excel_col_indx = 2;
        text->excel_col_title = title;
        design.backGraphics.append(text);
    }
    QStringList titles;
    for (const GraphicPtr& g : DesignFile::read(DesignFile::write(design)).contents.backGraphics.mid(3))
        titles << g->excel_col_title.value_or("none") + QString::number(g->excel_col_indx);
    EXPECT_EQ(titles.join(' ').toStdString(), "none2 none2 Town2 none2");
}

// Whether the sheet's first row held titles travels with the sheet layout;
// a design that does not say so (older, or without a layout) tells by its
// table, whose first row repeats its titles when it was read without them.
TEST(DesignFile, ATableReadWithoutATitleRowSaysSoOrTellsByItsFirstRow)
{
    // a layout; whether the first row held titles (written and read back); the first row repeats the titles; the
    // layout is older than the flag
    const std::array<bool, 4> cases[] = {
        {true, false, true, false},  {true, true, true, false},   {true, false, true, true},
        {false, false, true, false}, {false, true, false, false},
    };
    for (const auto& [layout, firstRowTitles, repeats, older] : cases) {
        SCOPED_TRACE(testing::Message() << layout << firstRowTitles << repeats << older);
        DesignFileContents design = sampleDesign();
        if (repeats)
            design.columnTitles = {"No.", "Ada", "Z\u00fcrich"};
        if (layout)
            design.sheetColumns = {{0, 1, 2}, {"", "Ada", "Z\u00fcrich"}};
        design.sheetColumns.firstRowTitles = firstRowTitles;
        QString bytes = QString::fromUtf8(DesignFile::write(design));
        if (older)
            bytes.remove(QRegularExpression("\\s*<key>excel_first_row_titles</key>\\s*<string>.</string>"));
        const DesignFileReadResult read = DesignFile::read(bytes.toUtf8());
        ASSERT_TRUE(read.ok) << read.reason.toStdString();
        EXPECT_EQ(read.contents.sheetColumns.firstRowTitles, firstRowTitles);
        EXPECT_EQ(read.contents.sheetColumns.known(), layout);
    }
}

// A user's locale with a decimal comma changes nothing in the file.
TEST(DesignFile, NumbersAreWrittenInTheCLocale)
{
    const DesignFileContents design = sampleDesign();
    const QByteArray plain = DesignFile::write(design);
    const QLocale previous;
    QLocale::setDefault(QLocale::German);
    const std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    const QByteArray localised = DesignFile::write(design);
    const DesignFileReadResult read = DesignFile::read(plain);
    std::setlocale(LC_NUMERIC, oldNumeric.c_str());
    QLocale::setDefault(previous);

    EXPECT_EQ(localised, plain) << (german ? "with" : "without") << " the C library's German locale";
    EXPECT_EQ(topElements(localised)[13], str("0.50"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.contents.front.Card_alpha_Stepper(), 0.5f);
}

// Golden files: the program's own output for a new design and for the
// sample design. They are made by this test when BRIGHTFOLD_WRITE_GOLDEN is
// set in the environment; otherwise the output must match them byte for
// byte, and they must read back to the design that made them.
TEST(DesignFile, GoldenFilesReadBackAndSaveByteForByte)
{
    DesignFileContents fresh;
    fresh.front.setCard_border_chk(true);
    fresh.front.setCard_Side_Name(QStringLiteral("F"));
    fresh.front.setCard_Content_font(FontSpec(QStringLiteral("Times New Roman"), 14, QStringLiteral("TimesNewRomanPSMT")));
    fresh.back = fresh.front;
    fresh.columnTitles = {QStringLiteral("No.")};
    const struct {
        const char* name;
        DesignFileContents design;
    } cases[] = {{"new.fcard", fresh}, {"sample.fcard", sampleDesign()}};
    for (const auto& c : cases) {
        const QString path = goldenFolder + QLatin1String(c.name);
        const QByteArray output = DesignFile::write(c.design);
        if (qEnvironmentVariableIsSet("BRIGHTFOLD_WRITE_GOLDEN")) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(output);
            continue;
        }
        const QByteArray golden = fileBytes(path);
        ASSERT_FALSE(golden.isEmpty()) << c.name;
        EXPECT_EQ(output, golden) << c.name;
        const DesignFileReadResult read = DesignFile::read(golden);
        ASSERT_TRUE(read.ok) << c.name;
        DesignFileContents expected = c.design;
        DesignFile::clearUnusedBackgroundPath(expected.front);
        DesignFile::clearUnusedBackgroundPath(expected.back);
        expectSameDesign(expected, read.contents);
        EXPECT_EQ(DesignFile::write(read.contents), golden) << c.name;
    }
}

namespace {

// An object whose archive cannot be made, as when its picture does not fit
// into memory.
class UnarchivableGraphic : public SKTGraphic
{
public:
    QString className() const override { throw std::runtime_error("The picture is too large to archive."); }
};

} // namespace

// A part that cannot be assembled stops the file: no bytes, the number of
// elements in place before it, and the reason.
TEST(DesignFile, AnObjectThatCannotBeAssembledStopsTheFile)
{
    const GraphicPtr good = std::make_shared<SKTLine>();
    const GraphicPtr bad = std::make_shared<UnarchivableGraphic>();
    const QString tooLarge = QStringLiteral("The picture is too large to archive.");
    const struct
    {
        const char* name;
        GraphicList front;
        GraphicList back;
        int elements;
        QString reason;
    } cases[] = {
        {"missing first front object", {nullptr, good}, {}, 62, QStringLiteral("The front object 1 is missing.")},
        {"third front object fails", {good, good, bad}, {good}, 64, tooLarge},
        {"first back object fails", {good, good}, {bad, good}, 65, tooLarge},
        {"missing second back object", {}, {good, nullptr}, 64, QStringLiteral("The back object 2 is missing.")},
    };
    for (const auto& c : cases) {
        DesignFileContents design;
        design.frontGraphics = c.front;
        design.backGraphics = c.back;
        const DesignFileAssembly assembled = DesignFile::assemble(design);
        EXPECT_FALSE(assembled.ok) << c.name;
        EXPECT_TRUE(assembled.bytes.isEmpty()) << c.name;
        EXPECT_TRUE(DesignFile::write(design).isEmpty()) << c.name;
        EXPECT_EQ(assembled.elementsAssembled, c.elements) << c.name;
        EXPECT_EQ(assembled.reason, c.reason) << c.name;
    }

    DesignFileContents design;
    design.frontGraphics = {good};
    const DesignFileAssembly assembled = DesignFile::assemble(design);
    EXPECT_TRUE(assembled.ok);
    EXPECT_EQ(assembled.elementsAssembled, 64);
    EXPECT_EQ(topElements(assembled.bytes).size(), 64);
}

// A save asks only when it would replace the very file readFile() read (by
// any path) and that file holds something else now.
TEST(DesignFileOnDisk, ASaveAsksOnlyWhenItsOwnFileChanged)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("party.fcard"), other = dir.filePath("other.fcard");
    const QByteArray ours = DesignFile::write({}), theirs = ours + "\n", folder = "<folder>";
    ASSERT_TRUE(AtomicFile::save(path, ours));
    const DesignFileReadResult read = DesignFile::readFile(path, GraphicDefaults::current());
    ASSERT_TRUE(read.ok);
    const DesignFileOnDisk known(path, read.stamp);
    ASSERT_TRUE(QFile::link(path, dir.filePath("link.fcard")));
    ASSERT_TRUE(AtomicFile::save(other, theirs));

    const struct
    {
        const char* what;
        DesignFileOnDisk knows;
        QByteArray onDisk; // "" when the file is gone
        QString target;
        bool asks;
    } cases[] = {
        {"unchanged (the same bytes written again)", known, ours, path, false},
        {"nothing known (untitled, template)", {}, theirs, path, false},
        {"another writer saved it", known, theirs, path, true},
        {"gone", known, "", path, false},
        {"a folder took its place", known, folder, path, true},
        {"another spelling of its path", known, theirs, dir.path() + "/./party.fcard", true},
        {"a link to it", known, theirs, dir.filePath("link.fcard"), true},
        {"another file", known, theirs, other, false},
    };
    for (const auto& c : cases) {
        QFile::remove(path);
        QDir().rmdir(path);
        ASSERT_TRUE(c.onDisk == folder ? QDir().mkdir(path) : c.onDisk.isEmpty() || AtomicFile::save(path, c.onDisk));
        // asked with what the file holds now
        const std::optional<FileStamp> now = FileStamp::ofFile(c.target, DesignFile::maxFileBytes);
        EXPECT_EQ(c.knows.changedAt(c.target), c.asks ? now : std::nullopt) << c.what;
    }
    EXPECT_EQ(
        DesignFileOnDisk::changedQuestion(path),
        "The design party.fcard was changed since it was opened or saved here. Replace it with the design shown?");
}
