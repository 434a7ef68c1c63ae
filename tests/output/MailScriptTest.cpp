#include "output/MailScript.h"

#include "app/Globals.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "canvas/SideSnapshot.h"
#include "common/ObjectTestSupport.h"
#include "model/SKTBarcode.h"
#include "output/MailAttachments.h"
#include "output/MailBatch.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kLogin = QStringLiteral("sender@example.org");
const QString kPassword = QStringLiteral("s3cret pw&<x>");

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The loopback mail server of tests/fixtures/mail, with its test CA, for
// the whole suite.
class MailServer : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        server = new QProcess;
        server->setStandardErrorFile(QProcess::nullDevice());
        server->start("/usr/bin/python3", {QStringLiteral(TEST_SOURCE_DIR "/fixtures/mail/smtp_sink.py"),
                                           dir->path(), kLogin, kPassword});
        ASSERT_TRUE(server->waitForStarted());
        for (int i = 0; i < 3; ++i) {
            while (!server->canReadLine())
                ASSERT_TRUE(server->waitForReadyRead(20000)) << "the mail server did not start";
            const QList<QByteArray> words = server->readLine().trimmed().split(' ');
            ASSERT_EQ(words.size(), 2);
            (words[0] == "starttls" ? starttlsPort : words[0] == "implicit" ? implicitPort : stallPort) =
                QString::fromLatin1(words[1]);
        }
    }
    static void TearDownTestSuite()
    {
        if (server) {
            server->closeWriteChannel();
            if (!server->waitForFinished(10000))
                server->kill();
            server->waitForFinished(5000);
        }
        delete server;
        server = nullptr;
        delete dir;
        dir = nullptr;
    }

    static MailScript::Mail mail(const QString& port, const QString& flag)
    {
        MailScript::Mail m;
        m.sender = kLogin;
        m.password = kPassword;
        m.server = QStringLiteral("127.0.0.1");
        m.port = port;
        m.recipient = QStringLiteral("friend@example.net");
        m.subject = QStringLiteral("Brightfold Test Mail \u00e9");
        m.body = QStringLiteral("This is test mail sent by Brightfold.\nSecond line \u00fc");
        m.enableSsl = flag;
        return m;
    }
    static MailScript script(int timeoutMs = 30000)
    {
        MailScript s(MailScript::defaultInterpreter(), QStringLiteral(SOURCE_ROOT "/resources/pyth_mail.py"),
                     timeoutMs);
        s.addEnvironment("BRIGHTFOLD_MAIL_CAFILE", dir->filePath("ca.pem"));
        s.addEnvironment("BRIGHTFOLD_MAIL_TIMEOUT", "3");
        return s;
    }
    static int inboxCount() { return int(QDir(dir->filePath("inbox")).entryList({"*.eml"}).size()); }

    static inline QTemporaryDir* dir = nullptr;
    static inline QProcess* server = nullptr;
    static inline QString starttlsPort, implicitPort, stallPort;
};

// Both security modes deliver the mail with its envelope, headers, body
// and a picture attachment intact.
TEST_F(MailServer, DeliversOverStartTlsAndImplicitTls)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (const auto& [port, flag] : {std::pair {starttlsPort, QStringLiteral("N")}, {implicitPort, "Y"}}) {
        SCOPED_TRACE(flag.toStdString());
        MailScript s = script();
        const QString attachment = s.attachmentPath("card front.png");
        ASSERT_FALSE(attachment.isEmpty());
        ASSERT_TRUE(picture.save(attachment));
        MailScript::Mail m = mail(port, flag);
        m.attachments = {attachment};
        const int before = inboxCount();
        const MailScript::Result r = s.send(m);
        ASSERT_TRUE(r.sent) << r.output.toStdString();
        ASSERT_EQ(inboxCount(), before + 1);
        const QString base = dir->filePath("inbox/" + QString::number(before + 1));
        EXPECT_EQ(readFile(base + ".env"), "sender@example.org\nfriend@example.net\n");
        // an independent reader takes the message apart
        QProcess py;
        py.start("/usr/bin/python3",
                 {"-c",
                  "import sys, email, email.policy\n"
                  "m = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=email.policy.default)\n"
                  "print(m['To']); print(m['Subject'])\n"
                  "print(m.get_body(('plain',)).get_content().strip().replace('\\n', '|'))\n"
                  "for a in m.iter_attachments():\n"
                  "    print(a.get_filename(), a.get_content_type(), a.get_content() == open(sys.argv[2], 'rb').read())\n",
                  base + ".eml", attachment});
        ASSERT_TRUE(py.waitForFinished(20000));
        EXPECT_EQ(QString::fromUtf8(py.readAll()),
                  "friend@example.net\nBrightfold Test Mail \u00e9\n"
                  "This is test mail sent by Brightfold.|Second line \u00fc\n"
                  "card front.png image/png True\n");
    }
}

