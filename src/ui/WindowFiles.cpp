#include "ui/WindowFiles.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "l10n/RecentFiles.h"
#include "model/AppStrings.h"
#include "model/TextFormat.h"
#include "ui/MainForm.h"
#include "ui/UiText.h"

namespace quelmora {

namespace {

bool EndsWith(const QString& FileName, const char* Extension) {
  return FileName.endsWith(QLatin1String(Extension), Qt::CaseInsensitive);
}

}  // namespace

QString ProjectDisplayName(const std::string& FileName) {
  if (FileName.empty()) return Translated(SSampleProject);
  return QFileInfo(QString::fromStdString(FileName)).fileName();
}

QString WindowTitleText(const std::string& FileName, bool Modified) {
  return ProjectDisplayName(FileName) + (Modified ? QStringLiteral("*") : QString()) +
         QStringLiteral(" — ") + QString::fromUtf8(ProgramName);
}

TExportKind ExportKindFor(const QString& FileName, int FilterIndex) {
  if (EndsWith(FileName, ".json")) return TExportKind::Json;
  if (EndsWith(FileName, ".csv")) return TExportKind::Csv;
  return FilterIndex == 1 ? TExportKind::Json : TExportKind::Csv;
}

TDropKind DropKindOf(const QString& FileName) {
  if (EndsWith(FileName, ".vld")) return TDropKind::Project;
  if (EndsWith(FileName, ".csv")) return TDropKind::Products;
  return TDropKind::None;
}

QString DroppableFile(const QMimeData* Data) {
  if (!Data || !Data->hasUrls()) return QString();
  for (const QUrl& url : Data->urls())
    if (url.isLocalFile() && DropKindOf(url.toLocalFile()) != TDropKind::None)
      return url.toLocalFile();
  return QString();
}

std::vector<std::string> RememberRecentFileIn(const std::string& FileName) {
  const std::string absolute =
      QFileInfo(QString::fromStdString(FileName)).absoluteFilePath().toStdString();
  std::vector<std::string> files = WithRecentFile(LoadRecentFiles(), absolute);
  try {
    SaveRecentFiles(files);
  } catch (const std::exception&) {
    // Passed over, see above.
  }
  return files;
}

std::vector<std::string> ForgetRecentFile(const QString& FileName) {
  std::vector<std::string> files = WithoutRecentFile(LoadRecentFiles(), FileName.toStdString());
  try {
    SaveRecentFiles(files);
  } catch (const std::exception&) {
    // The entry goes from the menu all the same.
  }
  return files;
}

QString AboutText() {
  const std::string text = Tr(SAppTitle) + "\n\n" +
                           FormatArgs(Tr(SVersionLine), {QUELMORA_VERSION}) + "\n" +
                           FormatArgs(Tr(SLicenceLine), {"/usr/share/doc/quelmora/copyright"});
  return Utf8(text);
}

QString StartFileArgument(const QStringList& Arguments) {
  bool optionsEnd = false;
  for (qsizetype i = 1; i < Arguments.size(); ++i) {
    const QString& argument = Arguments[i];
    if (!optionsEnd && argument == QStringLiteral("--")) {
      optionsEnd = true;
      continue;
    }
    if (!optionsEnd && argument.startsWith(QLatin1Char('-'))) continue;
    // A desktop launcher may hand over a file URL.
    const QUrl url(argument);
    return url.isLocalFile() ? url.toLocalFile() : argument;
  }
  return QString();
}

bool OpenFileAtStart(TMainForm& Window, const QStringList& Arguments) {
  const QString file = StartFileArgument(Arguments);
  return file.isEmpty() || Window.OpenProjectFile(file);
}

}  // namespace quelmora
