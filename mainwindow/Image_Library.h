#pragma once

// The picture library: a modal window that lists the pictures that come
// with the program and answers the one chosen. In mode "C" it shows the
// library pictures by category (the sub-folders of "LibraryImage"); in any
// other mode ("B") the card backgrounds.

#include "mainwindow/DialogFrame.h"
#include "mainwindow/MyImageObject.h"

#include <QList>
#include <QString>

class PictureBrowser;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

class Image_Library : public FramedDialog<Image_Library>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance.
    explicit Image_Library(QWidget* parent = nullptr);

    // Lists the pictures of the mode in `control_or_BG` and runs the window
    // modally; 1 when a picture was chosen (its path in `selected_image`),
    // 0 for Cancel.
    int Open_Library_Window();
    // Ends the run with 1 when `selected_image` names an existing file;
    // otherwise tells the user to choose one and stays open.
    void OK_Clicked();
    // Forgets the choice and ends the run with 0.
    void Cancel_Clicked();
    // Escape and the window's close button are Cancel.
    void reject() override;
    void zoomSliderDidChange();
    // The categories into the combo box, the first one listed.
    void Fill_Combobox();
    void Load_and_fill_backgrounds();
    // Lists the category shown in the combo box.
    void comboBoxSelectionDidChange();
    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);
    // A selected item becomes the choice; no selection keeps the last one.
    void imageBrowserSelectionDidChange();

    // The items shown, in order.
    const QList<MyImageObject>& images() const;

    // The zoom slider runs over whole hundredths of the browser's zoom.
    static constexpr int zoomSteps = 100;
    static constexpr double startZoom = 0.4;

    PictureBrowser* imageBrowser = nullptr;
    QLabel* _zoom_label = nullptr;
    QSlider* _zoom_slider = nullptr;
    QComboBox* cat_cmbo_bx = nullptr;
    QLabel* category_label = nullptr;
    QPushButton* OK_btn = nullptr;
    QPushButton* Cancel_btn = nullptr;
    // "C" library pictures; any other value backgrounds.
    QString control_or_BG;
    // The chosen picture's path; "" when none.
    QString selected_image;

private:
    void setZoom(double zoom);
};
