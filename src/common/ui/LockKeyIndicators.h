#pragma once

#include <QObject>
#include <QString>
#include <array>

class QLabel;
class QStatusBar;

namespace kalderon {

// The panes "CAP", "NUM" and "SCRL" of the status bar.  Qt tells nothing
// of the lock keys itself; what it does pass on is the window system's
// modifier state with every key event (nativeModifiers()).  On X11 and
// Wayland that state holds Caps Lock (Lock, bit 1) and, in the keyboard
// maps in use, Num Lock (Mod2, bit 4), so those two panes follow the keys
// from the first key pressed in the program on.  Scroll Lock is in no
// modifier state, and other platforms pass none: such panes, and all of
// them before the first key, stand dimmed with a tool tip that says the
// state is not known.  A known lock that is on shows its text, one that is
// off an empty pane.
class LockKeyIndicators : public QObject {
    Q_OBJECT
public:
    enum Lock { kCaps, kNum, kScroll, kLockCount };
    enum class State { kUnknown, kOff, kOn };

    // `platform` is the name of the Qt platform plug-in ("xcb", "wayland", ...).
    LockKeyIndicators(QStatusBar* statusBar, const QString& platform);

    State state(Lock lock) const { return states_[lock]; }
    QLabel* pane(Lock lock) const { return panes_[lock]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(Lock lock, State state);

    bool readable_;
    std::array<QLabel*, kLockCount> panes_{};
    std::array<State, kLockCount> states_{State::kUnknown, State::kUnknown, State::kUnknown};
};

}  // namespace kalderon
