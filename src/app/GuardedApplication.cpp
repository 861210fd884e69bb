#include "app/GuardedApplication.h"

#include <cstdio>
#include <new>

#include "common/ui/Messages.h"
#include "resources/Texts.h"

namespace kalderon {

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        if (reporting_ || !messages_) {
            std::fprintf(stderr, "%s%s\n", text::kDesktopProgram, text::kNotEnoughMemory);
        } else {
            reporting_ = true;
            messages_->Show(activeWindow(), QString::fromLatin1(text::kNotEnoughMemory));
            reporting_ = false;
        }
    }
    return false;
}

}  // namespace kalderon
