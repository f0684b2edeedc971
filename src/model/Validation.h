#pragma once

#include <string_view>
#include <vector>

#include "model/OptimizationModel.h"
#include "model/ProductModel.h"

namespace quelmora {

// Reads a number typed by a person or stored as text: surrounding spaces and
// control characters are ignored, a comma is a decimal point, no digit
// grouping; infinities and not-a-number are refused. Value is left unchanged
// on failure.
bool TryParseNumber(std::string_view text, double& Value);

// The rule of one entry of the product or settings field table; raise
// EArgumentOutOfRangeException for an index outside the table.
bool IsProductFieldValid(const TProduct& product, int index);
bool IsSettingsFieldValid(const TOptimizationSettings& settings, int index);

// The validators raise TErrorKind::InvalidInput with the first fault found and
// never change their input.
void ValidateProduct(const TProduct& product);
void ValidateSettings(const TOptimizationSettings& settings);
void ValidateProject(const std::vector<TProduct>& products, const TOptimizationSettings& settings);

}  // namespace quelmora
