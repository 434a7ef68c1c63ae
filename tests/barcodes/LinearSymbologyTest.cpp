#include "LinearTestSupport.h"

#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDCode39Barcode.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/NKDUPCABarcode.h"
#include "barcodes/NKDUPCEBarcode.h"
#include "barcodes/UPCEANString.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using Factory = std::function<std::unique_ptr<NKDBarcode>()>;

template <class T>
Factory factory()
{
    return [] { return std::make_unique<T>(); };
}

Factory code128(int set)
{
    return [set] {
        auto b = std::make_unique<NKDCode128Barcode>();
        b->setCodeSet(set);
        return b;
    };
}

std::unique_ptr<NKDBarcode> made(const Factory& make, const QString& content)
{
    auto b = make();
    EXPECT_TRUE(b->initWithContent(content));
    return b;
}

// Published UPC/EAN digit tables, written out independently of the
// derivation the symbologies use.
const char* const L[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                           "0110001", "0101111", "0111011", "0110111", "0001011"};
const char* const G[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                           "0111001", "0000101", "0010001", "0001001", "0010111"};
const char* const R[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                           "1001110", "1010000", "1000100", "1001000", "1110100"};

// Module string from a text of table letters and digits: "L4" appends the
// left odd pattern of 4, and so on; anything else is copied.
QString upcEan(std::initializer_list<const char*> parts)
{
    QString modules;
    for (const char* part : parts) {
        const QString p = QString::fromLatin1(part);
        if (p.size() == 2 && QStringLiteral("LGR").contains(p.at(0)) && p.at(1).isDigit()) {
            const int d = p.at(1).digitValue();
            modules += QString::fromLatin1(p.at(0) == 'L' ? L[d] : p.at(0) == 'G' ? G[d] : R[d]);
        } else {
            modules += p;
        }
    }
    return modules;
}

// Module string of element widths, starting with a bar.
QString widths(const char* w)
{
    QString modules;
    bool bar = true;
    for (; *w; ++w, bar = !bar)
        modules += QString(*w - '0', bar ? QLatin1Char('1') : QLatin1Char('0'));
    return modules;
}

QString check(const NKDBarcode& b)
{
    return b.checkDigit() == -1 ? QStringLiteral("none") : QString(QChar(b.checkDigit()));
}

} // namespace

TEST(UPCEANString, SwapsBarsAndSpaces)
{
    EXPECT_EQ(UPCEANString::swapHandedness(QStringLiteral("0001101")), QStringLiteral("1110010"));
    EXPECT_EQ(UPCEANString::swapParity(QStringLiteral("0001101")), QStringLiteral("0100111"));
    EXPECT_EQ(UPCEANString::swapHandedness(QString()), QString());
}

struct ContentCase
{
    const char* name;
    Factory make;
    QString input;
    QString content;   // as the symbology keeps it
    QString check;     // check character, or "none"
    bool valid;
};

class SymbologyContent : public ::testing::TestWithParam<ContentCase>
{
};

TEST_P(SymbologyContent, KeepsContentCheckAndValidity)
{
    const ContentCase& c = GetParam();
    const auto b = made(c.make, c.input);
    EXPECT_EQ(b->content(), c.content);
    if (!c.check.isEmpty()) {
        EXPECT_EQ(check(*b), c.check);
    }
    EXPECT_EQ(b->isContentValid(), c.valid);
}

