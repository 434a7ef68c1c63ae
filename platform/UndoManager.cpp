#include "platform/UndoManager.h"

#include <QMetaObject>
#include <QtDebug>

#include <algorithm>

UndoManager::UndoManager(QObject* parent)
    : QObject(parent)
{
}

UndoManager::~UndoManager() = default;

void UndoManager::registerUndo(Action action)
{
    if (m_disableCount > 0 || !action)
        return;
    if (m_open.empty()) {
        if (!m_groupsByEvent) {
            qWarning("UndoManager: an undo action was registered outside any undo group; it is dropped");
            return;
        }
        openGroup();
        m_openedByEvent = true;
        closeGroupSoon();
    }
    // A new step makes the steps that were undone before unreachable.
    if (m_state == State::Idle)
        m_redoStack.clear();
    m_open.back().entries.push_back(std::move(action));
}

void UndoManager::openGroup()
{
    m_open.push_back(Group {});
}

void UndoManager::beginUndoGrouping()
{
    if (!m_open.empty())
        emit checkpoint();
    openGroup();
}

void UndoManager::endUndoGrouping()
{
    if (m_open.empty()) {
        qWarning("UndoManager: endUndoGrouping() without an open undo group");
        return;
    }
    if (m_state != State::Idle && m_open.size() == 1) {
        qWarning("UndoManager: endUndoGrouping() would close the group that undo or redo is building");
        return;
    }
    emit checkpoint();
    // The signal's receivers may have emptied everything.
    if (m_open.empty())
        return;
    Group group = std::move(m_open.back());
    m_open.pop_back();
    if (!m_open.empty()) {
        // A nested group becomes part of the group around it. Undoing the
        // outer group runs all entries backwards, which undoes the nested
        // group as a whole at its place.
        std::vector<Action>& parent = m_open.back().entries;
        std::move(group.entries.begin(), group.entries.end(), std::back_inserter(parent));
        if (m_open.size() == 1 && m_openedByEvent)
            closeGroupSoon();
        return;
    }
    m_openedByEvent = false;
    if (!group.entries.empty())
        m_undoStack.push_back(std::move(group));
}

void UndoManager::closeGroupSoon()
{
    if (m_closeScheduled)
        return;
    m_closeScheduled = true;
    // Runs once control is back in the event loop, after the current event.
    QMetaObject::invokeMethod(this, [this] { closeGroupOfEvent(); }, Qt::QueuedConnection);
}

void UndoManager::closeGroupOfEvent()
{
    m_closeScheduled = false;
    // An explicit group still open inside (a drag in progress) keeps the
    // event's group open; its end schedules the close again.
    if (m_openedByEvent && m_open.size() == 1 && m_state == State::Idle)
        endUndoGrouping();
}

void UndoManager::disableUndoRegistration()
{
    ++m_disableCount;
}

void UndoManager::enableUndoRegistration()
{
    if (m_disableCount == 0) {
        qWarning("UndoManager: enableUndoRegistration() without disableUndoRegistration()");
        return;
    }
    --m_disableCount;
}

void UndoManager::undo()
{
    step(m_undoStack, m_redoStack, State::Undoing);
}

void UndoManager::redo()
{
    step(m_redoStack, m_undoStack, State::Redoing);
}

void UndoManager::step(std::vector<Group>& from, std::vector<Group>& to, State state)
{
    if (m_state != State::Idle) {
        qWarning("UndoManager: undo or redo while undoing or redoing");
        return;
    }
    if (!m_open.empty()) {
        if (m_open.size() == 1 && m_openedByEvent) {
            endUndoGrouping();
        } else {
            qWarning("UndoManager: undo or redo while an undo group is open");
            return;
        }
    }
    emit checkpoint();
    if (from.empty())
        return;
    Group group = std::move(from.back());
    from.pop_back();
    Group inverse = replay(std::move(group), state);
    if (!inverse.entries.empty())
        to.push_back(std::move(inverse));
}

UndoManager::Group UndoManager::replay(Group group, State state)
{
    struct Restore {
        UndoManager* manager;
        ~Restore() { manager->m_state = State::Idle; }
    } restore {this};

    m_state = state;
    const std::size_t base = m_open.size();
    m_open.push_back(Group {group.name, {}});
    for (auto it = group.entries.rbegin(); it != group.entries.rend(); ++it)
        (*it)();

    Group collected;
    collected.name = group.name;
    if (m_open.size() > base) {
        // Fold groups an action left open into the collecting group.
        while (m_open.size() > base + 1) {
            Group inner = std::move(m_open.back());
            m_open.pop_back();
            std::vector<Action>& parent = m_open.back().entries;
            std::move(inner.entries.begin(), inner.entries.end(), std::back_inserter(parent));
        }
        collected.entries = std::move(m_open.back().entries);
        m_open.pop_back();
    }
    emit checkpoint();
    return collected;
}

bool UndoManager::canUndo()
{
    emit checkpoint();
    if (!m_undoStack.empty())
        return true;
    if (m_state != State::Idle)
        return false;
    return std::any_of(m_open.begin(), m_open.end(), [](const Group& g) { return !g.entries.empty(); });
}

bool UndoManager::canRedo()
{
    emit checkpoint();
    return !m_redoStack.empty();
}

void UndoManager::setActionName(const QString& name)
{
    if (!m_open.empty())
        m_open.front().name = name;
    else if (!m_undoStack.empty())
        m_undoStack.back().name = name;
}

QString UndoManager::undoActionName() const
{
    if (m_state == State::Idle && !m_open.empty()
        && std::any_of(m_open.begin(), m_open.end(), [](const Group& g) { return !g.entries.empty(); }))
        return m_open.front().name;
    return m_undoStack.empty() ? QString() : m_undoStack.back().name;
}

QString UndoManager::redoActionName() const
{
    return m_redoStack.empty() ? QString() : m_redoStack.back().name;
}

void UndoManager::removeAllActions()
{
    m_undoStack.clear();
    m_redoStack.clear();
    m_open.clear();
    m_openedByEvent = false;
    m_disableCount = 0;
    // What observers gathered for the dropped group is void as well.
    emit checkpoint();
}
