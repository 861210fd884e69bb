#pragma once

#include <QApplication>

namespace kalderon {

class Messages;

// The application object of the desktop program.  A command that runs out
// of memory ends in a message; the program and its other windows go on.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    // Where the message goes; until then it goes to standard error.
    void SetMessages(Messages* messages) { messages_ = messages; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Messages* messages_ = nullptr;
    bool reporting_ = false;
};

}  // namespace kalderon
