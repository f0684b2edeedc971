#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "model/ErrorTexts.h"
#include "model/FieldBounds.h"
#include "model/IntegerField.h"

namespace quelmora {

// Two members of a record that must stay in order: Low ≤ High. Both entries
// of such a pair carry it, so a fault is reported on the first of them.
template <class TRecord>
struct TOrderedPair {
  double TRecord::*Low = nullptr;
  double TRecord::*High = nullptr;
};

// One entry of a record's field table. Exactly one of Real, Integer and Text
// is set; the table's order is the index every caller sees.
template <class TRecord>
struct TFieldDescriptor {
  std::string_view Key;      // project-file and CSV name
  std::string_view Caption;  // Russian, also the translation key
  double TRecord::*Real = nullptr;
  int32_t TRecord::*Integer = nullptr;
  std::string TRecord::*Text = nullptr;  // valid when not blank; no numeric access
  TFieldBounds Bounds;
  TOrderedPair<TRecord> Ordered;  // unset for most fields
  std::string_view Help;          // one line for the tool tip, Russian like the caption
  bool Quick = false;             // also shown among the main window's quick parameters
  // Written to a project file only when it differs from the default: files
  // that do not use a newer setting stay as they were before it.
  bool OmitAtDefault = false;

  constexpr bool IsInteger() const { return Integer != nullptr; }
  constexpr bool IsText() const { return Text != nullptr; }

  constexpr TFieldDescriptor WithOrder(TOrderedPair<TRecord> Pair) const {
    TFieldDescriptor field = *this;
    field.Ordered = Pair;
    return field;
  }
  constexpr TFieldDescriptor AsQuick() const {
    TFieldDescriptor field = *this;
    field.Quick = true;
    return field;
  }
  constexpr TFieldDescriptor AsOmittedAtDefault() const {
    TFieldDescriptor field = *this;
    field.OmitAtDefault = true;
    return field;
  }
};

// The table entries by kind: the shared part, then the member of each kind.
template <class TRecord>
constexpr TFieldDescriptor<TRecord> FieldEntry(std::string_view Key, std::string_view Caption,
                                               TFieldBounds Bounds, std::string_view Help) {
  TFieldDescriptor<TRecord> field;
  field.Key = Key;
  field.Caption = Caption;
  field.Bounds = Bounds;
  field.Help = Help;
  return field;
}

template <class TRecord>
constexpr TFieldDescriptor<TRecord> RealField(std::string_view Key, std::string_view Caption,
                                              double TRecord::*Member, TFieldBounds Bounds,
                                              std::string_view Help) {
  TFieldDescriptor<TRecord> field = FieldEntry<TRecord>(Key, Caption, Bounds, Help);
  field.Real = Member;
  return field;
}

template <class TRecord>
constexpr TFieldDescriptor<TRecord> IntegerField(std::string_view Key, std::string_view Caption,
                                                 int32_t TRecord::*Member, TFieldBounds Bounds,
                                                 std::string_view Help) {
  TFieldDescriptor<TRecord> field = FieldEntry<TRecord>(Key, Caption, Bounds, Help);
  field.Integer = Member;
  return field;
}

template <class TRecord>
constexpr TFieldDescriptor<TRecord> TextField(std::string_view Key, std::string_view Caption,
                                              std::string TRecord::*Member, std::string_view Help) {
  TFieldDescriptor<TRecord> field = FieldEntry<TRecord>(Key, Caption, TFieldBounds{}, Help);
  field.Text = Member;
  return field;
}

// The numeric value of a field that is not text; integers widen to double.
template <class TRecord>
double ReadNumericField(const TRecord& Record, const TFieldDescriptor<TRecord>& Field) {
  return Field.Real ? Record.*Field.Real : Record.*Field.Integer;
}

// Stores Value unchanged, or raises TErrorKind::NotANumber "Integer expected:
// <caption>", placed in the field, for an integer field given anything but a
// whole 32-bit number (nothing stored).
template <class TRecord>
void WriteNumericField(TRecord& Record, const TFieldDescriptor<TRecord>& Field, double Value) {
  if (Field.Real) {
    Record.*Field.Real = Value;
    return;
  }
  try {
    Record.*Field.Integer = ToIntegerField(Value);
  } catch (const Exception& e) {
    // A file or a message box shows the text alone: it names the field.
    throw Exception(e.Kind(), SValueOfField,
                    {TFormatArg::Nested(e.Text()), TFormatArg::Key(Field.Caption)})
        .At(e.Place())
        .InField(std::string(Field.Key))
        .WithFound(Format("%.15g", Value));
  }
}

// Whether the ordering rule of Field (if it has one) holds in Record.
template <class TRecord>
bool IsInOrder(const TRecord& Record, const TFieldDescriptor<TRecord>& Field) {
  return !Field.Ordered.Low || Record.*Field.Ordered.Low <= Record.*Field.Ordered.High;
}

// Views of one column of a table, for callers that walk keys or captions.
template <class TRecord, size_t N>
constexpr std::array<std::string_view, N> FieldColumn(
    const std::array<TFieldDescriptor<TRecord>, N>& Table,
    std::string_view TFieldDescriptor<TRecord>::*Column) {
  std::array<std::string_view, N> column{};
  for (size_t i = 0; i < N; ++i)
    column[i] = Table[i].*Column;
  return column;
}

template <class TRecord, size_t N>
constexpr std::array<std::string_view, N> FieldKeys(
    const std::array<TFieldDescriptor<TRecord>, N>& Table) {
  return FieldColumn(Table, &TFieldDescriptor<TRecord>::Key);
}

template <class TRecord, size_t N>
constexpr std::array<std::string_view, N> FieldCaptions(
    const std::array<TFieldDescriptor<TRecord>, N>& Table) {
  return FieldColumn(Table, &TFieldDescriptor<TRecord>::Caption);
}

// The index of the entry with Key, or -1.
template <class TRecord, size_t N>
constexpr int FieldIndex(const std::array<TFieldDescriptor<TRecord>, N>& Table,
                         std::string_view Key) {
  for (size_t i = 0; i < N; ++i)
    if (Table[i].Key == Key) return static_cast<int>(i);
  return -1;
}

}  // namespace quelmora
