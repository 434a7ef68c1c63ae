// Reads the mail settings file from untrusted bytes, as the program does at
// start. Whatever the store reads must survive being stored: set again and
// flushed, the file reads back with the same values, is written the same way
// a second time, and is readable and writable by its owner alone.
#include "fuzz/FuzzEnvironment.h"
#include "output/Preferences.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sys/stat.h>

namespace {

using Values = std::array<std::optional<QString>, 6>;

Values valuesOf(const Preferences& prefs)
{
    return {prefs.send_email_SenderEmail(), prefs.send_email_Password(), prefs.send_email_SMTP_server(),
            prefs.send_email_PORT_num(),    prefs.send_email_Recipient(), prefs.send_email_enable_ssl()};
}

void store(Preferences& prefs, const Values& values)
{
    using Setter = void (Preferences::*)(const QString&);
    static constexpr std::array<Setter, 6> setters {
        &Preferences::setsend_email_SenderEmail, &Preferences::setsend_email_Password,
        &Preferences::setsend_email_SMTP_server, &Preferences::setsend_email_PORT_num,
        &Preferences::setsend_email_Recipient,   &Preferences::setsend_email_enable_ssl};
    for (size_t i = 0; i < setters.size(); ++i) {
        if (values[i])
            (prefs.*setters[i])(*values[i]);
    }
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void expectOwnerOnly(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        FuzzEnvironment::fail("the settings file is gone or no regular file");
    if ((st.st_mode & 07777) != 0600)
        FuzzEnvironment::fail("the settings file is not private to its owner");
}

const QString& settingsPath()
{
    static const QString path = Preferences::settingsFilePath(FuzzEnvironment::runFolder("preferences_fuzzer"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzEnvironment::start();
    settingsPath();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString& path = settingsPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            FuzzEnvironment::fail("cannot write the input file");
    }
    Preferences prefs(path);
    const Values read = valuesOf(prefs);
    store(prefs, read);
    if (!prefs.flush())
        FuzzEnvironment::fail("settings that were read cannot be flushed");
    expectOwnerOnly(path);
    const QByteArray written = contentsOf(path);

    Preferences back(path);
    if (valuesOf(back) != read)
        FuzzEnvironment::fail("flushed settings read back with other values");
    if (!back.flush() || contentsOf(path) != written)
        FuzzEnvironment::fail("flushed settings do not settle after one round trip");
    expectOwnerOnly(path);
    return 0;
}
