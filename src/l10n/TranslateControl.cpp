#include "l10n/TranslateControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "l10n/Localization.h"

namespace quelmora {

namespace {

QString Translated(const QString& text) {
  if (text.isEmpty()) return text;
  const QByteArray utf8 = text.toUtf8();
  return QString::fromStdString(Tr(std::string_view(utf8.constData(), utf8.size())));
}

}  // namespace

void TranslateControl(QWidget* Control) {
  if (!Control) return;
  if (Control->isWindow()) Control->setWindowTitle(Translated(Control->windowTitle()));
  if (auto* label = qobject_cast<QLabel*>(Control)) {
    label->setText(Translated(label->text()));
  } else if (auto* button = qobject_cast<QAbstractButton*>(Control)) {
    button->setText(Translated(button->text()));
  } else if (auto* group = qobject_cast<QGroupBox*>(Control)) {
    group->setTitle(Translated(group->title()));
  } else if (auto* combo = qobject_cast<QComboBox*>(Control)) {
    if (combo->property(LanguageSelectorProperty).toInt() != LanguageSelectorTag)
      for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, Translated(combo->itemText(i)));
  }
  if (!Control->toolTip().isEmpty()) Control->setToolTip(Translated(Control->toolTip()));
}

void TranslateControlTree(QWidget* Control) {
  if (!Control) return;
  TranslateControl(Control);
  for (QObject* child : Control->children())
    if (auto* widget = qobject_cast<QWidget*>(child)) TranslateControlTree(widget);
}

void SetKeyedText(QWidget* Control, const char* Key) {
  Control->setProperty("quelmoraKey", QString::fromUtf8(Key));
  const QString text = QString::fromStdString(Tr(Key));
  if (auto* label = qobject_cast<QLabel*>(Control))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(Control))
    button->setText(text);
  else if (auto* group = qobject_cast<QGroupBox*>(Control))
    group->setTitle(text);
}

void SetKeyedTip(QWidget* Control, const char* Key) {
  Control->setToolTip(QString::fromStdString(Tr(Key)));
}

void SetKeyedTitle(QWidget* Control, const char* Key) {
  Control->setWindowTitle(QString::fromStdString(Tr(Key)));
}

void AddKeyedItem(QComboBox* Box, const char* Key) {
  Box->addItem(QString::fromStdString(Tr(Key)));
}

void MarkLiteral(QWidget* Control) {
  Control->setProperty("quelmoraLiteral", true);
}

}  // namespace quelmora
