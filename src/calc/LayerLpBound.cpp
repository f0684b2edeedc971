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
constexpr size_t kMostPoints = 6000;
// Steps of the first-order method, and their work in points plus
// placements: about half a second.
constexpr int kMostSteps = 30000;
constexpr double kMostFirstOrderWork = 5e7;
// The exact simplex, for programmes the first-order steps leave open.
constexpr size_t kMostSimplexPoints = 400;
constexpr size_t kMostRows = 400;
constexpr int kMostRounds = 80;
constexpr size_t kColumnBatch = 150;
constexpr size_t kRowBatch = 100;
// Tableau entries updated by the simplex: about a fifth of a second.
constexpr double kMostWork = 1e8;

// Every sum r l + s w up to Room, ascending and distinct beyond the tolerance.
std::vector<double> Sums(double Room, double l, double w) {
  std::vector<double> all;
  for (double r = 0; r * l <= Room + kTol; ++r)
    for (double s = 0; r * l + s * w <= Room + kTol; ++s)
      all.push_back(r * l + s * w);
  std::sort(all.begin(), all.end());
  std::vector<double> sums;
  for (const double v : all)
    if (sums.empty() || v > sums.back() + kTol) sums.push_back(v);
  return sums;
}

// The largest sum not above z.
double Below(const std::vector<double>& Sums, double z) {
  return Sums[static_cast<size_t>(std::upper_bound(Sums.begin(), Sums.end(), z + kTol) -
                                  Sums.begin()) -
              1];
}

// The reduced raster points <Room - t> over sums t >= min(l, w), <z> the
// largest sum not above z (Scheithauer, G., Terno, J., "The G4-heuristic for
// the pallet loading problem", Journal of the Operational Research Society 47
// (1996) 511-522). Pushed to the far wall, a box starts at Room - t, t the
// sum of the sides in a chain from it to the wall; moving each box back to
// <Room - t> keeps every pair apart, since <Room - t> plus the box's side is
// a sum not above the next box's Room - t', and so not above <Room - t'>.
std::vector<double> ReducedRaster(double Room, double l, double w) {
  const std::vector<double> sums = Sums(Room, l, w);
  std::vector<double> all;
  for (const double t : sums)
    if (t >= std::min(l, w) - kTol) all.push_back(Below(sums, Room - t));
  std::sort(all.begin(), all.end());
  std::vector<double> points;
  for (const double v : all)
    if (points.empty() || v > points.back() + kTol) points.push_back(v);
  return points;
}

// A number in [0, 1) that looks random.
double Spread(size_t k) {
  return static_cast<double>((k * 7919 + 13) % 1009) / 1009;
}

// A box placed at a raster point, as the half-open ranges of raster point
// indices it covers along X and Y.
struct TPlacement {
  int X0, X1, Y0, Y1;
};

// max sum x subject to A x <= b, x >= 0 on a dense tableau that grows by
// columns (placements) and rows (points), each with its slack. Columns enter
// by primal steps, rows by dual steps from the previous basis.
class TSimplex {
 public:
  size_t Rows() const { return FT.size(); }
  int64_t Pivots() const { return FPivots; }
  double Work() const { return FWork; }

  // The dual value of each row.
  double Dual(size_t Row) const { return std::max(0.0, -FD[FSlack[Row]]); }
  // The value of each placement taken in, by placement index.
  template <class F>
  void ForEachPrimal(F&& Visit) const {
    for (size_t i = 0; i < FT.size(); ++i)
      if (FVar[FBasis[i]] >= 0) Visit(FVar[FBasis[i]], FRhs[i]);
  }

  // A placement covering the given rows.
  void AddColumn(int Placement, const std::vector<size_t>& CoveredRows, double Cost) {
    double d = Cost;
    for (const size_t r : CoveredRows)
      d += FD[FSlack[r]];  // minus the row's dual
    for (size_t i = 0; i < FT.size(); ++i) {
      double v = 0;
      for (const size_t r : CoveredRows)
        v += FT[i][FSlack[r]];
      FT[i].push_back(v);
    }
    FD.push_back(d);
    FWeight.push_back(1);
    FVar.push_back(Placement);
  }

