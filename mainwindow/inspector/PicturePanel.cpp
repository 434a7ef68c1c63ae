#include "mainwindow/inspector/PicturePanel.h"

#include "app/MessageBoxes.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/inspector/BorderControls.h"
#include "mainwindow/inspector/DataSourcePanel.h"
#include "mainwindow/inspector/PanelUpdateFrame.h"
#include "mainwindow/inspector/PicturePanelHost.h"
#include "mainwindow/inspector/PicturePanelRules.h"
#include "model/Globals.h"
#include "model/PicturePath.h"
#include "platform/OpenPanel.h"
#include "ui_DrawWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {

using CheckAction = void (PicturePanelHost::*)();
// The main window's actions of the check boxes and sliders, in the order of
// PicturePanelRules::checks() and sliders().
const std::array<CheckAction, 5> checkActions {
    &PicturePanelHost::Image_Gray_Scale_Chked, &PicturePanelHost::Image_Sepia_Chked,
    &PicturePanelHost::Image_Invert_Chked,     &PicturePanelHost::Image_FIV_Chked,
    &PicturePanelHost::Image_FIH_Chked,
};
const std::array<CheckAction, 9> sliderActions {
    &PicturePanelHost::Transperncy_Slider_Changed, &PicturePanelHost::Rotate_Slider_Changed,
    &PicturePanelHost::Hue_Slider_Changed,         &PicturePanelHost::Sat_Slider_Changed,
    &PicturePanelHost::Brt_Slider_Changed,         &PicturePanelHost::Con_Slider_Changed,
    &PicturePanelHost::sharp_Slider_Changed,       &PicturePanelHost::EV_Slider_Changed,
    &PicturePanelHost::Blr_Slider_Changed,
};

int sliderPosition(const PicturePanelRules::Slider& slider, double value)
{
    if (!std::isfinite(value))
        value = slider.neutral;
    return qRound(std::clamp(value, slider.minimum, slider.maximum) * slider.scale);
}

}

PicturePanel::PicturePanel(PicturePanelHost& host, DataSourcePanel& source) : m_host(host), m_source(source)
{
    Ui::DrawWindow& ui = host.window()->ui();
    QWidget* page = ui.image_tab;
    QVBoxLayout* layout = ui.image_tab_layout;
    int at = layout->count() - 1;   // before the spacer

    m_border = std::make_unique<BorderControls>(page, layout, at, QStringLiteral("Image"));
    at += 2;

    const auto& checks = PicturePanelRules::checks();
    for (std::size_t i = 0; i < checks.size(); ++i) {
        auto* box = new QCheckBox(tr(checks[i].label), page);
        box->setObjectName(QString::fromLatin1(checks[i].name));
        layout->insertWidget(at++, box);
        m_checks[i] = box;
        connect(box, &QCheckBox::clicked, this, [this, action = checkActions[i]] { (m_host.*action)(); });
    }

    auto* sliderGrid = new QWidget(page);
    auto* grid = new QGridLayout(sliderGrid);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto& sliders = PicturePanelRules::sliders();
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        const PicturePanelRules::Slider& row = sliders[i];
        auto* slider = new QSlider(Qt::Horizontal, sliderGrid);
        slider->setObjectName(QString::fromLatin1(row.name));
        slider->setRange(qRound(row.minimum * row.scale), qRound(row.maximum * row.scale));
        auto* value = new QLabel(sliderGrid);
        value->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("_val"));
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-360.00")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(new QLabel(tr(row.label), sliderGrid), int(i), 0);
        grid->addWidget(slider, int(i), 1);
        grid->addWidget(value, int(i), 2);
        m_sliders[i] = slider;
        m_sliderValues[i] = value;
        connect(slider, &QSlider::valueChanged, this, [this, action = sliderActions[i]] { (m_host.*action)(); });
    }
    layout->insertWidget(at++, sliderGrid);

    m_reset = new QPushButton(tr("Reset"), page);
    m_reset->setObjectName(QStringLiteral("Image_reset_Button"));
    layout->insertWidget(at++, m_reset);

    connect(m_border->check, &QCheckBox::clicked, this, [this] { m_host.Image_Border_ChkBox(); });
    connect(m_border->width, &QSpinBox::valueChanged, this, [this] { m_host.Image_Border_Changed(); });
    connect(m_border->colour, &ColorWell::colourChosen, this, [this] { m_host.Set_ImageControl_Clr(); });
    connect(m_border->style, &QComboBox::activated, this, [this] { m_host.Update_Image_Graphics(); });
    connect(m_reset, &QPushButton::clicked, this, [this] { m_host.Image_reset_Button(); });
    connect(m_source.m_browse, &QPushButton::clicked, this, [this] { m_host.Manual_Image_Browse_Btn(); });
    connect(m_source.m_library, &QPushButton::clicked, this, [this] { m_host.Manual_Library_Browse_Btn(); });
    m_source.m_library->setEnabled(false);

    PicturePanelState neutral;
    show(neutral);
}

PicturePanel::~PicturePanel() = default;

bool PicturePanel::showsKind(const SKTGraphic& graphic) const
{
    return graphic.kind() == SKTGraphic::Kind::Image;
}

void PicturePanel::load(const SKTGraphic& graphic)
{
    show(PicturePanelRules::fromGraphic(graphic));
}

