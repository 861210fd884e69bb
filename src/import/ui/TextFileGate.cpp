#include "import/ui/TextFileGate.h"

#include "common/TextFormat.h"
#include "common/qt/DisplayText.h"
#include "common/ui/Messages.h"
#include "common/ui/UiText.h"
#include "import/TextFileCheck.h"
#include "resources/Texts.h"

namespace kalderon {

bool AcceptTextFile(QWidget* parent, Messages& messages, const QString& path)
{
    const std::string file = PathBytes(path);
    const ReadResult<TextFileCheck> check = CheckTextFile(file);
    if (!check) {
        messages.Show(parent, DisplayText(FormatText(text::kFileUnreadable, file, check.fault().description)));
        return false;
    }
    switch (check->kind) {
    case TextFileKind::kText:
        return true;
    case TextFileKind::kEmpty:
        messages.Show(parent, DisplayText(FormatText(text::kFileIsEmpty, file)));
        return false;
    case TextFileKind::kBinary:
        return messages.Confirm(parent, DisplayText(FormatText(text::kFileIsNotText, file, check->detail))) ==
               Messages::Answer::Yes;
    }
    return false;
}

}  // namespace kalderon
