#pragma once

#include "platform/MessagePresenter.h"

#include <QList>
#include <QMutex>
#include <QStringList>

// A presenter for tests: records every box it is asked to show, answers
// questions from a script (No once the script is used up) and shows
// nothing. A Cancelled answer given to a plain Yes/No question counts as No,
// as Escape does there. Install it with MessagePresenter::install().
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
    Answer askYesNoOrCancel(const QString& text) override;

    // Queue the answers of the next questions, in order (true is Yes).
    void scriptAnswers(std::initializer_list<bool> answers);
    void scriptAnswers(std::initializer_list<Answer> answers);

    QList<Box> boxes() const;
    QStringList texts() const;
    void clear();

private:
    Answer nextAnswer();

    mutable QMutex m_mutex;
    QList<Box> m_boxes;
    QList<Answer> m_answers;
};
