#pragma once

#include <QStringList>
#include <deque>

#include "common/ui/Messages.h"

namespace kalderon::testing {

// Messages that are recorded instead of shown; questions take the answers
// queued for them (Cancel when none is left).
class ScriptedMessages : public Messages {
public:
    void Show(QWidget* parent, const QString& text) override;
    Answer Ask(QWidget* parent, const QString& text, const QString& caption) override;
    // Takes the next queued answer too; No when none is left.
    Answer Confirm(QWidget* parent, const QString& text) override;
    // Takes the next queued answer like Ask; Cancel when none is left.
    Answer AskForEach(QWidget* parent, const QString& text, const QString& caption) override;

    std::deque<Answer> answers;
    QStringList shown;  // every text in order, messages and questions
};

}  // namespace kalderon::testing
