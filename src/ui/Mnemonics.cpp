#include "ui/Mnemonics.h"

#include <QAbstractButton>
#include <algorithm>

namespace quelmora {

QString WithoutMnemonic(const QString& Caption) {
  QString text = Caption;
  return text.remove(QLatin1Char('&'));
}

QString WithMnemonic(const QString& Caption, QString& Used) {
  const QString text = WithoutMnemonic(Caption);
  const auto free = [&](qsizetype i) {
    return text.at(i).isLetter() && !Used.contains(text.at(i).toLower());
  };
  qsizetype chosen = -1;
  for (qsizetype i = 0; i < text.size() && chosen < 0; ++i)
    if ((i == 0 || !text.at(i - 1).isLetter()) && free(i)) chosen = i;
  for (qsizetype i = 0; i < text.size() && chosen < 0; ++i)
    if (free(i)) chosen = i;
  if (chosen < 0) return text;
  Used += text.at(chosen).toLower();
  return text.left(chosen) + QLatin1Char('&') + text.mid(chosen);
}

void WithMnemonics(const std::vector<QAbstractButton*>& Buttons, QString& Used) {
  const auto letters = [](const QAbstractButton* button) {
    QString distinct;
    for (const QChar c : WithoutMnemonic(button->text()).toLower())
      if (c.isLetter() && !distinct.contains(c)) distinct += c;
    return distinct.size();
  };
  std::vector<QAbstractButton*> order = Buttons;
  std::stable_sort(
      order.begin(), order.end(),
      [&](const QAbstractButton* a, const QAbstractButton* b) { return letters(a) < letters(b); });
  for (QAbstractButton* button : order)
    button->setText(WithMnemonic(button->text(), Used));
}

}  // namespace quelmora
