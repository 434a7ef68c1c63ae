#pragma once

#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/PicturePanelState.h"
#include "model/SKTGraphic.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class BorderControls;
class DataSourcePanel;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class PicturePanelHost;

// The picture panel (`image_tab`): border, the five picture flags, the nine
// adjustment sliders and their reset, with the path and the choosers of the
// picture's source page.
class PicturePanel : public QObject, public InspectorPanel
{
    Q_OBJECT

public:
    // The picture library, run modally in a mode ("C" a card object's
    // picture): its result (1 a picture was chosen) and the chosen path.
    using ImageLibrary = std::function<int(const QString& mode, QString& chosenPath)>;

    PicturePanel(PicturePanelHost& host, DataSourcePanel& source);
    ~PicturePanel() override;

    bool showsKind(const SKTGraphic& graphic) const override;
    void load(const SKTGraphic& graphic) override;

    void show(const PicturePanelState& state);
    PicturePanelState state() const;

    // Writes the panel into every selected object of the side being edited,
    // then hands them to the canvas and redraws.
    void Update_Image_Graphics();
    // Actions of the controls; each ends with the update.
    void borderCheckChanged();
    void sliderChanged(int slider);
    // The sliders at their neutral values and the flags off; writes nothing.
    void Reset_Image_Editing_Controls();
    // Asks first; on Yes resets and writes the neutral values.
    void Image_reset_Button();

    // The file panel for pictures: true and the path shown when a file was
    // chosen (also in `Library_Selected_Image`), false and that emptied
    // when it was cancelled.
    bool Browse_User_Image_Manually();
    void Manual_Image_Browse_Btn();
    void Manual_Library_Browse_Btn();
    int Open_Image_Library_Window(const QString& mode);
    // Sets (or, empty, takes away) the picture library; its button is
    // enabled while one is set.
    void setImageLibrary(ImageLibrary library);

private:
    // The edited object of the current side when it is a picture.
    GraphicPtr editedPicture() const;
    void givePathToEditedPicture(const QString& path);
    void showSliderValue(int slider, double value);

    PicturePanelHost& m_host;
    DataSourcePanel& m_source;
    std::unique_ptr<BorderControls> m_border;
    std::array<QCheckBox*, 5> m_checks {};
    std::array<QSlider*, 9> m_sliders {};
    std::array<QLabel*, 9> m_sliderValues {};
    QPushButton* m_reset = nullptr;
    ImageLibrary m_library;
};
