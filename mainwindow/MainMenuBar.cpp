#include "mainwindow/MainMenuBar.h"

#include "app/PromotedProducts.h"
#include "canvas/ArrangeCommands.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/ToolTable.h"
#include "mainwindow/MenuBarHost.h"

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

using Row = MainMenuBar::Row;
using Menu = MainMenuBar::Menu;

// The platform's keys for a standard command, then `more`, each once.
QList<QKeySequence> keys(std::optional<QKeySequence::StandardKey> standard, const QList<QKeySequence>& more = {})
{
    QList<QKeySequence> result = standard ? QKeySequence::keyBindings(*standard) : QList<QKeySequence>();
    for (const QKeySequence& key : more) {
        if (!result.contains(key))
            result.append(key);
    }
    return result;
}

// A command of the arrange family on the canvas of the side being edited.
std::function<void(MenuBarHost&)> onCanvas(void (ArrangeCommands::*command)())
{
    return [command](MenuBarHost& host) {
        if (SKTGraphicView* view = host.commandCanvas()) {
            ArrangeCommands arrange(view->controller());
            (arrange.*command)();
        }
    };
}

// A command of the main window.
std::function<void(MenuBarHost&)> onWindow(void (MenuBarHost::*command)())
{
    return [command](MenuBarHost& host) { (host.*command)(); };
}

const QString kMenuTitles[] = {QStringLiteral("File"),  QStringLiteral("Edit"),  QStringLiteral("Arrange"),
                               QStringLiteral("View"),  QStringLiteral("Tools"), QStringLiteral("Help")};

// A command that hands over to another part's window: it can run while that
// window has set its call.
std::function<bool(const MenuBarHost&)> whenThere(WindowHandOffs::HandOff handOff)
{
    return [handOff](const MenuBarHost& host) { return host.hasHandOff(handOff); };
}

// By tool number.
const char* const kToolTitles[ToolTable::toolCount] = {
    "Arrow",   "Line",    "Text",       "Rectangle",          "Circle",  "Rounded Rectangle",
    "Triangle", "Diamond", "Picture...", "Picture Library...", "Barcode", "Signature",
    "Fingerprint", "Star", "Double Star", "Polygon",
};

}

