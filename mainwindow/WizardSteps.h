#pragma once

// The steps of the start wizard without its window: which screen shows, what
// Next, Back and Cancel do from each, and the messages that keep the user on
// a step. The window shows what the answer asks for.

#include <QString>

class WizardSteps
{
public:
    // What the window does after a button.
    enum class Outcome {
        Stay,         // nothing changes
        Show,         // show the screen of `next_counter`
        OpenDesign,   // the saved-design road: ask the main window to open one
        Finish,       // the last step: store the answers and end with 1
        Refuse,       // stay on the step and show `message`
    };
    // The field that gets the focus.
    enum class Focus { None, Title, Message, From };

    struct Answer
    {
        Outcome outcome = Outcome::Stay;
        QString message;
        Focus focus = Focus::None;
    };

    // What the step being left holds.
    struct Inputs
    {
        QString startOption;     // the road: "W", "L" or "T"
        QString selectedImage;   // the chosen background's path
        QString title;           // the title field
        QString message;         // the message field
    };

    static inline const QString backgroundMessage = QStringLiteral("Please select background.");
    static inline const QString titleMessage = QStringLiteral("Please select title.");
    static inline const QString messageMessage = QStringLiteral("Please select message.");

    // 0 start screen, 1 card size, 2 background, 3 title and message, 4 party details.
    int next_counter = 0;

    // Next (and Finish on the last step). Step 2 needs an existing background
    // file; step 3 a title and a message.
    Answer OK_Click(const Inputs& inputs);
    // One step back; from step 1 to the start screen; nothing on the start screen.
    Answer Back_Click();
    // Back to the start screen.
    Answer CancelClick();
};
