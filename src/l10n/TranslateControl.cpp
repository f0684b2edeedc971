#include "l10n/TranslateControl.h"

#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include "l10n/Localization.h"
#include "l10n/TranslationKeys.h"

namespace quelmora {

namespace {

constexpr const char* LiteralProperty = "quelmoraLiteral";
constexpr const char* ItemKeysProperty = "quelmoraItemKeys";
constexpr const char* ItemShownProperty = "quelmoraItemShown";

// One text of a widget: where its key and the text last put on screen are kept.
// The key is empty for a text that is data.
struct TAspect {
  const char* KeyProperty;
  const char* ShownProperty;
};

constexpr TAspect TextAspect{"quelmoraKey", "quelmoraShown"};
constexpr TAspect TitleAspect{"quelmoraTitleKey", "quelmoraTitleShown"};
constexpr TAspect TipAspect{"quelmoraTipKey", "quelmoraTipShown"};

// Mnemonics are added after translation, so texts are compared without them.
QString Plain(QString text) {
  return text.remove(QLatin1Char('&'));
}

QString TrKey(const QString& key) {
  const QByteArray utf8 = key.toUtf8();
  return QString::fromStdString(Tr(std::string_view(utf8.constData(), utf8.size())));
}

// The key of a text seen on screen: the text itself when it is a catalogue
// key, else empty (data, left alone).
QString AdoptedKey(const QString& shown) {
  const QString plain = Plain(shown);
  const QByteArray utf8 = plain.toUtf8();
  return IsCatalogueKey(std::string_view(utf8.constData(), utf8.size())) ? plain : QString();
}

// The key of one text of Control, taken from the screen on first sight and
// again when the program has put another text there since.
QString KeyOf(QWidget* control, const TAspect& aspect, const QString& current) {
  const QVariant stored = control->property(aspect.KeyProperty);
  if (stored.isValid()) {
    const QString key = stored.toString();
    // Data stays data, whatever the program puts there later.
    if (key.isEmpty()) return key;
    if (Plain(current) == control->property(aspect.ShownProperty).toString()) return key;
  }
  if (current.isEmpty()) return {};
  const QString key = AdoptedKey(current);
  control->setProperty(aspect.KeyProperty, key);
  control->setProperty(aspect.ShownProperty, Plain(current));
  return key;
}

// The translation of Key for Control, remembered as what is shown.
QString Shown(QWidget* control, const TAspect& aspect, const QString& key) {
  const QString text = TrKey(key);
  control->setProperty(aspect.KeyProperty, key);
  control->setProperty(aspect.ShownProperty, Plain(text));
  return text;
}

QString CaptionOf(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
  return {};
}

void SetCaption(QWidget* control, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(control))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(control))
    button->setText(text);
  else if (auto* group = qobject_cast<QGroupBox*>(control))
    group->setTitle(text);
}

bool HasCaption(QWidget* control) {
  return qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control) ||
         qobject_cast<QGroupBox*>(control);
}

// The keys of Box's items, one per item: items added or changed since the
// last look are taken from the screen like any other text.
QStringList ItemKeys(QComboBox* box) {
  QStringList keys = box->property(ItemKeysProperty).toStringList();
  QStringList shown = box->property(ItemShownProperty).toStringList();
  const qsizetype seen = std::min(keys.size(), shown.size());
  keys.resize(box->count());
  shown.resize(box->count());
  for (int i = 0; i < box->count(); ++i) {
    const QString current = box->itemText(i);
    if (i < seen && Plain(current) == shown[i]) continue;
    // An item that is data stays so while it shows the same text.
    keys[i] = i < seen && keys[i].isEmpty() ? QString() : AdoptedKey(current);
    shown[i] = Plain(current);
  }
  box->setProperty(ItemKeysProperty, keys);
  box->setProperty(ItemShownProperty, shown);
  return keys;
}

void TranslateItems(QComboBox* box) {
  const QStringList keys = ItemKeys(box);
  QStringList shown = box->property(ItemShownProperty).toStringList();
  for (int i = 0; i < box->count(); ++i) {
    if (keys[i].isEmpty()) continue;
    const QString text = TrKey(keys[i]);
    box->setItemText(i, text);
    shown[i] = Plain(text);
  }
  box->setProperty(ItemShownProperty, shown);
}

}  // namespace

void TranslateControl(QWidget* Control) {
  if (!Control || Control->property(LiteralProperty).toBool()) return;
  if (Control->isWindow())
    if (const QString key = KeyOf(Control, TitleAspect, Control->windowTitle()); !key.isEmpty())
      Control->setWindowTitle(Shown(Control, TitleAspect, key));
  if (HasCaption(Control)) {
    if (const QString key = KeyOf(Control, TextAspect, CaptionOf(Control)); !key.isEmpty())
      SetCaption(Control, Shown(Control, TextAspect, key));
  } else if (auto* combo = qobject_cast<QComboBox*>(Control)) {
    if (combo->property(LanguageSelectorProperty).toInt() != LanguageSelectorTag)
      TranslateItems(combo);
  }
  if (const QString key = KeyOf(Control, TipAspect, Control->toolTip()); !key.isEmpty())
    Control->setToolTip(Shown(Control, TipAspect, key));
}

void TranslateControlTree(QWidget* Control) {
  if (!Control) return;
  TranslateControl(Control);
  for (QObject* child : Control->children())
    if (auto* widget = qobject_cast<QWidget*>(child)) TranslateControlTree(widget);
}

void SetKeyedText(QWidget* Control, const char* Key) {
  SetCaption(Control, Shown(Control, TextAspect, QString::fromUtf8(Key)));
}

void SetKeyedTip(QWidget* Control, const char* Key) {
  Control->setToolTip(Shown(Control, TipAspect, QString::fromUtf8(Key)));
}

void SetKeyedTitle(QWidget* Control, const char* Key) {
  Control->setWindowTitle(Shown(Control, TitleAspect, QString::fromUtf8(Key)));
}

void AddKeyedItem(QComboBox* Box, const char* Key) {
  QStringList keys = ItemKeys(Box);
  QStringList shown = Box->property(ItemShownProperty).toStringList();
  const QString key = Plain(QString::fromUtf8(Key));
  const QString text = TrKey(key);
  Box->addItem(text);
  keys.append(key);
  shown.append(Plain(text));
  Box->setProperty(ItemKeysProperty, keys);
  Box->setProperty(ItemShownProperty, shown);
}

void MarkLiteral(QWidget* Control) {
  Control->setProperty(LiteralProperty, true);
}

}  // namespace quelmora
