#include "mainwindow/Template_Wizard.h"

#include "app/MessageBoxes.h"
#include "mainwindow/CardSizeChooser.h"
#include "mainwindow/Export_Template.h"
#include "mainwindow/Globals.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureListModel.h"
#include "mainwindow/TemplateStore.h"
#include "mainwindow/WizardHost.h"
#include "model/Globals.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr double startZoom = 0.6;

bool isUserKind(const QComboBox* kind)
{
    return kind->currentIndex() != 0;
}
}

Template_Wizard::Template_Wizard(WizardHost* controller, QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Template_Wizard"), tr("New from Template")), m_controller(controller)
{
    temp_wzrd_Window = this;

    template_kind = new QComboBox(this);
    template_kind->setObjectName(QStringLiteral("template_kind"));
    template_kind->addItems({tr("Built-in templates"), tr("My templates")});
    imageBrowser = new PictureBrowser(this);
    imageBrowser->setObjectName(QStringLiteral("imageBrowser"));
    imageBrowser->setSelectionMode(QAbstractItemView::SingleSelection);
    imageBrowser->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Upright previews replace landscape placeholders: each item is measured
    // on its own, again once the thumbnails are there.
    imageBrowser->setUniformItemSizes(false);
    connect(imageBrowser->pictures(), &PictureListModel::thumbnailsArrived, imageBrowser,
            [browser = imageBrowser] { browser->doItemsLayout(); });
    zoom_slider = new QSlider(Qt::Horizontal, this);
    zoom_slider->setObjectName(QStringLiteral("zoom_slider"));
    zoom_slider->setRange(20, 100);
    sizes = new CardSizeChooser(controller, this);
    sizes->setObjectName(QStringLiteral("sizes"));
    delete_btn = namedButton(tr("Delete"), QStringLiteral("delete_btn"));
    copy_btn = namedButton(tr("Copy"), QStringLiteral("copy_btn"));
    rename_btn = namedButton(tr("Rename..."), QStringLiteral("rename_btn"));
    profile_btn = namedButton(tr("Holder Profile..."), QStringLiteral("profile_btn"));

    connect(template_kind, &QComboBox::currentIndexChanged, this,
            [this] { comboBoxSelectionDidChange(template_kind); });
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
            &Template_Wizard::imageBrowserSelectionDidChange);
    connect(zoom_slider, &QSlider::valueChanged, this, &Template_Wizard::zoomSliderDidChange);
    connect(delete_btn, &QPushButton::clicked, this, &Template_Wizard::Delete_Template_Click);
    connect(copy_btn, &QPushButton::clicked, this, &Template_Wizard::Copy_Templatee_Click);
    connect(rename_btn, &QPushButton::clicked, this, &Template_Wizard::Rename_Template_Click);
    connect(profile_btn, &QPushButton::clicked, this, &Template_Wizard::User_Profile_Click);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Templates:"), this));
    top->addWidget(template_kind);
    top->addStretch(1);
    top->addWidget(new QLabel(tr("Zoom:"), this));
    top->addWidget(zoom_slider);
    auto* edit = new QHBoxLayout;
    edit->addWidget(delete_btn);
    edit->addWidget(copy_btn);
    edit->addWidget(rename_btn);
    edit->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(imageBrowser, 1);
    left->addLayout(edit);
    sizes->setMaximumWidth(300);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(sizes);
    auto* buttons = okCancelRow({ok_btn, QStringLiteral("ok_btn"), [this] { OK_Click(); }},
                                {cancel_btn, QStringLiteral("cancel_btn"), [this] { CancelClick(); }}, {profile_btn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(900, 560);
}

Template_Wizard::~Template_Wizard()
{
    if (temp_wzrd_Window == this)
        temp_wzrd_Window = nullptr;
}

int Template_Wizard::Open_Template_Window()
{
    return runGuarded([this] {
        {
            const QSignalBlocker kind(template_kind);
            template_kind->setCurrentIndex(0);
        }
        sizes->reset();
        imageBrowser->pictures()->clear();
        {
            const QSignalBlocker slider(zoom_slider);
            zoom_slider->setValue(qRound(startZoom * 100));
        }
        setBrowserZoom(startZoom);
        Show_Hide_Template_Buttons(0);
        Fill_Templates();
        profile_btn->setEnabled(m_controller && m_controller->profileWizardForm());
        setResult(0);
        return runModal();
    });
}

void Template_Wizard::OK_Click()
{
    if (Selected_Template_Path.isEmpty() || !QFileInfo::exists(Selected_Template_Path)) {
        Show_MessageBox(selectMessage);
        return;
    }
    setCardShape(0);
    Selected_Template_Path = TemplateStore::designPathFor(Selected_Template_Path);
    done(1);
}

void Template_Wizard::CancelClick()
{
    Selected_Template_Path = QString("");
    setCardShape(0);
    done(0);
}

void Template_Wizard::reject()
{
    CancelClick();
}

void Template_Wizard::Fill_Templates()
{
    fillFrom(TemplateStore::builtInFolder(), false);
}

void Template_Wizard::Fill_Templates_User_Defined()
{
    fillFrom(TemplateStore::userFolder(), true);
}

void Template_Wizard::fillFrom(const QString& folder, bool user)
{
    // The choice goes with the list it was made in, so that no editing
    // button acts on a template of the other list.
    Selected_Template_Path = QString("");
    if (!QFileInfo(folder).isDir())
        return;
    imageBrowser->pictures()->clear();
    for (const QString& path : TemplateStore(folder).Fill_Templates()) {
        const QString name = QFileInfo(path).fileName();
        // Each user template gets an identifier of its own, so a renamed or
        // replaced one never shows an old thumbnail.
        const QString identifier = user ? QStringLiteral("TEMP%1.png").arg(User_Defined_File++) : name;
        addImageWithPath(path, name, identifier);
    }
    if (imageBrowser->pictures()->count() > 0)
        imageBrowser->setCurrentRow(0);
    // The list starts at its top once it is laid out.
    QTimer::singleShot(0, imageBrowser, [browser = imageBrowser] { browser->scrollToTop(); });
}

void Template_Wizard::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    imageBrowser->pictures()->addImageWithPath(path, imageName, image_UID);
}

void Template_Wizard::Show_Hide_Template_Buttons(int kind)
{
    for (QPushButton* button : {delete_btn, copy_btn, rename_btn})
        button->setVisible(kind != 0);
}

void Template_Wizard::comboBoxSelectionDidChange(QComboBox* comboBox)
{
    if (comboBox != template_kind)
        return;
    const bool user = isUserKind(template_kind);
    Show_Hide_Template_Buttons(user ? 1 : 0);
    imageBrowser->pictures()->clear();
    if (user)
        Fill_Templates_User_Defined();
    else
        Fill_Templates();
}

void Template_Wizard::imageBrowserSelectionDidChange()
{
    const QString path = imageBrowser->selectedPath();
    if (!path.isEmpty())
        Selected_Template_Path = path;
}

void Template_Wizard::zoomSliderDidChange()
{
    setBrowserZoom(zoom_slider->value() / 100.0);
}

void Template_Wizard::setBrowserZoom(double zoom)
{
    imageBrowser->setZoomValue(zoom);
    // A template's picture is upright (the front above the back): the
    // browser's cells stand on end.
    const QSize landscape = PictureBrowser::iconSizeForZoom(zoom);
    const QSize icon(landscape.height(), landscape.width());
    imageBrowser->setIconSize(icon);
    imageBrowser->setGridSize(QSize(icon.width() + 48, icon.height() + 2 * imageBrowser->fontMetrics().height() + 24));
}

QString Template_Wizard::chosenUserTemplate()
{
    const TemplateStore store(TemplateStore::userFolder());
    if (Selected_Template_Path.isEmpty() || !QFileInfo::exists(Selected_Template_Path)
        || !store.holds(Selected_Template_Path)) {
        Show_MessageBox(selectMessage);
        return QString();
    }
    return Selected_Template_Path;
}

void Template_Wizard::Delete_Template_Click()
{
    const QString picture = chosenUserTemplate();
    if (picture.isEmpty() || Show_YES_NO_MessageBox(deleteQuestion) != 1)
        return;
    TemplateStore(TemplateStore::userFolder()).deleteTemplate(picture);
    Fill_Templates_User_Defined();
}

void Template_Wizard::Copy_Templatee_Click()
{
    const QString picture = chosenUserTemplate();
    if (picture.isEmpty() || Show_YES_NO_MessageBox(copyQuestion) != 1)
        return;
    if (TemplateStore(TemplateStore::userFolder()).copyTemplate(picture).isEmpty())
        Show_MessageBox(copyFailedMessage);
    Fill_Templates_User_Defined();
}

void Template_Wizard::Rename_Template_Click()
{
    const QString picture = chosenUserTemplate();
    Export_Template* names = Export_Template::defaultInstance();
    if (picture.isEmpty() || !names)
        return;
    const QString present = QFileInfo(picture).completeBaseName();
    names->template_name->setText(present);
    names->template_passed->setText(present);
    if (names->runModal() != 1)
        return;
    QString renamed;
    if (!TemplateStore(TemplateStore::userFolder()).renameTemplate(picture, export_template_name, &renamed)) {
        Show_MessageBox(renameFailedMessage);
        return;
    }
    if (renamed == picture)
        return;
    Fill_Templates_User_Defined();
}

void Template_Wizard::User_Profile_Click()
{
    // The profile dialog's wizard form, on no card side.
    if (m_controller)
        m_controller->Open_User_Profile_Window(false, QString(""));
}
