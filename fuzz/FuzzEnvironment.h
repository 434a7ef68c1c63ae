#pragma once

#include "model/SKTGraphic.h"

#include <QByteArray>
#include <QString>

// What the fuzz targets share: an offscreen application (fonts and picture
// readers need one), a private resource folder, Qt's messages silenced so the
// log lines of the readers do not flood the run, and the round-trip check.
namespace FuzzEnvironment {

void start();

// The input as a byte array that does not own or copy it and, unlike one
// made by Qt, has no NUL after its end: a read past the input is a fault
// the sanitizer reports.
QByteArray view(const unsigned char* data, size_t size);

// A folder of the target `name` for the whole run, in memory where the
// system has such a folder (writes and fsync cost nothing there); removed
// at exit. A folder that cannot be made stops the run.
const QString& runFolder(const char* name);

// Stops the run with a message: what the targets use for a broken promise
// (a crash that libFuzzer saves as a finding).
[[noreturn]] void fail(const char* what);

// Checks that an object read from untrusted bytes archives into something
// the reader reads back as the same object: the same class, every field
// (the archive without its picture is byte for byte the same) and the same
// picture dimensions. The picture's own bytes may change once, when its
// pixel format becomes the one the picture reader hands out; from then on
// the archive is stable. The picture is set aside while the rest is
// compared and then put back.
void expectRoundTrip(SKTGraphic& graphic);

} // namespace FuzzEnvironment
