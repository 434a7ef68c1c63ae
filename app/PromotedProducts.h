#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// The maker's other programs that the promotion window presents, by product
// code: "S" the sticker and label maker, "R" the receipt designer, "B" the
// bundle of all three. Each has a title, a short and a long description, a
// picture in the resource folder and three links: a mail asking how to use
// it, a mail with a question about it, and its order page.
class PromotedProducts
{
public:
    struct Product {
        QString code;
        QString title;
        QString shortText;
        QString longText;
        // a file name in the resource folder
        QString pictureName;
        QUrl howToMail;
        QUrl contactMail;
        QUrl orderLink;
    };

    static QStringList codes();

    // The product of `code`, its contact mail naming the program `appName`
    // the user read about it in; nothing for another code.
    static std::optional<Product> product(const QString& code, const QString& appName);
};
