#pragma once

// A main window controller on a new document, as the program starts it, with
// message boxes recorded, the pasteboard in memory and the process kept alive.

#include "app/ResourceSetup.h"
#include "canvas/SideSnapshot.h"
#include "common/StartWizardScript.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/help/LinkDialog.h"
#include "model/Globals.h"
#include "model/SKTDocument.h"
#include "model/SKTLine.h"
#include "model/Shape_Control.h"
#include "platform/FileOpener.h"
#include "platform/IndexSet.h"
#include "platform/MemoryPasteboard.h"
#include "platform/MessagePresenter.h"
#include "platform/OpenPanel.h"
#include "platform/ProcessTerminator.h"
#include "platform/SavePanel.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QCoreApplication>
#include <QMap>
#include <gtest/gtest.h>

#include <memory>

class WindowControllerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(setUpResourceFolder());
        MessagePresenter::install(&presenter);
        Pasteboard::install(&pasteboard);
        ProcessTerminator::setHandler([this](int status) { exits.append(status); });
        // No desktop panel in tests: a save panel is cancelled unless a test
        // answers it.
        SavePanel::setHandler([](const QString&, const QString&) { return QString(); });
        // The picture library is cancelled.
        Image_Library::setModalRun([](Image_Library& library) {
            library.Cancel_Clicked();
            return 0;
        });
        // The help, review, share and promotion windows end at once, and
        // what they would open is recorded, not handed to the desktop.
        LinkDialog::setModalRun([this](LinkDialog& dialog) {
            linkDialogsRun.append(dialog.objectName());
            return 1;
        });
        FileOpener::setHandler([this](const QString& target) {
            opened.append(target);
            return true;
        });
        Card_Shape = 0;
        Card_Value_In_Process = false;
        scriptStartWizardNewCard();
        document = std::make_unique<SKTDocument>();
        controller = std::make_unique<SKTWindowController>(*document);
        QCoreApplication::processEvents();   // the first design starts
    }

    void TearDown() override
    {
        controller.reset();
        document.reset();
        MessagePresenter::install(nullptr);
        Pasteboard::install(nullptr);
        ProcessTerminator::setHandler({});
        OpenPanel::setHandler({});
        SavePanel::setHandler({});
        Image_Library::setModalRun({});
        LinkDialog::setModalRun({});
        FileOpener::setHandler({});
        scriptStartWizardNewCard();
    }

    // A control of the main window by its name in the layout.
    template <class T>
    T* control(const char* name) const
    {
        T* found = controller->window()->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no control " << name;
        return found;
    }

    // Takes the front's batch snapshot with `record` bound into it and its
    // objects by their control identifiers; what binding said ("" when well).
    QString bindRecord(SideSnapshot& shot, int record, QMap<QString, GraphicPtr>& byId)
    {
        shot = controller->batchSideSnapshot(0);
        const QString said = controller->bindRecordIntoSnapshot(shot, record);
        for (const GraphicPtr& g : shot.graphics())
            byId[g->control_ID] = g;
        return said;
    }

    // A design to save and read: two shapes on the front, one line on the
    // back, a named back and a table.
    void drawDesign()
    {
        GraphicList front;
        for (QLatin1String code : {ShapeCode::Star, ShapeCode::Circle}) {
            auto shape = std::make_shared<Shape_Control>();
            shape->Set_Shape_Type(code);
            shape->setBounds(QRectF(front.size() * 30, 5, 20, 20));
            front.append(shape);
        }
        document->insertGraphicsForKey(SKTDocumentGraphicsKey, front, IndexSet::range(0, 2));
        auto line = std::make_shared<SKTLine>();
        line->setBounds(QRectF(1, 2, 30, 4));
        document->insertGraphicsForKey(SKTDocumentGraphicsKey_back, {line}, IndexSet(0));
        Card_Property back = controller->Back_card_Prop();
        back.setCard_Name(QStringLiteral("Back name"));
        controller->setBack_card_Prop(back);
        controller->Excel_Column_Titles = {QStringLiteral("No."), QStringLiteral("Name")};
        controller->ListData = {{{"Extension", "1"}, {"Column1", "Ada"}}};
    }

    ScriptedMessagePresenter presenter;
    MemoryPasteboard pasteboard;
    QList<int> exits;
    // the object names of the link windows run, and the files and links opened
    QStringList linkDialogsRun;
    QStringList opened;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<SKTWindowController> controller;
};
