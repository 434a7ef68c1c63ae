// Takes pictures of the program's windows, the same on every run of the same
// build: the start wizard, the main window with the card and with one object
// of each kind selected in turn (one picture per inspector tab), a locked
// object, the print window and the barcode designer. Two sets taken before
// and after a change are compared by scripts/compare_window_shots.sh.
//
//   window_shots <output folder>
//
// It runs offscreen with a fixed style, font, locale and window size, in a
// private home folder, with no cursor blinking and every desktop panel
// answered at once.

#include "app/ResourceSetup.h"
#include "canvas/CanvasController.h"
#include "canvas/CanvasMouseEvent.h"
#include "canvas/CardDocumentRendering.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Globals.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureListModel.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/barcode/Barcode_Gen.h"
#include "mainwindow/help/LinkDialog.h"
#include "mainwindow/print/Print_Wnd.h"
#include "model/Globals.h"
#include "model/SKTDocument.h"
#include "output/PrinterCatalog.h"
#include "platform/FileOpener.h"
#include "platform/IndexSet.h"
#include "platform/MemoryPasteboard.h"
#include "platform/MessagePresenter.h"
#include "platform/OpenPanel.h"
#include "platform/ProcessTerminator.h"
#include "platform/SavePanel.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QTabWidget>
#include <QToolButton>

#include <cstdio>
#include <memory>

namespace {

// Lists no printer, as a machine without a print system does.
class NoPrinters : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return {}; }
};

QDir outputFolder;
int failures = 0;

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Waits (up to 20 s) until the picture browsers of `widget` have every
// thumbnail, which are made on worker threads.
void awaitThumbnails(QWidget* widget)
{
    QElapsedTimer waited;
    waited.start();
    for (PictureBrowser* browser : widget->findChildren<PictureBrowser*>()) {
        while (browser->pictures() && browser->pictures()->pendingThumbnails() > 0 && waited.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void save(QWidget* widget, const QString& name)
{
    awaitThumbnails(widget);
    settle();
    const QString path = outputFolder.filePath(name + QStringLiteral(".png"));
    if (!widget->grab().toImage().save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures;
        return;
    }
    std::printf("%s\n", qPrintable(name));
}

// One picture of `window` per page of `tabs` (named by the page), or one
// picture when it has none.
void saveTabs(QWidget* window, QTabWidget* tabs, const QString& name)
{
    if (!tabs || tabs->count() == 0) {
        save(window, name);
        return;
    }
    const int shown = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QString page = tabs->widget(i)->objectName();
        if (page.isEmpty())
            page = tabs->tabText(i).toLower().replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), "-");
        save(window, name + QLatin1Char('-') + page);
    }
    tabs->setCurrentIndex(shown);
}

// A picture to place, drawn here so that no file outside decides it.
QString writePicture(const QDir& folder)
{
    QImage picture(160, 120, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 160, 120);
    gradient.setColorAt(0, QColor(30, 90, 160));
    gradient.setColorAt(1, QColor(240, 200, 60));
    painter.fillRect(picture.rect(), gradient);
    painter.setBrush(QColor(200, 40, 60));
    painter.drawEllipse(QRect(50, 30, 60, 60));
    painter.end();
    const QString path = folder.filePath(QStringLiteral("picture.png"));
    picture.save(path, "PNG");
    return path;
}

// Selects `g` as a click on it does; where another object covers the
// point clicked, selects it as the canvas's current object directly.
void select(CanvasController& canvas, SKTWindowController& controller, const GraphicPtr& g)
{
    CanvasMouseEvent click;
    click.point = g->bounds().center();
    canvas.mouseDown(click);
    canvas.mouseUp(click);
    if (canvas._Selected_Graphic != g) {
        canvas.changeSelectionIndexes(IndexSet(int(canvas.graphics().indexOf(g))));
        canvas._Selected_Graphic = g;
        controller.Show_RHS_Properties(g.get());
    }
}