  // A point's row: Covers(placement) says whether the placement covers it.
  template <class F>
  void AddRow(F&& Covers, double Rhs) {
    const size_t width = FD.size();
    std::vector<double> row(width + 1, 0.0);
    for (size_t j = 0; j < width; ++j)
      if (FVar[j] >= 0 && Covers(FVar[j])) row[j] = 1;
    // Subtract the rows of the basic columns it holds: one pass, since the
    // basic columns are unit vectors.
    std::vector<std::pair<size_t, double>> held;
    for (size_t i = 0; i < FT.size(); ++i)
      if (const double f = row[FBasis[i]]; f != 0) held.emplace_back(i, f);
    for (const auto& [i, f] : held) {
      const std::vector<double>& t = FT[i];
      for (size_t j = 0; j < width; ++j)
        row[j] -= f * t[j];
      Rhs -= f * FRhs[i];
      FWork += static_cast<double>(width);
    }
    for (std::vector<double>& t : FT)
      t.push_back(0);
    row[width] = 1;
    FSlack.push_back(width);
    FBasis.push_back(width);
    FVar.push_back(-1);
    FD.push_back(0);
    FWeight.push_back(1);
    FT.push_back(std::move(row));
    FRhs.push_back(Rhs);
  }

  // To the optimum (true) or until the work passes MostWork. Negative
  // right-hand sides (new rows) go first by dual steps: the reduced costs
  // are then all non-positive, the basis having been optimal.
  bool Solve(double MostWork) {
    while (FWork < MostWork) {
      size_t leave = FT.size();
      for (size_t i = 0; i < FT.size(); ++i)
        if (FRhs[i] < -kPivotEps && (leave == FT.size() || FRhs[i] < FRhs[leave])) leave = i;
      if (leave < FT.size()) {
        const std::vector<double>& t = FT[leave];
        size_t enter = FD.size();
        double ratio = 0;
        for (size_t j = 0; j < FD.size(); ++j) {
          if (t[j] >= -kPivotEps) continue;
          const double q = std::min(0.0, FD[j]) / t[j];
          if (enter == FD.size() || q < ratio - 1e-12 || (q <= ratio + 1e-12 && t[j] < t[enter])) {
            enter = j;
            ratio = q;
          }
        }
        if (enter == FD.size()) return false;  // infeasible: cannot happen with x = 0
        Pivot(leave, enter);
        continue;
      }
      // Devex pricing (Forrest and Goldfarb, Mathematical Programming 57
      // (1992) 341-374): the reduced cost against an estimate of the edge's
      // length, which cuts the long runs of tiny steps this programme takes
      // under the steepest reduced cost.
      size_t enter = FD.size();
      double score = 0;
      for (size_t j = 0; j < FD.size(); ++j)
        if (FD[j] > kPivotEps && FD[j] * FD[j] > score * FWeight[j]) {
          enter = j;
          score = FD[j] * FD[j] / FWeight[j];
        }
      if (enter == FD.size()) return true;
      leave = FT.size();
      double ratio = 0;
      for (size_t i = 0; i < FT.size(); ++i) {
        const double a = FT[i][enter];
        if (a <= kPivotEps) continue;
        const double q = std::max(0.0, FRhs[i]) / a;
        if (leave == FT.size() || q < ratio - 1e-12 ||
            (q <= ratio + 1e-12 && FBasis[i] < FBasis[leave])) {
          leave = i;
          ratio = q;
        }
      }
      if (leave == FT.size()) return false;  // unbounded: every column has its corner row
      Pivot(leave, enter);
    }
    return false;
  }

 private:
  void Pivot(size_t Leave, size_t Enter) {
    std::vector<double>& p = FT[Leave];
    const double inverse = 1 / p[Enter];
    FNonzero.clear();
    for (size_t j = 0; j < p.size(); ++j) {
      if (std::fabs(p[j]) < 1e-13) {
        p[j] = 0;
        continue;
      }
      p[j] *= inverse;
      FNonzero.push_back(j);
    }
    p[Enter] = 1;
    FRhs[Leave] *= inverse;
    for (size_t i = 0; i < FT.size(); ++i) {
      if (i == Leave) continue;
      std::vector<double>& row = FT[i];
      const double f = row[Enter];
      if (f == 0) continue;
      for (const size_t j : FNonzero)
        row[j] -= f * p[j];
      row[Enter] = 0;
      FRhs[i] -= f * FRhs[Leave];
      FWork += static_cast<double>(FNonzero.size());
    }
    // The Devex weights, from the pivot row as it stood.
    const double w = FWeight[Enter];
    for (const size_t j : FNonzero)
      FWeight[j] = std::max(FWeight[j], p[j] * p[j] * w);
    FWeight[FBasis[Leave]] = std::max(1.0, w * inverse * inverse);
    FWeight[Enter] = 1;
    if (const double f = FD[Enter]; f != 0)
      for (const size_t j : FNonzero)
        FD[j] -= f * p[j];
    FD[Enter] = 0;
    FBasis[Leave] = Enter;
    ++FPivots;
  }

