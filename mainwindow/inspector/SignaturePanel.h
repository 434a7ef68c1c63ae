#pragma once

#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/SignaturePanelState.h"

#include <QObject>

#include <memory>

class BorderControls;
class QPlainTextEdit;
class QPushButton;
class SignaturePanelHost;

// The signature and fingerprint panel (`sign_tab`): border and the picture
// file of the signature.
class SignaturePanel : public QObject, public InspectorPanel
{
    Q_OBJECT

public:
    explicit SignaturePanel(SignaturePanelHost& host);
    ~SignaturePanel() override;

    bool showsKind(const SKTGraphic& graphic) const override;
    void load(const SKTGraphic& graphic) override;

    void show(const SignaturePanelState& state);
    SignaturePanelState state() const;

    // Writes the panel into every selected object of the side being edited,
    // then hands them to the canvas and redraws.
    void Update_Sign_Graphics();
    void borderCheckChanged();
    // The file panel for PNG files; a chosen file becomes the path shown and
    // is written into the selected objects.
    void Sign_Browse_Btn();

private:
    SignaturePanelHost& m_host;
    std::unique_ptr<BorderControls> m_border;
    QPlainTextEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
};
