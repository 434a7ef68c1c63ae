#include "fuzz/FuzzEnvironment.h"

#include "app/Globals.h"
#include "model/SKTGraphicArchive.h"
#include "platform/ResourceFolder.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace FuzzEnvironment {

namespace {
void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

GraphicPtr readBack(const QByteArray& archive, const SKTGraphic& original)
{
    GraphicPtr back = SKTGraphicArchive::graphicWithArchivedData(archive);
    if (!back)
        fail("an archive we wrote does not read back");
    if (back->className() != original.className())
        fail("an archive we wrote reads back as another class");
    return back;
}

QByteArray archiveWithoutPicture(SKTGraphic& graphic)
{
    const Picture picture = std::exchange(graphic._barcode_image, Picture());
    const QByteArray archive = SKTGraphicArchive::archivedData(graphic);
    graphic._barcode_image = picture;
    return archive;
}
} // namespace

const QString& runFolder(const char* name)
{
    const QString pattern = QLatin1String(name) + QStringLiteral("-XXXXXX");
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/") + pattern
                                    : QDir::tempPath() + QLatin1Char('/') + pattern);
    static const QString path = folder.path();
    if (!folder.isValid())
        fail("no temporary folder");
    return path;
}

void start()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives as long as the process; the folder goes with it at exit.
    static QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    const QString resources = ResourceFolder::location();
    ResourceFolder::prepare(resources);
    setResourcePath(resources);
    if (qEnvironmentVariableIsEmpty("FUZZ_VERBOSE"))
        qInstallMessageHandler(dropMessage);
}

QByteArray view(const unsigned char* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

void fail(const char* what)
{
    std::fprintf(stderr, "fuzz target: %s\n", what);
    std::abort();
}

void expectRoundTrip(SKTGraphic& graphic)
{
    const QByteArray first = SKTGraphicArchive::archivedData(graphic);
    const GraphicPtr second = readBack(first, graphic);
    const QImage& before = graphic._barcode_image.image();
    const QImage& after = second->_barcode_image.image();
    if (before.size() != after.size() || graphic._barcode_image.size() != second->_barcode_image.size())
        fail("a picture we wrote reads back at another size");
    if (archiveWithoutPicture(graphic) != archiveWithoutPicture(*second))
        fail("an archive we wrote reads back into a different object");
    const QByteArray secondArchive = SKTGraphicArchive::archivedData(*second);
    if (SKTGraphicArchive::archivedData(*readBack(secondArchive, graphic)) != secondArchive)
        fail("an archive we wrote does not settle after one round trip");
}

} // namespace FuzzEnvironment