  std::vector<std::vector<double>> FT;    // by rows
  std::vector<double> FRhs, FD, FWeight;  // FD: reduced costs, per column
  std::vector<size_t> FBasis, FSlack;     // per row
  std::vector<int> FVar;                  // per column: its placement, or -1 for a slack
  std::vector<size_t> FNonzero;
  int64_t FPivots = 0;
  double FWork = 0;
};

// The placements' covering operator and its transpose over the raster, each
// in time linear in points plus placements by sums over rectangles.
struct TRaster {
  size_t Nx, Ny;
  const std::vector<TPlacement>& Placements;
  std::vector<double> Sums;

  // The weight of Point (i Ny + j) values under each placement.
  void Cover(const std::vector<double>& Point, std::vector<double>& Out) {
    const size_t w = Ny + 1;
    Sums.assign((Nx + 1) * w, 0.0);
    for (size_t i = 0; i < Nx; ++i)
      for (size_t j = 0; j < Ny; ++j)
        Sums[(i + 1) * w + j + 1] =
            Point[i * Ny + j] + Sums[i * w + j + 1] + Sums[(i + 1) * w + j] - Sums[i * w + j];
    Out.resize(Placements.size());
    for (size_t p = 0; p < Placements.size(); ++p) {
      const TPlacement& c = Placements[p];
      const size_t x0 = static_cast<size_t>(c.X0), x1 = static_cast<size_t>(c.X1),
                   y0 = static_cast<size_t>(c.Y0), y1 = static_cast<size_t>(c.Y1);
      Out[p] = Sums[x1 * w + y1] - Sums[x0 * w + y1] - Sums[x1 * w + y0] + Sums[x0 * w + y0];
    }
  }
  // How much of the Placement values covers each point.
  void Load(const std::vector<double>& Placement, std::vector<double>& Out) {
    const size_t w = Ny + 1;
    Sums.assign((Nx + 1) * w, 0.0);
    for (size_t p = 0; p < Placements.size(); ++p) {
      const TPlacement& c = Placements[p];
      const size_t x0 = static_cast<size_t>(c.X0), x1 = static_cast<size_t>(c.X1),
                   y0 = static_cast<size_t>(c.Y0), y1 = static_cast<size_t>(c.Y1);
      const double v = Placement[p];
      Sums[x0 * w + y0] += v;
      Sums[x1 * w + y0] -= v;
      Sums[x0 * w + y1] -= v;
      Sums[x1 * w + y1] += v;
    }
    Out.resize(Nx * Ny);
    for (size_t i = 0; i <= Nx; ++i)
      for (size_t j = 0; j <= Ny; ++j) {
        double& s = Sums[i * w + j];
        s += (i ? Sums[(i - 1) * w + j] : 0) + (j ? Sums[i * w + j - 1] : 0) -
             (i && j ? Sums[(i - 1) * w + j - 1] : 0);
        if (i < Nx && j < Ny) Out[i * Ny + j] = s;
      }
  }
};

// The bound read from any non-negative point weights: scaled to cover every
// placement once they are a feasible dual solution.
double DualValue(const std::vector<double>& Point, const std::vector<double>& Covered) {
  double total = 0, least = 1e300;
  for (const double v : Point)
    total += v;
  for (const double c : Covered)
    least = std::min(least, c);
  if (least < 1e-3) return static_cast<double>(kNoLpBound);
  return total / least;
}

