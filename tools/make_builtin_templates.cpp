// Writes the built-in templates: for each, a design file and the picture of
// both sides (front above back) that the template picker shows, made by the
// program's own design-file writer and card renderer on a main window that
// is never shown. scripts/make_builtin_templates.sh runs it into
// resources/Templates.
//
//   make_builtin_templates <output folder>

#include "app/Globals.h"
#include "app/ResourceSetup.h"
#include "app/UnitConversions.h"
#include "canvas/CanvasController.h"
#include "canvas/CardDocumentRendering.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Globals.h"
#include "canvas/ToolTable.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/SKTWindowController.h"
#include "model/Globals.h"
#include "model/SKTDocument.h"
#include "model/SKTLine.h"
#include "model/Shape_Control.h"
#include "output/Globals.h"
#include "platform/IndexSet.h"
#include "platform/ProcessTerminator.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Text {
    QString value;
    QRectF rect;
    double size;
    int alignment;   // 0 left, 2 centred
    bool light = false;   // white, over a dark band
};

struct Shape {
    QLatin1String code;
    QRectF rect;
    Colour fill;
};

struct Side {
    Colour top;
    Colour bottom;
    QList<Shape> shapes;
    QList<Text> texts;
};

struct Design {
    QString name;
    QSizeF millimetres;
    Side front;
    Side back;
};

Colour rgb(int r, int g, int b)
{
    return Colour::rgb(r / 255.0, g / 255.0, b / 255.0);
}

void drawSide(SKTWindowController& controller, SKTDocument& document, int side, const Side& design)
{
    // The card base: a vertical gradient with a thin border.
    CardPanelState state = controller.cardPanelState();
    state.borderOn = true;
    state.borderColour = design.bottom;
    state.borderWidth = 1;
    state.fillOn = true;
    state.solidRadio = false;
    state.gradientRadio = true;
    state.gradientColour1 = design.top;
    state.gradientColour2 = design.bottom;
    state.gradientAngle = 90;
    state.alphaPercent = 100;
    if (side == 1)
        controller.Select_back_side();
    else
        controller.Select_front_side();
    controller.applyCardPanelState(state);

    const QString key = side == 1 ? SKTDocumentGraphicsKey_back : SKTDocumentGraphicsKey;
    GraphicList shapes;
    for (const Shape& s : design.shapes) {
        auto shape = std::make_shared<Shape_Control>();
        shape->Set_Shape_Type(s.code);
        shape->setBounds(s.rect);
        shape->setIsDrawingFill(true);
        shape->setFillColor(s.fill);
        shape->setIsDrawingStroke(false);
        shapes.append(shape);
    }
    if (!shapes.isEmpty())
        document.insertGraphicsForKey(key, shapes, IndexSet::range(0, int(shapes.size())));

    controller.Selected_Control_Tool = ToolTable::Text;
    for (const Text& t : design.texts) {
        controller.graphicView(side)->controller().createGraphicOfClass(
            QStringLiteral("SKTText"), nullptr, true, t.rect, side == 1 ? QStringLiteral("B") : QStringLiteral("F"),
            t.value, QStringLiteral("TEMPLATE_TEXT"));
        const GraphicList list =
            side == 1 ? controller.Get_Back_Controls_Array() : controller.Get_Front_Controls_Array();
        if (list.isEmpty())
            continue;
        SKTGraphic& text = *list.first();
        text.text_ctrl_font = FontSpec(Text_Ctrl_Font, t.size);
        text.text_alignmnet = t.alignment;
        if (t.light)
            text.txt_clr = Colour::white();
    }
    controller.Selected_Control_Tool = ToolTable::Arrow;
    controller.Select_front_side();
}

