#pragma once

namespace tw {

// The names the desktop knows the program by: "tarnwick" is the name of its settings folder
// and desktop entry. Window titles stay exactly as each window sets them; the application
// title "Tarnwick 5" is the caption of the program's own message boxes.
void setApplicationNames();

} // namespace tw
