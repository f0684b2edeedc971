#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "workspace/Workspace.h"

class QMimeData;

namespace quelmora {

class TMainForm;

// The name the title and the questions give the project: its file's name,
// or the sample's name while it came from no file.
QString ProjectDisplayName(const std::string& FileName);

// The window's title: the project's name, "*" while it has unsaved changes,
// and the program's title.
QString WindowTitleText(const std::string& FileName, bool Modified);

// A typed ".csv" or ".json" (any case) decides; otherwise the file type
// selected in the dialog (index 1 is JSON).
TExportKind ExportKindFor(const QString& FileName, int FilterIndex);

enum class TDropKind { None, Project, Products };

// What dropping a file does: a ".vld" opens, a ".csv" is imported (any case).
TDropKind DropKindOf(const QString& FileName);

// The first local file of Data a drop can take; empty when there is none.
QString DroppableFile(const QMimeData* Data);

// Puts FileName (made absolute) first in the user's recent files and
// returns the list. A settings file that cannot be written is passed over:
// the list is a convenience, and a project that was saved or opened must not
// look as if it failed.
std::vector<std::string> RememberRecentFileIn(const std::string& FileName);

// Takes FileName out of the user's recent files; returns the list.
std::vector<std::string> ForgetRecentFile(const QString& FileName);

// Help > About: program, version, licence.
QString AboutText();

// The file named on the command line (the first argument after the program
// that is no option); empty when there is none.
QString StartFileArgument(const QStringList& Arguments);

// Opens the file named in Arguments, if any, as the window's project; a
// failure is shown and the window stays on the sample. False then.
bool OpenFileAtStart(TMainForm& Window, const QStringList& Arguments);

}  // namespace quelmora
