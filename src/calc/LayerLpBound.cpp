#include "calc/LayerLpBound.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "calc/Tolerances.h"

namespace quelmora {

namespace {

constexpr double kTol = kLengthToleranceMM;
constexpr double kPivotEps = 1e-9;
// Effort limits: a programme larger than this is left to the other bounds.
constexpr size_t kMostPoints = 400;
constexpr size_t kMostRows = 1500;
constexpr int kMostRounds = 80;
constexpr size_t kBatch = 400;
// Steps of the simplex, each row times column: about a tenth of a second.
constexpr double kMostWork = 1e8;

// Sums r l + s w below Room - min(l, w): every box of a layer pushed towards
// the origin starts at one of them.
std::vector<double> RasterPoints(double Room, double l, double w) {
  std::vector<double> all;
  const double last = Room - std::min(l, w) + kTol;
  for (double r = 0; r * l <= last; ++r)
    for (double s = 0; r * l + s * w <= last; ++s)
      all.push_back(r * l + s * w);
  std::sort(all.begin(), all.end());
  std::vector<double> points;
  for (const double v : all)
    if (points.empty() || v > points.back() + kTol) points.push_back(v);
  return points;
}

// A box placed at a raster point, as the half-open ranges of raster point
// indices it covers along X and Y.
struct TPlacement {
  int X0, X1, Y0, Y1;
};

struct TLpResult {
  std::vector<double> Primal;  // per column
  std::vector<double> Dual;    // per row
  int64_t Pivots = 0;
  bool Solved = false;
};

// max sum x subject to A x <= 1, x >= 0, A given densely by rows (0/1), on a
// dense tableau with slack columns. The steepest reduced cost enters; after a
// run of degenerate pivots Bland's rule takes over so that it cannot cycle.
TLpResult SolvePacking(const std::vector<uint8_t>& A, size_t Rows, size_t Columns,
                       double MostWork) {
  const size_t m = Rows, n = Columns, width = n + m + 1;
  std::vector<double> t(m * width, 0.0), d(n + m, 0.0);
  std::vector<size_t> basis(m);
  for (size_t i = 0; i < m; ++i) {
    for (size_t j = 0; j < n; ++j)
      t[i * width + j] = A[i * n + j];
    t[i * width + n + i] = 1;
    // Right-hand sides spread a little: the packing programme is highly
    // degenerate, and the duals read from it stay feasible whatever they are.
    t[i * width + n + m] = 1 + 1e-7 * static_cast<double>((i * 7919 + 13) % 1009) / 1009;
    basis[i] = n + i;
  }
  std::fill(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(n), 1.0);
  TLpResult result;
  int degenerate = 0;
  const int64_t mostPivots = static_cast<int64_t>(MostWork / static_cast<double>(m * width));
  while (result.Pivots < mostPivots) {
    size_t enter = n + m;
    for (size_t j = 0; j < n + m; ++j)
      if (d[j] > kPivotEps && (enter == n + m || (degenerate < 50 && d[j] > d[enter]))) {
        enter = j;
        if (degenerate >= 50) break;
      }
    if (enter == n + m) {
      result.Solved = true;
      break;
    }
    size_t leave = m;
    double ratio = 0;
    for (size_t i = 0; i < m; ++i) {
      const double a = t[i * width + enter];
      if (a <= kPivotEps) continue;
      const double q = t[i * width + n + m] / a;
      if (leave == m || q < ratio - 1e-12 || (q <= ratio + 1e-12 && basis[i] < basis[leave])) {
        leave = i;
        ratio = q;
      }
    }
    if (leave == m) return result;  // unbounded: cannot happen with every column in a row
    degenerate = ratio <= 1e-12 ? degenerate + 1 : 0;
    ++result.Pivots;
    double* pivotRow = &t[leave * width];
    const double inverse = 1 / pivotRow[enter];
    for (size_t j = 0; j < width; ++j)
      pivotRow[j] *= inverse;
    pivotRow[enter] = 1;
    for (size_t i = 0; i < m; ++i) {
      if (i == leave) continue;
      double* row = &t[i * width];
      const double f = row[enter];
      if (f == 0) continue;
      for (size_t j = 0; j < width; ++j)
        row[j] -= f * pivotRow[j];
      row[enter] = 0;
    }
    const double f = d[enter];
    for (size_t j = 0; j < n + m; ++j)
      d[j] -= f * pivotRow[j];
    d[enter] = 0;
    basis[leave] = enter;
  }
  result.Primal.assign(n, 0.0);
  for (size_t i = 0; i < m; ++i)
    if (basis[i] < n) result.Primal[basis[i]] = t[i * width + n + m];
  result.Dual.resize(m);
  for (size_t i = 0; i < m; ++i)
    result.Dual[i] = std::max(0.0, -d[n + i]);
  return result;
}

}  // namespace

int64_t PackingLpBound(double X, double Y, double BoxL, double BoxW, int64_t Goal) {
  if (X <= 0 || Y <= 0 || BoxL <= 0 || BoxW <= 0) return kNoLpBound;
  const std::vector<double> px = RasterPoints(X, BoxL, BoxW), py = RasterPoints(Y, BoxL, BoxW);
  const size_t nx = px.size(), ny = py.size();
  if (nx == 0 || ny == 0 || nx * ny > kMostPoints) return kNoLpBound;
  auto upTo = [](const std::vector<double>& p, double v) {
    return static_cast<int>(std::lower_bound(p.begin(), p.end(), v - kTol) - p.begin());
  };
  // Every placement at raster points, and the one at each point and turn.
  std::vector<TPlacement> placements;
  std::array<std::vector<int>, 2> at;
  const bool square = std::fabs(BoxL - BoxW) <= kTol;
  for (int turn = 0; turn < (square ? 1 : 2); ++turn) {
    const double dx = turn ? BoxW : BoxL, dy = turn ? BoxL : BoxW;
    at[turn].assign(nx * ny, -1);
    for (size_t i = 0; i < nx && px[i] + dx <= X + kTol; ++i)
      for (size_t j = 0; j < ny && py[j] + dy <= Y + kTol; ++j) {
        at[turn][i * ny + j] = static_cast<int>(placements.size());
        placements.push_back(
            {static_cast<int>(i), upTo(px, px[i] + dx), static_cast<int>(j), upTo(py, py[j] + dy)});
      }
  }
  if (placements.empty()) return 0;

  std::vector<int> columns, rows;  // placements and points (i ny + j) in the programme
  std::vector<char> inColumns(placements.size(), 0), inRows(nx * ny, 0);
  auto addRow = [&](size_t point) {
    if (!inRows[point]) {
      inRows[point] = 1;
      rows.push_back(static_cast<int>(point));
    }
  };
  // A column always comes with the point at its corner, which keeps the
  // programme bounded.
  auto addColumn = [&](int p) {
    if (inColumns[static_cast<size_t>(p)]) return;
    inColumns[static_cast<size_t>(p)] = 1;
    columns.push_back(p);
    const TPlacement& c = placements[static_cast<size_t>(p)];
    addRow(static_cast<size_t>(c.X0) * ny + static_cast<size_t>(c.Y0));
  };
  // Start from the better grid.
  {
    int bestTurn = 0;
    double bestCount = -1;
    for (int turn = 0; turn < (square ? 1 : 2); ++turn) {
      const double dx = turn ? BoxW : BoxL, dy = turn ? BoxL : BoxW;
      const double c = std::floor((X + kTol) / dx) * std::floor((Y + kTol) / dy);
      if (c > bestCount) bestCount = c, bestTurn = turn;
    }
    const double dx = bestTurn ? BoxW : BoxL, dy = bestTurn ? BoxL : BoxW;
    for (double i = 0; (i + 1) * dx <= X + kTol; ++i)
      for (double j = 0; (j + 1) * dy <= Y + kTol; ++j) {
        const size_t xi = static_cast<size_t>(upTo(px, i * dx)),
                     yj = static_cast<size_t>(upTo(py, j * dy));
        if (xi < nx && yj < ny && at[bestTurn][xi * ny + yj] >= 0)
          addColumn(at[bestTurn][xi * ny + yj]);
      }
    if (columns.empty()) addColumn(0);
  }

  int64_t best = kNoLpBound;
  double work = 0;
  std::vector<double> sums((nx + 1) * (ny + 1));
  std::vector<std::pair<double, int>> found;
  for (int round = 0; round < kMostRounds && rows.size() <= kMostRows; ++round) {
    const size_t m = rows.size(), n = columns.size();
    std::vector<uint8_t> a(m * n, 0);
    for (size_t r = 0; r < m; ++r) {
      const int i = rows[r] / static_cast<int>(ny), j = rows[r] % static_cast<int>(ny);
      for (size_t c = 0; c < n; ++c) {
        const TPlacement& p = placements[static_cast<size_t>(columns[c])];
        a[r * n + c] = p.X0 <= i && i < p.X1 && p.Y0 <= j && j < p.Y1;
      }
    }
    const TLpResult lp = SolvePacking(a, m, n, kMostWork - work);
    work += static_cast<double>(lp.Pivots) * static_cast<double>(m * (n + m));
    if (!lp.Solved) break;

    // Duals: the weight each placement covers, from sums over the points.
    std::fill(sums.begin(), sums.end(), 0.0);
    double total = 0;
    for (size_t r = 0; r < m; ++r) {
      sums[(static_cast<size_t>(rows[r]) / ny + 1) * (ny + 1) + static_cast<size_t>(rows[r]) % ny +
           1] = lp.Dual[r];
      total += lp.Dual[r];
    }
    for (size_t i = 1; i <= nx; ++i)
      for (size_t j = 1; j <= ny; ++j)
        sums[i * (ny + 1) + j] += sums[(i - 1) * (ny + 1) + j] + sums[i * (ny + 1) + j - 1] -
                                  sums[(i - 1) * (ny + 1) + j - 1];
    auto covered = [&](const TPlacement& p) {
      const size_t x0 = static_cast<size_t>(p.X0), x1 = static_cast<size_t>(p.X1),
                   y0 = static_cast<size_t>(p.Y0), y1 = static_cast<size_t>(p.Y1);
      return sums[x1 * (ny + 1) + y1] - sums[x0 * (ny + 1) + y1] - sums[x1 * (ny + 1) + y0] +
             sums[x0 * (ny + 1) + y0];
    };
    double least = 1;
    found.clear();
    for (size_t p = 0; p < placements.size(); ++p) {
      const double c = covered(placements[p]);
      least = std::min(least, c);
      if (c < 1 - 1e-7) found.emplace_back(c, static_cast<int>(p));
    }
    // Duals scaled to cover every placement once are a feasible dual
    // solution: their sum bounds the programme and so the layer.
    if (least > 1e-3) best = std::min(best, static_cast<int64_t>(std::floor(total / least + 1e-9)));
    if (best <= Goal) break;
    if (!found.empty()) {
      std::sort(found.begin(), found.end());
      for (size_t k = 0; k < found.size() && k < kBatch; ++k)
        addColumn(found[k].second);
      continue;
    }
    // Every column priced out: points the primal covers more than once go
    // in, the most covered first.
    std::fill(sums.begin(), sums.end(), 0.0);
    for (size_t c = 0; c < n; ++c) {
      const TPlacement& p = placements[static_cast<size_t>(columns[c])];
      const double v = lp.Primal[c];
      sums[static_cast<size_t>(p.X0) * (ny + 1) + static_cast<size_t>(p.Y0)] += v;
      sums[static_cast<size_t>(p.X1) * (ny + 1) + static_cast<size_t>(p.Y0)] -= v;
      sums[static_cast<size_t>(p.X0) * (ny + 1) + static_cast<size_t>(p.Y1)] -= v;
      sums[static_cast<size_t>(p.X1) * (ny + 1) + static_cast<size_t>(p.Y1)] += v;
    }
    for (size_t i = 0; i <= nx; ++i)
      for (size_t j = 0; j <= ny; ++j)
        sums[i * (ny + 1) + j] += (i ? sums[(i - 1) * (ny + 1) + j] : 0) +
                                  (j ? sums[i * (ny + 1) + j - 1] : 0) -
                                  (i && j ? sums[(i - 1) * (ny + 1) + j - 1] : 0);
    for (size_t i = 0; i < nx; ++i)
      for (size_t j = 0; j < ny; ++j)
        if (const double c = sums[i * (ny + 1) + j]; c > 1 + 1e-7 && !inRows[i * ny + j])
          found.emplace_back(-c, static_cast<int>(i * ny + j));
    if (found.empty()) break;  // the programme is solved
    std::sort(found.begin(), found.end());
    for (size_t k = 0; k < found.size() && k < kBatch; ++k)
      addRow(static_cast<size_t>(found[k].second));
  }
  return best;
}

}  // namespace quelmora
