#include "ui/WindowHeader.h"

#include <QComboBox>
#include <QLabel>
#include <string_view>

#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "ui/UiText.h"
#include "ui/WindowParts.h"

namespace quelmora {

namespace {

const QColor HeaderBackground(0x22, 0x34, 0x49);

bool SameLatinCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

}  // namespace

TWindowHeader::TWindowHeader(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("Header"));
  setFixedHeight(54);
  FillWith(this, HeaderBackground);
  FTitle = AddLabel(this, SAppTitle, 12, 15);
  QFont titleFont = FTitle->font();
  titleFont.setPointSize(15);
  FTitle->setFont(titleFont);
  QPalette titlePalette = FTitle->palette();
  titlePalette.setColor(QPalette::WindowText, Qt::white);
  FTitle->setPalette(titlePalette);
  FTitle->adjustSize();
  FLanguage = new QComboBox(this);
  FLanguage->setObjectName(QStringLiteral("FLanguage"));
  FLanguage->setEditable(false);
  FLanguage->resize(190, 30);
  FLanguage->setProperty(LanguageSelectorProperty, LanguageSelectorTag);
  connect(FLanguage, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0 || index >= static_cast<int>(FLanguages.size())) return;
    emit LanguageChosen(Utf8(FLanguages[index].FileName));
  });
}

void TWindowHeader::FillLanguages() {
  const QSignalBlocker quiet(FLanguage);
  FLanguages = ListLanguages();
  FLanguage->clear();
  int selected = -1;
  for (size_t i = 0; i < FLanguages.size(); ++i) {
    FLanguage->addItem(Utf8(FLanguages[i].DisplayName));
    if (selected < 0 && SameLatinCase(FLanguages[i].FileName, CurrentLanguageFile()))
      selected = static_cast<int>(i);
  }
  FLanguage->setCurrentIndex(selected);
}

void TWindowHeader::FitTitle() {
  FTitle->adjustSize();
}

void TWindowHeader::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  FLanguage->move(width() - 20 - FLanguage->width(), 12);
}

}  // namespace quelmora
