#pragma once

#include <string>

namespace quelmora {

// The example product file where the package installs it, found from the
// running program rather than from the build's prefix: a package is packed
// for another prefix than the build's, and a relocated install moves it too.
// Named by the message of a CSV header that is not ours.
std::string InstalledExampleCsv();

}  // namespace quelmora
