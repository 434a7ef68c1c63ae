#include "mainwindow/series/Update_Ex_Num.h"

#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "mainwindow/series/Globals.h"
#include "mainwindow/series/SeriesListEditor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Update_Ex_Num::Update_Ex_Num(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Update_Value_Wnd"), tr("Edit Value"))
{
    Update_m_ex_num_str = new QLineEdit(this);
    Update_m_ex_num_str->setObjectName(QStringLiteral("Update_m_ex_num_str"));
    Update_m_s_number = new QLineEdit(this);
    Update_m_s_number->setObjectName(QStringLiteral("Update_m_s_number"));
    Update_m_s_number->hide();
    Update_m_ex_num_index = new QLineEdit(this);
    Update_m_ex_num_index->setObjectName(QStringLiteral("Update_m_ex_num_index"));
    Update_m_ex_num_index->hide();

    auto* buttons = okCancelBox({ok_btn, QStringLiteral("ok_btn"), [this] { OKPressed(); }},
                                {cancel_btn, QStringLiteral("cancel_btn"), [this] { CancelPressed(); }});

    auto* form = new QFormLayout;
    form->addRow(tr("Value:"), Update_m_ex_num_str);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Update_m_s_number);
    layout->addWidget(Update_m_ex_num_index);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

int Update_Ex_Num::runEditor()
{
    return runModal();
}

void Update_Ex_Num::emptyFields()
{
    Update_m_ex_num_str->clear();
    Update_m_s_number->clear();
    Update_m_ex_num_index->clear();
}

void Update_Ex_Num::OKPressed()
{
    const QString edited = Update_m_ex_num_str->text();
    if (edited == Update_m_s_number->text()) {
        done(1);
        return;
    }
    const QString trimmed = Trim_Str(edited);
    if (trimmed.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter a valid value."));
        Update_m_ex_num_str->setFocus();
        return;
    }
    if (BatchWizard_Window)
        BatchWizard_Window->replaceValue(Update_m_ex_num_index->text().toInt(), trimmed);
    emptyFields();
    done(1);
}

void Update_Ex_Num::CancelPressed()
{
    emptyFields();
    done(0);
}

void Update_Ex_Num::reject()
{
    CancelPressed();
}
