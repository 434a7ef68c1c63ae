#include "common/StartWizardScript.h"

#include "mainwindow/Globals.h"
#include "mainwindow/Invitation_Wizard.h"

void scriptStartWizardNewCard()
{
    Invitation_Wizard::setModalRun([](Invitation_Wizard&) {
        Start_Card_Option = QStringLiteral("W");
        for (QString* answer : {&Invite_Title, &Invite_Message, &Invite_From, &Invite_To, &Invite_Venue,
                                &Invite_Date, &Invite_Time, &Invite_BG_IMG})
            answer->clear();
        return 1;
    });
}
