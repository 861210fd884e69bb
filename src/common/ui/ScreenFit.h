#pragma once

class QDialog;
class QLayout;
class QScrollArea;
class QWidget;

namespace kalderon {

// Windows that open no larger than the screen they open on.

// Gives `window`, each time it is shown, its natural size (or the size it
// was given) as far as the available geometry of its screen has room for
// it, title bar and frame included.  A dialog then centres itself inside
// that geometry.
void FitToScreen(QWidget* window);

// Lays `dialog` out as the `content` layout in a scroll area and `buttons`
// outside it: beside it when they stand in a column (a vertical button
// box), else under it.  The scroll area asks for the whole content, so the
// dialog looks as without it where the screen has room and scrolls where
// not; the dialog stays resizable and is fitted to its screen.  The Tab
// order stays as it was.  Returns the scroll area.
QScrollArea* LayOutFittingScreen(QDialog* dialog, QLayout* content, QWidget* buttons);

// Moves the layout of `page` (a wizard page: the buttons are the wizard's)
// into such a scroll area, which then fills the page.
void ScrollContentsOf(QWidget* page);

}  // namespace kalderon
