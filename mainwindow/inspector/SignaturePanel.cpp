#include "mainwindow/inspector/SignaturePanel.h"

#include "mainwindow/ColorWell.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/inspector/BorderControls.h"
#include "mainwindow/inspector/PanelUpdateFrame.h"
#include "mainwindow/inspector/SignaturePanelHost.h"
#include "mainwindow/inspector/SignaturePanelRules.h"
#include "model/SKTGraphic.h"
#include "platform/OpenPanel.h"
#include "ui_DrawWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

SignaturePanel::SignaturePanel(SignaturePanelHost& host) : m_host(host)
{
    Ui::DrawWindow& ui = host.window()->ui();
    QWidget* page = ui.sign_tab;
    QVBoxLayout* layout = ui.sign_tab_layout;
    int at = layout->count() - 1;   // before the spacer

    m_border = std::make_unique<BorderControls>(page, layout, at, QStringLiteral("Sign"));
    at += 2;
    layout->insertWidget(at++, new QLabel(tr("Picture file"), page));
    m_path = new QPlainTextEdit(page);
    m_path->setObjectName(QStringLiteral("Sign_image_path"));
    // The path comes from the file panel.
    m_path->setReadOnly(true);
    m_path->setFixedHeight(48);
    layout->insertWidget(at++, m_path);
    m_browse = new QPushButton(tr("Browse..."), page);
    m_browse->setObjectName(QStringLiteral("Sign_Browse_Btn"));
    layout->insertWidget(at++, m_browse);

    connect(m_border->check, &QCheckBox::clicked, this, [this] { m_host.Sign_Border_ChkBox(); });
    connect(m_border->width, &QSpinBox::valueChanged, this, [this] { m_host.Sign_Border_Changed(); });
    connect(m_border->colour, &ColorWell::colourChosen, this, [this] { m_host.Set_SignControl_Clr(); });
    connect(m_border->style, &QComboBox::activated, this, [this] { m_host.Update_Sign_Graphics(); });
    connect(m_browse, &QPushButton::clicked, this, [this] { m_host.Sign_Browse_Btn(); });
    show(SignaturePanelState());
}

SignaturePanel::~SignaturePanel() = default;

bool SignaturePanel::showsKind(const SKTGraphic& graphic) const
{
    return graphic.kind() == SKTGraphic::Kind::Signature;
}

void SignaturePanel::load(const SKTGraphic& graphic)
{
    show(SignaturePanelRules::fromGraphic(graphic));
}

void SignaturePanel::show(const SignaturePanelState& state)
{
    m_border->show(state.border);
    m_path->setPlainText(state.path);
}

SignaturePanelState SignaturePanel::state() const
{
    SignaturePanelState state;
    state.printObject = m_host.printObjectState();
    state.border = m_border->state();
    state.path = m_path->toPlainText();
    return state;
}

void SignaturePanel::Update_Sign_Graphics()
{
    PanelUpdateFrame::run<SignaturePanelState>(
        m_host, [this] { return state(); }, &SignaturePanelRules::applyTo);
}

void SignaturePanel::borderCheckChanged()
{
    m_border->enableBoxByCheck();
    Update_Sign_Graphics();
}

void SignaturePanel::Sign_Browse_Btn()
{
    const QString path = OpenPanel::chooseFile(m_host.window(), tr("Choose a signature picture"),
                                               {QStringLiteral("png"), QStringLiteral("PNG")});
    if (path.isEmpty())
        return;
    m_path->setPlainText(path);
    Update_Sign_Graphics();
}