QList<Row> MainMenuBar::rows()
{
    using C = CanvasCommand;
    using K = QKeySequence;
    using H = WindowHandOffs::HandOff;
    // The table keeps its hand-made layout.
    // clang-format off
    QList<Row> rows {
        {Menu::File, tr("New"), {}, keys(K::New, {K(Qt::CTRL | Qt::Key_N)}), onWindow(&MenuBarHost::New_Btn_Clicked)},
        {Menu::File, tr("Open..."), {}, keys(K::Open, {K(Qt::CTRL | Qt::Key_O)}), onWindow(&MenuBarHost::Open_Btn_Clicked)},
        {Menu::File, tr("Save"), {}, keys(K::Save, {K(Qt::CTRL | Qt::Key_S)}), onWindow(&MenuBarHost::Save_Btn_Clicked)},
        {Menu::File, tr("Save As..."), {}, keys(K::SaveAs, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}),
         onWindow(&MenuBarHost::SaveAs_Btn_Clicked)},
        {Menu::File, tr("New from Template..."), {}, {}, onWindow(&MenuBarHost::New_From_Template_Clicked),
         true},
        {Menu::File, tr("Card Size Wizard..."), {}, {}, onWindow(&MenuBarHost::Card_Size_Wizard_Clicked)},
        {Menu::File, tr("Start Screen..."), {}, {}, onWindow(&MenuBarHost::Start_Screen_Clicked)},
        {Menu::File, tr("Print..."), {}, keys(K::Print), onWindow(&MenuBarHost::Print_Button), true, false,
         whenThere(H::Print)},
        {Menu::File, tr("Mail..."), {}, {}, onWindow(&MenuBarHost::Mail_Button), false, false,
         whenThere(H::Mail)},
        {Menu::File, tr("Export..."), {}, {}, onWindow(&MenuBarHost::Export_Button)},
        {Menu::File, tr("Export As Template..."), {}, {}, onWindow(&MenuBarHost::Export_As_Template_Clicked)},
        {Menu::File, tr("Batch Series..."), {}, {}, onWindow(&MenuBarHost::Batch_Series_Button), true,
         false, whenThere(H::BatchSeries)},
        {Menu::File, tr("Import Wizard..."), {}, {}, onWindow(&MenuBarHost::Import_Wizard_Button), false,
         false, whenThere(H::ImportWizard)},
        {Menu::File, tr("Create Series..."), {}, {}, onWindow(&MenuBarHost::Create_Series_Button), false,
         false, whenThere(H::CreateSeries)},
        {Menu::File, tr("Exit"), {}, keys(K::Quit, {K(Qt::CTRL | Qt::Key_Q)}),
         [](MenuBarHost& c) { c.Exit_App(); }, true},

        {Menu::Edit, tr("Undo"), C::Undo, keys(K::Undo), onWindow(&MenuBarHost::Undo_Clicked)},
        {Menu::Edit, tr("Redo"), C::Redo,
         keys(K::Redo, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), K(Qt::CTRL | Qt::Key_Y)}),
         onWindow(&MenuBarHost::Redo_Clicked)},
        {Menu::Edit, tr("Cut"), C::Cut, keys(K::Cut), onWindow(&MenuBarHost::Cut_Clicked), true},
        {Menu::Edit, tr("Copy"), C::Copy, keys(K::Copy), onWindow(&MenuBarHost::Copy_Clicked)},
        {Menu::Edit, tr("Paste"), C::Paste, keys(K::Paste), onWindow(&MenuBarHost::Paste_Clicked)},
        {Menu::Edit, tr("Delete"), C::Delete, keys(K::Delete, {K(Qt::Key_Delete), K(Qt::Key_Backspace)}),
         onWindow(&MenuBarHost::Delete_Clicked)},
        {Menu::Edit, tr("Select All"), C::SelectAll, keys(K::SelectAll), onCanvas(&ArrangeCommands::selectAll), true},
        {Menu::Edit, tr("Deselect All"), C::DeselectAll, keys(K::Deselect, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_A)}),
         onCanvas(&ArrangeCommands::deselectAll)},
        {Menu::Edit, tr("User Profile..."), {}, {}, onWindow(&MenuBarHost::User_Profile_Button_Clicked), true,
         false, [](const MenuBarHost& c) { return c.profileDialog() != nullptr; }},

        {Menu::Arrange, tr("Bring to Front"), C::BringToFront, {}, onCanvas(&ArrangeCommands::bringToFront)},
        {Menu::Arrange, tr("Send to Back"), C::SendToBack, {}, onCanvas(&ArrangeCommands::sendToBack)},
        {Menu::Arrange, tr("Lock"), {}, {}, onWindow(&MenuBarHost::Lock_Clicked)},
        {Menu::Arrange, tr("Unlock"), {}, {}, onWindow(&MenuBarHost::Unlock_Clicked)},
        {Menu::Arrange, tr("Align Left Edges"), C::AlignLeftEdges, {}, onCanvas(&ArrangeCommands::alignLeftEdges),
         true},
        {Menu::Arrange, tr("Align Right Edges"), C::AlignRightEdges, {}, onCanvas(&ArrangeCommands::alignRightEdges)},
        {Menu::Arrange, tr("Align Top Edges"), C::AlignTopEdges, {}, onCanvas(&ArrangeCommands::alignTopEdges)},
        {Menu::Arrange, tr("Align Bottom Edges"), C::AlignBottomEdges, {},
         onCanvas(&ArrangeCommands::alignBottomEdges)},
        {Menu::Arrange, tr("Align Horizontal Centers"), C::AlignHorizontalCenters, {},
         onCanvas(&ArrangeCommands::alignHorizontalCenters)},
        {Menu::Arrange, tr("Align Vertical Centers"), C::AlignVerticalCenters, {},
         onCanvas(&ArrangeCommands::alignVerticalCenters)},
        {Menu::Arrange, tr("Center on Card"), C::AlignFormCenter, {}, onCanvas(&ArrangeCommands::alignformCenter)},
        {Menu::Arrange, tr("Make Same Width"), C::MakeSameWidth, {}, onCanvas(&ArrangeCommands::makeSameWidth), true},
        {Menu::Arrange, tr("Make Same Height"), C::MakeSameHeight, {}, onCanvas(&ArrangeCommands::makeSameHeight)},
        {Menu::Arrange, tr("Make Natural Size"), C::MakeNaturalSize, {},
         onCanvas(&ArrangeCommands::makeNaturalSize)},
        {Menu::Arrange, tr("Align with Grid"), C::AlignWithGrid, {}, onCanvas(&ArrangeCommands::alignWithGrid),
         true},

        {Menu::View, tr("Show Ruler"), C::ShowOrHideRulers, {},
         onWindow(&MenuBarHost::Show_Hide_Ruler_ChkBox)},
        {Menu::View, tr("Snap to Grid"), {}, {}, onWindow(&MenuBarHost::toggleGridConstraining), true,
         true},
        {Menu::View, tr("Grid..."), {}, {}, onWindow(&MenuBarHost::toggleGridShowing)},
    };
    for (int tool = 0; tool < ToolTable::toolCount; ++tool)
        rows.append({Menu::Tools, tr(kToolTitles[tool]), {}, {},
                     [tool](MenuBarHost& c) { c.selectTool(tool); }, tool == 1, true});
    rows.append({Menu::Help, tr("Brightfold Help"), {}, keys(K::HelpContents),
                 onWindow(&MenuBarHost::Help_Button), false, false, whenThere(H::Help)});
    rows.append({Menu::Help, tr("Share Brightfold..."), {}, {}, onWindow(&MenuBarHost::Share_It_Button)});
    // the maker's other programs, each in the promotion window
    const std::pair<const char*, void (MenuBarHost::*)()> promotions[] = {
        {"S", &MenuBarHost::Promotion_S_Button},
        {"R", &MenuBarHost::Promotion_R_Button},
        {"B", &MenuBarHost::Promotion_B_Button},
    };
    for (const auto& [code, action] : promotions) {
        if (const auto product = PromotedProducts::product(QString::fromLatin1(code), QString()))
            rows.append({Menu::Help, product->title + QStringLiteral("..."), {}, {}, onWindow(action),
                         code == promotions[0].first});
    }
    rows.append({Menu::Help, tr("About Brightfold"), {}, {}, onWindow(&MenuBarHost::About_Button), true});
    // clang-format on
    return rows;
}

