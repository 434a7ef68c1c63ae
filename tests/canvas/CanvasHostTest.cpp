// What a canvas asks of its host: each canvas asks the host it was handed
// and no other, and a canvas without a host works alone.

#include "CanvasTestSupport.h"
#include "canvas/CanvasHost.h"
#include "model/Globals.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Records the name of every call.
class RecordingHost : public CanvasHost
{
public:
    QPointF Control_New_Point(const QString& side) override
    {
        asked << "Control_New_Point " + side;
        return {30, 40};
    }
    QRectF frontCanvasBounds() const override
    {
        asked << "frontCanvasBounds";
        return {0, 0, 243, 154};
    }
    void Card_Base_Drawing(QPainter&, const QRectF&) override { asked << "Card_Base_Drawing"; }
    void Refresh_Canvas() override { asked << "Refresh_Canvas"; }
    void Show_RHS_Properties(SKTGraphic* graphic) override
    {
        asked << (graphic ? "Show_RHS_Properties object" : "Show_RHS_Properties card");
    }
    void Undo_Redo_Button_state() override { asked << "Undo_Redo_Button_state"; }
    void Reset_Image_Editing_Controls() override { asked << "Reset_Image_Editing_Controls"; }
    void Open_Barcode_Window() override { asked << "Open_Barcode_Window"; }
    int selectedControlTool() const override { return tool; }
    QString currentGraphicClass() const override
    {
        asked << "currentGraphicClass";
        return toolClass;
    }
    void setSameSizeButtonsEnabled(bool enabled) override
    {
        asked << QString("setSameSizeButtonsEnabled %1").arg(enabled);
    }

    int tool = 0;
    QString toolClass;
    mutable QStringList asked;
};

struct HostCase
{
    const char* name;
    std::function<void(RecordingHost&, BoundCanvas&)> act;
    QStringList asked;
};

const HostCase hostCases[] = {
    {"drawing",
     [](RecordingHost&, BoundCanvas& side) {
         QImage image(243, 154, QImage::Format_ARGB32);
         QPainter painter(&image);
         side.canvas.drawRect(painter, QRectF(0, 0, 243, 154));
     },
     {"Card_Base_Drawing"}},
    {"selecting two",
     [](RecordingHost&, BoundCanvas& side) { side.canvas.changeSelectionIndexes(IndexSet::range(0, 2)); },
     {"setSameSizeButtonsEnabled 1"}},
    {"a click on an object",
     [](RecordingHost&, BoundCanvas& side) {
         side.drag({25, 25}, {25, 25});
     },
     {"currentGraphicClass", "setSameSizeButtonsEnabled 0", "Refresh_Canvas", "Show_RHS_Properties object"}},
    {"a locked object clicked",
     [](RecordingHost&, BoundCanvas& side) {
         side.at(1)->ctrl_is_locked = true;
         side.drag({105, 25}, {105, 25});
     },
     {"currentGraphicClass", "setSameSizeButtonsEnabled 0", "Refresh_Canvas", "Show_RHS_Properties object"}},
    {"deleting",
     [](RecordingHost&, BoundCanvas& side) {
         side.canvas.changeSelectionIndexes(IndexSet(0));
         side.canvas.delete_();
     },
     {"setSameSizeButtonsEnabled 0", "Undo_Redo_Button_state", "Show_RHS_Properties card"}},
    {"a picture object by the tool",
     [](RecordingHost& host, BoundCanvas& side) {
         host.tool = 8;
         Library_Selected_Image = "gone.png";
         side.canvas.createGraphicOfClass("SKTImage", nullptr, false, QRectF(), "B", "", "");
         Library_Selected_Image.clear();
     },
     {"setSameSizeButtonsEnabled 0", "Control_New_Point B", "Reset_Image_Editing_Controls",
      "setSameSizeButtonsEnabled 0"}},
    {"handles shown again after the selection went",
     [](RecordingHost&, BoundCanvas& side) {
         side.canvas.changeSelectionIndexes(IndexSet(0));
         side.canvas.moveRight();
         side.canvas.changeSelectionIndexes(IndexSet());
         side.canvas.unhideHandlesForTimer(); // the whole card is drawn again
     },
     {"setSameSizeButtonsEnabled 0", "setSameSizeButtonsEnabled 0", "frontCanvasBounds"}},

};

TEST(CanvasHost, EachCanvasAsksTheHostItWasHandedAndNoOther)
{
    for (const HostCase& c : hostCases) {
        SCOPED_TRACE(c.name);
        RecordingHost own, other;
        BoundCanvas side(&own);
        BoundCanvas beside(&other, SKTDocumentGraphicsKey_back);
        side.fill({rectangleAt({20, 20, 40, 40}), rectangleAt({100, 20, 40, 40})});
        beside.fill({rectangleAt({20, 20, 40, 40})});
        c.act(own, side);
        EXPECT_EQ(own.asked.join(", ").toStdString(), c.asked.join(", ").toStdString());
        EXPECT_EQ(other.asked.join(", ").toStdString(), "");
    }
}

TEST(CanvasHost, ACanvasWithoutAHostAsksNothingAndStillWorks)
{
    for (const HostCase& c : hostCases) {
        SCOPED_TRACE(c.name);
        RecordingHost unused;
        BoundCanvas side;
        side.fill({rectangleAt({20, 20, 40, 40}), rectangleAt({100, 20, 40, 40})});
        c.act(unused, side);
    }
    // without a host a new object goes to (10, 10) and the arrow tool makes shapes
    BoundCanvas side;
    side.canvas.createGraphicOfClass("Shape_Control", nullptr, false, QRectF(), "F", "", "");
    ASSERT_EQ(side.list().size(), 1);
    EXPECT_EQ(side.at(0)->bounds(), QRectF(10, 10, 50, 50));
}

}