// The programme by the primal-dual hybrid gradient with restarts to the
// average (Chambolle, A., Pock, T., "A first-order primal-dual algorithm for
// convex problems with applications to imaging", Journal of Mathematical
// Imaging and Vision 40 (2011) 120-145; restarts after Applegate, D. et al.,
// "Practical large-scale linear programming using primal-dual hybrid
// gradient", NeurIPS 2021). Each step costs one cover and one load, so the
// whole raster goes in at once; it stops at Goal or after MostSteps.
double FirstOrderBound(TRaster& Raster, int64_t Goal, int MostSteps, int& Steps) {
  const size_t m = Raster.Nx * Raster.Ny, n = Raster.Placements.size();
  std::vector<double> x(n, 0.0), y(m, 0.0), cover, load, xNext(n), xSum(n, 0.0), ySum(m, 0.0);
  // The operator's norm by power iteration, for the step sizes.
  std::vector<double> v(n, 1.0);
  double norm = 1;
  for (int k = 0; k < 30; ++k) {
    Raster.Load(v, load);
    Raster.Cover(load, cover);
    double s = 0;
    for (const double c : cover)
      s += c * c;
    s = std::sqrt(s);
    if (s <= 0) break;
    double vs = 0;
    for (const double e : v)
      vs += e * e;
    norm = std::sqrt(s / std::sqrt(vs));
    for (size_t p = 0; p < n; ++p)
      v[p] = cover[p] / s;
  }
  const double step = 0.95 / (norm * 1.05);
  double best = static_cast<double>(kNoLpBound);
  int sinceRestart = 0, restartEvery = 64;
  Raster.Cover(y, cover);
  for (Steps = 0; Steps < MostSteps; ++Steps) {
    for (size_t p = 0; p < n; ++p)
      xNext[p] = std::max(0.0, x[p] + step * (1 - cover[p]));
    for (size_t p = 0; p < n; ++p)
      x[p] = 2 * xNext[p] - x[p];
    Raster.Load(x, load);
    for (size_t q = 0; q < m; ++q) {
      y[q] = std::max(0.0, y[q] + step * (load[q] - 1));
      ySum[q] += y[q];
    }
    x.swap(xNext);
    for (size_t p = 0; p < n; ++p)
      xSum[p] += x[p];
    Raster.Cover(y, cover);
    if (++sinceRestart < restartEvery) continue;
    const double current = DualValue(y, cover);
    best = std::min(best, current);
    // Restart from the average of the run when it bounds better.
    for (size_t q = 0; q < m; ++q)
      ySum[q] /= sinceRestart;
    std::vector<double> averageCover;
    Raster.Cover(ySum, averageCover);
    const double average = DualValue(ySum, averageCover);
    best = std::min(best, average);
    if (std::floor(best + 1e-9) <= static_cast<double>(Goal)) break;
    if (average <= current) {
      for (size_t p = 0; p < n; ++p)
        x[p] = xSum[p] / sinceRestart;
      y = ySum;
      cover = averageCover;
    }
    std::fill(xSum.begin(), xSum.end(), 0.0);
    std::fill(ySum.begin(), ySum.end(), 0.0);
    sinceRestart = 0;
    restartEvery = std::min(restartEvery * 2, 1024);
  }
  return best;
}

}  // namespace

int64_t PackingLpBound(double X, double Y, double BoxL, double BoxW, int64_t Goal) {
  return PackingLpBoundReport(X, Y, BoxL, BoxW, Goal).Bound;
}

