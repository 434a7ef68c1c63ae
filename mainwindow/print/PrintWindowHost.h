#pragma once

// What the print window asks of the main window: the objects of the sides,
// whether the cards come from a series or a workbook and how many there are,
// snapshots of the sides with records bound into them for printing, and the
// first record put back afterwards. The main window controller implements it.

#include "canvas/SideSnapshot.h"
#include "data/BatchShortfall.h"
#include "model/SKTGraphic.h"

#include <QString>

class CanvasHost;

class PrintWindowHost
{
public:
    // The window the card base of drawn sides comes from.
    virtual CanvasHost* canvasHost() = 0;
    virtual GraphicList Get_Front_Controls_Array() const = 0;
    virtual GraphicList Get_Back_Controls_Array() const = 0;
    // Decides whether the cards come from a series or a workbook and counts
    // the records (Total_Batch_Excel_Card).
    virtual void Check_Series_Or_Excel_Use_or_not() = 0;
    // Recounts the records.
    virtual void Get_total_Card_count() = 0;
    // A snapshot of side 1 (back) or of any other value (front), taken on the
    // GUI thread; record N written into one on any thread ("" when it went
    // well, else the reason).
    virtual SideSnapshot batchSideSnapshot(int side) = 0;
    virtual QString bindRecordIntoSnapshot(SideSnapshot& snapshot, int N) = 0;
    // The series and columns with fewer values than the `cards` cards of a
    // batch drawing `sides` ("F", "B" or "BOTH") from the last check.
    virtual BatchShortfall batchShortfall(int cards, const QString& sides) const = 0;
    // Record 0 back into the sides.
    virtual void Select_first_row_value_for_design(bool print_box) = 0;

protected:
    ~PrintWindowHost() = default;
};
