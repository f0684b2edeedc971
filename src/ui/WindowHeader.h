#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "l10n/Localization.h"

class QComboBox;
class QLabel;

namespace quelmora {

// The main window's top band: the program's title and, at the right, the
// language selector.
class TWindowHeader final : public QWidget {
  Q_OBJECT

 public:
  explicit TWindowHeader(QWidget* Parent);

  // Lists the language files, the current language selected.
  void FillLanguages();
  // The title sized to its text in the current language.
  void FitTitle();

 signals:
  // The user chose the language of FileName.
  void LanguageChosen(const QString& FileName);

 protected:
  void resizeEvent(QResizeEvent* Event) override;

 private:
  QLabel* FTitle = nullptr;
  QComboBox* FLanguage = nullptr;
  std::vector<TPackLanguageInfo> FLanguages;
};

}  // namespace quelmora
