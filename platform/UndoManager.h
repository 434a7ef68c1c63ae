#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

// Records undo actions in groups and replays them. A group is what one Undo
// or Redo command reverts or repeats.
//
// - Grouping by event (on by default): the first registration while no group
//   is open opens a group of its own, which closes when control returns to the
//   event loop, so everything one event does is one step.
// - Explicit groups (beginUndoGrouping / endUndoGrouping) nest; a group that
//   spans several events (a mouse drag from press to release) stays open
//   until its end, and nested groups become part of the group around them.
// - Registration can be switched off; the calls are counted, every
//   disableUndoRegistration() needs one enableUndoRegistration().
// - Undoing a group runs its actions last first; what they register while
//   undoing becomes the group that Redo runs, and the other way round.
// - The checkpoint signal comes when a group closes, when a nested group
//   opens, when undo or redo starts, when canUndo()/canRedo() is asked and
//   when the history is emptied, so observers can finish what they gather
//   for the current group.
// The number of levels is not limited. Empty groups are dropped.
class UndoManager : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<void()>;

    explicit UndoManager(QObject* parent = nullptr);
    ~UndoManager() override;

    // Records `action` in the open group (opening one when grouping by event
    // and none is open). Ignored while registration is off. Outside undo and
    // redo it empties the redo history.
    void registerUndo(Action action);

    void beginUndoGrouping();
    void endUndoGrouping();
    int groupingLevel() const { return int(m_open.size()); }

    bool groupsByEvent() const { return m_groupsByEvent; }
    void setGroupsByEvent(bool on) { m_groupsByEvent = on; }

    void disableUndoRegistration();
    void enableUndoRegistration();
    bool isUndoRegistrationEnabled() const { return m_disableCount == 0; }

    // Closes a group opened by grouping by event first. Refused (with a
    // warning) while an explicit group is open, or while undoing or redoing.
    void undo();
    void redo();

    bool canUndo();
    bool canRedo();
    bool isUndoing() const { return m_state == State::Undoing; }
    bool isRedoing() const { return m_state == State::Redoing; }

    // Names the open group, or the last closed one when none is open.
    void setActionName(const QString& name);
    QString undoActionName() const;
    QString redoActionName() const;

    // Empties both histories, drops open groups and switches registration
    // back on.
    void removeAllActions();

signals:
    void checkpoint();

private:
    struct Group {
        QString name;
        std::vector<Action> entries;
    };
    enum class State { Idle, Undoing, Redoing };

    void openGroup();
    void closeGroupSoon();
    void closeGroupOfEvent();
    // Takes the last group of `from`, runs it and puts what it registered on `to`.
    void step(std::vector<Group>& from, std::vector<Group>& to, State state);
    // Runs `group` backwards, collecting what it registers into a new group.
    Group replay(Group group, State state);

    std::vector<Group> m_undoStack;
    std::vector<Group> m_redoStack;
    std::vector<Group> m_open;        // open groups, outermost first
    bool m_openedByEvent = false;     // the outermost open group closes with the event
    bool m_closeScheduled = false;
    bool m_groupsByEvent = true;
    int m_disableCount = 0;
    State m_state = State::Idle;
};
