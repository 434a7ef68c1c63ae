#include "mainwindow/Image_Library.h"

#include "app/MessageBoxes.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureFolders.h"
#include "mainwindow/PictureListModel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>
#include <exception>

Image_Library::Image_Library(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Image_Library"), QStringLiteral("Image Library"))
{
    control_or_BG = QStringLiteral("C");
    selected_image = QString("");

    category_label = new QLabel(tr("Category:"), this);
    category_label->setObjectName(QStringLiteral("category_label"));
    cat_cmbo_bx = new QComboBox(this);
    cat_cmbo_bx->setObjectName(QStringLiteral("cat_cmbo_bx"));
    cat_cmbo_bx->setMinimumWidth(200);
    category_label->setBuddy(cat_cmbo_bx);
    connect(cat_cmbo_bx, &QComboBox::currentIndexChanged, this, &Image_Library::comboBoxSelectionDidChange);

    imageBrowser = new PictureBrowser(this);
    imageBrowser->setObjectName(QStringLiteral("imageBrowser"));
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
            &Image_Library::imageBrowserSelectionDidChange);

    _zoom_label = new QLabel(tr("Zoom:"), this);
    _zoom_label->setObjectName(QStringLiteral("_zoom_label"));
    _zoom_slider = new QSlider(Qt::Horizontal, this);
    _zoom_slider->setObjectName(QStringLiteral("_zoom_slider"));
    _zoom_slider->setRange(10, zoomSteps);
    _zoom_slider->setMaximumWidth(180);
    connect(_zoom_slider, &QSlider::valueChanged, this, &Image_Library::zoomSliderDidChange);
    _zoom_label->setBuddy(_zoom_slider);

    auto* buttons = okCancelBox({OK_btn, QStringLiteral("OK_btn"), [this] { OK_Clicked(); }},
                                {Cancel_btn, QStringLiteral("Cancel_btn"), [this] { Cancel_Clicked(); }});

    auto* top = new QHBoxLayout;
    top->addWidget(category_label);
    top->addWidget(cat_cmbo_bx);
    top->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(_zoom_label);
    bottom->addWidget(_zoom_slider);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(imageBrowser, 1);
    layout->addLayout(bottom);
    resize(640, 480);

    setZoom(startZoom);
}

const QList<MyImageObject>& Image_Library::images() const
{
    return imageBrowser->pictures()->images();
}

void Image_Library::setZoom(double zoom)
{
    const QSignalBlocker blocker(_zoom_slider);
    _zoom_slider->setValue(int(std::lround(zoom * zoomSteps)));
    imageBrowser->setZoomValue(zoom);
}

int Image_Library::Open_Library_Window()
{
    return runGuarded([this] {
        imageBrowser->pictures()->clear();
        setZoom(startZoom);
        if (control_or_BG == QLatin1String("C")) {
            setWindowTitle(QStringLiteral("Image Library"));
            Fill_Combobox();
            cat_cmbo_bx->show();
            category_label->show();
        } else {
            setWindowTitle(QStringLiteral("Background Image Library"));
            cat_cmbo_bx->hide();
            category_label->hide();
            Load_and_fill_backgrounds();
        }
        setResult(0);
        return runModal();
    });
}

void Image_Library::OK_Clicked()
{
    if (!selected_image.isEmpty() && QFileInfo(selected_image).isFile()) {
        done(1);
        return;
    }
    Show_MessageBox(QStringLiteral("Please select image."));
}

void Image_Library::Cancel_Clicked()
{
    selected_image = QString("");
    done(0);
}

void Image_Library::reject()
{
    Cancel_Clicked();
}

void Image_Library::zoomSliderDidChange()
{
    imageBrowser->setZoomValue(double(_zoom_slider->value()) / zoomSteps);
}

void Image_Library::Fill_Combobox()
{
    {
        const QSignalBlocker blocker(cat_cmbo_bx);
        cat_cmbo_bx->clear();
        // Each item keeps its folder: two folders whose names differ only in
        // case look the same once capitalised.
        for (const PictureFolders::Category& category : PictureFolders::categories(PictureFolders::libraryFolder()))
            cat_cmbo_bx->addItem(category.name, category.path);
        if (cat_cmbo_bx->count() == 0)
            return;
        cat_cmbo_bx->setCurrentIndex(0);
    }
    comboBoxSelectionDidChange();
}

void Image_Library::comboBoxSelectionDidChange()
{
    try {
        QString folder = cat_cmbo_bx->currentData().toString();
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = PictureFolders::categoryFolder(PictureFolders::libraryFolder(), cat_cmbo_bx->currentText());
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            return;
        imageBrowser->pictures()->clear();
        imageBrowser->pictures()->addPicturesOfFolder(folder);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void Image_Library::Load_and_fill_backgrounds()
{
    const QString folder = PictureFolders::backgroundFolder();
    if (!QFileInfo(folder).isDir())
        return;
    imageBrowser->pictures()->clear();
    imageBrowser->pictures()->addPicturesOfFolder(folder);
}

void Image_Library::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    imageBrowser->pictures()->addImageWithPath(path, imageName, image_UID);
}

void Image_Library::imageBrowserSelectionDidChange()
{
    const QString path = imageBrowser->selectedPath();
    if (!path.isEmpty())
        selected_image = path;
}
