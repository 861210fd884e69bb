#pragma once

#include <functional>

class QPrinter;
class QString;
class QWidget;

namespace kalderon {

// The title of the window a view stands in, which names its printout.
QString WindowTitle(const QWidget& view);

// The print preview of a window: the pages that `print` puts on the
// printer, shown with the preview's zoom, orientation, page setup and print
// buttons; printing from it prints the same pages.
void ShowPrintPreview(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter&)>& print);

}  // namespace kalderon
