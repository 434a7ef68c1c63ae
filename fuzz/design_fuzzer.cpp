// Reads a design file from untrusted bytes, as Open does. Whatever is read,
// a whole design or one cut short at a fault, is a design the writer saves
// and the reader reads back whole, and saving that again gives the very
// same file.
#include "fuzz/FuzzEnvironment.h"
#include "model/DesignFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzEnvironment::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DesignFileReadResult first = DesignFile::read(FuzzEnvironment::view(data, size));
    if (first.ok && (first.badMagic || !first.reason.isEmpty()))
        FuzzEnvironment::fail("a read reported success with a fault");
    if (first.badMagic && first.elementsRead != 0)
        FuzzEnvironment::fail("a refused file was read all the same");
    if (first.badMagic)
        return 0;

    const QByteArray saved = DesignFile::write(first.contents);
    const DesignFileReadResult second = DesignFile::read(saved);
    if (!second.ok)
        FuzzEnvironment::fail("a saved design does not read back");
    if (second.contents.frontGraphics.size() != first.contents.frontGraphics.size()
        || second.contents.backGraphics.size() != first.contents.backGraphics.size())
        FuzzEnvironment::fail("a saved design reads back with other objects");
    if (DesignFile::write(second.contents) != saved)
        FuzzEnvironment::fail("saving a design read back does not give the same file");
    return 0;
}
