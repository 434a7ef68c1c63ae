#pragma once

#include <QString>

#include <array>
#include <functional>

// What the main window's toolbar and Exit hand over to windows of other
// parts of the program: each of those windows, once made, sets the call
// that opens it here. A button whose call is not set stays disabled, and a
// command finds nothing to run.
class WindowHandOffs
{
public:
    enum class HandOff {
        // decides which data batch output uses (series or workbook) and how
        // many cards it makes: Use_Data_Sheet_Values, Use_Excel_Binding_Values
        // and Total_Batch_Excel_Card
        BatchDataChoice,
        Mail,
        Print,
        BatchSeries,
        ImportWizard,
        CreateSeries,
        Help,
        // opens the mail settings dialog (the Send E-mail window's settings
        // button); the mail strings are read again afterwards
        MailSettings,
        Review,
    };
    static constexpr int count = int(HandOff::Review) + 1;

    // Sets (or, with an empty call, takes away) the call of a hand-off.
    void set(HandOff which, std::function<void()> call);
    bool has(HandOff which) const;

    // Runs the call of a hand-off. An exception that leaves it is written to
    // the log and ends the command there. False when no call is set or it
    // failed.
    bool run(HandOff which) const;

private:
    std::array<std::function<void()>, count> m_calls;
};
