#!/usr/bin/python3
# Sends one e-mail for Brightfold.
#
#   pyth_mail.py LOGIN SERVER PORT FROM TO SUBJECT BODY FLAG [ATTACHMENT...]
#
# The eight values after the script are always given (an absent one is "").
# FLAG "Y" connects with implicit TLS, anything else with STARTTLS, which is
# then required. Certificates and host names are always verified; the
# environment variable BRIGHTFOLD_MAIL_CAFILE names extra trusted CAs (and
# SSL_CERT_FILE / SSL_CERT_DIR replace the system's as usual).
# The password is the first line of standard input; it is never printed.
# Why a mail could not be sent is the last line written to standard error.
# Exit status 0 only when the server accepted the mail:
#   1 unexpected error, 2 bad arguments, 3 connection, TLS or timeout,
#   4 login refused, 5 sender, recipient or data refused, 6 attachment unreadable.

import mimetypes
import os
import smtplib
import socket
import ssl
import sys
from email.message import EmailMessage
from email.utils import formatdate, make_msgid

TIMEOUT = float(os.environ.get("BRIGHTFOLD_MAIL_TIMEOUT", "60"))
FAILURE = "Could not send email."


def fail(code, reason):
    sys.stderr.write(reason + "\n")
    sys.stdout.write(FAILURE + "\n")
    sys.exit(code)


def answer_text(code, text):
    if isinstance(text, bytes):
        text = text.decode("utf-8", "replace")
    return ("%s %s" % (code, " ".join(str(text).split())))[:200]


def server_answer(e):
    return answer_text(e.smtp_code, e.smtp_error)


def refusal(e):
    # The server's reply as text: smtplib keeps it as bytes, and a refused
    # recipient's reply sits in a table of recipients.
    if isinstance(e, smtplib.SMTPRecipientsRefused):
        answers = ["%s for %s" % (answer_text(*reply), to) for to, reply in sorted(e.recipients.items())]
        return "the server answered " + "; ".join(answers)
    return "the server answered " + server_answer(e)


def picture_type(data, name):
    if data.startswith(b"\x89PNG\r\n\x1a\n"):
        return "image", "png"
    if data.startswith(b"\xff\xd8\xff"):
        return "image", "jpeg"
    if data[:6] in (b"GIF87a", b"GIF89a"):
        return "image", "gif"
    if data.startswith(b"BM"):
        return "image", "bmp"
    if data[:4] in (b"II*\x00", b"MM\x00*"):
        return "image", "tiff"
    guess, _ = mimetypes.guess_type(name)
    if guess and "/" in guess:
        return tuple(guess.split("/", 1))
    return "application", "octet-stream"


def main(argv):
    if len(argv) < 9:
        fail(2, "usage: pyth_mail.py LOGIN SERVER PORT FROM TO SUBJECT BODY FLAG [ATTACHMENT...]")
    login, server, port_text, sender, recipient, subject, body, flag = argv[1:9]
    attachments = argv[9:]
    if flag not in ("Y", "N", ""):
        fail(2, "the security flag must be Y or N")
    try:
        port = int(port_text.strip())
    except ValueError:
        fail(2, "the port is not a number")
    if not 1 <= port <= 65535:
        fail(2, "the port is out of range")
    recipient = recipient.strip()
    if not server.strip() or not sender.strip() or not recipient:
        fail(2, "server, sender and recipient are needed")
    for value in (login, server, sender, recipient, subject):
        if "\r" in value or "\n" in value:
            fail(2, "a line break in a header value")

    data = sys.stdin.buffer.read()
    password = data.split(b"\n", 1)[0].decode("utf-8", "replace")

    msg = EmailMessage()
    try:
        msg["From"] = sender
        msg["To"] = recipient
        msg["Subject"] = subject
        msg["Date"] = formatdate(localtime=True)
        msg["Message-ID"] = make_msgid()
    except (ValueError, TypeError) as e:
        fail(2, "invalid header: %s" % e)
    msg.set_content(body)
    for path in attachments:
        try:
            with open(path, "rb") as f:
                content = f.read()
        except OSError as e:
            fail(6, "attachment unreadable: %s: %s" % (path, e.strerror))
        name = os.path.basename(path)
        main_type, sub_type = picture_type(content, name)
        msg.add_attachment(content, maintype=main_type, subtype=sub_type, filename=name)

    context = ssl.create_default_context()
    cafile = os.environ.get("BRIGHTFOLD_MAIL_CAFILE")
    if cafile:
        try:
            context.load_verify_locations(cafile=cafile)
        except OSError as e:  # ssl.SSLError too: a file that holds no certificate
            fail(2, "the trusted CA file %s could not be read: %s" % (cafile, getattr(e, "strerror", None) or e))

    smtp = None
    try:
        if flag == "Y":
            smtp = smtplib.SMTP_SSL(server, port, context=context, timeout=TIMEOUT)
            smtp.ehlo()
        else:
            smtp = smtplib.SMTP(server, port, timeout=TIMEOUT)
            smtp.ehlo()
            if not smtp.has_extn("starttls"):
                fail(3, "the server offers no STARTTLS")
            smtp.starttls(context=context)
            smtp.ehlo()
        try:
            smtp.login(login, password)
        except smtplib.SMTPAuthenticationError as e:
            fail(4, "authentication failed: the server answered %s" % server_answer(e))
        except UnicodeEncodeError:
            fail(4, "the password cannot be sent to this server")
        except smtplib.SMTPNotSupportedError:
            fail(4, "the server offers no login")
        try:
            smtp.send_message(msg, from_addr=sender, to_addrs=[recipient])
        except (smtplib.SMTPRecipientsRefused, smtplib.SMTPSenderRefused,
                smtplib.SMTPDataError) as e:
            fail(5, "mail refused: %s" % refusal(e))
        try:
            smtp.quit()
        except (smtplib.SMTPException, OSError):
            pass
        smtp = None
    except ssl.SSLCertVerificationError as e:
        fail(3, "certificate verify failed: %s" % (e.verify_message or e.reason))
    except (ssl.SSLError, ssl.CertificateError) as e:
        fail(3, "TLS failed: %s" % e)
    except (socket.timeout, TimeoutError):
        fail(3, "the server did not answer in time")
    except ConnectionRefusedError:
        fail(3, "connection refused by %s port %d" % (server, port))
    except smtplib.SMTPResponseException as e:
        fail(3, "connection failed: the server answered %s" % server_answer(e))
    except (smtplib.SMTPServerDisconnected, OSError) as e:
        fail(3, "connection failed: %s" % e)
    finally:
        if smtp is not None:
            try:
                smtp.close()
            except Exception:
                pass
    sys.stdout.write("E-mail has been sent successfully.\n")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except SystemExit:
        raise
    except Exception as e:  # never a traceback that could carry the password
        fail(1, "unexpected error: %s" % type(e).__name__)
