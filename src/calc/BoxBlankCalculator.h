#pragma once

namespace quelmora {

// Area in m2 of the flat board blank of a box with outer size L x B x H (mm),
// board thickness T and glue flap G (mm).
double BoxBlankAreaM2(double L, double B, double H, double T, double G);

}  // namespace quelmora
