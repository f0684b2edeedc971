#pragma once

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

// TranslateControl of Control and of every widget inside it, parents first.
void TranslateControlTree(QWidget* Control);

}  // namespace quelmora
