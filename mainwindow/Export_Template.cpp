#include "mainwindow/Export_Template.h"

#include "app/MessageBoxes.h"
#include "mainwindow/Globals.h"
#include "mainwindow/TemplateStore.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Export_Template::Export_Template(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Export_Template"), tr("Template Name"))
{
    template_name = new QLineEdit(this);
    template_name->setObjectName(QStringLiteral("template_name"));
    template_name->setMinimumWidth(260);
    template_passed = new QLineEdit(this);
    template_passed->setObjectName(QStringLiteral("template_passed"));
    template_passed->setReadOnly(true);
    auto* buttons = okCancelRow({ok_btn, QStringLiteral("ok_btn"), [this] { OKPressed(); }},
                                {cancel_btn, QStringLiteral("cancel_btn"), [this] { CancelPressed(); }});

    auto* form = new QFormLayout;
    form->addRow(tr("Template name:"), template_name);
    form->addRow(tr("Present name:"), template_passed);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

int Export_Template::runModal()
{
    // The present-name row only shows while a template is being renamed.
    const bool renaming = !template_passed->text().isEmpty();
    if (auto* form = findChild<QFormLayout*>())
        form->setRowVisible(template_passed, renaming);
    setWindowTitle(renaming ? tr("Rename Template") : tr("Export As Template"));
    setResult(0);
    return FramedDialog::runModal();
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
