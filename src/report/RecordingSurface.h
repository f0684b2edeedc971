#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/DrawingSurface.h"

namespace quelmora {

// A surface that draws nothing and keeps every call with the brush, pen and
// font in force at the time, so tests can check a drawing call by call.
class TRecordingSurface : public IDrawingSurface {
 public:
  enum class TKind { FillRect, Polygon, Line, Rectangle, TextOut, DrawText };

  struct TFont {
    std::string Name;
    int SizePt = 0;
    bool Bold = false;
    TColor Colour = 0;

    bool operator==(const TFont&) const = default;
  };

  struct TCall {
    TKind Kind = TKind::FillRect;
    TRect Rect;                  // FillRect, Rectangle, DrawText; the cell of TextOut
    std::vector<TPoint> Points;  // Polygon; the two ends of a Line
    std::string Text;
    unsigned Flags = 0;
    TColor BrushColour = 0xFFFFFF;
    TBrushStyle BrushStyle = TBrushStyle::Solid;
    TColor PenColour = 0;
    int PenWidth = 1;
    TFont Font;
  };

  // Text widths are CharWidthPercent % of the font size in points per code point.
  explicit TRecordingSurface(int CharWidthPercent = 60) : charWidthPercent_(CharWidthPercent) {}

  void SetBrush(TColor Colour, TBrushStyle Style) override {
    brushColour_ = Colour;
    brushStyle_ = Style;
  }
  void SetPen(TColor Colour, int Width) override {
    penColour_ = Colour;
    penWidth_ = Width;
  }
  void SetFont(std::string_view Name, int SizePt, bool Bold, TColor Colour) override {
    font_ = {std::string(Name), SizePt, Bold, Colour};
  }
  void FillRect(const TRect& Rect) override { Add(TKind::FillRect).Rect = Rect; }
  void Polygon(const std::vector<TPoint>& Points) override { Add(TKind::Polygon).Points = Points; }
  void MoveTo(int X, int Y) override { position_ = {X, Y}; }
  void LineTo(int X, int Y) override {
    Add(TKind::Line).Points = {position_, {X, Y}};
    position_ = {X, Y};
  }
  void Rectangle(const TRect& Rect) override { Add(TKind::Rectangle).Rect = Rect; }
  void TextOut(int X, int Y, std::string_view Text) override {
    TCall& call = Add(TKind::TextOut);
    call.Rect = {X, Y, X + TextWidth(Text), Y + font_.SizePt * 4 / 3};
    call.Text = std::string(Text);
  }
  void DrawText(const TRect& Rect, std::string_view Text, unsigned Flags) override {
    TCall& call = Add(TKind::DrawText);
    call.Rect = Rect;
    call.Text = std::string(Text);
    call.Flags = Flags;
  }
  int TextWidth(std::string_view Text) override {
    int codePoints = 0;
    for (char c : Text)
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++codePoints;
    return codePoints * font_.SizePt * charWidthPercent_ / 100;
  }

  const std::vector<TCall>& Calls() const { return calls_; }
  std::vector<TCall> CallsOf(TKind Kind) const {
    std::vector<TCall> found;
    for (const TCall& call : calls_)
      if (call.Kind == Kind) found.push_back(call);
    return found;
  }
  // The texts of TextOut and DrawText, in drawing order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TCall& call : calls_)
      if (call.Kind == TKind::TextOut || call.Kind == TKind::DrawText) texts.push_back(call.Text);
    return texts;
  }
  void Clear() { calls_.clear(); }

 private:
  TCall& Add(TKind kind) {
    TCall call;
    call.Kind = kind;
    call.BrushColour = brushColour_;
    call.BrushStyle = brushStyle_;
    call.PenColour = penColour_;
    call.PenWidth = penWidth_;
    call.Font = font_;
    calls_.push_back(std::move(call));
    return calls_.back();
  }

  int charWidthPercent_;
  TColor brushColour_ = 0xFFFFFF;
  TBrushStyle brushStyle_ = TBrushStyle::Solid;
  TColor penColour_ = 0;
  int penWidth_ = 1;
  TFont font_;
  TPoint position_;
  std::vector<TCall> calls_;
};

}  // namespace quelmora
