// Round trips through an independent decoder: every symbology that the
// decoder knows must read back as the value the user typed.

#include "LinearTestSupport.h"

#include "barcodes/NKDBarcodeImage.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDCode39Barcode.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"
#include "barcodes/NKDUPCABarcode.h"
#include "barcodes/NKDUPCEBarcode.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Maker = std::function<std::unique_ptr<NKDBarcode>()>;

template <class T>
Maker maker()
{
    return [] { return std::make_unique<T>(); };
}

Maker code128(int set)
{
    return [set] {
        auto b = std::make_unique<NKDCode128Barcode>();
        b->setCodeSet(set);
        return b;
    };
}

std::string printableAscii()
{
    std::string text;
    for (char c = ' '; c <= '~'; ++c)
        text += c;
    return text;
}

std::string controls(char from, char to)
{
    std::string text;
    for (char c = from; c <= to; ++c)
        text += c;
    return text;
}

std::string digitPairs()
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += std::to_string(i / 10) + std::to_string(i % 10);
    return text;
}

} // namespace

struct DecodeCase
{
    const char* name;
    Maker make;
    std::string value;
    std::string format;
    std::string text;
    bool extended = false;
    bool codabarStartStop = false;
};

class DecoderRoundTrip : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(DecoderRoundTrip, ReadsBackTheValue)
{
    const DecodeCase& c = GetParam();
    LinearSetup setup;
    setup.settings = designerDefaults();
    setup.mils = 10.0f;
    auto barcode = c.make();
    ASSERT_TRUE(prepareLinear(*barcode, QString::fromLatin1(c.value.data(), qsizetype(c.value.size())), setup));
    const Picture picture = NKDBarcodeImage::imageFromBarcode(*barcode, 300);
    ASSERT_FALSE(picture.isNull());
    const DecodedSymbol read = decodeLinear(picture.image(), c.extended, c.codabarStartStop);
    EXPECT_EQ(read.format, c.format);
    EXPECT_EQ(read.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Linear, DecoderRoundTrip,
    ::testing::Values(
        DecodeCase {"EAN13", maker<NKDEAN13Barcode>(), "400638133393", "EAN-13", "4006381333931"},
        DecodeCase {"EAN13WithCheck", maker<NKDEAN13Barcode>(), "5901234123457", "EAN-13", "5901234123457"},
        DecodeCase {"EAN8", maker<NKDEAN8Barcode>(), "9638507", "EAN-8", "96385074"},
        DecodeCase {"UPCA", maker<NKDUPCABarcode>(), "03600029145", "UPC-A", "036000291452"},
        DecodeCase {"UPCE", maker<NKDUPCEBarcode>(), "0123456", "UPC-E", "01234565"},
        DecodeCase {"UPCEFromUPCA", maker<NKDUPCEBarcode>(), "04210000526", "UPC-E", "04252614"},
        DecodeCase {"UPCESystemOne", maker<NKDUPCEBarcode>(), "1425261", "UPC-E", "14252611"},
        DecodeCase {"Code128Digits", code128(3), "1234", "Code128", "1234"},
        DecodeCase {"Code128OddDigits", code128(3), "12345", "Code128", "12345"},
        DecodeCase {"Code128Text", code128(3), "Hello, World!", "Code128", "Hello, World!"},
        DecodeCase {"Code128TabInB", code128(3), "tab\there", "Code128", "tab\there"},
        DecodeCase {"Code128LowerInA", code128(3), "\x01\x02\x03x", "Code128", "\x01\x02\x03x"},
        DecodeCase {"Code128SetBRepertoire", code128(1), printableAscii() + "\x7f", "Code128",
                    printableAscii() + "\x7f"},
        DecodeCase {"Code128SetARepertoire", code128(0), controls(1, 31) + " !AZ_", "Code128",
                    controls(1, 31) + " !AZ_"},
        DecodeCase {"Code128SetCPairs", code128(2), digitPairs(), "Code128", digitPairs()},
        DecodeCase {"Code128SetCText", code128(2), "12AB3", "Code128", "12AB3"},
        DecodeCase {"Code128SetCOdd", code128(2), "123", "Code128", "123"},
        DecodeCase {"Code128SetALowerCase", code128(0), "Mixed Case", "Code128", "Mixed Case"},
        DecodeCase {"Code39", maker<NKDCode39Barcode>(), "CODE-39 $/+%.", "Code39", "CODE-39 $/+%."},
        DecodeCase {"Code39LowerCase", maker<NKDCode39Barcode>(), "abc-12", "Code39", "ABC-12"},
        DecodeCase {"Code39Alphabet", maker<NKDCode39Barcode>(), "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Code39",
                    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        DecodeCase {"ExtendedCode39", maker<NKDExtendedCode39Barcode>(), "Hello, *World*!\n", "Code39",
                    "Hello, *World*!\n", true},
        DecodeCase {"ExtendedCode39Signs", maker<NKDExtendedCode39Barcode>(), "a/b_c@d{e}`~[]\t:;<=>?",
                    "Code39", "a/b_c@d{e}`~[]\t:;<=>?", true},
        DecodeCase {"Codabar", maker<NKDCodabarBarcode>(), "A12345B", "Codabar", "A12345B", false, true},
        DecodeCase {"CodabarSigns", maker<NKDCodabarBarcode>(), "C-$:/.+67890D", "Codabar", "C-$:/.+67890D", false,
                    true},
        DecodeCase {"CodabarData", maker<NKDCodabarBarcode>(), "D314159A", "Codabar", "314159"},
        DecodeCase {"ITF", maker<NKDInterleavedTwoOfFiveBarcode>(), "123456", "ITF", "123456"},
        DecodeCase {"ITFOdd", maker<NKDInterleavedTwoOfFiveBarcode>(), "12345", "ITF", "012345"},
        DecodeCase {"ITFLong", maker<NKDInterleavedTwoOfFiveBarcode>(), "00012345678905", "ITF",
                    "00012345678905"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecoderRoundTrip, ReadsWithTheCaptionOnTopAtLowResolution)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    setup.settings.showinTopCheckbox = 1;
    setup.settings.kerning_value_Checkbox = 1;
    const auto barcode = preparedLinear<NKDCode128Barcode>(QStringLiteral("Card 0042"), setup);
    ASSERT_TRUE(barcode);
    const DecodedSymbol read = decodeLinear(NKDBarcodeImage::imageFromBarcode(*barcode, 150).image());
    EXPECT_EQ(read.text, "Card 0042");
}