void PicturePanel::show(const PicturePanelState& state)
{
    m_source.pathView()->setPlainText(state.path);
    m_border->show(state.border);
    const auto& checks = PicturePanelRules::checks();
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const QSignalBlocker blocker(m_checks[i]);
        m_checks[i]->setChecked(state.*checks[i].state);
    }
    const auto& sliders = PicturePanelRules::sliders();
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        const QSignalBlocker blocker(m_sliders[i]);
        m_sliders[i]->setValue(sliderPosition(sliders[i], state.*sliders[i].state));
        showSliderValue(int(i), state.*sliders[i].state);
    }
}

PicturePanelState PicturePanel::state() const
{
    PicturePanelState state;
    state.printObject = m_host.printObjectState();
    state.path = m_source.pathView()->toPlainText();
    state.border = m_border->state();
    const auto& checks = PicturePanelRules::checks();
    for (std::size_t i = 0; i < checks.size(); ++i)
        state.*checks[i].state = m_checks[i]->isChecked();
    const auto& sliders = PicturePanelRules::sliders();
    for (std::size_t i = 0; i < sliders.size(); ++i)
        state.*sliders[i].state = double(m_sliders[i]->value()) / sliders[i].scale;
    return state;
}

void PicturePanel::showSliderValue(int slider, double value)
{
    const PicturePanelRules::Slider& row = PicturePanelRules::sliders()[std::size_t(slider)];
    m_sliderValues[std::size_t(slider)]->setText(QString::number(value, 'f', row.decimals));
}

void PicturePanel::Update_Image_Graphics()
{
    PicturePanelState panel;
    PanelUpdateFrame::run(
        m_host, [&] { panel = state(); },
        [&panel](SKTGraphic& graphic, bool onlyOne) {
            Show_NSLog_Message(QStringLiteral("Txt path - %1\nGraphic Path - %2\n")
                                   .arg(QFileInfo(panel.path).fileName(), QFileInfo(graphic._file_path).fileName()));
            PicturePanelRules::applyTo(panel, graphic, onlyOne);
        });
}

void PicturePanel::borderCheckChanged()
{
    m_border->enableBoxByCheck();
    Update_Image_Graphics();
}

void PicturePanel::sliderChanged(int slider)
{
    if (slider < 0 || slider >= int(m_sliders.size()))
        return;
    const PicturePanelRules::Slider& row = PicturePanelRules::sliders()[std::size_t(slider)];
    showSliderValue(slider, double(m_sliders[std::size_t(slider)]->value()) / row.scale);
    Update_Image_Graphics();
}

void PicturePanel::Reset_Image_Editing_Controls()
{
    PicturePanelState panel = state();
    PicturePanelRules::resetAdjustments(panel);
    const auto& checks = PicturePanelRules::checks();
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const QSignalBlocker blocker(m_checks[i]);
        m_checks[i]->setChecked(panel.*checks[i].state);
    }
    const auto& sliders = PicturePanelRules::sliders();
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        const QSignalBlocker blocker(m_sliders[i]);
        m_sliders[i]->setValue(sliderPosition(sliders[i], panel.*sliders[i].state));
        showSliderValue(int(i), panel.*sliders[i].state);
    }
}

void PicturePanel::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to continue?")) != 1)
        return;
    Reset_Image_Editing_Controls();
    Update_Image_Graphics();
}

bool PicturePanel::Browse_User_Image_Manually()
{
    const QString path = OpenPanel::chooseFile(m_host.window(), tr("Choose a picture"),
                                               PicturePath::pictureFileTypes());
    setLibrarySelectedImage(path);
    if (path.isEmpty())
        return false;
    m_source.pathView()->setPlainText(path);
    return true;
}

GraphicPtr PicturePanel::editedPicture() const
{
    SKTGraphicView* view = m_host.commandCanvas();
    GraphicPtr graphic = view ? view->controller()._Selected_Graphic : GraphicPtr();
    // Only picture objects load a picture from their path.
    return graphic && graphic->kind() == SKTGraphic::Kind::Image ? graphic : GraphicPtr();
}

void PicturePanel::givePathToEditedPicture(const QString& path)
{
    if (const GraphicPtr picture = editedPicture())
        picture->setFilePath(path);
    Update_Image_Graphics();
}

void PicturePanel::Manual_Image_Browse_Btn()
{
    if (Browse_User_Image_Manually())
        givePathToEditedPicture(Library_Selected_Image);
}

int PicturePanel::Open_Image_Library_Window(const QString& mode)
{
    if (!m_library)
        return 0;
    QString chosen;
    int result = 0;
    try {
        result = m_library(mode, chosen);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return 0;
    }
    if (result == 1)
        setLibWindowSelFile(chosen);
    return result;
}

void PicturePanel::Manual_Library_Browse_Btn()
{
    if (Open_Image_Library_Window(QStringLiteral("C")) != 1)
        return;
    setLibrarySelectedImage(lib_window_sel_file);
    m_source.pathView()->setPlainText(Library_Selected_Image);
    givePathToEditedPicture(Library_Selected_Image);
}

void PicturePanel::setImageLibrary(ImageLibrary library)
{
    m_library = std::move(library);
    m_source.m_library->setEnabled(bool(m_library));
}