QList<Design> designs()
{
    const Colour white = Colour::white();
    return {
        {QStringLiteral("Garden Party Invitation"),
         {177.8, 127.0},
         {rgb(255, 250, 240), rgb(236, 214, 226),
          {{ShapeCode::Circle, QRectF(-40, -40, 140, 140), rgb(247, 202, 201)},
           {ShapeCode::Circle, QRectF(400, 250, 140, 140), rgb(200, 228, 210)},
           {ShapeCode::Star, QRectF(230, 40, 44, 44), rgb(233, 185, 73)}},
          {{QStringLiteral("You are invited"), QRectF(102, 100, 300, 40), 28, 2},
           {QStringLiteral("to a garden party"), QRectF(102, 145, 300, 30), 18, 2},
           {QStringLiteral("Saturday, 3 pm"), QRectF(102, 200, 300, 24), 14, 2}}},
         {rgb(236, 214, 226), rgb(255, 250, 240),
          {{ShapeCode::Rectangle, QRectF(40, 40, 424, 280), white}},
          {{QStringLiteral("Please reply by Friday"), QRectF(102, 160, 300, 30), 16, 2}}}},
        {QStringLiteral("Conference Name Badge"),
         {101.6, 76.2},
         {white, rgb(220, 232, 246),
          {{ShapeCode::Rectangle, QRectF(0, 0, 288, 50), rgb(31, 78, 140)},
           {ShapeCode::Rectangle, QRectF(0, 190, 288, 26), rgb(31, 78, 140)}},
          {{QStringLiteral("HELLO, my name is"), QRectF(14, 12, 260, 26), 16, 2, true},
           {QStringLiteral("Your Name"), QRectF(14, 80, 260, 40), 28, 2},
           {QStringLiteral("Company"), QRectF(14, 130, 260, 24), 14, 2}}},
         {white, rgb(220, 232, 246), {}, {{QStringLiteral("Conference 2027"), QRectF(14, 90, 260, 30), 18, 2}}}},
        {QStringLiteral("Staff ID Card"),
         {85.598, 53.975},
         {white, rgb(232, 240, 236),
          {{ShapeCode::Rectangle, QRectF(0, 0, 243, 34), rgb(22, 110, 84)},
           {ShapeCode::RoundedRectangle, QRectF(12, 46, 64, 80), rgb(200, 214, 208)}},
          {{QStringLiteral("STAFF"), QRectF(10, 6, 223, 22), 16, 2, true},
           {QStringLiteral("First Last"), QRectF(86, 52, 150, 22), 14, 0},
           {QStringLiteral("Department"), QRectF(86, 78, 150, 18), 10, 0},
           {QStringLiteral("ID 000123"), QRectF(86, 100, 150, 18), 10, 0}}},
         {white, rgb(232, 240, 236),
          {{ShapeCode::Rectangle, QRectF(0, 120, 243, 33), rgb(22, 110, 84)}},
          {{QStringLiteral("If found, please return to reception."), QRectF(12, 40, 219, 40), 10, 2}}}},
    };
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(output));
        return 1;
    }
    // A private resource folder, so the user's own stays untouched.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    if (!setUpResourceFolder())
        return 1;
    ProcessTerminator::setHandler([](int) {});
    Invitation_Wizard::setModalRun([](Invitation_Wizard&) {
        setStartCardOption(QStringLiteral("L"));
        return 1;
    });

    const auto rendering = std::make_shared<CardDocumentRendering>();
    SKTDocument::setRendering(rendering);
    SKTDocument document;
    SKTWindowController controller(document);
    rendering->setHost(&controller);
    QCoreApplication::processEvents();

    int failures = 0;
    for (const Design& design : designs()) {
        controller.New_Project_Setting_Reset();
        setCardShape(0);
        const QSizeF points(MM_to_Points_Convert(float(design.millimetres.width())),
                            MM_to_Points_Convert(float(design.millimetres.height())));
        controller.Set_Document_Size(points);
        controller.SetDocumentCanvasSize(points);
        controller.Set_Card_Size_In_Control(design.millimetres);
        drawSide(controller, document, 1, design.back);
        drawSide(controller, document, 0, design.front);

        // Shapes and texts draw no picture: the placeholder picture's path
        // every new object carries would only put this run's folder into
        // the shipped files.
        for (const GraphicList& side : {controller.Get_Front_Controls_Array(), controller.Get_Back_Controls_Array()}) {
            for (const GraphicPtr& graphic : side)
                graphic->Set_Control_File_path(QString(""));
        }

        const QString base = QDir(output).filePath(design.name);
        setProjectFileName(base + QStringLiteral(".fcard"));
        const bool written = controller.Save_project_file(false, false);
        setExportCardSide(QStringLiteral("BOTH"));
        controller.exportWindow()->export_combined_image_chk->setChecked(true);
        controller.Export_Single_File(base + QStringLiteral(".png"), false);
        const bool pictured = QFileInfo::exists(base + QStringLiteral(".png"));
        std::printf("%s: design %s, picture %s\n", qPrintable(design.name), written ? "written" : "FAILED",
                    pictured ? "written" : "FAILED");
        failures += !written + !pictured;
    }
    setProjectFileName(QString());
    return failures == 0 ? 0 : 1;
}
