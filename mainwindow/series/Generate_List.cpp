#include "mainwindow/series/Generate_List.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/Globals.h"
#include "data/SeriesGeneratorRules.h"
#include "data/SeriesSaveRules.h"
#include "data/SeriesStore.h"
#include "mainwindow/ControlsScrollArea.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/series/Globals.h"
#include "mainwindow/PleaseWaitRun.h"
#include "mainwindow/series/SeriesListEditor.h"
#include "platform/AtomicFile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString untitled = QStringLiteral("Untitled");

QLineEdit* makeField(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QSpinBox* makeStepper(QWidget* parent, const char* name, int maximum)
{
    auto* stepper = new QSpinBox(parent);
    stepper->setObjectName(QString::fromLatin1(name));
    stepper->setRange(1, maximum);
    stepper->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // only the arrows are used; the number is typed into the field beside it
    stepper->setFixedWidth(18);
    stepper->setFocusPolicy(Qt::NoFocus);
    return stepper;
}

QHBoxLayout* fieldWithStepper(QLineEdit* field, QSpinBox* stepper)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(stepper);
    return row;
}

}

Generate_List::Generate_List(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Generate_List"), tr("Generate Series"))
{
    Gen_List_Window = this;

    radioButton_Sequntial = new QRadioButton(tr("Sequential numbers"), this);
    radioButton_Sequntial->setObjectName(QStringLiteral("radioButton_Sequntial"));
    radioButton_Constant = new QRadioButton(tr("Constant value"), this);
    radioButton_Constant->setObjectName(QStringLiteral("radioButton_Constant"));
    radioButton_Random = new QRadioButton(tr("Random numbers"), this);
    radioButton_Random->setObjectName(QStringLiteral("radioButton_Random"));
    // each button is set by chooseGroup(), so they are not exclusive by themselves
    for (QRadioButton* radio : {radioButton_Sequntial, radioButton_Constant, radioButton_Random})
        radio->setAutoExclusive(false);

    auto addName = [this](QFormLayout* form, QLineEdit* field) {
        auto* label = new QLabel(tr("Series name:"), field->parentWidget());
        m_nameLabels.append(label);
        form->addRow(label, field);
    };

    sequential_box = new QGroupBox(this);
    sequential_box->setObjectName(QStringLiteral("sequential_box"));
    seq_file_name = makeField(sequential_box, "seq_file_name");
    prefix_txt = makeField(sequential_box, "prefix_txt");
    from_txt = makeField(sequential_box, "from_txt");
    to_txt = makeField(sequential_box, "to_txt");
    suffix_txt = makeField(sequential_box, "suffix_txt");
    manage_digit_chk = new QCheckBox(tr("Keep the number of digits (pad with 0)"), sequential_box);
    manage_digit_chk->setObjectName(QStringLiteral("manage_digit_chk"));
    help_btn = new QPushButton(tr("?"), sequential_box);
    help_btn->setObjectName(QStringLiteral("help_btn"));
    help_btn->setAutoDefault(false);
    help_btn->setFixedWidth(28);
    {
        auto* form = new QFormLayout(sequential_box);
        addName(form, seq_file_name);
        form->addRow(tr("Prefix:"), prefix_txt);
        auto* range = new QHBoxLayout;
        range->addWidget(from_txt);
        range->addWidget(new QLabel(tr("to"), sequential_box));
        range->addWidget(to_txt);
        form->addRow(tr("From:"), range);
        form->addRow(tr("Suffix:"), suffix_txt);
        auto* padding = new QHBoxLayout;
        padding->addWidget(manage_digit_chk, 1);
        padding->addWidget(help_btn);
        form->addRow(padding);
    }

    constant_box = new QGroupBox(this);
    constant_box->setObjectName(QStringLiteral("constant_box"));
    const_file_name = makeField(constant_box, "const_file_name");
    value_txt = makeField(constant_box, "value_txt");
    count_txt = makeField(constant_box, "count_txt");
    count_stepper = makeStepper(constant_box, "count_stepper", 10000);
    {
        auto* form = new QFormLayout(constant_box);
        addName(form, const_file_name);
        form->addRow(tr("Value:"), value_txt);
        form->addRow(tr("Count:"), fieldWithStepper(count_txt, count_stepper));
    }

    random_box = new QGroupBox(this);
    random_box->setObjectName(QStringLiteral("random_box"));
    rndm_file_name = makeField(random_box, "rndm_file_name");
    rand_prefix_txt = makeField(random_box, "rand_prefix_txt");
    rand_length_txt = makeField(random_box, "rand_length_txt");
    rand_length_stepper = makeStepper(random_box, "rand_length_stepper", 9);
    rand_suffix_txt = makeField(random_box, "rand_suffix_txt");
    rand_count_txt = makeField(random_box, "rand_count_txt");
    rand_count_stepper = makeStepper(random_box, "rand_count_stepper", 10000);
    {
        auto* form = new QFormLayout(random_box);
        addName(form, rndm_file_name);
        form->addRow(tr("Prefix:"), rand_prefix_txt);
        form->addRow(tr("Digits:"), fieldWithStepper(rand_length_txt, rand_length_stepper));
        form->addRow(tr("Suffix:"), rand_suffix_txt);
        form->addRow(tr("Count:"), fieldWithStepper(rand_count_txt, rand_count_stepper));
    }

    auto* buttons = okCancelBox({ok_btn, QStringLiteral("ok_btn"), [this] { OKPressed(); }},
                                {cancel_btn, QStringLiteral("cancel_btn"), [this] { CancelPressed(); }});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(radioButton_Sequntial);
    layout->addWidget(sequential_box);
    layout->addWidget(radioButton_Constant);
    layout->addWidget(constant_box);
    layout->addWidget(radioButton_Random);
    layout->addWidget(random_box);
    layout->addWidget(buttons);
    // on a screen lower than the window the choices scroll, the buttons stay
    ControlsScrollArea::wrapItems(*layout, 0, layout->count() - 1);
    setMinimumWidth(400);

    plz_wait_Window = new PleaseWait_Modeless(this);

    connect(radioButton_Sequntial, &QRadioButton::clicked, this, &Generate_List::Sequintial_Radio_Pressed);
    connect(radioButton_Constant, &QRadioButton::clicked, this, &Generate_List::Constant_Radio_Pressed);
    connect(radioButton_Random, &QRadioButton::clicked, this, &Generate_List::Random_Radio_Pressed);
    connect(help_btn, &QPushButton::clicked, this, &Generate_List::Help_btn_Pressed);
    // textEdited, not textChanged: the limits set the text themselves
    for (QLineEdit* field : {from_txt, to_txt, count_txt, rand_count_txt, rand_length_txt})
        connect(field, &QLineEdit::textEdited, this, [this, field] { controlTextDidChange(field); });
    // the steppers move the fields only when the user steps them
    connect(count_stepper, &QSpinBox::valueChanged, this, [this] { Count_Stepper_Pressed(count_stepper); });
    connect(rand_length_stepper, &QSpinBox::valueChanged, this,
            [this] { Random_Length_Stepper_Pressed(rand_length_stepper); });
    connect(rand_count_stepper, &QSpinBox::valueChanged, this,
            [this] { Random_Count_Stepper_Pressed(rand_count_stepper); });
}

Generate_List::~Generate_List()
{
    if (Gen_List_Window == this)
        Gen_List_Window = nullptr;
}

int Generate_List::Open_Wnd()
{
    const bool named = file_name_required == 1;
    for (QLineEdit* name : {seq_file_name, const_file_name, rndm_file_name}) {
        name->clear();
        name->setVisible(named);
    }
    for (QWidget* label : m_nameLabels)
        label->setVisible(named);
    if (named)
        seq_file_name->setText(untitled);

    manage_digit_chk->setChecked(false);
    for (QLineEdit* field : {prefix_txt, suffix_txt, from_txt, to_txt, value_txt, rand_prefix_txt, rand_suffix_txt})
        field->clear();
    for (QLineEdit* field : {count_txt, rand_length_txt, rand_count_txt})
        field->setText(QStringLiteral("1"));
    for (QSpinBox* stepper : {count_stepper, rand_length_stepper, rand_count_stepper}) {
        const QSignalBlocker blocker(stepper);
        stepper->setValue(1);
    }
    chooseGroup(Group::Sequential);
    // the other groups' names stay empty until they are chosen
    adjustSize();
    prefix_txt->setFocus();

    const int result = runModal();
    plz_wait_Window->hide();
    return result;
}

void Generate_List::chooseGroup(Group group)
{
    m_group = group;
    radioButton_Sequntial->setChecked(group == Group::Sequential);
    radioButton_Constant->setChecked(group == Group::Constant);
    radioButton_Random->setChecked(group == Group::Random);
    QLineEdit* name = group == Group::Sequential ? seq_file_name
                      : group == Group::Constant ? const_file_name
                                                 : rndm_file_name;
    if (Trim_Str(name->text()).isEmpty())
        name->setText(untitled);
    sequential_box->setEnabled(group == Group::Sequential);
    constant_box->setEnabled(group == Group::Constant);
    random_box->setEnabled(group == Group::Random);
}

void Generate_List::Sequintial_Radio_Pressed()
{
    chooseGroup(Group::Sequential);
}

void Generate_List::Constant_Radio_Pressed()
{
    chooseGroup(Group::Constant);
}

void Generate_List::Random_Radio_Pressed()
{
    chooseGroup(Group::Random);
}

namespace {

// Keeps a field and its stepper equal, the sender giving its value.
void keepEqual(QObject* sender, QLineEdit* field, QSpinBox* stepper)
{
    if (sender == stepper) {
        field->setText(QString::number(stepper->value()));
        return;
    }
    const QSignalBlocker blocker(stepper);
    stepper->setValue(SeriesGeneratorRules::intValue(field->text()));
}

}

void Generate_List::Count_Stepper_Pressed(QObject* sender)
{
    keepEqual(sender, count_txt, count_stepper);
}

void Generate_List::Random_Length_Stepper_Pressed(QObject* sender)
{
    keepEqual(sender, rand_length_txt, rand_length_stepper);
}

void Generate_List::Random_Count_Stepper_Pressed(QObject* sender)
{
    keepEqual(sender, rand_count_txt, rand_count_stepper);
}

void Generate_List::controlTextDidChange(QLineEdit* field)
{
    QString limited;
    if (field == from_txt || field == to_txt)
        limited = SeriesGeneratorRules::limitFromTo(field->text());
    else if (field == count_txt || field == rand_count_txt)
        limited = SeriesGeneratorRules::limitCount(field->text());
    else if (field == rand_length_txt)
        limited = SeriesGeneratorRules::limitRandomLength(field->text());
    else
        return;
    if (limited != field->text())
        field->setText(limited);
    if (field == count_txt)
        Count_Stepper_Pressed(field);
    else if (field == rand_count_txt)
        Random_Count_Stepper_Pressed(field);
    else if (field == rand_length_txt)
        Random_Length_Stepper_Pressed(field);
}

void Generate_List::Help_btn_Pressed()
{
    const QString title = QStringLiteral("Maintain number of Digits By adding 0's before smaller values. ");
    const QString text = QStringLiteral(
        "For example:\r\nIf you have to generate a series of barcodes having values from '0' to '200', this "
        "option automatically converts small values such as '1' to '001' and '11' to '011' to maintain number "
        "of digits same as the highest value in the series.\r\n\r\nSimilarly, if you have selected a series "
        "starting from '001' to '00200', this option automatically converts small values such as '001' to "
        "'00001' and '0011' to '00011' to maintain number of digits same as the highest value in the series.");
    setCustomMessage(title, text);
    MessagePresenter::current().showAlert(title, text);
}

bool Generate_List::writeSeriesFile(const QString& name, const QStringList& values)
{
    const QString cleaned = SeriesSaveRules::cleanedName(name);
    QLineEdit* nameField = m_group == Group::Sequential ? seq_file_name
                           : m_group == Group::Constant ? const_file_name
                                                        : rndm_file_name;
    if (cleaned.isEmpty()) {
        Show_MessageBox(SeriesStore::enterNameMessage);
        nameField->setFocus();
        return false;
    }
    const QString path = SeriesSaveRules::seriesPath(Data_Folder_Path, cleaned);
    if ((QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        && Show_YES_NO_MessageBox(QStringLiteral("Batch Processing Series already exists. Do you want to replace it?")) != 1)
        return false;
    bool written = false;
    QString reason;
    PleaseWaitRun::run(plz_wait_Window, [&] {
        written = SeriesStore(Data_Folder_Path, batch_file_EXT)
                      .write(cleaned, values, SeriesStore::WriteMode::Replace, &reason);
    });
    if (!written) {
        Show_MessageBox(QStringLiteral("Error in file accessing.\n") + AtomicFile::failureDetails(reason, path));
        return false;
    }
    return true;
}

void Generate_List::OKPressed()
{
    using R = SeriesGeneratorRules;
    R::Result made;
    QString name;
    switch (m_group) {
    case Group::Sequential:
        made = R::sequential(prefix_txt->text(), from_txt->text(), to_txt->text(), suffix_txt->text(),
                             manage_digit_chk->isChecked());
        name = seq_file_name->text();
        break;
    case Group::Constant:
        made = R::constant(value_txt->text(), count_txt->text());
        name = const_file_name->text();
        break;
    case Group::Random:
        made = R::random(rand_prefix_txt->text(), rand_length_txt->text(), rand_suffix_txt->text(),
                         rand_count_txt->text(), *QRandomGenerator::global());
        name = rndm_file_name->text();
        break;
    }
    if (!made.ok()) {
        Show_MessageBox(made.message);
        QLineEdit* focus = nullptr;
        switch (made.focus) {
        case R::Field::From: focus = from_txt; break;
        case R::Field::To: focus = to_txt; break;
        case R::Field::Value: focus = value_txt; break;
        case R::Field::Count: focus = m_group == Group::Random ? rand_count_txt : count_txt; break;
        case R::Field::Length: focus = rand_length_txt; break;
        case R::Field::None: break;
        }
        if (focus)
            focus->setFocus();
        return;
    }

    if (file_name_required == 1) {
        if (!writeSeriesFile(name, made.values))
            return;
    } else if (BatchWizard_Window) {
        BatchWizard_Window->appendValues(made.values);
    }
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
    done(1);
}

void Generate_List::CancelPressed()
{
    done(0);
}

void Generate_List::reject()
{
    CancelPressed();
}
