#pragma once

#include "platform/MessagePresenter.h"

#include <QList>
#include <QMutex>
#include <QStringList>

// A presenter for tests: records every box it is asked to show, answers
// Yes/No questions from a script (No once the script is used up) and shows
// nothing. Install it with MessagePresenter::install().
class ScriptedMessagePresenter : public MessagePresenter
{
public:
    struct Box {
        enum class Kind { Message, Question } kind;
        QString text;
        bool onGuiThread;   // where the box would have been shown
    };

    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;

    // Queues the answers of the next questions, in order.
    void scriptAnswers(std::initializer_list<bool> answers);

    QList<Box> boxes() const;
    QStringList texts() const;
    void clear();

private:
    mutable QMutex m_mutex;
    QList<Box> m_boxes;
    QList<bool> m_answers;
};