// A batch of cards, one per record, goes out through the script and the
// server: each mail reaches its recipient with the card of its own record,
// whose barcode reads back as that record's value.
TEST_F(MailServer, CardOfEveryRecordArrivesAndReadsBack)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(20, 20, 160, 160);
    barcode->barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf("QR Code"));
    barcode->qr_size_val = 150;
    const SideSnapshot side(GraphicList {barcode}, Card_Property(), 0, QRectF(0, 0, 260, 220), Resource_Path);
    const BatchPictureExport::Binder bind = [](SideSnapshot& snapshot, int record) {
        const GraphicPtr& g = snapshot.graphics().at(0);
        g->Set_Barcode_image(BarcodeProducer::pictureForObject(*g, QStringLiteral("GUEST-%1").arg(record + 1)));
        return QString();
    };
    QTemporaryDir folder;
    const MailAttachments pictures(folder.path(), QStringLiteral("Card"), QStringLiteral("F"));
    MailScript s = script();
    MailBatch::Job job;
    job.mode = MailPlan::Mode::EveryRecipient;
    job.recipients = {QStringLiteral("guest@example.net")};
    job.records = 3;
    job.render = [&](int record, QStringList* attachments) {
        *attachments = pictures.render(side, side, bind, record);
        return !attachments->isEmpty();
    };
    job.send = [&](const QString& to, const QStringList& attachments) {
        MailScript::Mail m = mail(starttlsPort, QStringLiteral("N"));
        m.recipient = to;
        m.attachments = attachments;
        return s.send(m).sent;
    };
    job.sleep = [](int) {};
    const int before = inboxCount();
    const std::atomic<bool> stop {false};
    ASSERT_TRUE(MailBatch::run(job, stop).success());
    ASSERT_EQ(inboxCount(), before + 3);
    for (int record = 0; record < 3; ++record) {
        const QString base = dir->filePath("inbox/" + QString::number(before + 1 + record));
        EXPECT_EQ(readFile(base + ".env"), "sender@example.org\nguest@example.net\n");
        QProcess py;
        py.start("/usr/bin/python3",
                 {"-c",
                  "import sys, email, email.policy\n"
                  "m = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=email.policy.default)\n"
                  "a = next(m.iter_attachments())\n"
                  "open(sys.argv[2], 'wb').write(a.get_content())\n",
                  base + ".eml", base + ".jpeg"});
        ASSERT_TRUE(py.waitForFinished(20000));
        const QImage card(base + ".jpeg");
        ASSERT_FALSE(card.isNull()) << record;
        EXPECT_EQ(ObjectTestSupport::decodeBarcode(card).text, QStringLiteral("GUEST-%1").arg(record + 1));
    }
}

