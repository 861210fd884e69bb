#pragma once

#include <optional>

#include "common/ui/Messages.h"

class QMdiSubWindow;
class QWidget;

namespace kalderon {

// The questions of Close All and Exit, which close the windows one after
// the other: each window with unsaved content is named in its own
// question.  Yes saves it and No closes it unsaved; "Yes to all" and "No to
// all" answer for the windows that follow as well; Cancel keeps it open.
class ClosingQuestions {
public:
    ClosingQuestions(Messages& messages, QWidget* parent);

    // Closes `child`, asking first when it holds unsaved content; false
    // when it stays open.
    bool Close(QMdiSubWindow* child);

private:
    Messages& messages_;
    QWidget* parent_;
    std::optional<Messages::Answer> answerForAll_;
};

}  // namespace kalderon
