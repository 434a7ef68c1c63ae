// Shared entry of every test program: an offscreen Qt application and a
// private resource folder, so tests never touch the user's files, and the
// document's renderer installed as the program entry installs it. The start
// wizard answers at once: a new card, no answers. Every test suite and every
// test gets back the globals it started with.
#include "canvas/CardDocumentRendering.h"
#include "common/GlobalsSnapshot.h"
#include "common/StartWizardScript.h"
#include "model/SKTDocument.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    SKTDocument::setRendering(std::make_shared<CardDocumentRendering>());
    scriptStartWizardNewCard();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new GlobalsRestorer);
    return RUN_ALL_TESTS();
}
