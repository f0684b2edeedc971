#pragma once

class QComboBox;
class QWidget;

namespace quelmora {

// The language selector lists display names, which are never translated; it
// carries this number in its LanguageSelectorProperty.
inline constexpr int LanguageSelectorTag = 909;
inline constexpr const char* LanguageSelectorProperty = "quelmoraTag";

// Translates the texts of one widget: window title, label, button, check box,
// radio button and group box captions, combo box items (except in the
// language selector), and the tool tip. Other widgets fill their own texts.
void TranslateControl(QWidget* Control);

// Shows the translation of Key (a catalogue text) on Control and keeps Key,
// so that a change of language translates from it and not from the screen.
void SetKeyedText(QWidget* Control, const char* Key);
void SetKeyedTip(QWidget* Control, const char* Key);
void SetKeyedTitle(QWidget* Control, const char* Key);
void AddKeyedItem(QComboBox* Box, const char* Key);

// Marks a widget whose text is data (a name, a status line, a figure):
// TranslateControl leaves its text alone.
void MarkLiteral(QWidget* Control);

// TranslateControl of Control and of every widget inside it, parents first.
void TranslateControlTree(QWidget* Control);

}  // namespace quelmora