// Every way a mail cannot go ends the run, with the failure text, well
// within the time limit and with nothing delivered.
TEST_F(MailServer, FailuresEndTheRunWithTheFailureText)
{
    const QString deadPort = [] {
        QProcess p;  // a port nobody listens on: bound, then let go
        p.start("/usr/bin/python3", {"-c", "import socket; s=socket.socket(); s.bind(('127.0.0.1',0)); "
                                           "print(s.getsockname()[1])"});
        p.waitForFinished(20000);
        return QString::fromLatin1(p.readAll().trimmed());
    }();
    struct Case
    {
        const char* name;
        QString port;
        QString flag;
        QString password;
        bool trustTestCa;
        int exitCode;
        QString reason;   // how the reason begins
        QString recipient = QStringLiteral("friend@example.net");
    };
    const Case cases[] = {
        {"wrong password", starttlsPort, "N", "wrong", true, 4, "authentication failed: the server answered 535"},
        {"wrong password, implicit TLS", implicitPort, "Y", "wrong", true, 4, "authentication failed: "},
        {"dead server", deadPort, "N", kPassword, true, 3, "connection refused by 127.0.0.1 port " + deadPort},
        {"stalled server", stallPort, "N", kPassword, true, 3,
         "connection failed: Connection unexpectedly closed: timed out"},
        {"stalled server, implicit TLS", stallPort, "Y", kPassword, true, 3, "the server did not answer in time"},
        {"untrusted certificate", starttlsPort, "N", kPassword, false, 3, "certificate verify failed: "},
        {"untrusted certificate, implicit TLS", implicitPort, "Y", kPassword, false, 3, "certificate verify failed: "},
        {"implicit TLS against STARTTLS", starttlsPort, "Y", kPassword, true, 3, "TLS failed: "},
        // the server's reply as text, not as a bytes literal
        {"recipient refused for now", starttlsPort, "N", kPassword, true, 5,
         "mail refused: the server answered 451 4.3.0 try again later for guest@busy.example", "guest@busy.example"},
        {"data refused for now", implicitPort, "Y", kPassword, true, 5,
         "mail refused: the server answered 451 4.3.0 try again later", "guest@later.example"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MailScript s(MailScript::defaultInterpreter(), QStringLiteral(SOURCE_ROOT "/resources/pyth_mail.py"), 30000);
        if (c.trustTestCa)
            s.addEnvironment("BRIGHTFOLD_MAIL_CAFILE", dir->filePath("ca.pem"));
        s.addEnvironment("BRIGHTFOLD_MAIL_TIMEOUT", "2");
        MailScript::Mail m = mail(c.port, c.flag);
        m.password = c.password;
        m.recipient = c.recipient;
        const int before = inboxCount();
        const MailScript::Result r = s.send(m);
        EXPECT_FALSE(r.sent);
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.output.toStdString();
        EXPECT_TRUE(r.output.contains("Could not send email.")) << r.output.toStdString();
        EXPECT_TRUE(r.reason.startsWith(c.reason)) << r.reason.toStdString();
        EXPECT_FALSE(r.reason.contains(QLatin1Char('\n')));
        EXPECT_FALSE(r.output.contains(kPassword));
        EXPECT_EQ(inboxCount(), before);
    }
}

// A script that outlives the time limit is killed and counts as not sent;
// one that cannot start counts as not sent too.
TEST_F(MailServer, TimeLimitAndStartFailureCountAsNotSent)
{
    MailScript slow(MailScript::defaultInterpreter(), QStringLiteral(SOURCE_ROOT "/resources/pyth_mail.py"), 1500);
    slow.addEnvironment("BRIGHTFOLD_MAIL_TIMEOUT", "60");
    MailScript::Result r = slow.send(mail(stallPort, "N"));
    EXPECT_TRUE(r.timedOut);
    EXPECT_FALSE(r.sent);
    EXPECT_EQ(r.reason, QStringLiteral("The mail server did not answer in time."));

    MailScript missing("/nonexistent/python3", QStringLiteral(SOURCE_ROOT "/resources/pyth_mail.py"));
    r = missing.send(mail(starttlsPort, "N"));
    EXPECT_FALSE(r.started);
    EXPECT_FALSE(r.sent);
    EXPECT_TRUE(r.reason.startsWith(QStringLiteral("The mail program could not be started"))) << r.reason.toStdString();
}

// Sets or clears the certificate variables of the program's environment
// for one scope, and puts back what was there.
class ScopedCertificateEnvironment
{
public:
    explicit ScopedCertificateEnvironment(const QList<std::pair<QString, QString>>& values)
    {
        for (const QString& name : MailScript::passedEnvironment()) {
            const QByteArray key = name.toLatin1();
            m_saved.append({key, qEnvironmentVariableIsSet(key.constData()), qgetenv(key.constData())});
            qunsetenv(key.constData());
        }
        for (const auto& [name, value] : values)
            qputenv(name.toLatin1().constData(), QFile::encodeName(value));
    }
    ~ScopedCertificateEnvironment()
    {
        for (const Saved& s : m_saved) {
            if (s.set)
                qputenv(s.key.constData(), s.value);
            else
                qunsetenv(s.key.constData());
        }
    }

private:
    struct Saved
    {
        QByteArray key;
        bool set;
        QByteArray value;
    };
    QList<Saved> m_saved;
};

// A company mail server with its own CA: the CA given in the program's
// environment reaches the script, which then trusts it; without it the
// mail fails for the certificate.
TEST_F(MailServer, PrivateAuthorityFromTheProgramsEnvironment)
{
    // a certificate folder as OpenSSL looks one up: the CA under its hash
    QProcess hash;
    hash.start("openssl", {"x509", "-hash", "-noout", "-in", dir->filePath("ca.pem")});
    ASSERT_TRUE(hash.waitForFinished(20000));
    QTemporaryDir certs;
    const QString hashed = certs.filePath(QString::fromLatin1(hash.readAll().trimmed()) + ".0");
    ASSERT_TRUE(QFile::copy(dir->filePath("ca.pem"), hashed));
    // and a CA of some other company
    QProcess other;
    other.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Other CA",
                            "-keyout", certs.filePath("other.key"), "-out", certs.filePath("other.pem")});
    ASSERT_TRUE(other.waitForFinished(60000));
    ASSERT_EQ(other.exitCode(), 0);

    const struct {
        const char* name;
        QList<std::pair<QString, QString>> environment;
        QString flag;
        QString reason;     // how the reason begins; "": sent
    } cases[] = {
        {"no CA", {}, "N", "certificate verify failed: "},
        {"no CA, implicit TLS", {}, "Y", "certificate verify failed: "},
        {"BRIGHTFOLD_MAIL_CAFILE", {{"BRIGHTFOLD_MAIL_CAFILE", dir->filePath("ca.pem")}}, "N", ""},
        {"BRIGHTFOLD_MAIL_CAFILE, implicit TLS", {{"BRIGHTFOLD_MAIL_CAFILE", dir->filePath("ca.pem")}}, "Y", ""},
        {"SSL_CERT_FILE", {{"SSL_CERT_FILE", dir->filePath("ca.pem")}}, "N", ""},
        {"SSL_CERT_DIR", {{"SSL_CERT_DIR", certs.path()}}, "N", ""},
        {"another CA", {{"BRIGHTFOLD_MAIL_CAFILE", certs.filePath("other.pem")}}, "N", "certificate verify failed: "},
        {"a CA file that is none", {{"BRIGHTFOLD_MAIL_CAFILE", certs.filePath("other.key")}}, "N",
         "the trusted CA file " + certs.filePath("other.key") + " could not be read: "},
        {"a missing CA file", {{"BRIGHTFOLD_MAIL_CAFILE", certs.filePath("none.pem")}}, "N",
         "the trusted CA file " + certs.filePath("none.pem") + " could not be read: No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedCertificateEnvironment environment(c.environment);
        MailScript s(MailScript::defaultInterpreter(), QStringLiteral(SOURCE_ROOT "/resources/pyth_mail.py"), 30000);
        s.addEnvironment("BRIGHTFOLD_MAIL_TIMEOUT", "3");
        const int before = inboxCount();
        const MailScript::Result r = s.send(mail(c.flag == "Y" ? implicitPort : starttlsPort, c.flag));
        EXPECT_EQ(r.sent, c.reason.isEmpty()) << r.output.toStdString();
        EXPECT_EQ(inboxCount(), before + (r.sent ? 1 : 0));
        EXPECT_TRUE(c.reason.isEmpty() ? r.reason.isEmpty() : r.reason.startsWith(c.reason))
            << r.reason.toStdString();
    }
}