MainMenuBar::MainMenuBar(MenuBarHost& host, QMainWindow& window) : QObject(&window), m_host(host)
{
    m_menuBar = new QMenuBar(&window);
    m_menuBar->setObjectName(QStringLiteral("MainMenuBar"));
    for (int i = 0; i < int(std::size(kMenuTitles)); ++i) {
        QMenu* menu = m_menuBar->addMenu(kMenuTitles[i]);
        menu->setObjectName(kMenuTitles[i]);
        m_menus[i] = menu;
        // Opening a menu shows the state of the canvas at that moment.
        connect(menu, &QMenu::aboutToShow, this, &MainMenuBar::validate);
    }
    m_toolGroup = new QActionGroup(this);
    m_toolGroup->setExclusive(true);

    QHash<QString, QAction*> windowActions;
    for (const Row& row : rows()) {
        QMenu* menu = m_menus[int(row.menu)];
        if (row.separatorBefore)
            menu->addSeparator();
        QAction* action = menu->addAction(row.title);
        action->setShortcuts(row.keys);
        action->setCheckable(row.checkable);
        const auto run = row.run;
        connect(action, &QAction::triggered, this, [this, run] {
            if (run)
                run(m_host);
        });
        if (row.command) {
            m_commandActions[*row.command] = action;
        } else if (row.menu == Menu::Tools) {
            m_toolGroup->addAction(action);
            m_toolActions.append(action);
        } else {
            windowActions.insert(row.title, action);
        }
        if (row.available)
            m_availableActions.append({action, row.available});
    }
    m_exitAction = windowActions.value(tr("Exit"));
    m_snapAction = windowActions.value(tr("Snap to Grid"));
    m_gridAction = windowActions.value(tr("Grid..."));
    window.setMenuBar(m_menuBar);
    validate();
}

MainMenuBar::~MainMenuBar() = default;

QAction* MainMenuBar::action(CanvasCommand command) const
{
    const auto found = m_commandActions.find(command);
    return found == m_commandActions.end() ? nullptr : found->second;
}

QMenu* MainMenuBar::menu(const QString& title) const
{
    for (QMenu* menu : m_menus) {
        if (menu->title() == title)
            return menu;
    }
    return nullptr;
}

void MainMenuBar::validate()
{
    for (const auto& [command, action] : m_commandActions) {
        const MenuItemState state = m_host.menuItemState(command);
        action->setEnabled(state.enabled);
        if (!state.title.isEmpty())
            action->setText(state.title);
    }
    for (const auto& [action, available] : m_availableActions)
        action->setEnabled(available(m_host));
    if (m_snapAction) {
        const SKTGrid* grid = m_host.grid();
        m_snapAction->setChecked(grid && grid->isConstraining());
    }
    showSelectedTool();
}

void MainMenuBar::showSelectedTool()
{
    if (QAction* action = m_toolActions.value(m_host.selectedTool()))
        action->setChecked(true);
}
