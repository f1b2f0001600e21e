#pragma once

namespace tw {

// The names the desktop knows the program by: "Tarnwick 5" is the application title that the
// desktop shows, "tarnwick" the name of its settings folder and desktop entry.
void setApplicationNames();

} // namespace tw
