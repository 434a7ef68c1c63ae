#include "mainwindow/Export_Template.h"

#include "app/MessageBoxes.h"
#include "mainwindow/Globals.h"
#include "mainwindow/TemplateStore.h"
#include "mainwindow/WindowBackground.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Export_Template* s_defaultInstance = nullptr;
Export_Template::ModalRun s_modalRun;
}

Export_Template::Export_Template(QWidget* parent) : QDialog(parent)
{
    s_defaultInstance = this;
    setObjectName(QStringLiteral("Export_Template"));
    setWindowTitle(tr("Template Name"));
    setModal(true);
    WindowBackground::apply(*this);

    template_name = new QLineEdit(this);
    template_name->setObjectName(QStringLiteral("template_name"));
    template_name->setMinimumWidth(260);
    template_passed = new QLineEdit(this);
    template_passed->setObjectName(QStringLiteral("template_passed"));
    template_passed->setReadOnly(true);
    ok_btn = new QPushButton(tr("OK"), this);
    ok_btn->setObjectName(QStringLiteral("ok_btn"));
    ok_btn->setDefault(true);
    cancel_btn = new QPushButton(tr("Cancel"), this);
    cancel_btn->setObjectName(QStringLiteral("cancel_btn"));
    connect(ok_btn, &QPushButton::clicked, this, &Export_Template::OKPressed);
    connect(cancel_btn, &QPushButton::clicked, this, &Export_Template::CancelPressed);

    auto* form = new QFormLayout;
    form->addRow(tr("Template name:"), template_name);
    form->addRow(tr("Present name:"), template_passed);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_btn);
    buttons->addWidget(ok_btn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

Export_Template::~Export_Template()
{
    if (s_defaultInstance == this)
        s_defaultInstance = nullptr;
}

Export_Template* Export_Template::defaultInstance()
{
    return s_defaultInstance;
}

void Export_Template::setModalRun(ModalRun run)
{
    s_modalRun = std::move(run);
}

int Export_Template::runModal()
{
    // The present-name row only shows while a template is being renamed.
    const bool renaming = !template_passed->text().isEmpty();
    if (auto* form = findChild<QFormLayout*>())
        form->setRowVisible(template_passed, renaming);
    setWindowTitle(renaming ? tr("Rename Template") : tr("Export As Template"));
    setResult(0);
    const int code = s_modalRun ? s_modalRun(*this) : exec();
    hide();
    return code;
}

void Export_Template::OKPressed()
{
    const TemplateStore store(TemplateStore::userFolder());
    const TemplateStore::NameCheck check = store.checkName(template_name->text(), template_passed->text());
    switch (check.kind) {
    case TemplateStore::NameCheck::Kind::Refuse:
        Show_MessageBox(check.text);
        template_name->setFocus();
        return;
    case TemplateStore::NameCheck::Kind::AskReplace:
        if (Show_YES_NO_MessageBox(check.text) != 1)
            return;
        break;
    case TemplateStore::NameCheck::Kind::Accept:
        break;
    }
    export_template_name = TemplateStore::cleanName(check.name);
    done(1);
}

void Export_Template::CancelPressed()
{
    template_name->clear();
    done(0);
}

void Export_Template::reject()
{
    CancelPressed();
}
