// A copy of the program reduced to one front canvas, run on an X display to
// move card objects and pictures over the real X clipboard
// (run_x_clipboard.py starts two of them and an independent clipboard tool).
//
//   clipboard_peer copy           puts a few objects on the canvas, selects two
//                                 unlocked ones and copies them; prints them,
//                                 one JSON line each, then "ready", and keeps
//                                 serving the clipboard until stdin closes
//   clipboard_peer paste          pastes into an empty canvas and prints each
//                                 pasted object as a JSON line
//   clipboard_peer paste-picture  pastes a picture put there by another
//                                 program and prints the picture object
// Both paste modes first print whether Edit > Paste is enabled
// ({"canPaste": ...}), as the Paste button is.
//
// The resource folder comes from XDG_DATA_HOME, which the caller must set
// (the peer never touches a user's own folder). Messages the canvas would
// show go to stderr and make the run fail.

#include "canvas/CanvasTestSupport.h"

#include "app/Globals.h"
#include "app/ResourceSetup.h"
#include "canvas/CardDocumentRendering.h"
#include "model/Globals.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

// The window the canvas reports to: the front canvas has the card's size.
class PeerMainWindow : public CanvasMainWindow
{
public:
    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 243, 154); }
};

void printLine(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QJsonArray rectArray(const QRectF& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

// The fields that tell one card object from another: class, place, shape,
// characters, font and colours.
QJsonObject describe(SKTGraphic& g)
{
    QJsonObject o;
    o["class"] = g.className();
    o["bounds"] = rectArray(g.bounds());
    o["shape"] = g._shape_type;
    o["fill"] = g._isDrawingFill ? g._fillColor.toQColor().name(QColor::HexArgb) : QString();
    o["stroke"] = g._isDrawingStroke ? g._strokeColor.toQColor().name(QColor::HexArgb) : QString();
    o["strokeWidth"] = g._strokeWidth;
    o["locked"] = g.ctrl_is_locked;
    if (g.kind() == SKTGraphic::Kind::Text) {
        const auto text = g.Text_contents();
        o["text"] = text->string();
        o["font"] = text->font().family() + " " + QString::number(text->font().pointSize());
        o["textColour"] = g.txt_clr.toQColor().name(QColor::HexArgb);
    }
    return o;
}

QByteArray jsonLine(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

GraphicPtr shape(QLatin1String code, const QRectF& bounds, const QColor& fill)
{
    auto s = std::make_shared<Shape_Control>();
    s->Set_Shape_Type(code);
    s->_bounds = bounds;
    s->_fillColor = Colour::fromQColor(fill);
    s->_isDrawingFill = true;
    s->_strokeColor = Colour::rgb(0.1, 0.1, 0.2);
    s->_strokeWidth = 1.5;
    return s;
}

GraphicPtr text(const QString& characters, const QRectF& bounds)
{
    auto t = std::make_shared<SKTText>();
    t->Text_contents()->setString(characters);
    t->Text_contents()->setFont(FontSpec(QStringLiteral("Times New Roman"), 14));
    t->_bounds = bounds;
    t->_isDrawingFill = false;
    t->_isDrawingStroke = false;
    t->txt_clr = Colour::rgb(0.1, 0.2, 0.6);
    return t;
}

// Anything the canvas would have shown the user: a failure here.
bool reportMessages(const ScriptedMessagePresenter& presenter)
{
    for (const QString& text : presenter.texts())
        std::fprintf(stderr, "message: %s\n", qPrintable(text.trimmed()));
    return presenter.texts().isEmpty();
}

int copy(QApplication& app, BoundCanvas& front, ScriptedMessagePresenter& presenter)
{
    GraphicPtr locked = shape(ShapeCode::Rectangle, {10, 110, 40, 20}, QColor(90, 90, 90));
    locked->ctrl_is_locked = true;
    front.fill({shape(ShapeCode::Rectangle, {20, 20, 60, 30}, QColor(220, 40, 40)),
                text(QStringLiteral("Ada Lovelace, guest of honour"), {30.5, 62.25, 150, 24}),
                shape(ShapeCode::Star, {170, 30, 48, 46}, QColor(240, 200, 0)), locked});
    front.canvas.changeSelectionIndexes({1, 2});
    front.canvas.copy();
    if (!reportMessages(presenter))
        return 1;
    if (!QGuiApplication::clipboard()->ownsClipboard()) {
        std::fprintf(stderr, "the copy does not own the X clipboard\n");
        return 1;
    }
    for (int i : {1, 2})
        printLine(jsonLine(describe(*front.at(i))));
    printLine("ready");

    // An X selection lives only while its owner runs: serve requests until
    // the caller closes stdin.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    return app.exec();
}

void printCanPaste(BoundCanvas& front)
{
    printLine(jsonLine({{"canPaste", front.canvas.validateMenuItem(CanvasCommand::Paste).enabled}}));
}

int paste(BoundCanvas& front, ScriptedMessagePresenter& presenter)
{
    printCanPaste(front);
    front.canvas.paste();
    if (!reportMessages(presenter))
        return 1;
    for (const GraphicPtr& g : front.list())
        printLine(jsonLine(describe(*g)));
    QJsonArray selected;
    for (int i : front.selected())
        selected.append(i);
    QJsonObject selection;
    selection["selected"] = selected;
    printLine(jsonLine(selection));
    return 0;
}

int pastePicture(BoundCanvas& front, ScriptedMessagePresenter& presenter)
{
    printCanPaste(front);
    front.canvas.paste();
    if (!reportMessages(presenter))
        return 1;
    for (const GraphicPtr& g : front.list()) {
        QJsonObject o {{"class", g->className()}, {"bounds", rectArray(g->bounds())}};
        if (auto* image = dynamic_cast<SKTImage*>(g.get())) {
            const QSize pixels = image->_contents.image().size();
            const QString path = image->FilePath();
            o["pictureSize"] = QJsonArray {pixels.width(), pixels.height()};
            o["file"] = path;
            o["fileExists"] = QFileInfo(path).isFile();
            o["inResourceFolder"] = path.startsWith(Resource_Path + QLatin1Char('/'));
        }
        printLine(jsonLine(o));
    }
    return 0;
}

}

int main(int argc, char** argv)
{
    const QString mode = argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode != "copy" && mode != "paste" && mode != "paste-picture") {
        std::fprintf(stderr, "usage: clipboard_peer copy|paste|paste-picture\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) {
        std::fprintf(stderr, "clipboard_peer needs DISPLAY and XDG_DATA_HOME\n");
        return 2;
    }
    // The real X clipboard, whatever the caller's platform setting.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QString error;
    if (!setUpResourceFolder(&error)) {
        std::fprintf(stderr, "no resource folder: %s\n", qPrintable(error));
        return 2;
    }
    SKTDocument::setRendering(std::make_shared<CardDocumentRendering>());
    ScriptedMessagePresenter presenter;
    MessagePresenter::install(&presenter);
    Card_Front_Or_Back = 0;

    PeerMainWindow window;
    BoundCanvas front;
    int result = 0;
    if (mode == "copy")
        result = copy(app, front, presenter);
    else if (mode == "paste")
        result = paste(front, presenter);
    else
        result = pastePicture(front, presenter);
    MessagePresenter::install(nullptr);
    return result;
}
