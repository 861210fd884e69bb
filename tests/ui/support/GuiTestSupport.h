#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <vector>

class QWidget;

namespace kalderon::testing {

// A file of the source tree.
QString SourcePath(const QString& relative);

// Keeps the user settings of the test in a fresh temporary folder.
void UseTemporarySettings();

// Numbers and dates in the C conventions, the report clock fixed as
// kalderon-batch's runs in the tests fix it (SOURCE_DATE_EPOCH 1700000000 in
// UTC), and temporary settings: what a test comparing windows with
// kalderon-batch's reports needs first.
void UseBatchReportConditions();

// The child of `parent` named with the id ("id1028"); fails the test when
// there is none.
template <typename T>
T* Control(QWidget* parent, int id);
// The object names of the ids, in order.
QStringList ControlNames(std::initializer_list<int> ids);

// Types into a named edit, checks a named check box, clicks a named button.
void SetText(QWidget* parent, int id, const QString& text);
void SetChecked(QWidget* parent, int id, bool on = true);
void Click(QWidget* parent, int id);
// Chooses the entry of a named combo box by its text.
void Choose(QWidget* parent, int id, const QString& entry);

// Works a save dialog (QFileDialog) as a person does: picks the entry
// `typeEntry` of its list of file types with the arrow keys, puts `name`
// into the file name and presses Enter.
void SaveInFileDialog(QWidget* modal, const QString& name, int typeEntry);

// Works the modal windows that open while it exists: each action in turn
// gets the next modal window as soon as it is shown, and should close it.
class ModalScript {
public:
    using Action = std::function<void(QWidget*)>;

    explicit ModalScript(std::vector<Action> actions);
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Whether every action has run.
    bool finished() const { return next_ == actions_.size(); }

private:
    void Poll();

    std::vector<Action> actions_;
    size_t next_ = 0;
    QPointer<QWidget> last_;
    QTimer timer_;
};

// The modal window as the dialog class a step expects; a test that meets
// another window stops at once rather than wait on it.
template <typename T>
T& Expect(QWidget* modal);

}  // namespace kalderon::testing

#include "support/GuiTestSupport.inl"
