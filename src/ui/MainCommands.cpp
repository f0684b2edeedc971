#include "ui/MainCommands.h"

#include <QPushButton>

#include "l10n/TranslateControl.h"
#include "ui/UiText.h"

namespace quelmora {

namespace {

constexpr const char* CommandProperty = "commandCode";

}  // namespace

QPushButton* AddCommandButton(QWidget* Parent, const char* Caption, int Left, int Width, int Code,
                              const std::function<void(int Code)>& Run) {
  auto* button = new QPushButton(Parent);
  SetKeyedText(button, Caption);
  button->setGeometry(Left, 8, Width, 34);
  button->setProperty(CommandProperty, Code);
  button->setObjectName(QStringLiteral("Command%1").arg(Code));
  QObject::connect(button, &QPushButton::clicked, button, [Run, Code] { Run(Code); });
  return button;
}

QPushButton* FindCommandButton(const QWidget* Root, int Code) {
  for (QPushButton* button : Root->findChildren<QPushButton*>())
    if (button->property(CommandProperty).toInt() == Code) return button;
  return nullptr;
}

}  // namespace quelmora
