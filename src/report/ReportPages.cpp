#include "report/ReportPages.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include <QString>
#include "io/LumarData.h"

#include "l10n/Localization.h"
#include "l10n/TextTemplate.h"
#include "model/Utf8.h"
#include "report/PackagingPreview.h"
#include "report/PalletPreview.h"
#include "report/ReportTexts.h"
#include "report/TextFitting.h"

namespace quelmora {

namespace {

constexpr TColor White = 0xFFFFFF;
constexpr TColor Navy = 0x223449;
constexpr TColor FooterGrey = 0x777777;
constexpr TColor LabelGrey = 0x666666;
constexpr TColor DarkGrey = 0x333333;
constexpr TColor TextBlack = 0x222222;
constexpr TColor Stripe = 0xF6F8FA;
constexpr TColor PanelBorder = 0xD0D8E0;
constexpr TColor PaleBlue = 0xE9F4FF;
constexpr TColor PaleOrange = 0xFFF7EE;
constexpr TColor PaleGreen = 0xF2F9EC;
constexpr TColor ColumnGrey = 0xF8FAFB;
constexpr TColor ColumnCream = 0xFCF9F5;

// Rows of the summary's distribution table stop above the footer.
constexpr int SummaryRowsBottom = 1690;
// Rows of the unified boxes stop where the distribution's heading, header
// and three rows still fit above the footer.
constexpr int GroupRowsBottom = SummaryRowsBottom - 42 - 42 - 40 - 3 * 43;

void SetReportFont(IDrawingSurface& canvas, int size, bool bold, TColor colour) {
  canvas.SetFont(RFontName, size, bold, colour);
}

std::string Fitted(IDrawingSurface& canvas, std::string text, int maxWidth) {
  return FitText(std::move(text), maxWidth,
                 [&canvas](std::string_view part) { return canvas.TextWidth(part); });
}

// A report text in the reader's language: the template is translated
// first and only then are the values put in, so that names and typed texts
// reach the page as they were written.
template <typename... TArgs>
std::string Translated(const TNumberFormat& numbers, std::string_view text, const TArgs&... args) {
  return FormatTr(numbers, text, {TFormatArg(args)...});
}

// Trailing blanks (an empty currency symbol) take no room on the page.
std::string WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
    text.remove_suffix(1);
  return std::string(text);
}

// Shown is drawn as it stands, already in the reader's language; MaxWidth,
// when given, keeps it inside its column.
void ReportTextOut(IDrawingSurface& canvas, int x, int y, std::string_view shown,
                   int maxWidth = 0) {
  canvas.SetBrush(White, TBrushStyle::Clear);
  canvas.TextOut(x, y, Fitted(canvas, WithoutTrailingBlanks(shown), maxWidth));
}

void ReportDrawText(IDrawingSurface& canvas, const TRect& rect, std::string_view shown,
                    unsigned flags) {
  canvas.SetBrush(White, TBrushStyle::Clear);
  canvas.DrawText(rect, Fitted(canvas, WithoutTrailingBlanks(shown), rect.Width()), flags);
}

// The label over the product count takes the count's plural form, in capitals
// as the other figure labels.
std::string ProductsFigureLabel(int64_t count) {
  return QString::fromStdString(TrPluralWord(RProductsFigure, count)).toUpper().toStdString();
}

void DrawReportPanel(IDrawingSurface& canvas, const TRect& rect, TColor colour) {
  canvas.SetBrush(colour, TBrushStyle::Solid);
  canvas.SetPen(PanelBorder, 2);
  canvas.Rectangle(rect);
}

// The drawings paint over their panels; the frame goes back on top.
void RedrawPanelFrame(IDrawingSurface& canvas, const TRect& rect) {
  canvas.SetBrush(White, TBrushStyle::Clear);
  canvas.SetPen(PanelBorder, 2);
  canvas.Rectangle(rect);
}

void FillBand(IDrawingSurface& canvas, const TRect& rect, TColor colour) {
  canvas.SetBrush(colour, TBrushStyle::Solid);
  canvas.FillRect(rect);
}

const char* CriterionName(TCriterionKind kind) {
  switch (kind) {
    case ckCostPerVolume:
      return SCriterionCostPerVolume;
    case ckBoxCount:
      return SCriterionBoxCount;
    case ckPalletUtilization:
      return SCriterionPalletFill;
    default:
      return SCriterionCombined;
  }
}

const char* OrientationName(TPackOrientation orientation) {
  const auto index = static_cast<size_t>(orientation);
  return index < ROrientationNames.size() ? ROrientationNames[index] : "";
}

// A whole 64-bit number: leading blanks, a sign, then decimal digits or
// hexadecimal ones after "$", "0x" or "x"; nothing after it.
bool ReadInt64(std::string_view text, int64_t& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  uint64_t magnitude = 0;
  const uint64_t limit = base == 16 ? UINT64_MAX : (negative ? uint64_t{1} << 63 : INT64_MAX);
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    if (magnitude > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
      return false;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  const auto v = static_cast<int64_t>(magnitude);
  value = negative ? static_cast<int64_t>(0 - magnitude) : v;
  return true;
}

std::u16string Utf16Upper(std::string_view text) {
  std::u16string out;
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t cp;
    if (!DecodeUtf8(text, pos, cp)) {
      cp = 0xFFFD;
      ++pos;
    }
    if (cp >= 'a' && cp <= 'z') cp = cp - 'a' + 'A';
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

// Detail lines of the product page's columns, 34 pixels apart.
class TDetailColumn {
 public:
  TDetailColumn(IDrawingSurface& canvas, int x, int right, int y)
      : canvas_(canvas), x_(x), maxWidth_(right - x - 12), y_(y) {}

  // Texts in the reader's language.
  void Heading(const std::string& shown) { Write(shown, true); }
  void Line(const std::string& shown) { Write(shown, false); }
  void Skip(int pixels) { y_ += pixels; }

 private:
  void Write(const std::string& text, bool heading) {
    if (heading)
      SetReportFont(canvas_, 15, true, Navy);
    else
      SetReportFont(canvas_, 13, false, TextBlack);
    ReportTextOut(canvas_, x_, y_, text, maxWidth_);
    y_ += 34;
  }

  IDrawingSurface& canvas_;
  int x_;
  int maxWidth_;
  int y_;
};

// The pallet sections sit in the lower part of the product page's columns,
// below their longest content (the current column with the reference block).
constexpr int PalletSectionTop = 1300;
constexpr int PalletPictureHeight = 130;
constexpr int PalletLineSpacing = 26;

// With the strength check on, the picture gives the right part of its width
// to the strength lines: its view from above, fitted to the height, hardly
// shrinks. Six lines fit beside it.
constexpr int StrengthPictureWidth = 180;
constexpr int StrengthFontSize = 10;
constexpr int StrengthLineSpacing = 21;

// The pallet of one packaging: heading, picture and figures in the column
// between Left and Right; the strength lines, when there are any, beside the
// picture.
void DrawPalletSection(IDrawingSurface& canvas, int left, int right, const TBoxVariant& box,
                       const TPalletSetup& pallet, const TNumberFormat& numbers,
                       const std::vector<TStrengthLine>& strength) {
  const TPalletLayer layer = SolutionLayer(box, pallet);
  const int x = left + 24;
  TDetailColumn column(canvas, x, right, PalletSectionTop);
  column.Heading(Translated(numbers, RPalletHeading));
  const int pictureTop = PalletSectionTop + 38;
  const int pictureRight = strength.empty() ? right - 24 : x + StrengthPictureWidth;
  const TRect picture{x, pictureTop, pictureRight, pictureTop + PalletPictureHeight};
  DrawReportPanel(canvas, picture, White);
  DrawPalletPicture(canvas, picture, box, layer, pallet);
  RedrawPanelFrame(canvas, picture);
  int y = pictureTop;
  for (const TStrengthLine& line : strength) {
    SetReportFont(canvas, StrengthFontSize, false,
                  line.Warning ? StrengthWarningColour : TextBlack);
    ReportTextOut(canvas, picture.Right + 12, y, line.Text, right - picture.Right - 24);
    y += StrengthLineSpacing;
  }
  y = picture.Bottom + 8;
  SetReportFont(canvas, 12, false, TextBlack);
  for (const std::string& line : PalletFigureLines(numbers, PalletFiguresOf(box, layer, pallet))) {
    ReportTextOut(canvas, x, y, line, right - x - 12);
    y += PalletLineSpacing;
  }
}

}  // namespace

TProduct FindReportProduct(const TProjectData& Project, int32_t Id) {
  for (const TProduct& product : Project.Products)
    if (product.Id == Id) return product;
  TProduct missing;
  missing.Id = Id;
  missing.Name = std::to_string(Id);
  return missing;
}

int CompareProductNames(std::string_view A, std::string_view B) {
  int64_t a = 0, b = 0;
  const bool aNumber = ReadInt64(A, a);
  const bool bNumber = ReadInt64(B, b);
  if (aNumber && bNumber) return a < b ? -1 : (a > b ? 1 : 0);
  // Numbers before texts, as in the window: a number compared with a text as
  // text would make cycles ("9" < "10" < "1a" < "9").
  if (aNumber != bNumber) return aNumber ? -1 : 1;
  const std::u16string x = Utf16Upper(A);
  const std::u16string y = Utf16Upper(B);
  return x.compare(y) < 0 ? -1 : (x.compare(y) > 0 ? 1 : 0);
}

std::vector<size_t> ReportOrder(const TProjectData& Project, const TOptimizationResult& Result) {
  const size_t n = Result.Solutions.size();
  std::vector<size_t> order(n);
  std::vector<std::string> names(n);
  for (size_t i = 0; i < n; ++i) {
    order[i] = i;
    names[i] = FindReportProduct(Project, Result.Solutions[i].ProductId).Name;
  }
  // Equal names (b and B) keep the Id order, as in the window, so the order
  // does not depend on the order of the solutions.
  std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
    const TOptimizationSolution& a = Result.Solutions[x];
    const TOptimizationSolution& b = Result.Solutions[y];
    if (a.UnifiedGroupId != b.UnifiedGroupId) return a.UnifiedGroupId < b.UnifiedGroupId;
    if (const int byName = CompareProductNames(names[x], names[y])) return byName < 0;
    return a.ProductId < b.ProductId;
  });
  return order;
}

