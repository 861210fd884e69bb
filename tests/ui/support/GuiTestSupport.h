#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kalderon::testing {

// A file of the source tree.
QString SourcePath(const QString& relative);

// Keeps the user settings of the test in a fresh temporary folder.
void UseTemporarySettings();

// The child of `parent` named with the id ("id1028"); fails the test when
// there is none.
template <typename T>
T* Control(QWidget* parent, int id);

// Types into a named edit, checks a named check box, clicks a named button.
void SetText(QWidget* parent, int id, const QString& text);
void SetChecked(QWidget* parent, int id, bool on = true);
void Click(QWidget* parent, int id);

// Runs `action` with the next modal window as soon as it is shown.
void OnNextModal(std::function<void(QWidget*)> action);

}  // namespace kalderon::testing

#include "support/GuiTestSupport.inl"
