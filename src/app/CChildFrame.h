#pragma once

#include <QMdiSubWindow>

namespace kalderon {

// An MDI child window of the main frame: it knows the resource id of its
// default title and the menu the main frame shows while it is active.
// Windows whose content may be unsaved ask before they close; a refusal
// keeps the window open and makes close() return false.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(int resourceId, int menuId, QWidget* parent = nullptr);

    int resourceId() const { return resourceId_; }
    int menuId() const { return menuId_; }

    // Commands of the main frame that act on the active window (save,
    // print, copy, the chart options): whether this window has the command,
    // and running it.
    virtual bool HandlesCommand(int id) const { return false; }
    virtual void RunCommand(int id) {}
    // Whether a checkable command stands checked for this window.
    virtual bool CommandChecked(int id) const { return false; }

    // Content that closing the window would lose, and saving it as the
    // window's own question on closing saves it (false when cancelled or
    // failed): Close All and Exit ask about such windows themselves.
    virtual bool HasUnsavedContent() const { return false; }
    virtual bool SaveContent() { return true; }
    // Closes the window without its own question; false when it stays open.
    bool CloseWithoutAsking();

signals:
    // Which commands the window has changed (a selection came or went).
    void CommandsChanged();

protected:
    // Whether the window may close now; windows without unsaved content say yes.
    virtual bool QueryClose() { return true; }

    void closeEvent(QCloseEvent* event) override;

private:
    int resourceId_;
    int menuId_;
    bool askBeforeClosing_ = true;
};

}  // namespace kalderon