void DrawPageFrame(IDrawingSurface& Canvas, std::string_view Title, std::string_view Subtitle,
                   int PageNumber, const TNumberFormat& Numbers) {
  FillBand(Canvas, {0, 0, ReportPageWidth, ReportPageHeight}, White);
  FillBand(Canvas, {0, 0, ReportPageWidth, 145}, Navy);
  SetReportFont(Canvas, 30, true, White);
  ReportTextOut(Canvas, 64, 28, Title, ReportPageWidth - 2 * 64);
  SetReportFont(Canvas, 15, false, White);
  ReportTextOut(Canvas, 64, 88, Subtitle, ReportPageWidth - 2 * 64);

  SetReportFont(Canvas, 12, false, FooterGrey);
  ReportTextOut(Canvas, 64, 1708, Translated(Numbers, RFooter), 1050 - 64 - 16);
  ReportDrawText(Canvas, {1050, 1704, 1176, 1734},
                 Tr(RPage) + FormatLocal(Numbers, RPageNumber, PageNumber), dtSingleLine | dtRight);
}

void RenderSummaryPage(IDrawingSurface& Canvas, const TProjectData& Project,
                       const TOptimizationResult& Result, const std::vector<size_t>& Order,
                       const TReportOptions& Options) {
  const TNumberFormat& numbers = Options.Numbers;
  const TOptimizationSettings& s = Project.Settings;
  const std::string& currency = s.CurrencySymbol;
  const auto format = [&](std::string_view f, const auto&... args) {
    return FormatLocal(numbers, f, args...);
  };
  const auto tr = [&](std::string_view f, const auto&... args) {
    return Translated(numbers, f, args...);
  };

  DrawPageFrame(Canvas, tr(RSummaryTitle), Tr(RSummarySubtitle) + " " + Options.Timestamp, 1,
                numbers);

  struct TFigure {
    TRect Panel;
    TColor Fill;
    std::string Label;
    int ValueY;
    int ValueSize;
    std::string Value;
  };
  const TFigure figures[] = {
      {{64, 175, 380, 315},
       PaleBlue,
       ProductsFigureLabel(static_cast<int64_t>(Result.Solutions.size())),
       232,
       30,
       format(RInteger, static_cast<long long>(Result.Solutions.size()))},
      {{410, 175, 790, 315},
       PaleOrange,
       tr(RBoxSizesFigure),
       232,
       30,
       format(RInteger, s.TargetUnifiedBoxCount)},
      {{820, 175, 1176, 315},
       PaleGreen,
       tr(RAverageFigure),
       236,
       25,
       format(RMoney, Result.AverageCostPerM3, currency)},
  };
  for (const TFigure& f : figures) {
    DrawReportPanel(Canvas, f.Panel, f.Fill);
    const int x = f.Panel.Left + 22;
    const int maxWidth = f.Panel.Right - x - 12;
    SetReportFont(Canvas, 14, false, LabelGrey);
    ReportTextOut(Canvas, x, f.Panel.Top + 20, f.Label, maxWidth);
    SetReportFont(Canvas, f.ValueSize, true, Navy);
    ReportTextOut(Canvas, x, f.ValueY, f.Value, maxWidth);
  }

  SetReportFont(Canvas, 17, true, Navy);
  ReportTextOut(Canvas, 64, 355, tr(RParameters));
  SetReportFont(Canvas, 14, false, DarkGrey);
  ReportTextOut(Canvas, 64, 397,
                tr(RCriterionLine, Tr(CriterionName(Project.OptimizationCriterion))), 540);
  ReportTextOut(Canvas, 64, 430,
                tr(RDeviationLine, s.DimensionDeviationMinPercent, s.DimensionDeviationMaxPercent),
                540);
  ReportTextOut(Canvas, 620, 397, tr(RGapsLine, s.LengthGapMM, s.WidthGapMM), 556);
  ReportTextOut(Canvas, 620, 430,
                tr(RPalletLine, s.PalletLengthMM, s.PalletWidthMM, s.MaxPalletHeightMM), 556);

  SetReportFont(Canvas, 17, true, Navy);
  ReportTextOut(Canvas, 64, 493, tr(RUnifiedBoxes));

  struct TGroup {
    int Count = 0;
    double CostSum = 0;
    size_t Representative = 0;
  };
  std::map<int32_t, TGroup> groups;
  for (size_t i = 0; i < Result.Solutions.size(); ++i) {
    const TOptimizationSolution& solution = Result.Solutions[i];
    auto [it, added] = groups.try_emplace(solution.UnifiedGroupId);
    if (added) it->second.Representative = i;
    ++it->second.Count;
    it->second.CostSum += solution.Box.PackagingCostPerM3;
  }

  int y = 535;
  FillBand(Canvas, {64, y, 1176, y + 44}, Navy);
  SetReportFont(Canvas, 13, true, White);
  ReportTextOut(Canvas, 76, y + 11, tr(RGroupColumn), 210 - 76 - 8);
  ReportTextOut(Canvas, 210, y + 11, tr(ROuterSizeColumn), 650 - 210 - 8);
  ReportTextOut(Canvas, 650, y + 11, tr(RProductCountColumn), 810 - 650 - 8);
  ReportTextOut(Canvas, 810, y + 11, tr(RAverageCostColumn), 1176 - 810 - 8);
  y += 44;
  std::vector<int> shown;
  for (int g = 1; g <= s.TargetUnifiedBoxCount; ++g)
    if (groups.count(g) != 0) shown.push_back(g);
  // Up to 50 groups: the rows past those that fit give way to one line.
  const size_t fitting = static_cast<size_t>((GroupRowsBottom - y) / 48);
  size_t hidden = 0;
  if (shown.size() > fitting) {
    hidden = shown.size() - (fitting - 1);
    shown.resize(fitting - 1);
  }
  for (int g : shown) {
    const TGroup& group = groups.find(g)->second;
    const TBoxVariant& box = Result.Solutions[group.Representative].Box;
    FillBand(Canvas, {64, y, 1176, y + 48}, g % 2 == 1 ? Stripe : White);
    SetReportFont(Canvas, 13, false, TextBlack);
    ReportTextOut(Canvas, 76, y + 12, format(RInteger, g), 210 - 76 - 8);
    ReportTextOut(Canvas, 210, y + 12, format(RSize, box.LengthMM, box.WidthMM, box.HeightMM),
                  650 - 210 - 8);
    ReportTextOut(Canvas, 650, y + 12, format(RInteger, group.Count), 810 - 650 - 8);
    ReportTextOut(Canvas, 810, y + 12, format(RMoney, group.CostSum / group.Count, currency),
                  1176 - 810 - 8);
    y += 48;
  }
  if (hidden != 0) {
    SetReportFont(Canvas, 13, false, DarkGrey);
    ReportTextOut(Canvas, 76, y + 12, tr(RMoreGroupsLine, static_cast<long long>(hidden)));
    y += 48;
  }

  y += 42;
  SetReportFont(Canvas, 17, true, Navy);
  ReportTextOut(Canvas, 64, y, tr(RDistribution));
  y += 42;
  FillBand(Canvas, {64, y, 1176, y + 40}, Navy);
  SetReportFont(Canvas, 12, true, White);
  ReportTextOut(Canvas, 74, y + 10, tr(RProductColumn), 250 - 74 - 8);
  ReportTextOut(Canvas, 250, y + 10, tr(RGroupColumn), 350 - 250 - 8);
  ReportTextOut(Canvas, 350, y + 10, tr(RPackColumn), 650 - 350 - 8);
  ReportTextOut(Canvas, 650, y + 10, tr(RBoxColumn), 950 - 650 - 8);
  ReportTextOut(Canvas, 950, y + 10, tr(RCostColumn), 1176 - 950 - 8);
  y += 40;
  for (size_t r = 0; r < Order.size(); ++r) {
    if (y + 43 > SummaryRowsBottom) {
      // The summary stays one page; the product pages list everyone.
      SetReportFont(Canvas, 12, false, DarkGrey);
      ReportTextOut(Canvas, 74, y + 10,
                    tr(RMoreProductsLine, static_cast<long long>(Order.size() - r)));
      break;
    }
    const TOptimizationSolution& solution = Result.Solutions[Order[r]];
    const TBoxVariant& box = solution.Box;
    const TPackVariant& pack = solution.Pack;
    FillBand(Canvas, {64, y, 1176, y + 43}, r % 2 == 1 ? Stripe : White);
    SetReportFont(Canvas, 12, false, TextBlack);
    ReportTextOut(Canvas, 74, y + 10, FindReportProduct(Project, solution.ProductId).Name,
                  270 - 74 - 12);
    ReportTextOut(Canvas, 270, y + 10, format(RInteger, solution.UnifiedGroupId), 350 - 270 - 8);
    ReportTextOut(Canvas, 350, y + 10, format(RSize, pack.LengthMM, pack.WidthMM, pack.HeightMM),
                  650 - 350 - 8);
    ReportTextOut(Canvas, 650, y + 10, format(RSize, box.LengthMM, box.WidthMM, box.HeightMM),
                  950 - 650 - 8);
    ReportTextOut(Canvas, 950, y + 10, format(RMoney, box.PackagingCostPerM3, currency),
                  1176 - 950 - 8);
    y += 43;
  }
}

