#include "platform/ScriptedMessagePresenter.h"

#include "platform/GuiThread.h"

void ScriptedMessagePresenter::showMessage(const QString& text)
{
    QMutexLocker lock(&m_mutex);
    m_boxes.append({Box::Kind::Message, text, isGuiThread()});
}

bool ScriptedMessagePresenter::askYesNo(const QString& text)
{
    QMutexLocker lock(&m_mutex);
    m_boxes.append({Box::Kind::Question, text, isGuiThread()});
    return nextAnswer() == Answer::Yes;
}

MessagePresenter::Answer ScriptedMessagePresenter::askYesNoOrCancel(const QString& text)
{
    QMutexLocker lock(&m_mutex);
    m_boxes.append({Box::Kind::Question, text, isGuiThread()});
    return nextAnswer();
}

MessagePresenter::Answer ScriptedMessagePresenter::nextAnswer()
{
    return m_answers.isEmpty() ? Answer::No : m_answers.takeFirst();
}

void ScriptedMessagePresenter::scriptAnswers(std::initializer_list<bool> answers)
{
    QMutexLocker lock(&m_mutex);
    for (bool a : answers)
        m_answers.append(a ? Answer::Yes : Answer::No);
}

void ScriptedMessagePresenter::scriptAnswers(std::initializer_list<Answer> answers)
{
    QMutexLocker lock(&m_mutex);
    for (Answer a : answers)
        m_answers.append(a);
}

QList<ScriptedMessagePresenter::Box> ScriptedMessagePresenter::boxes() const
{
    QMutexLocker lock(&m_mutex);
    return m_boxes;
}

QStringList ScriptedMessagePresenter::texts() const
{
    QMutexLocker lock(&m_mutex);
    QStringList list;
    for (const Box& b : m_boxes)
        list.append(b.text);
    return list;
}

void ScriptedMessagePresenter::clear()
{
    QMutexLocker lock(&m_mutex);
    m_boxes.clear();
    m_answers.clear();
}
