#include "support/ScriptedMessages.h"

namespace kalderon::testing {

void ScriptedMessages::Show(QWidget*, const QString& text) { shown << text; }

Messages::Answer ScriptedMessages::Ask(QWidget*, const QString& text, const QString&)
{
    shown << text;
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

Messages::Answer ScriptedMessages::Confirm(QWidget*, const QString& text)
{
    shown << text;
    if (answers.empty()) return Answer::No;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

Messages::Answer ScriptedMessages::AskForEach(QWidget* parent, const QString& text, const QString& caption)
{
    return Ask(parent, text, caption);
}

}  // namespace kalderon::testing