// The certificate variables the program was started with reach the script,
// each one alone; empty ones and the rest of the environment do not.
TEST(MailScriptEnvironment, CertificateVariablesArePassedOn)
{
    QTemporaryDir d;
    const QString wrapper = d.filePath("record.sh");
    QFile w(wrapper);
    ASSERT_TRUE(w.open(QIODevice::WriteOnly));
    w.write(QStringLiteral("#!/bin/sh\nenv > '%1/env'\nexit 0\n").arg(d.path()).toUtf8());
    w.close();
    w.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const struct {
        QList<std::pair<QString, QString>> set;
        QStringList expected;   // the lines of the script's environment
    } cases[] = {
        {{}, {"PATH=/bin:/usr/bin:/usr/local/bin", "PYTHONPATH="}},
        {{{"BRIGHTFOLD_MAIL_CAFILE", "/etc/company/ca.pem"}},
         {"BRIGHTFOLD_MAIL_CAFILE=/etc/company/ca.pem", "PATH=/bin:/usr/bin:/usr/local/bin", "PYTHONPATH="}},
        {{{"SSL_CERT_FILE", "/etc/ssl/company.pem"}},
         {"PATH=/bin:/usr/bin:/usr/local/bin", "PYTHONPATH=", "SSL_CERT_FILE=/etc/ssl/company.pem"}},
        {{{"SSL_CERT_DIR", "/etc/ssl/company certs"}},
         {"PATH=/bin:/usr/bin:/usr/local/bin", "PYTHONPATH=", "SSL_CERT_DIR=/etc/ssl/company certs"}},
        {{{"BRIGHTFOLD_MAIL_CAFILE", "/a.pem"}, {"SSL_CERT_FILE", "/b.pem"}, {"SSL_CERT_DIR", "/c"}},
         {"BRIGHTFOLD_MAIL_CAFILE=/a.pem", "PATH=/bin:/usr/bin:/usr/local/bin", "PYTHONPATH=", "SSL_CERT_DIR=/c",
          "SSL_CERT_FILE=/b.pem"}},
        {{{"BRIGHTFOLD_MAIL_CAFILE", ""}, {"SSL_CERT_FILE", ""}},
         {"PATH=/bin:/usr/bin:/usr/local/bin", "PYTHONPATH="}},
    };
    for (const auto& c : cases) {
        const ScopedCertificateEnvironment environment(c.set);
        MailScript s(wrapper, "/the/script.py");
        MailScript::Mail m;
        m.password = kPassword;
        ASSERT_TRUE(s.send(m).sent);
        QStringList lines = QString::fromUtf8(readFile(d.filePath("env"))).split('\n', Qt::SkipEmptyParts);
        lines.removeIf([](const QString& line) { return line.startsWith(QStringLiteral("PWD=")); });  // the shell's
        lines.sort();
        EXPECT_EQ(lines, c.expected);
    }
}