void RenderProductPage(IDrawingSurface& Canvas, const TProjectData& Project,
                       const TOptimizationSolution& Solution, int PageNumber,
                       const TReportOptions& Options) {
  const TNumberFormat& numbers = Options.Numbers;
  const std::string& currency = Project.Settings.CurrencySymbol;
  const TProduct product = FindReportProduct(Project, Solution.ProductId);
  const TPackVariant& pack = Solution.Pack;
  const TBoxVariant& box = Solution.Box;
  const TPackPlacement& placement = box.PackPlacement;
  const TPackVariant& originalPack = Solution.OriginalPack;
  const TBoxVariant& originalBox = Solution.OriginalBox;
  const auto tr = [&](std::string_view f, const auto&... args) {
    return Translated(numbers, f, args...);
  };

  DrawPageFrame(Canvas, tr(RProductTitle, product.Name),
                Tr(RUnificationGroup) +
                    FormatLocal(numbers, RGroupNumber, Solution.UnifiedGroupId) + Tr(RBox) +
                    tr(RBoxSize, box.LengthMM, box.WidthMM, box.HeightMM),
                PageNumber, numbers);

  SetReportFont(Canvas, 17, true, Navy);
  ReportTextOut(Canvas, 64, 175, tr(RPackModel), 590 - 64);
  ReportTextOut(Canvas, 650, 175, tr(RLayoutHeading), 1176 - 650);

  const TRect packPanel{64, 215, 590, 620};
  DrawReportPanel(Canvas, packPanel, White);
  DrawPackPreview(Canvas, packPanel, Solution, numbers);
  FillBand(Canvas, {64, 572, 590, 620}, White);
  SetReportFont(Canvas, 15, false, Navy);
  ReportDrawText(Canvas, {64, 578, 590, 620},
                 tr(RPackSize, pack.LengthMM, pack.WidthMM, pack.HeightMM),
                 dtSingleLine | dtCenter);
  RedrawPanelFrame(Canvas, packPanel);

  const TRect layoutPanel{650, 215, 1176, 620};
  DrawReportPanel(Canvas, layoutPanel, White);
  DrawBoxLayout(Canvas, layoutPanel, Solution, numbers);
  FillBand(Canvas, {650, 572, 1176, 620}, White);
  SetReportFont(Canvas, 14, false, Navy);
  ReportDrawText(
      Canvas, {650, 578, 1176, 620},
      tr(RLayoutLine, placement.CountX, placement.CountY, placement.CountZ, box.PackCount),
      dtSingleLine | dtCenter);
  RedrawPanelFrame(Canvas, layoutPanel);

  DrawReportPanel(Canvas, {64, 660, 590, 1669}, ColumnGrey);
  DrawReportPanel(Canvas, {650, 660, 1176, 1669}, ColumnCream);

  TDetailColumn left(Canvas, 88, 590, 690);
  left.Heading(tr(ROptimalVariant));
  left.Line(tr(RPackLine, pack.LengthMM, pack.WidthMM, pack.HeightMM));
  left.Line(tr(RPlacementLine, placement.CountX, placement.CountY, placement.CountZ,
               OrientationName(placement.Orientation)));
  left.Line(tr(RPacksPerBoxLine, box.PackCount));
  left.Line(tr(RProductMassLine, product.ProductWeightG));
  left.Line(tr(RPackBlankLine, pack.SurfaceAreaM2));
  left.Line(tr(RPackVolumeLine, pack.VolumeDM3));
  left.Line(tr(RPackCostLine, pack.Cost, currency));
  left.Line(tr(RVolumeChangeLine, pack.VolumeDeviationPercent));
  left.Line(tr(RBoxLine, box.LengthMM, box.WidthMM, box.HeightMM));
  left.Line(tr(RGrossMassLine, box.GrossWeightKG));
  left.Line(tr(RBoxBlankLine, box.BlankAreaM2));
  left.Line(tr(RBoxCostLine, box.BoxCost, currency));
  left.Line(tr(RPalletLoadLine, box.PalletCount, box.Pallet.BoxesPerLayer, box.Pallet.LayerCount));
  left.Line(tr(RPalletFillLine, box.PalletUtilization * 100));
  left.Line(tr(RCostPerUnitLine, box.PackagingCostPerUnit, currency));
  left.Line(tr(RCostPerM3Line, box.PackagingCostPerM3, currency));

  TDetailColumn right(Canvas, 674, 1176, 690);
  right.Heading(tr(ROriginalVariant));
  right.Line(tr(RPackLine, originalPack.LengthMM, originalPack.WidthMM, originalPack.HeightMM));
  right.Line(tr(RBoxLine, originalBox.LengthMM, originalBox.WidthMM, originalBox.HeightMM));
  right.Line(tr(RPacksPerBoxLine, originalBox.PackCount));
  right.Line(tr(RGrossMassLine, originalBox.GrossWeightKG));
  right.Line(tr(RBoxBlankLine, originalBox.BlankAreaM2));
  right.Line(tr(RBoxCostLine, originalBox.BoxCost, currency));
  right.Line(tr(ROriginalPalletLine, originalBox.PalletCount));
  right.Line(tr(RCostPerUnitLine, originalBox.PackagingCostPerUnit, currency));
  right.Line(tr(RCostPerM3Line, originalBox.PackagingCostPerM3, currency));
  right.Heading(tr(RSavingLine, Tr(Solution.SavingPercent >= 0 ? RSaving : RCostIncrease),
                   std::abs(Solution.SavingPercent)));

  TLumarReference reference;
  if (FindLumarReference(Solution.ProductId, product.Name, reference)) {
    right.Skip(22);
    right.Heading(tr(RReferenceHeading));
    right.Line(tr(RReferencePackLine, reference.PackLengthMM, reference.PackWidthMM,
                  reference.PackHeightMM));
    right.Line(tr(RReferenceBoxLine, reference.BoxInnerLengthMM, reference.BoxInnerWidthMM,
                  reference.BoxInnerHeightMM));
    right.Line(tr(RReferencePacksLine, reference.PacksPerBox));
    right.Line(tr(RReferenceCostLine, reference.CostPerM3, currency));
    right.Line(tr(ROwnCostLine, box.PackagingCostPerM3, currency));
  }

  const TPalletSetup pallet = PalletSetupOf(Project.Settings);
  DrawPalletSection(Canvas, 64, 590, box, pallet, numbers,
                    PalletStrengthLines(numbers, Project.Settings, box));
  DrawPalletSection(Canvas, 650, 1176, originalBox, pallet, numbers,
                    PalletStrengthLines(numbers, Project.Settings, originalBox));
}

}  // namespace quelmora
