// Reads pasteboard data (a property list array of card object archives) from
// untrusted bytes, as a paste does. Data that is not an array must give
// error code 2; the objects that come back must survive a copy and a paste.
#include "fuzz/FuzzEnvironment.h"
#include "model/SKTGraphicArchive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzEnvironment::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SKTError error;
    const auto graphics = SKTGraphicArchive::graphicsWithPasteboardData(FuzzEnvironment::view(data, size), &error);
    if (!graphics) {
        if (error.code() != 2)
            FuzzEnvironment::fail("refused pasteboard data without error code 2");
        return 0;
    }
    for (const GraphicPtr& graphic : *graphics)
        FuzzEnvironment::expectRoundTrip(*graphic);
    const QByteArray copied = SKTGraphicArchive::pasteboardDataWithGraphics(*graphics);
    const auto pasted = SKTGraphicArchive::graphicsWithPasteboardData(copied);
    if (!pasted || pasted->size() != graphics->size())
        FuzzEnvironment::fail("copied objects do not all paste back");
    return 0;
}