// The tools that make one object each, and the name of its pictures.
const struct
{
    const char* button;
    const char* name;
} kinds[] = {
    {"Text_Tool_btn", "text"},
    {"Line_Tool_btn", "line"},
    {"Rect_Tool_btn", "shape-rectangle"},
    {"Circle_Tool_btn", "shape-ellipse"},
    {"Round_Rect_Tool_btn", "shape-rounded-rectangle"},
    {"Triangle_Tool_btn", "shape-triangle"},
    {"Diamond_Tool_btn", "shape-diamond"},
    {"Star_Tool_btn", "shape-star"},
    {"Double_Star_Tool_btn", "shape-double-star"},
    {"Polygon_Tool_btn", "shape-polygon"},
    {"Image_Tool_btn", "picture"},
    {"Signature_Tool_btn", "signature"},
    {"Fingure_Print_Tool_btn", "fingerprint"}, // makes nothing today
    {"Barcode_Tool_btn", "barcode"},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    // A private home, so that no setting, picture or template of the user's
    // changes a picture. Its path shows in some fields, so it is the same on
    // every run (one run at a time); it starts empty and goes at the end.
    struct Home
    {
        QString path() const { return QStringLiteral("/tmp/brightfold-window-shots"); }
        Home() { QDir(path()).removeRecursively(); }
        ~Home() { QDir(path()).removeRecursively(); }
    } home;
    if (!QDir(home.path()).mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(home.path()));
        return 1;
    }
    for (const char* folder : {"data", "config", "cache", "runtime"})
        QDir(home.path()).mkpath(QLatin1String(folder));
    QFile::setPermissions(home.path() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("LC_ALL", "C.UTF-8");

    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QApplication::setCursorFlashTime(0);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);

    outputFolder = QDir(QString::fromLocal8Bit(argv[1]));
    if (!outputFolder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    QString error;
    if (!setUpResourceFolder(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    SKTDocument::setRendering(std::make_shared<CardDocumentRendering>());

    // Every box, panel and modal run answers at once.
    ScriptedMessagePresenter presenter;
    MessagePresenter::install(&presenter);
    MemoryPasteboard pasteboard;
    Pasteboard::install(&pasteboard);
    ProcessTerminator::setHandler([](int) {});
    SavePanel::setHandler([](const QString&, const QString&) { return QString(); });
    const QString picture = writePicture(QDir(home.path()));
    OpenPanel::setHandler([picture](const QString&, const QStringList&) { return picture; });
    Image_Library::setModalRun([](Image_Library& library) {
        library.Cancel_Clicked();
        return 0;
    });
    LinkDialog::setModalRun([](LinkDialog&) { return 1; });
    FileOpener::setHandler([](const QString&) { return true; });
    // The start wizard is pictured, then answers with a new card.
    Invitation_Wizard::setModalRun([](Invitation_Wizard& wizard) {
        wizard.show();
        save(&wizard, QStringLiteral("start-wizard"));
        wizard.hide();
        setStartCardOption(QStringLiteral("W"));
        for (QString* answer : {&Invite_Title, &Invite_Message, &Invite_From, &Invite_To, &Invite_Venue, &Invite_Date,
                                &Invite_Time, &Invite_BG_IMG})
            answer->clear();
        return 1;
    });

    setCardShape(0);
    auto document = std::make_unique<SKTDocument>();
    auto controller = std::make_unique<SKTWindowController>(*document);
    DrawWindow* window = controller->window();
    window->resize(1280, 800);
    window->show();
    settle(); // the first design starts

    auto* inspector = window->findChild<QTabWidget*>(QStringLiteral("sett_tab"));
    if (!inspector) {
        std::fprintf(stderr, "the main window has no inspector\n");
        return 1;
    }
    saveTabs(window, inspector, QStringLiteral("main-card"));

    // One object of each kind, made by its tool as a click on the tool
    // makes it.
    CanvasController& canvas = controller->graphicView(0)->controller();
    QList<GraphicPtr> made;
    for (const auto& kind : kinds) {
        auto* tool = window->findChild<QToolButton*>(QLatin1String(kind.button));
        if (!tool) {
            std::fprintf(stderr, "no tool %s\n", kind.button);
            ++failures;
            made.append(nullptr);
            continue;
        }
        const auto before = canvas.graphics().size();
        tool->click();
        settle();
        // A tool that makes nothing leaves its kind out (and says so).
        made.append(canvas.graphics().size() > before ? canvas._Selected_Graphic : nullptr);
    }
    if (auto* arrow = window->findChild<QToolButton*>(QStringLiteral("Arrow_Tool_btn")))
        arrow->click();
    // Laid out apart on the card, so that each shows whole and a click finds
    // it: 5 by 3 cells of 48 by 31 points, the barcode (last) below them at
    // the size its tool gave it.
    for (int k = 0; k < made.size(); ++k) {
        if (!made[k])
            continue;
        if (k + 1 == made.size())
            made[k]->setBounds(QRectF(QPointF(60, 94), made[k]->bounds().size()));
        else
            made[k]->setBounds(QRectF(2 + (k % 5) * 48, 2 + (k / 5) * 31, 44, 27));
    }

    // Each selected in turn.
    for (int k = 0; k < made.size(); ++k) {
        const GraphicPtr& g = made[k];
        if (!g) {
            std::fprintf(stderr, "the %s tool made nothing\n", kinds[k].name);
            continue;
        }
        select(canvas, *controller, g);
        saveTabs(window, inspector, QStringLiteral("main-") + QLatin1String(kinds[k].name));
    }

    // A locked object shows the lock page alone.
    if (const GraphicPtr& text = made.first()) {
        select(canvas, *controller, text);
        controller->Lock_Clicked();
        saveTabs(window, inspector, QStringLiteral("main-locked-text"));
        controller->Unlock_Clicked();
    }
    canvas.changeSelectionIndexes(IndexSet());
    controller->Show_RHS_Properties(nullptr);
    save(window, QStringLiteral("main-all-objects"));

    // The print window over this card.
    NoPrinters printers;
    Print_Wnd::setModalRun([](QDialog& dialog) {
        dialog.show();
        saveTabs(&dialog, dialog.findChild<QTabWidget*>(), QStringLiteral("print-window"));
        dialog.hide();
        return 0;
    });
    {
        Print_Wnd print(window, controller.get(), printers);
        print.Open_Print_Wnd();
    }
    Print_Wnd::setModalRun({});

    // The barcode designer on the barcode made above.
    Barcode_Gen::setModalRun([](Barcode_Gen& designer) {
        designer.show();
        saveTabs(&designer, designer.findChild<QTabWidget*>(), QStringLiteral("barcode-designer"));
        designer.hide();
        designer.Cancel_Btn_Clicked();
        return 0;
    });
    if (const GraphicPtr& barcode = made.last())
        Barcode_Gen::defaultInstance()->Open_Wnd(barcode);
    Barcode_Gen::setModalRun({});

    // The export window.
    ExportWindow::setModalRun([](ExportWindow& exportWindow) {
        exportWindow.show();
        save(&exportWindow, QStringLiteral("export-window"));
        exportWindow.hide();
        return 0;
    });
    controller->Export_Button();
    ExportWindow::setModalRun({});

    // The picture library, as its tool opens it.
    Image_Library::setModalRun([](Image_Library& library) {
        library.show();
        save(&library, QStringLiteral("picture-library"));
        library.hide();
        library.Cancel_Clicked();
        return 0;
    });
    if (auto* tool = window->findChild<QToolButton*>(QStringLiteral("Image_Library_Tool_btn")))
        tool->click();

    controller.reset();
    document.reset();
    MessagePresenter::install(nullptr);
    Pasteboard::install(nullptr);
    return failures == 0 ? 0 : 1;
}
