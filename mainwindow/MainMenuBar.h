#pragma once

// The main window's menu bar: File, Edit, Arrange, View, Tools and Help, built from
// one table of commands. The canvas commands go to the canvas of the side
// being edited, as the window's buttons do, and their items are enabled by
// that canvas's menu rule; the Tools items mirror the tool palette.

#include "canvas/CanvasMenuValidation.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <optional>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QMenuBar;
class MenuBarHost;

class MainMenuBar : public QObject
{
    Q_OBJECT

public:
    // Builds the menu bar of `window` for the commands of `host`.
    MainMenuBar(MenuBarHost& host, QMainWindow& window);
    ~MainMenuBar() override;

    QMenuBar* menuBar() const { return m_menuBar; }
    // The menu with that title ("File", "Edit", ...), or nullptr.
    QMenu* menu(const QString& title) const;
    // The item of a canvas command.
    QAction* action(CanvasCommand command) const;
    // The item of tool 0 to 15.
    QAction* toolAction(int tool) const { return m_toolActions.value(tool); }
    QAction* exitAction() const { return m_exitAction; }
    QAction* snapToGridAction() const { return m_snapAction; }
    QAction* gridAction() const { return m_gridAction; }

    // Brings the items up to date: canvas commands enabled (and the ruler
    // item titled) by the rule of the canvas they go to, snapping checked
    // while the grid snaps, the current tool checked.
    void validate();
    // Checks the item of the current tool.
    void showSelectedTool();

    // One item: the menu it is in, its title, the canvas command it stands
    // for (none for window commands, which are always enabled), its keys
    // and what it does.
    enum class Menu { File, Edit, Arrange, View, Tools, Help };
    struct Row {
        Menu menu;
        QString title;
        std::optional<CanvasCommand> command;
        QList<QKeySequence> keys;
        std::function<void(MenuBarHost&)> run;
        bool separatorBefore = false;
        bool checkable = false;
        // For a window command whose window may not be there yet: whether
        // it can run now (always, when not given).
        std::function<bool(const MenuBarHost&)> available = {};
    };

private:
    static QList<Row> rows();

    MenuBarHost& m_host;
    QMenuBar* m_menuBar = nullptr;
    std::array<QMenu*, 6> m_menus {};
    std::map<CanvasCommand, QAction*> m_commandActions;
    QList<QAction*> m_toolActions;
    QActionGroup* m_toolGroup = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_snapAction = nullptr;
    QAction* m_gridAction = nullptr;
    // window commands that can run only while their window is there
    QList<std::pair<QAction*, std::function<bool(const MenuBarHost&)>>> m_availableActions;
};
