#pragma once

namespace quelmora {

inline double MM3ToM3(double x) {
  return x / 1000000000.0;
}
inline double M3ToDM3(double x) {
  return x * 1000.0;
}
inline double MM2ToM2(double x) {
  return x / 1000000.0;
}
inline double GramsToKG(double x) {
  return x / 1000.0;
}

}  // namespace quelmora
