#pragma once

namespace quelmora {

// Painting text needs a QGuiApplication (fonts). When the program has none,
// makes one for the rest of the process on the "offscreen" platform (unless
// QT_QPA_PLATFORM names another), so a report can be drawn without a
// display. Call it on the main thread. The C library's numeric locale stays
// "C", as files must not depend on the user's locale.
void EnsureGuiApplication();

}  // namespace quelmora
