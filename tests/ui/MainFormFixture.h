#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "io/ProjectSerializer.h"
#include "l10n/Localization.h"
#include "support/FakeDialogs.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"
#include "ui/MainForm.h"
#include "ui/ProductGridWidget.h"
#include "ui/UserDialogs.h"

namespace quelmora::testing {

// A main window on the built-in sample, with the repository's language files,
// a settings folder of its own, Russian texts and a point as decimal
// separator. The product and settings dialogs are replaced by functions the
// test sets.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.Set("LOCALAPPDATA", (temp_.Path() / "appdata").string());
    OverrideLanguageFolder(LanguageFolderForTests());
    LoadLanguage("Russian.lng");
    savedLocale_ = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  }

  void TearDown() override {
    window_.reset();
    QLocale::setDefault(savedLocale_);
    OverrideLanguageFolder("");
    LoadLanguage("Russian.lng");
  }

  virtual std::string LanguageFolderForTests() const {
    return std::string(QUELMORA_SOURCE_DIR) + "/lang";
  }

  TMainForm& Window() {
    if (!window_) {
      TMainFormEditors editors;
      editors.EditProduct = [this](QWidget*, TProduct& product, IUserDialogs&) {
        productsEdited_.push_back(product);
        return EditProductAnswer ? EditProductAnswer(product) : false;
      };
      editors.EditSettings = [this](QWidget*, TOptimizationSettings& settings, IUserDialogs&) {
        return EditSettingsAnswer ? EditSettingsAnswer(settings) : false;
      };
      window_ = std::make_unique<TMainForm>(dialogs_, editors);
    }
    return *window_;
  }

  // Destroys the window as quitting the program would; Window() then makes a new one.
  void DestroyWindow() { window_.reset(); }

  // Shows the window and lets it lay out its controls.
  void ShowWindow() {
    Window().show();
    QCoreApplication::processEvents();
  }

  template <typename T>
  T* Control(const char* name) {
    T* control = Window().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  TProductGridWidget* Grid() { return Control<TProductGridWidget>("FGrid"); }
  QListWidget* Boxes() { return Control<QListWidget>("FList"); }
  QListWidget* Products() { return Control<QListWidget>("FProductList"); }
  QPlainTextEdit* OptimalMemo() { return Control<QPlainTextEdit>("FOptimalMemo"); }
  QPlainTextEdit* OriginalMemo() { return Control<QPlainTextEdit>("FOriginalMemo"); }
  std::string Status() { return Control<QLabel>("FStatus")->text().toStdString(); }
  QPushButton* Button(int code) { return Window().CommandButton(code); }

  // Clicks a command button as the user would (it must be enabled).
  void Click(int code) {
    QPushButton* button = Button(code);
    ASSERT_NE(button, nullptr) << code;
    ASSERT_TRUE(button->isEnabled()) << code;
    button->click();
  }

  // Processes events until Done holds; false after Seconds.
  static bool WaitUntil(const std::function<bool()>& Done, int Seconds = 120) {
    QDeadlineTimer deadline(Seconds * 1000);
    while (!Done()) {
      if (deadline.hasExpired()) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(5);
    }
    return true;
  }

  // Run, then let the window's timer take the worker's result.
  void RunAndWait() {
    Click(cmdRun);
    ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); })) << "the run did not end";
  }

  // Makes Project the window's project through the Open command.
  void OpenProject(const TProjectData& Project, const std::string& name = "project.vld") {
    const std::string file = temp_.File(name);
    SaveProject(file, Project);
    dialogs_.OpenNames.push_back(QString::fromStdString(file));
    if (Window().Modified()) dialogs_.YesNoCancel.push_back(IUserDialogs::TAnswer::No);
    Click(cmdOpen);
  }

  // Types Text into a grid cell as a finished in-place edit.
  void TypeIntoCell(int column, int row, const QString& text) {
    Grid()->setCurrentIndex(Grid()->model()->index(row - 1, column));
    Grid()->SetCell(column, row, text);
  }

  static bool AllPixels(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) return false;
    return true;
  }

  TTempFolder temp_;
  TFakeDialogs dialogs_;
  std::function<bool(TProduct&)> EditProductAnswer;
  std::function<bool(TOptimizationSettings&)> EditSettingsAnswer;
  std::vector<TProduct> productsEdited_;

 private:
  std::unique_ptr<TMainForm> window_;
  TScopedEnv env_{"LOCALAPPDATA", "LC_ALL", "LC_MESSAGES", "LANG"};
  QLocale savedLocale_;
};

}  // namespace quelmora::testing
