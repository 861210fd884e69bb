#pragma once

#include <QString>

class QWidget;

namespace kalderon {

// The message boxes of the program.  The windows show them through this
// interface so that tests can read the texts and give the answers.
class Messages {
public:
    enum class Answer { Ok, Yes, No, Cancel, YesToAll, NoToAll };

    virtual ~Messages() = default;

    // A message with an OK button, captioned with the application title.
    virtual void Show(QWidget* parent, const QString& text) = 0;
    // A question with the buttons Yes, No and Cancel.
    virtual Answer Ask(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A question with the buttons Yes and No, captioned with the application
    // title; No is the default.
    virtual Answer Confirm(QWidget* parent, const QString& text) = 0;
    // A question asked in turn about each of several things, with the
    // buttons Yes, Yes to all, No, No to all and Cancel.
    virtual Answer AskForEach(QWidget* parent, const QString& text, const QString& caption) = 0;
};

}  // namespace kalderon
