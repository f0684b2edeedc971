#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

#include "engine/VolumeMismatch.h"
#include "l10n/LocalFormat.h"
#include "model/Errors.h"
#include "model/ProductModel.h"

class QWidget;

namespace quelmora {

// The program's message boxes and file dialogs, behind one interface so that
// tests can answer them without a person.
class IUserDialogs {
 public:
  enum class TAnswer { Yes, No, Cancel };

  // A save dialog's outcome: the chosen file (empty when cancelled) and the
  // index of the file type selected in the dialog.
  struct TSaveChoice {
    QString FileName;
    int FilterIndex = 0;
  };

  virtual ~IUserDialogs() = default;

  // An error box with the text and an OK button.
  virtual void ShowError(QWidget* Parent, const QString& Text) = 0;
  // An information box with the text and an OK button.
  virtual void ShowInfo(QWidget* Parent, const QString& Text) = 0;
  // A confirmation with Yes and No; closing the box answers No.
  virtual TAnswer AskYesNo(QWidget* Parent, const QString& Text) = 0;
  // A confirmation with Yes, No and Cancel; closing the box answers Cancel.
  virtual TAnswer AskYesNoCancel(QWidget* Parent, const QString& Text) = 0;
  // AskYesNoCancel with a check box captioned CheckText, unchecked at first;
  // Checked tells how the user left it.
  virtual TAnswer AskYesNoCancelChecked(QWidget* Parent, const QString& Text,
                                        const QString& CheckText, bool& Checked) = 0;
  // Filters in Qt's form ("Label (*.ext)"). Empty when the user cancels.
  virtual QString OpenFileName(QWidget* Parent, const QStringList& Filters) = 0;
  // Asks before an existing file is replaced. DefaultSuffix (without the
  // dot) is added to a name typed without one while the first file type is
  // selected; another type adds its own. InitialName may be empty.
  virtual TSaveChoice SaveFileName(QWidget* Parent, const QStringList& Filters,
                                   const QString& DefaultSuffix, const QString& InitialName) = 0;
};

// The folder each kind of file dialog (told apart by its filters) used
// last, for the session: opening and saving projects share theirs.
class TLastFolders {
 public:
  // Where the dialog starts: InitialName when it has a folder, otherwise
  // InitialName in the kind's last folder (or that folder alone).
  QString StartPath(const QStringList& Filters, const QString& InitialName) const;
  // Remembers the folder of FileName; an empty name (cancelled) changes nothing.
  void Remember(const QStringList& Filters, const QString& FileName);

 private:
  QMap<QString, QString> FFolders;
};

// The extension a file-dialog filter names: "JSON (*.json)" gives "json";
// empty when it names no single extension.
QString FilterSuffix(const QString& Filter);

// The text a window shows for a failure that reached it, in the current
// language: the message and, where there is one, a line on what was found and
// what is allowed. The one place where an error becomes words on the screen.
QString ErrorMessageText(const std::exception& Error);
// A failed run's text in the current language ("Kind: message"), with the
// detail line where there is one.
QString RunFailureText(const Exception& Error);

// Runs Action; a failure is shown in an error box over Parent. True when
// Action completed.
bool RunOrShowError(IUserDialogs& Dialogs, QWidget* Parent, const std::function<void()>& Action);
// The same; after the box has been closed, OnFailure gets the failure when it
// is one of ours, so the dialog can lead the user to the field at fault.
bool RunOrShowError(IUserDialogs& Dialogs, QWidget* Parent, const std::function<void()>& Action,
                    const std::function<void(const Exception&)>& OnFailure);

// The volume question of one run: asks whether the run takes the sample's
// volume of a product (Yes), its volume range (No), or stops (Cancel);
// numbers written with Numbers. An answer given with "the same for all
// remaining products" checked is the answer for every later product of the
// run, which is then not asked about.
TMismatchQuestion VolumeMismatchQuestion(IUserDialogs& Dialogs, QWidget* Parent,
                                         const TNumberFormat& Numbers);

// The real boxes and dialogs (QMessageBox, QFileDialog).
class TQtUserDialogs final : public IUserDialogs {
 public:
  void ShowError(QWidget* Parent, const QString& Text) override;
  void ShowInfo(QWidget* Parent, const QString& Text) override;
  TAnswer AskYesNo(QWidget* Parent, const QString& Text) override;
  TAnswer AskYesNoCancel(QWidget* Parent, const QString& Text) override;
  TAnswer AskYesNoCancelChecked(QWidget* Parent, const QString& Text, const QString& CheckText,
                                bool& Checked) override;
  QString OpenFileName(QWidget* Parent, const QStringList& Filters) override;
  TSaveChoice SaveFileName(QWidget* Parent, const QStringList& Filters,
                           const QString& DefaultSuffix, const QString& InitialName) override;

 private:
  TLastFolders FLastFolders;
};

}  // namespace quelmora
