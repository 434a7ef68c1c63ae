#include "app/PromotedProducts.h"

#include "app/MakerLinks.h"

namespace {

struct Entry {
    const char* code;
    const char* title;
    const char* shortText;
    const char* longText;
    const char* pictureName;
    // the local part of the product's own mail address, and its order page
    const char* mailbox;
    const char* orderPath;
};

const Entry kEntries[] = {
    {"S", "Brightfold Sticker Studio", "Labels, stickers and price tags on any sheet.",
     "Sticker Studio lays out address labels, jar stickers, price tags and file labels on the label sheets "
     "of every common maker. Fill a whole sheet from a list or a spreadsheet, add barcodes and pictures, "
     "and print just the labels you need on a sheet that is half used.",
     "Promotion_S.png", "stickerstudio", "order/sticker-studio/"},
    {"R", "Brightfold Receipt Designer", "Receipts, invoices and vouchers that look like yours.",
     "Receipt Designer makes receipts, invoices, delivery notes and gift vouchers with your logo and "
     "colours. Number them in series, take the items from a spreadsheet, put a QR code for payment on "
     "each one and print or mail them in a batch.",
     "Promotion_R.png", "receiptdesigner", "order/receipt-designer/"},
    {"B", "Brightfold Office Bundle", "Brightfold, Sticker Studio and Receipt Designer together.",
     "The Office Bundle brings the card designer, Sticker Studio and Receipt Designer together for one "
     "price. The three programs share their series, spreadsheets and pictures, so the names on your "
     "badges, labels and receipts come from one list.",
     "Promotion_B.png", "bundle", "order/office-bundle/"},
};

}

QStringList PromotedProducts::codes()
{
    QStringList result;
    for (const Entry& entry : kEntries)
        result << QString::fromLatin1(entry.code);
    return result;
}

std::optional<PromotedProducts::Product> PromotedProducts::product(const QString& code, const QString& appName)
{
    for (const Entry& entry : kEntries) {
        if (code != QLatin1String(entry.code))
            continue;
        Product product;
        product.code = code;
        product.title = QString::fromUtf8(entry.title);
        product.shortText = QString::fromUtf8(entry.shortText);
        product.longText = QString::fromUtf8(entry.longText);
        product.pictureName = QString::fromLatin1(entry.pictureName);
        product.howToMail = MakerLinks::mailLink(
            QStringLiteral("%1@%2").arg(QLatin1String(entry.mailbox), MakerLinks::domain()),
            QStringLiteral("How to use %1").arg(product.title),
            QStringLiteral("Hello,\n\nplease send me the guide to %1: how to start, "
                           "the first design & printing.\n\nThank you")
                .arg(product.title));
        product.contactMail = MakerLinks::mailLink(
            MakerLinks::salesAddress(), QStringLiteral("User Enquiry from App: ") + appName,
            QStringLiteral("Hello,\n\nI read about %1 in %2 and I have a query.\n\n").arg(product.title, appName));
        product.orderLink = QUrl(QStringLiteral("https://www.%1/%2").arg(MakerLinks::domain(),
                                                                        QLatin1String(entry.orderPath)));
        return product;
    }
    return std::nullopt;
}
