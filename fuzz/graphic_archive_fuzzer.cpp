// Reads one card object archive from untrusted bytes. Whatever comes back
// must archive again and read back as the same object: what the reader lets
// in is something the writer and the reader agree on.
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
    const GraphicPtr graphic = SKTGraphicArchive::graphicWithArchivedData(FuzzEnvironment::view(data, size));
    if (!graphic)
        return 0;
    FuzzEnvironment::expectRoundTrip(*graphic);
    return 0;
}