// Published check digits, and what each symbology refuses.
INSTANTIATE_TEST_SUITE_P(
    Linear, SymbologyContent,
    ::testing::Values(
        ContentCase {"EAN13Computed", factory<NKDEAN13Barcode>(), "400638133393", "400638133393", "1", true},
        ContentCase {"EAN13Given", factory<NKDEAN13Barcode>(), "4006381333931", "400638133393", "1", true},
        ContentCase {"EAN13Gs1Example", factory<NKDEAN13Barcode>(), "590123412345", "590123412345", "7", true},
        ContentCase {"EAN13WrongCheck", factory<NKDEAN13Barcode>(), "4006381333932", "400638133393", "2", false},
        ContentCase {"EAN13TooLong", factory<NKDEAN13Barcode>(), "40063813339312", "40063813339312", "none", false},
        ContentCase {"EAN13Letter", factory<NKDEAN13Barcode>(), "40063813339a", "40063813339a", "", false},
        ContentCase {"EAN13Short", factory<NKDEAN13Barcode>(), "40063", "40063", "none", false},
        ContentCase {"EAN13NonAscii", factory<NKDEAN13Barcode>(), QString::fromUtf8("40063813339\u00e9"),
                     QString::fromUtf8("40063813339\u00e9"), "", false},
        ContentCase {"UPCAComputed", factory<NKDUPCABarcode>(), "03600029145", "03600029145", "2", true},
        ContentCase {"UPCAGiven", factory<NKDUPCABarcode>(), "036000291452", "03600029145", "2", true},
        ContentCase {"UPCAWrongCheck", factory<NKDUPCABarcode>(), "036000291453", "03600029145", "3", false},
        ContentCase {"UPCATooLong", factory<NKDUPCABarcode>(), "0360002914521", "0360002914521", "none", false},
        ContentCase {"EAN8Computed", factory<NKDEAN8Barcode>(), "9638507", "9638507", "4", true},
        ContentCase {"EAN8Given", factory<NKDEAN8Barcode>(), "96385074", "9638507", "4", true},
        ContentCase {"EAN8WrongCheck", factory<NKDEAN8Barcode>(), "96385075", "9638507", "5", false},
        ContentCase {"EAN8Letter", factory<NKDEAN8Barcode>(), "963850a", "963850a", "", false},
        ContentCase {"UPCEComputed", factory<NKDUPCEBarcode>(), "0123456", "0123456", "5", true},
        ContentCase {"UPCEGiven", factory<NKDUPCEBarcode>(), "01234565", "0123456", "5", true},
        ContentCase {"UPCEWrongCheck", factory<NKDUPCEBarcode>(), "01234561", "0123456", "1", false},
        ContentCase {"UPCEGs1Example", factory<NKDUPCEBarcode>(), "04252614", "0425261", "4", true},
        ContentCase {"UPCEFromUPCA", factory<NKDUPCEBarcode>(), "04210000526", "0425261", "4", true},
        ContentCase {"UPCENotCompressible", factory<NKDUPCEBarcode>(), "01234567890", "01234567890", "none", false},
        ContentCase {"UPCEBadNumberSystem", factory<NKDUPCEBarcode>(), "2123456", "2123456", "none", false},
        ContentCase {"UPCELetter", factory<NKDUPCEBarcode>(), "012345a", "012345a", "none", false},
        ContentCase {"Code39UpperCased", factory<NKDCode39Barcode>(), "abc-12", "ABC-12", "none", true},
        ContentCase {"Code39Asterisk", factory<NKDCode39Barcode>(), "AB*C", "AB*C", "none", false},
        ContentCase {"Code39Comma", factory<NKDCode39Barcode>(), "A,B", "A,B", "none", false},
        ContentCase {"ExtCode39KeepsCase", factory<NKDExtendedCode39Barcode>(), "abc-12", "abc-12", "none", true},
        ContentCase {"ExtCode39Asterisk", factory<NKDExtendedCode39Barcode>(), "A*B", "A*B", "none", true},
        ContentCase {"ExtCode39Tab", factory<NKDExtendedCode39Barcode>(), "A\tB", "A\tB", "none", true},
        ContentCase {"ExtCode39LineFeed", factory<NKDExtendedCode39Barcode>(), "A\nB", "A\nB", "none", true},
        ContentCase {"ExtCode39Return", factory<NKDExtendedCode39Barcode>(), "A\rB", "A\rB", "none", false},
        ContentCase {"CodabarStartStop", factory<NKDCodabarBarcode>(), "A12B", "A12B", "none", true},
        ContentCase {"CodabarLowerCase", factory<NKDCodabarBarcode>(), "a12b", "a12b", "none", false},
        ContentCase {"CodabarNoStartStop", factory<NKDCodabarBarcode>(), "1234", "1234", "none", false},
        ContentCase {"CodabarInnerLetter", factory<NKDCodabarBarcode>(), "A1C2B", "A1C2B", "none", false},
        ContentCase {"ITFOdd", factory<NKDInterleavedTwoOfFiveBarcode>(), "123", "123", "none", true},
        ContentCase {"ITFLetter", factory<NKDInterleavedTwoOfFiveBarcode>(), "12A4", "12A4", "none", false},
        ContentCase {"Industrial", factory<NKDIndustrialTwoOfFiveBarcode>(), "1234", "1234", "none", true},
        ContentCase {"IndustrialLetter", factory<NKDIndustrialTwoOfFiveBarcode>(), "12A", "12A", "none", false},
        ContentCase {"Plessey", factory<NKDModifiedPlesseyBarcode>(), "1234", "1234", "4", true},
        ContentCase {"PlesseyMsiExample", factory<NKDModifiedPlesseyBarcode>(), "1234567", "1234567", "4", true},
        ContentCase {"PlesseyLuhnExample", factory<NKDModifiedPlesseyBarcode>(), "7992739871", "7992739871", "3",
                     true},
        // Twice and three times the same ten digits: each copy adds the same
        // sum, so the checks are 6 and 9. Long enough to overflow a number.
        ContentCase {"PlesseyLong", factory<NKDModifiedPlesseyBarcode>(), "79927398717992739871",
                     "79927398717992739871", "6", true},
        ContentCase {"PlesseyLonger", factory<NKDModifiedPlesseyBarcode>(), "799273987179927398717992739871",
                     "799273987179927398717992739871", "9", true},
        ContentCase {"PlesseyHexLetter", factory<NKDModifiedPlesseyBarcode>(), "1A", "1A", "", false},
        ContentCase {"PlesseyHex", factory<NKDModifiedPlesseyHexBarcode>(), "1a", "1A", "", true},
        ContentCase {"Code128AnyAscii", code128(NKDCode128Barcode::SetAuto), "a\x01~\x7f", "a\x01~\x7f", "", true},
        ContentCase {"Code128NonAscii", code128(NKDCode128Barcode::SetAuto), QString::fromUtf8("\u00e9"),
                     QString::fromUtf8("\u00e9"), "", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct ModuleCase
{
    const char* name;
    Factory make;
    QString input;
    QString modules;
};

class SymbologyModules : public ::testing::TestWithParam<ModuleCase>
{
};

TEST_P(SymbologyModules, WritesThePublishedPatterns)
{
    const ModuleCase& c = GetParam();
    EXPECT_EQ(made(c.make, c.input)->completeBarcode(), c.modules);
}

INSTANTIATE_TEST_SUITE_P(
    Linear, SymbologyModules,
    ::testing::Values(
        // System digit 4: parity LGLLGG.
        ModuleCase {"EAN13", factory<NKDEAN13Barcode>(), "4006381333931",
                    upcEan({"101", "L0", "G0", "L6", "L3", "G8", "G1", "01010", "R3", "R3", "R3", "R9", "R3", "R1",
                            "101"})},
        ModuleCase {"EAN13SystemZero", factory<NKDEAN13Barcode>(), "0012345678905",
                    upcEan({"101", "L0", "L1", "L2", "L3", "L4", "L5", "01010", "R6", "R7", "R8", "R9", "R0", "R5",
                            "101"})},
        ModuleCase {"EAN8", factory<NKDEAN8Barcode>(), "96385074",
                    upcEan({"101", "L9", "L6", "L3", "L8", "01010", "R5", "R0", "R7", "R4", "101"})},
        ModuleCase {"UPCA", factory<NKDUPCABarcode>(), "036000291452",
                    upcEan({"101", "L0", "L3", "L6", "L0", "L0", "L0", "01010", "R2", "R9", "R1", "R4", "R5", "R2",
                            "101"})},
        // Check digit 4, number system 0: EOEEOO.
        ModuleCase {"UPCE", factory<NKDUPCEBarcode>(), "04252614",
                    upcEan({"101", "G4", "L2", "G5", "G2", "L6", "L1", "010101"})},
        // Number system 1 inverts the parity: OEOOEE.
        ModuleCase {"UPCESystemOne", factory<NKDUPCEBarcode>(), "1425261",
                    upcEan({"101", "L4", "L2", "G5", "L2", "G6", "G1", "010101"})},
        ModuleCase {"Code39", factory<NKDCode39Barcode>(), "A",
                    "1001011011010" "1101010010110" "1001011011010"},
        ModuleCase {"Code39Zero", factory<NKDCode39Barcode>(), "0",
                    "1001011011010" "1010011011010" "1001011011010"},
        // a as +A, then * as /J.
        ModuleCase {"ExtendedCode39", factory<NKDExtendedCode39Barcode>(), "a*",
                    "1001011011010" "1001010010010" "1101010010110" "1001001010010" "1010110011010" "1001011011010"},
        ModuleCase {"Codabar", factory<NKDCodabarBarcode>(), "A12B",
                    "1011001001" "0" "101011001" "0" "101001011" "0" "1001001011"},
        ModuleCase {"CodabarCAndPlus", factory<NKDCodabarBarcode>(), "C+D",
                    "1010010011" "0" "1011011011" "0" "1010011001"},
        // 123 is written as 0123: pairs (0,1) and (2,3), wide three modules.
        ModuleCase {"ITF", factory<NKDInterleavedTwoOfFiveBarcode>(), "123",
                    "1010" "1000" "10" "1110" "1110" "1000" "1000" "111000" "10" "10" "1110" "11101"},
        ModuleCase {"Industrial", factory<NKDIndustrialTwoOfFiveBarcode>(), "1",
                    "1010" "11100" "100" "100" "100" "11100" "11101"},
        // Bits least significant first: a 0 bit 1000, a 1 bit 1110.
        ModuleCase {"Plessey", factory<NKDModifiedPlesseyBarcode>(), "1234",
                    "1110111010001110" "1110100010001000" "1000111010001000" "1110111010001000" "1000100011101000"
                    "1000100011101000" "111" "1000100011101110"},
        ModuleCase {"PlesseyHex", factory<NKDModifiedPlesseyHexBarcode>(), "F",
                    "1110111010001110" "1110111011101110" "1000100010001000" "111" "1000100011101110"},
        ModuleCase {"Code128SetC", code128(NKDCode128Barcode::SetAuto), "1234",
                    widths("211232") + widths("112232") + widths("131123") + widths("121241") + widths("2331112")}),
    [](const auto& info) { return std::string(info.param.name); });

struct Code128Case
{
    const char* name;
    int requestedSet;
    QString content;
    int chosenSet;
    std::vector<int> symbols;
};

class Code128Symbols : public ::testing::TestWithParam<Code128Case>
{
};

TEST_P(Code128Symbols, ChoosesSetAndSymbols)
{
    const Code128Case& c = GetParam();
    auto b = code128(c.requestedSet)();
    ASSERT_TRUE(b->initWithContent(c.content));
    auto* code = static_cast<NKDCode128Barcode*>(b.get());
    EXPECT_EQ(code->codeSet(), c.chosenSet);
    EXPECT_EQ(code->symbolValues(), c.symbols);
    EXPECT_EQ(code->caption(), c.content);
    // The check value weighs every symbol by its position after the start.
    int sum = 103 + c.chosenSet;
    for (size_t i = 0; i < c.symbols.size(); ++i)
        sum += int(i + 1) * c.symbols[i];
    EXPECT_EQ(code->checkDigit(), sum % 103);
}

INSTANTIATE_TEST_SUITE_P(
    Linear, Code128Symbols,
    ::testing::Values(
        Code128Case {"EvenDigits", 3, "1234", 2, {12, 34}},
        // An odd count ends in set B instead of gaining a leading zero.
        Code128Case {"OddDigits", 3, "12345", 2, {12, 34, 100, 21}},
        Code128Case {"LowerCase", 3, "abc", 1, {65, 66, 67}},
        Code128Case {"UpperCaseTieGoesToB", 3, "ABC", 1, {33, 34, 35}},
        Code128Case {"TabWithoutLowerCase", 3, "A\tB", 0, {33, 73, 34}},
        Code128Case {"SpaceIsZero", 1, " ", 1, {0}},
        Code128Case {"SemicolonInA", 0, ";", 0, {27}},
        Code128Case {"SemicolonInB", 1, ";", 1, {27}},
        Code128Case {"DeviceControls", 0, "\x13\x14", 0, {83, 84}},
        Code128Case {"RecordAndUnitSeparators", 0, "\x1e\x1f", 0, {94, 95}},
        Code128Case {"Delete", 1, "\x7f", 1, {95}},
        Code128Case {"LowerCaseInA", 0, "Ab", 0, {33, 98, 66}},
        Code128Case {"ControlInB", 1, "a\tb", 1, {65, 98, 73, 66}},
        Code128Case {"TextInForcedC", 2, "12AB", 2, {12, 100, 33, 34}},
        Code128Case {"LoneDigitInForcedC", 2, "7", 2, {100, 23}},
        Code128Case {"Empty", 3, "", 2, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Code128, EmptyAutomaticContentHasCheckTwo)
{
    EXPECT_EQ(made(code128(NKDCode128Barcode::SetAuto), QString(""))->checkDigit(), 2);
    // A published worked example: 1234 in set C checks to 82.
    EXPECT_EQ(made(code128(NKDCode128Barcode::SetAuto), QStringLiteral("1234"))->checkDigit(), 82);
    // A set never given is set A.
    const auto plain = NKDBarcode::make<NKDCode128Barcode>(QStringLiteral("1234"));
    EXPECT_EQ(plain->codeSet(), NKDCode128Barcode::SetA);
}

struct CaptionCase
{
    const char* name;
    Factory make;
    QString input;
    QString left;
    QString middle;
    QString right;
};

class SymbologyCaptions : public ::testing::TestWithParam<CaptionCase>
{
};

TEST_P(SymbologyCaptions, SplitsTheCaption)
{
    const CaptionCase& c = GetParam();
    const auto b = made(c.make, c.input);
    EXPECT_EQ(b->leftCaption(), c.left);
    EXPECT_EQ(b->caption(), c.middle);
    EXPECT_EQ(b->rightCaption(), c.right);
}

INSTANTIATE_TEST_SUITE_P(
    Linear, SymbologyCaptions,
    ::testing::Values(
        CaptionCase {"EAN13", factory<NKDEAN13Barcode>(), "4006381333931", "4", "  006381\t333931", ""},
        CaptionCase {"EAN8", factory<NKDEAN8Barcode>(), "96385074", "", " 9638\t5074", ""},
        CaptionCase {"UPCA", factory<NKDUPCABarcode>(), "036000291452", "0", "36000\t29145", "2"},
        CaptionCase {"UPCE", factory<NKDUPCEBarcode>(), "04252614", "0", "425261", "4"},
        CaptionCase {"Code128OddDigits", code128(3), "12345", "", "12345", ""},
        CaptionCase {"ITFWithoutPadding", factory<NKDInterleavedTwoOfFiveBarcode>(), "123", "", "123", ""},
        CaptionCase {"Code39UpperCase", factory<NKDCode39Barcode>(), "abc-12", "", "ABC-12", ""},
        CaptionCase {"PlesseyWithoutCheck", factory<NKDModifiedPlesseyBarcode>(), "1234", "", "1234", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct WidthCase
{
    const char* name;
    Factory make;
    QString input;
    int modules;
    float widthFactor;   // width / (modules x bar width)
};

class SymbologyWidths : public ::testing::TestWithParam<WidthCase>
{
};

TEST_P(SymbologyWidths, WidthFollowsTheModuleCount)
{
    const WidthCase& c = GetParam();
    const auto b = made(c.make, c.input);
    b->setBarWidth(1.5f);
    b->calculateWidth();
    EXPECT_EQ(b->completeBarcode().size(), c.modules);
    EXPECT_FLOAT_EQ(b->width(), c.modules * 1.5f * c.widthFactor);
}

INSTANTIATE_TEST_SUITE_P(
    Linear, SymbologyWidths,
    ::testing::Values(WidthCase {"EAN13", factory<NKDEAN13Barcode>(), "400638133393", 95, 1.2f},
                      WidthCase {"UPCA", factory<NKDUPCABarcode>(), "03600029145", 95, 1.2f},
                      WidthCase {"EAN8", factory<NKDEAN8Barcode>(), "9638507", 67, 1.2f},
                      WidthCase {"UPCE", factory<NKDUPCEBarcode>(), "0425261", 51, 1.2f},
                      WidthCase {"Code128", code128(3), "1234", 57, 1.0f},
                      WidthCase {"Code39", factory<NKDCode39Barcode>(), "AB", 52, 1.0f},
                      WidthCase {"Codabar", factory<NKDCodabarBarcode>(), "A12B", 41, 1.0f},
                      WidthCase {"Plessey", factory<NKDModifiedPlesseyBarcode>(), "1", 16 + 16 + 16 + 19, 1.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UPCEAN, EmptyContentHasNoWidthAndQuietZonesFollowTheWidth)
{
    const auto empty = NKDBarcode::make<NKDEAN13Barcode>(QStringLiteral(""));
    EXPECT_FLOAT_EQ(empty->width(), 0.0f);

    const auto b = NKDBarcode::make<NKDEAN13Barcode>(QStringLiteral("400638133393"));
    b->setBarWidth(1.0f);
    b->calculateWidth();
    EXPECT_FLOAT_EQ(b->firstBar(), 11.4f);
    EXPECT_FLOAT_EQ(b->lastBar(), 0.9f * 114.0f - 1.0f);
}

TEST(UPCE, ConvertsBetweenUPCAAndUPCE)
{
    const std::map<QString, QString> pairs = {
        {"042100005264", "0425261"},   // manufacturer code ending in 100
        {"012000000451", "0120450"},   // manufacturer code ending in 000
        {"012300000451", "0123453"},   // ...ending in 00 after three digits
        {"012340000056", "0123454"},   // ...ending in 0 after four digits
        {"012345000058", "0123455"},   // product 5 to 9
    };
    for (const auto& [upca, upce] : pairs) {
        const QString compressed = NKDUPCEBarcode::UPCAToUPCE(upca);
        EXPECT_EQ(compressed, upce) << upca.toStdString();
        EXPECT_EQ(NKDUPCEBarcode::UPCEToUPCA(upce), upca.left(11)) << upce.toStdString();
    }
    // Dropped digits must be zeros, and the number system 0 or 1.
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE(QStringLiteral("042100105262")), QString());
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE(QStringLiteral("242100005262")), QString());
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE(QStringLiteral("04210000526")), QString());
}

TEST(UPCE, ParityFollowsCheckDigitAndNumberSystem)
{
    const auto parity = [](const NKDUPCEBarcode& b) {
        QString letters;
        for (int position = 1; position <= 6; ++position)
            letters += b.parityForDigit(position) ? 'E' : 'O';
        return letters;
    };
    // 0123456 expands to 01234500006, check digit 5.
    const auto system0 = NKDBarcode::make<NKDUPCEBarcode>(QStringLiteral("0123456"));
    ASSERT_EQ(system0->checkDigit(), '5');
    EXPECT_EQ(parity(*system0), QStringLiteral("EOOEEO"));
    // 1123456 expands to 11234500006, check digit 2: EEOOEO inverted.
    const auto system1 = NKDBarcode::make<NKDUPCEBarcode>(QStringLiteral("1123456"));
    ASSERT_EQ(system1->checkDigit(), '2');
    EXPECT_EQ(parity(*system1), QStringLiteral("OOEEOE"));
}

TEST(UPCEAN, ShortContentGetsBarsOnlyForItsDigits)
{
    // Four digits of an EAN-13: guards, four patterns, no reading past the end.
    const auto b = NKDBarcode::make<NKDEAN13Barcode>(QStringLiteral("4006"));
    EXPECT_EQ(b->checkDigit(), -1);
    EXPECT_EQ(b->completeBarcode(), upcEan({"101", "L0", "G0", "L6", "01010", "101"}));
    const auto e = NKDBarcode::make<NKDUPCEBarcode>(QStringLiteral("01"));
    EXPECT_FALSE(e->isContentValid());
    EXPECT_EQ(e->rightCaption(), QString());
}

TEST(ExtendedCode39, WritesFullAsciiPairs)
{
    const std::map<char, QByteArray> pairs = {
        {'/', "/O"}, {'*', "/J"}, {'_', "%O"}, {'$', "/D"}, {'%', "/E"}, {'+', "/K"}, {':', "/Z"},
        {';', "%F"}, {'?', "%J"}, {'@', "%V"}, {'[', "%K"}, {'`', "%W"}, {'{', "%P"}, {'~', "%S"},
        {'\t', "$I"}, {'\n', "$J"}, {'z', "+Z"}, {'Q', "Q"}, {'\r', ""}, {'\x7f', ""}, {'\0', ""},
    };
    for (const auto& [c, pair] : pairs)
        EXPECT_EQ(NKDExtendedCode39Barcode::fullAsciiPair(c), pair) << int(c);
}

TEST(Plessey, LetterEndsTheDoubledNumberInTheHexVariant)
{
    // Positions from the right: 1 is "1" (odd), 2 is "A" (even, 65 - 48).
    // Odd: "1" -> 2 x 1 = 2; even: 17; s = 19, r = 9, check 1.
    const auto b = NKDBarcode::make<NKDModifiedPlesseyHexBarcode>(QStringLiteral("a1"));
    EXPECT_EQ(b->checkDigit(), '1');
    // A letter at position 1 stops the number at once (N = 0); the even
    // position adds 1: s = 1, r = 1, check 9.
    const auto c = NKDBarcode::make<NKDModifiedPlesseyHexBarcode>(QStringLiteral("1A"));
    EXPECT_EQ(c->checkDigit(), '9');
}

// Empty content would draw a symbol without data: refused, as EAN and
// Codabar refuse it; the shortest content each one writes is taken.
TEST(LinearSymbologies, EmptyContentIsRefused)
{
    const struct {
        const char* name;
        Factory make;
        const char* shortest;
    } cases[] = {
        {"Code128", code128(NKDCode128Barcode::SetAuto), "a"},
        {"Code39", factory<NKDCode39Barcode>(), "A"},
        {"ExtendedCode39", factory<NKDExtendedCode39Barcode>(), "a"},
        {"Interleaved2of5", factory<NKDInterleavedTwoOfFiveBarcode>(), "1"},
        {"Industrial2of5", factory<NKDIndustrialTwoOfFiveBarcode>(), "1"},
        {"RoyalMail", factory<NKDRoyalMailBarcode>(), "A"},
        {"ModifiedPlessey", factory<NKDModifiedPlesseyBarcode>(), "1"},
        {"ModifiedPlesseyHex", factory<NKDModifiedPlesseyHexBarcode>(), "F"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(made(c.make, QString(""))->isContentValid()) << c.name;
        EXPECT_TRUE(made(c.make, QString::fromLatin1(c.shortest))->isContentValid()) << c.name;
    }
}

TEST(NKDBarcode, BaseRulesAndAccessors)
{
    NKDBarcode base;
    EXPECT_FALSE(base.initWithContent(QString()));
    ASSERT_TRUE(base.initWithContent(QStringLiteral("")));
    EXPECT_TRUE(base.isContentValid());
    EXPECT_EQ(base.barcode(), QString());

    // An empty Code 39 is still framed by its start and stop characters.
    const auto code39 = NKDBarcode::make<NKDCode39Barcode>(QStringLiteral(""));
    EXPECT_FLOAT_EQ(code39->width(), 26 * code39->barWidth());

    EXPECT_FALSE(base.header().isNull());
    EXPECT_FALSE(base.footer().isNull());
    EXPECT_EQ(base.header(), QString(""));

    const auto a = NKDBarcode::make<NKDCode39Barcode>(QStringLiteral("1234"));
    const auto b = NKDBarcode::make<NKDCode128Barcode>(QStringLiteral("1234"));
    EXPECT_TRUE(a->isEqual(*b));
    EXPECT_TRUE(a->description().contains(QStringLiteral("Barcode Class: NKDCode39Barcode")));
}

TEST(NKDBarcode, BarTopLeavesRoomForTheShownLines)
{
    BarcodeDesignerSettings s;
    s.value_margin = 1.0f;
    s.header_margin = 2.0f;
    s.footer_margin = 3.0f;
    s.TB_margin = 4.0f;
    const auto b = NKDBarcode::make<NKDCode39Barcode>(QStringLiteral("AB"));
    b->setDesignerSettings(s);
    b->setHeader(QStringLiteral("Top"));
    b->setFooter(QStringLiteral("Bottom"));
    b->setCaptionFontSize(10);
    b->setHeaderFontSize(10);
    b->setFooterFontSize(10);
    b->setHeight(100);
    b->setPrintsCaption(true);
    b->setPrintsHeader(true);
    b->setPrintsFooter(true);
    const float lines = 72.0f * (b->captionHeight() + b->headerHeight() + b->footerHeight());
    EXPECT_NEAR(b->barTop(5), 100 - lines - (1 + 2 + 3) - 2 * 4, 1e-4);
    b->setPrintsCaption(false);
    b->setPrintsHeader(false);
    b->setPrintsFooter(false);
    EXPECT_FLOAT_EQ(b->barTop(0), 100 - 2 * 4);
}

TEST(NKDBarcode, LineHeightsFollowTheDesignerFonts)
{
    BarcodeDesignerSettings s;
    const auto b = NKDBarcode::make<NKDCode39Barcode>(QStringLiteral("AB"));
    b->setDesignerSettings(s);
    b->setCaptionFontSize(6);
    const float first = b->captionHeight();
    b->setCaptionFontSize(30);
    EXPECT_FLOAT_EQ(b->captionHeight(), first);
    EXPECT_FLOAT_EQ(b->caption_fontSize(), 30);
    // 1.35 cap heights of the 10-point value font, in inches.
    EXPECT_NEAR(first, 1.35 * BarcodeDesignerSettings::capHeight(s.value_font) / 72.0, 1e-6);
    EXPECT_GT(first * 72.0f, 5.0f);
    EXPECT_LT(first * 72.0f, 12.0f);

    s.value_font = s.value_font.withPointSize(20);
    b->setDesignerSettings(s);
    b->setCaptionFontSize(6);
    EXPECT_NEAR(b->captionHeight(), 2 * first, 0.05 * first);

    // Header and footer widths measure the text set before the size.
    b->setHeader(QStringLiteral("WWWWWW"));
    b->setHeaderFontSize(10);
    const float wide = b->headerWidth();
    b->setHeader(QStringLiteral("i"));
    EXPECT_FLOAT_EQ(b->headerWidth(), wide);
    b->setHeaderFontSize(10);
    EXPECT_LT(b->headerWidth(), wide / 4);
}
