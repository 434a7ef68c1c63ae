#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Every link by which the program leads the user to its maker: mail
// addresses, web sites, the pages that share or like the maker's site, the
// review page and the video channel. All of them lie under the maker's own
// domain. Mail links carry their subject and body percent-encoded in full
// (UTF-8), so blanks, line breaks, "&", "?", "#", "+", "%" and non-ASCII
// text arrive in the mail program as written.
class MakerLinks
{
public:
    enum class Role {
        SupportMail,
        ResellerMail,
        Website1,
        Website2,
        Website3,
        ShareGooglePlus,
        ShareFacebook,
        ShareTwitter,
        FacebookLike,
        UserComments,
        GetItFree,
        ReviewPage,
        ContactPage,
        VideoChannel,
    };
    static QList<Role> allRoles();

    static QString domain();
    static QString supportAddress();
    static QString resellerAddress();
    static QString salesAddress();

    // The link of a role.
    static QUrl link(Role role);

    // A new mail to `address`; an empty subject or body is left out. Line
    // breaks ("\n", "\r\n" or "\r") travel as CR LF, as mail links want them.
    static QUrl mailLink(const QString& address, const QString& subject, const QString& body);

    // Hands `url` to the desktop (a browser or mail program). An empty or
    // invalid link is not handed over. A failure is written to the log; the
    // user is never told. True when the desktop took the link.
    static bool open(const QUrl& url);
    static bool open(Role role) { return open(link(role)); }
};
