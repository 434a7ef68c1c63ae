#pragma once

// The promotion window: one of the maker's other programs ("S", "R" or "B",
// PromotedProducts) with its picture, title and descriptions, and links to
// ask how to use it, to ask a question about it, to order it, and to the
// maker's video channel. Three toolbar buttons of the main window open it.

#include "app/PromotedProducts.h"
#include "mainwindow/help/LinkDialog.h"

#include <QImage>
#include <QMap>
#include <QUrl>

class QLabel;
class QPushButton;
class Promotion_Pattern;
class HelpLinksHost;

class Promotion_Form : public LinkDialog, public DefaultInstance<Promotion_Form>
{
    Q_OBJECT

public:
    // Loads the three products' pictures from the resource folder and
    // builds their links for the program `appName`; `pattern` is tiled
    // behind the picture. The window made last becomes the default instance.
    Promotion_Form(HelpLinksHost& controller, const QString& appName, const QImage& pattern, QWidget* parent = nullptr);

    // Shows the product of software_type (another code leaves the fields
    // as they were) and runs the window; its result, or 0 (logged) when
    // the run failed.
    int Open_Promotion_Window();
    void OK_Clicked();
    void Mail_Clicked();
    void Contact_us_Clicked();
    void Order_Clicked();
    void youtube_Clicked();
    // Hands the link to the desktop; an empty link is not opened; a
    // failure is logged.
    static void Open_Link(const QUrl& link);

    // The product code: "S", "R" or "B".
    QString software_type;

    QLabel* Software_title = nullptr;
    QLabel* short_descp = nullptr;
    QLabel* long_descp = nullptr;
    Promotion_Pattern* bundle_image = nullptr;
    QPushButton* website_1 = nullptr;
    QPushButton* support_id = nullptr;
    QPushButton* Mail_btn = nullptr;
    QPushButton* Contact_us_btn = nullptr;
    QPushButton* Order_btn = nullptr;
    QPushButton* youtube_btn = nullptr;
    QPushButton* OK_btn = nullptr;

    // The picture of a product code; null for another code.
    QImage productPicture(const QString& code) const { return m_pictures.value(code); }

private:
    // The product of software_type, if it is one.
    const PromotedProducts::Product* currentProduct() const;

    QMap<QString, PromotedProducts::Product> m_products;
    QMap<QString, QImage> m_pictures;
};
