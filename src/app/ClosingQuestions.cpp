#include "app/ClosingQuestions.h"

#include "app/CChildFrame.h"
#include "common/ui/UiText.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {
constexpr int kUnsavedCaption = 222;
}  // namespace

ClosingQuestions::ClosingQuestions(Messages& messages, QWidget* parent) : messages_(messages), parent_(parent) {}

bool ClosingQuestions::Close(QMdiSubWindow* child)
{
    auto* frame = qobject_cast<CChildFrame*>(child);
    if (!frame || !frame->HasUnsavedContent()) return child->close();
    Messages::Answer answer = answerForAll_.value_or(Messages::Answer::Cancel);
    if (!answerForAll_) {
        const QString question =
            QString::fromLatin1(text::kUnsavedWindowQuestion).replace(QStringLiteral("%s"), frame->windowTitle());
        answer = messages_.AskForEach(parent_, question, UiString(kUnsavedCaption));
    }
    switch (answer) {
    case Messages::Answer::YesToAll:
        answerForAll_ = Messages::Answer::Yes;
        [[fallthrough]];
    case Messages::Answer::Yes:
        if (!frame->SaveContent()) return false;
        break;
    case Messages::Answer::NoToAll:
        answerForAll_ = Messages::Answer::No;
        break;
    case Messages::Answer::No: break;
    default: return false;
    }
    return frame->CloseWithoutAsking();
}

}  // namespace kalderon
