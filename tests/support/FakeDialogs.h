#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <string>
#include <vector>

#include "ui/UserDialogs.h"

namespace quelmora::testing {

// Answers the window's boxes and dialogs from queues and records what it was
// asked. An empty queue answers as closing the box would.
class TFakeDialogs final : public IUserDialogs {
 public:
  void ShowError(QWidget*, const QString& Text) override { Errors.push_back(Text.toStdString()); }
  void ShowInfo(QWidget*, const QString& Text) override { Infos.push_back(Text.toStdString()); }
  TAnswer AskYesNo(QWidget*, const QString& Text) override {
    Questions.push_back(Text.toStdString());
    return Next(YesNo, TAnswer::No);
  }
  TAnswer AskYesNoCancel(QWidget*, const QString& Text) override {
    Questions.push_back(Text.toStdString());
    return Next(YesNoCancel, TAnswer::Cancel);
  }
  // Answers from YesNoCancel like AskYesNoCancel, the check box from Checks.
  TAnswer AskYesNoCancelChecked(QWidget*, const QString& Text, const QString& CheckText,
                                bool& Checked) override {
    Questions.push_back(Text.toStdString());
    CheckTexts.push_back(CheckText.toStdString());
    Checked = Next(Checks, false);
    return Next(YesNoCancel, TAnswer::Cancel);
  }
  QString OpenFileName(QWidget*, const QStringList& Filters) override {
    FiltersSeen.push_back(Filters);
    return Next(OpenNames, QString());
  }
  TSaveChoice SaveFileName(QWidget*, const QStringList& Filters, const QString& DefaultSuffix,
                           const QString& InitialName) override {
    FiltersSeen.push_back(Filters);
    SuffixesSeen.push_back(DefaultSuffix);
    InitialNamesSeen.push_back(InitialName);
    return Next(SaveChoices, TSaveChoice{});
  }

  std::deque<TAnswer> YesNo;
  std::deque<TAnswer> YesNoCancel;
  std::deque<bool> Checks;
  std::deque<QString> OpenNames;
  std::deque<TSaveChoice> SaveChoices;

  std::vector<std::string> Errors;
  std::vector<std::string> Infos;
  std::vector<std::string> Questions;
  std::vector<std::string> CheckTexts;
  std::vector<QStringList> FiltersSeen;
  std::vector<QString> SuffixesSeen;
  std::vector<QString> InitialNamesSeen;

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

}  // namespace quelmora::testing
