#include "mainwindow/WizardSteps.h"

#include <QFileInfo>

WizardSteps::Answer WizardSteps::OK_Click(const Inputs& inputs)
{
    if (inputs.startOption == QLatin1String("L"))
        return {Outcome::OpenDesign, {}, Focus::None};

    switch (next_counter) {
    case 0:
    case 1:
        ++next_counter;
        return {Outcome::Show, {}, Focus::None};
    case 2:
        if (inputs.selectedImage.isEmpty() || !QFileInfo(inputs.selectedImage).isFile())
            return {Outcome::Refuse, backgroundMessage, Focus::None};
        next_counter = 3;
        return {Outcome::Show, {}, Focus::None};
    case 3:
        if (inputs.title.isEmpty())
            return {Outcome::Refuse, titleMessage, Focus::Title};
        if (inputs.message.isEmpty())
            return {Outcome::Refuse, messageMessage, Focus::Message};
        next_counter = 4;
        return {Outcome::Show, {}, Focus::From};
    case 4:
        return {Outcome::Finish, {}, Focus::None};
    default:
        return {};
    }
}

WizardSteps::Answer WizardSteps::Back_Click()
{
    if (next_counter <= 0 || next_counter > 4)
        return {};
    --next_counter;
    return {Outcome::Show, {}, Focus::None};
}

WizardSteps::Answer WizardSteps::CancelClick()
{
    next_counter = 0;
    return {Outcome::Show, {}, Focus::None};
}