TLpBoundReport PackingLpBoundReport(double X, double Y, double BoxL, double BoxW, int64_t Goal) {
  TLpBoundReport report;
  if (X <= 0 || Y <= 0 || BoxL <= 0 || BoxW <= 0) return report;
  const std::vector<double> px = ReducedRaster(X, BoxL, BoxW), py = ReducedRaster(Y, BoxL, BoxW);
  const size_t nx = px.size(), ny = py.size();
  report.Points = nx * ny;
  if (nx == 0 || ny == 0 || nx * ny > kMostPoints) return report;
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
  if (placements.empty()) {
    report.Bound = 0;
    report.Outcome = TLpOutcome::ReachedGoal;
    return report;
  }

  {
    TRaster raster{nx, ny, placements, {}};
    int steps = 0;
    const int mostSteps = static_cast<int>(std::min<double>(
        kMostSteps, kMostFirstOrderWork / static_cast<double>(nx * ny + placements.size())));
    report.Value = FirstOrderBound(raster, Goal, mostSteps, steps);
    report.Bound = static_cast<int64_t>(std::floor(report.Value + 1e-9));
    report.Pivots = steps;
    if (report.Bound <= Goal) {
      report.Outcome = TLpOutcome::ReachedGoal;
      return report;
    }
    // Only a small programme is worth the exact simplex: it tells a
    // fractional optimum from one the steps did not reach.
    if (report.Points > kMostSimplexPoints) {
      report.Outcome = TLpOutcome::OutOfEffort;
      return report;
    }
  }

  TSimplex lp;
  std::vector<int> rowOf(nx * ny, -1);
  std::vector<size_t> rowPoint;
  std::vector<char> inColumns(placements.size(), 0);
  // Right-hand sides and costs spread a little: the packing programme is
  // highly degenerate both ways, and the duals read from it, scaled, stay
  // feasible whatever they are.
  auto addRow = [&](size_t point) {
    if (rowOf[point] >= 0) return;
    const int i = static_cast<int>(point / ny), j = static_cast<int>(point % ny);
    const size_t k = rowPoint.size();
    rowOf[point] = static_cast<int>(k);
    rowPoint.push_back(point);
    lp.AddRow(
        [&](int p) {
          const TPlacement& c = placements[static_cast<size_t>(p)];
          return c.X0 <= i && i < c.X1 && c.Y0 <= j && j < c.Y1;
        },
        1 + 1e-6 * Spread(k));
  };
  // A column always comes with the point at its corner, which keeps the
  // programme bounded.
  std::vector<size_t> covered;
  auto addColumn = [&](int p) {
    if (inColumns[static_cast<size_t>(p)]) return;
    inColumns[static_cast<size_t>(p)] = 1;
    const TPlacement& c = placements[static_cast<size_t>(p)];
    addRow(static_cast<size_t>(c.X0) * ny + static_cast<size_t>(c.Y0));
    covered.clear();
    for (int i = c.X0; i < c.X1; ++i)
      for (int j = c.Y0; j < c.Y1; ++j)
        if (const int r = rowOf[static_cast<size_t>(i) * ny + static_cast<size_t>(j)]; r >= 0)
          covered.push_back(static_cast<size_t>(r));
    lp.AddColumn(p, covered, 1 + 1e-6 * Spread(static_cast<size_t>(p)));
    ++report.Columns;
  };
  // Start from the better grid pushed to the far walls, which puts it on
  // the reduced raster points.
  {
    int bestTurn = 0;
    double bestCount = -1;
    for (int turn = 0; turn < (square ? 1 : 2); ++turn) {
      const double dx = turn ? BoxW : BoxL, dy = turn ? BoxL : BoxW;
      const double c = std::floor((X + kTol) / dx) * std::floor((Y + kTol) / dy);
      if (c > bestCount) bestCount = c, bestTurn = turn;
    }
    const double dx = bestTurn ? BoxW : BoxL, dy = bestTurn ? BoxL : BoxW;
    const std::vector<double> sx = Sums(X, BoxL, BoxW), sy = Sums(Y, BoxL, BoxW);
    for (double i = 1; i * dx <= X + kTol; ++i)
      for (double j = 1; j * dy <= Y + kTol; ++j) {
        const size_t xi = static_cast<size_t>(upTo(px, Below(sx, X - i * dx))),
                     yj = static_cast<size_t>(upTo(py, Below(sy, Y - j * dy)));
        if (xi < nx && yj < ny && at[bestTurn][xi * ny + yj] >= 0)
          addColumn(at[bestTurn][xi * ny + yj]);
      }
    if (report.Columns == 0) addColumn(0);
  }

  std::vector<double> sums((nx + 1) * (ny + 1));
  std::vector<std::pair<double, int>> found;
  report.Outcome = TLpOutcome::OutOfEffort;
  for (int round = 0; round < kMostRounds; ++round) {
    if (lp.Rows() > kMostRows) {
      report.Outcome = TLpOutcome::TooLarge;
      break;
    }
    const bool solved = lp.Solve(kMostWork);
    if (!solved) break;

    // Duals: the weight each placement covers, from sums over the points.
    std::fill(sums.begin(), sums.end(), 0.0);
    double total = 0;
    for (size_t r = 0; r < rowPoint.size(); ++r) {
      sums[(rowPoint[r] / ny + 1) * (ny + 1) + rowPoint[r] % ny + 1] = lp.Dual(r);
      total += lp.Dual(r);
    }
    for (size_t i = 1; i <= nx; ++i)
      for (size_t j = 1; j <= ny; ++j)
        sums[i * (ny + 1) + j] += sums[(i - 1) * (ny + 1) + j] + sums[i * (ny + 1) + j - 1] -
                                  sums[(i - 1) * (ny + 1) + j - 1];
    auto coveredWeight = [&](const TPlacement& p) {
      const size_t x0 = static_cast<size_t>(p.X0), x1 = static_cast<size_t>(p.X1),
                   y0 = static_cast<size_t>(p.Y0), y1 = static_cast<size_t>(p.Y1);
      return sums[x1 * (ny + 1) + y1] - sums[x0 * (ny + 1) + y1] - sums[x1 * (ny + 1) + y0] +
             sums[x0 * (ny + 1) + y0];
    };
    double least = 1;
    found.clear();
    for (size_t p = 0; p < placements.size(); ++p) {
      const double c = coveredWeight(placements[p]);
      least = std::min(least, c);
      if (c < 1 - 1e-7 && !inColumns[p]) found.emplace_back(c, static_cast<int>(p));
    }
    // Duals scaled to cover every placement once are a feasible dual
    // solution: their sum bounds the programme and so the layer.
    if (least > 1e-3)
      report.Bound = std::min(report.Bound, static_cast<int64_t>(std::floor(total / least + 1e-9)));
    if (report.Bound <= Goal) {
      report.Outcome = TLpOutcome::ReachedGoal;
      break;
    }
    if (!found.empty()) {
      std::sort(found.begin(), found.end());
      found.resize(std::min(found.size(), kColumnBatch));
      // The corner rows first, by dual steps from the optimal basis; then the
      // columns by primal steps.
      for (const auto& [c, p] : found) {
        const TPlacement& f = placements[static_cast<size_t>(p)];
        addRow(static_cast<size_t>(f.X0) * ny + static_cast<size_t>(f.Y0));
      }
      if (!lp.Solve(kMostWork)) break;
      for (const auto& [c, p] : found)
        addColumn(p);
      continue;
    }
    // Every column priced out: points the primal covers more than once go
    // in, the most covered first.
    std::fill(sums.begin(), sums.end(), 0.0);
    lp.ForEachPrimal([&](int placement, double v) {
      const TPlacement& p = placements[static_cast<size_t>(placement)];
      sums[static_cast<size_t>(p.X0) * (ny + 1) + static_cast<size_t>(p.Y0)] += v;
      sums[static_cast<size_t>(p.X1) * (ny + 1) + static_cast<size_t>(p.Y0)] -= v;
      sums[static_cast<size_t>(p.X0) * (ny + 1) + static_cast<size_t>(p.Y1)] -= v;
      sums[static_cast<size_t>(p.X1) * (ny + 1) + static_cast<size_t>(p.Y1)] += v;
    });
    for (size_t i = 0; i <= nx; ++i)
      for (size_t j = 0; j <= ny; ++j)
        sums[i * (ny + 1) + j] += (i ? sums[(i - 1) * (ny + 1) + j] : 0) +
                                  (j ? sums[i * (ny + 1) + j - 1] : 0) -
                                  (i && j ? sums[(i - 1) * (ny + 1) + j - 1] : 0);
    for (size_t i = 0; i < nx; ++i)
      for (size_t j = 0; j < ny; ++j)
        if (const double c = sums[i * (ny + 1) + j]; c > 1 + 1e-6 && rowOf[i * ny + j] < 0)
          found.emplace_back(-c, static_cast<int>(i * ny + j));
    if (found.empty()) {
      report.Outcome = TLpOutcome::Fractional;
      report.Value = total;
      break;
    }
    std::sort(found.begin(), found.end());
    for (size_t k = 0; k < found.size() && k < kRowBatch; ++k)
      addRow(static_cast<size_t>(found[k].second));
  }
  report.Rows = lp.Rows();
  report.Pivots = lp.Pivots();
  return report;
}

}  // namespace quelmora
