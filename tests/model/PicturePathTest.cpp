// Standardising the paths picture files are opened from.

#include "model/PicturePath.h"

#include <gtest/gtest.h>
#include <QDir>

#include <pwd.h>
#include <unistd.h>

TEST(PicturePath, TildesDotsAndDoubledSeparators)
{
    const passwd* me = getpwuid(getuid());
    ASSERT_NE(me, nullptr);
    const QString myName = QString::fromLocal8Bit(me->pw_name);
    const QString myHome = QDir::cleanPath(QString::fromLocal8Bit(me->pw_dir));
    const QString home = QDir::homePath();

    struct Case {
        QString in;
        QString out;
    };
    const Case cases[] = {
        {"", ""},
        {"/a/b/../c/./d.png", "/a/c/d.png"},
        {"/a//b///c.png", "/a/b/c.png"},
        {"~", home},
        {"~/Pictures/../x.png", home + "/x.png"},
        {"~" + myName, myHome},
        {"~" + myName + "/Pictures/./x.png", myHome + "/Pictures/x.png"},
        // An unknown user, or a tilde not at the start, is left as it is.
        {"~no-such-user-7f3a/x.png", "~no-such-user-7f3a/x.png"},
        {"/a/~/x.png", "/a/~/x.png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PicturePath::standardized(c.in), c.out) << c.in.toStdString();
}
