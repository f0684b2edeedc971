#pragma once

#include <string>
#include <string_view>

#include "engine/Optimizer.h"

namespace quelmora {

// The delete question, translated, with Name put in afterwards as it is: a
// name is never translated and may hold any character.
std::string DeleteQuestion(std::string_view Name);

// The status after an import of Count products.
std::string ProductsAddedText(int Count);

// The status band's text while a run is going: the stage translated and,
// while products are being calculated, which of how many was begun last.
std::string RunProgressText(const std::string& Stage, const TProductCount& Count);

}  // namespace quelmora
