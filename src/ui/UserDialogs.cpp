#include "ui/UserDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <memory>
#include <new>
#include <optional>

#include "l10n/ErrorText.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "ui/UiText.h"

namespace quelmora {

namespace {

QString WithDetail(std::string Text, const std::exception& Error) {
  if (const auto* ours = dynamic_cast<const Exception*>(&Error)) {
    const std::string detail = ErrorDetail(*ours);
    if (!detail.empty()) Text += "\n" + detail;
  }
  return QString::fromStdString(Text);
}

}  // namespace

QString ErrorMessageText(const std::exception& Error) {
  return WithDetail(LocalizedFailure(Error), Error);
}

QString RunFailureText(const Exception& Error) {
  return WithDetail(LocalizedRunFailure(Error), Error);
}

bool RunOrShowError(IUserDialogs& Dialogs, QWidget* Parent, const std::function<void()>& Action) {
  return RunOrShowError(Dialogs, Parent, Action, nullptr);
}

bool RunOrShowError(IUserDialogs& Dialogs, QWidget* Parent, const std::function<void()>& Action,
                    const std::function<void(const Exception&)>& OnFailure) {
  try {
    Action();
    return true;
  } catch (const Exception& e) {
    Dialogs.ShowError(Parent, ErrorMessageText(e));
    if (OnFailure) OnFailure(e);
  } catch (const std::exception& e) {
    Dialogs.ShowError(Parent, ErrorMessageText(e));
  }
  return false;
}

namespace {

QString Title() {
  return QString::fromUtf8(ProgramName);
}

}  // namespace

QString FilterSuffix(const QString& Filter) {
  const qsizetype open = Filter.indexOf(QStringLiteral("(*."));
  if (open < 0) return QString();
  const qsizetype start = open + 3;
  const qsizetype end = Filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), start);
  if (end < 0 || Filter.at(end) != QLatin1Char(')')) return QString();
  const QString suffix = Filter.mid(start, end - start);
  return suffix.contains(QLatin1Char('*')) ? QString() : suffix;
}

QString TLastFolders::StartPath(const QStringList& Filters, const QString& InitialName) const {
  if (!InitialName.isEmpty() && QFileInfo(InitialName).isAbsolute()) return InitialName;
  const QString folder = FFolders.value(Filters.join(QStringLiteral(";;")));
  if (folder.isEmpty()) return InitialName;
  return InitialName.isEmpty() ? folder : QDir(folder).filePath(InitialName);
}

void TLastFolders::Remember(const QStringList& Filters, const QString& FileName) {
  if (FileName.isEmpty()) return;
  FFolders.insert(Filters.join(QStringLiteral(";;")), QFileInfo(FileName).absolutePath());
}

void TQtUserDialogs::ShowError(QWidget* Parent, const QString& Text) {
  QMessageBox::critical(Parent, Title(), Text, QMessageBox::Ok);
}

void TQtUserDialogs::ShowInfo(QWidget* Parent, const QString& Text) {
  QMessageBox::information(Parent, Title(), Text, QMessageBox::Ok);
}

IUserDialogs::TAnswer TQtUserDialogs::AskYesNo(QWidget* Parent, const QString& Text) {
  const auto button = QMessageBox::question(Parent, Title(), Text,
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  return button == QMessageBox::Yes ? TAnswer::Yes : TAnswer::No;
}

TMismatchQuestion VolumeMismatchQuestion(IUserDialogs& Dialogs, QWidget* Parent,
                                         const TNumberFormat& Numbers) {
  auto settled = std::make_shared<std::optional<TMismatchAnswer>>();
  return [&Dialogs, Parent, Numbers, settled](const TProduct& Product, double SampleVolumeM3) {
    if (*settled) return **settled;
    const std::string question =
        FormatLocal(Numbers, Tr(SVolumeMismatchQuestion), Product.Name, Product.MinVolumeM3,
                    Product.MaxVolumeM3, SampleVolumeM3);
    bool forAll = false;
    const IUserDialogs::TAnswer answer = Dialogs.AskYesNoCancelChecked(
        Parent, Utf8(question), Translated(SSameForAllRemaining), forAll);
    const TMismatchAnswer chosen = answer == IUserDialogs::TAnswer::Yes ? TMismatchAnswer::UseSample
                                   : answer == IUserDialogs::TAnswer::No ? TMismatchAnswer::UseRange
                                                                         : TMismatchAnswer::Cancel;
    if (forAll) *settled = chosen;
    return chosen;
  };
}

namespace {

// Closing a Yes/No/Cancel box answers Cancel.
IUserDialogs::TAnswer AnswerOf(int Button) {
  switch (Button) {
    case QMessageBox::Yes:
      return IUserDialogs::TAnswer::Yes;
    case QMessageBox::No:
      return IUserDialogs::TAnswer::No;
    default:
      return IUserDialogs::TAnswer::Cancel;
  }
}

}  // namespace

IUserDialogs::TAnswer TQtUserDialogs::AskYesNoCancel(QWidget* Parent, const QString& Text) {
  QMessageBox box(QMessageBox::Question, Title(), Text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent);
  box.setEscapeButton(QMessageBox::Cancel);
  return AnswerOf(box.exec());
}

IUserDialogs::TAnswer TQtUserDialogs::AskYesNoCancelChecked(QWidget* Parent, const QString& Text,
                                                            const QString& CheckText,
                                                            bool& Checked) {
  QMessageBox box(QMessageBox::Question, Title(), Text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent);
  box.setEscapeButton(QMessageBox::Cancel);
  // The box owns the check box.
  box.setCheckBox(new QCheckBox(CheckText));
  const int button = box.exec();
  Checked = box.checkBox()->isChecked();
  return AnswerOf(button);
}

QString TQtUserDialogs::OpenFileName(QWidget* Parent, const QStringList& Filters) {
  const QString fileName = QFileDialog::getOpenFileName(
      Parent, Title(), FLastFolders.StartPath(Filters, QString()), Filters.join(";;"));
  FLastFolders.Remember(Filters, fileName);
  return fileName;
}

IUserDialogs::TSaveChoice TQtUserDialogs::SaveFileName(QWidget* Parent, const QStringList& Filters,
                                                       const QString& DefaultSuffix,
                                                       const QString& InitialName) {
  QFileDialog dialog(Parent, Title());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(Filters);
  dialog.setDefaultSuffix(DefaultSuffix);
  const QString start = FLastFolders.StartPath(Filters, InitialName);
  if (QFileInfo(start).isDir())
    dialog.setDirectory(start);
  else if (!start.isEmpty())
    dialog.selectFile(start);
  // A name typed without extension gets the one of the selected type: JSON
  // chosen in the export dialog must not end up in a ".csv" file.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, &Filters, &DefaultSuffix](const QString& filter) {
                     const QString suffix =
                         filter == Filters.value(0) ? DefaultSuffix : FilterSuffix(filter);
                     dialog.setDefaultSuffix(suffix);
                   });
  TSaveChoice choice;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return choice;
  choice.FileName = dialog.selectedFiles().first();
  choice.FilterIndex = static_cast<int>(Filters.indexOf(dialog.selectedNameFilter()));
  if (choice.FilterIndex < 0) choice.FilterIndex = 0;
  FLastFolders.Remember(Filters, choice.FileName);
  return choice;
}

}  // namespace quelmora
