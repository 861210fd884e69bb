#pragma once

namespace kalderon {

// Text measuring and drawing into images need a GUI application object.  A
// program without windows (kalderon-batch, the tests) calls this before
// drawing: it makes one, without a display, when none exists yet, and keeps
// the C conventions for numbers and dates.
void EnsureImageApplication();

}  // namespace kalderon
