#pragma once

#include "common/ui/Messages.h"

namespace kalderon {

// Messages shown in QMessageBox windows.
class MessageBoxMessages : public Messages {
public:
    void Show(QWidget* parent, const QString& text) override;
    Answer Ask(QWidget* parent, const QString& text, const QString& caption) override;
    Answer Confirm(QWidget* parent, const QString& text) override;
    Answer AskForEach(QWidget* parent, const QString& text, const QString& caption) override;
};

}  // namespace kalderon
