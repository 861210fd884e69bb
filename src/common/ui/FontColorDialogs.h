#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace kalderon {

// The font and colour dialogs of the program, behind an interface so that
// tests can make the choice.
class FontColorDialogs {
public:
    virtual ~FontColorDialogs() = default;

    // Starts with font and colour; false when cancelled, else both hold the
    // choice.
    virtual bool ChooseFont(QWidget* parent, QFont& font, QColor& color) = 0;
    // Starts with colour; false when cancelled.
    virtual bool ChooseColor(QWidget* parent, QColor& color) = 0;
};

// The dialogs shown with QFontDialog and QColorDialog.
class QtFontColorDialogs : public FontColorDialogs {
public:
    bool ChooseFont(QWidget* parent, QFont& font, QColor& color) override;
    bool ChooseColor(QWidget* parent, QColor& color) override;
};

}  // namespace kalderon