// The script's process sees nine values and no password, the password
// arrives on standard input, and the environment is only the two variables.
TEST_F(MailServer, PasswordTravelsOnStandardInputOnly)
{
    const QString d = dir->path();
    const QString wrapper = d + "/record.sh";
    QFile w(wrapper);
    ASSERT_TRUE(w.open(QIODevice::WriteOnly));
    w.write(QStringLiteral("#!/bin/sh\ncat /proc/$$/cmdline > '%1/cmdline'\nenv > '%1/env'\n"
                           "cat > '%1/stdin'\nexit 0\n")
                .arg(d)
                .toUtf8());
    w.close();
    w.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    MailScript s(wrapper, "/the/script.py");
    MailScript::Mail m = mail(starttlsPort, QString());  // an absent flag
    m.recipient.clear();                                  // an absent value
    m.attachments = {"/a.png"};
    ASSERT_TRUE(s.send(m).sent);
    const QList<QByteArray> argv = readFile(d + "/cmdline").split('\0');
    // sh, the wrapper, the script, eight values, one attachment, trailing ""
    ASSERT_EQ(argv.size(), 13);
    EXPECT_EQ(argv[2], "/the/script.py");
    EXPECT_EQ(argv[7], "");
    EXPECT_EQ(argv[10], "N");
    EXPECT_EQ(argv[11], "/a.png");
    EXPECT_FALSE(readFile(d + "/cmdline").contains(kPassword.toUtf8()));
    EXPECT_EQ(readFile(d + "/stdin"), kPassword.toUtf8() + "\nDescription");
    const QByteArray env = readFile(d + "/env");
    EXPECT_TRUE(env.contains("PATH=/bin:/usr/bin:/usr/local/bin\n"));
    EXPECT_TRUE(env.contains("PYTHONPATH=\n"));
    EXPECT_FALSE(env.contains("HOME="));
    EXPECT_FALSE(env.contains(kPassword.toUtf8()));
}

TEST(MailScriptAttachment, PathCharactersAreRefusedAndTheFolderIsPrivate)
{
    MailScript s;
    const QStringList bad_names {"", ".", "..", "a/b", "../../x", "a\\b", QString("a") + QChar(0) + "b"};
    for (const QString& bad : bad_names)
        EXPECT_TRUE(s.attachmentPath(bad).isEmpty()) << bad.toStdString();
    const QString path = s.attachmentPath("Card_Back.jpeg");
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(path.section('/', -1), "Card_Back.jpeg");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path.section('/', 0, -2)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

}
