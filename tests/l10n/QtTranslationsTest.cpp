// Qt's own texts (standard buttons, file dialogs) follow the program's
// language; they come from Qt's catalogues, which the Debian package
// qt6-translations-l10n installs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QString>
#include <string>

#include "l10n/QtTranslations.h"
#include "support/Cyrillic.h"

using quelmora::test::HasCyrillic;

namespace quelmora {
namespace {

constexpr const char* kMissing =
    " (Qt's catalogues missing? install qt6-translations-l10n: scripts/install-deps.sh)";

struct TButtonTexts {
  QString Yes, No, Cancel;
};

// What a message box shows, the way the window's questions are built.
TButtonTexts MessageBoxButtons() {
  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  return {box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
          box.button(QMessageBox::Cancel)->text()};
}

class QtTranslationsTest : public ::testing::Test {
 protected:
  void TearDown() override { ApplyQtTranslations("English.lng"); }
};

TEST_F(QtTranslationsTest, GermanButtonsAreGerman) {
  ApplyQtTranslations("German.lng");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), "&Ja") << kMissing;
  const TButtonTexts buttons = MessageBoxButtons();
  EXPECT_EQ(buttons.Yes.toStdString(), "&Ja") << kMissing;
  EXPECT_EQ(buttons.No.toStdString(), "&Nein") << kMissing;
  EXPECT_EQ(buttons.Cancel.toStdString(), "Abbrechen") << kMissing;
}

// The folder of the language file plays no part, only its name.
TEST_F(QtTranslationsTest, RussianButtonsAreCyrillic) {
  for (const char* file : {"Russian.lng", "/somewhere/else/Russian.lng"}) {
    ApplyQtTranslations("English.lng");
    ApplyQtTranslations(file);
    const TButtonTexts buttons = MessageBoxButtons();
    for (const QString& text : {buttons.Yes, buttons.No, buttons.Cancel})
      EXPECT_TRUE(HasCyrillic(text.toStdString()))
          << file << ": " << text.toStdString() << kMissing;
  }
}

// A switch replaces the catalogue instead of stacking a second one, and
// English or an unknown language leaves Qt's own English texts.
TEST_F(QtTranslationsTest, EachSwitchReplacesTheCatalogue) {
  const struct {
    const char* File;
    const char* Yes;
  } switches[] = {{"German.lng", "&Ja"},   {"English.lng", "&Yes"}, {"German.lng", "&Ja"},
                  {"Klingon.lng", "&Yes"}, {"German.lng", "&Ja"},   {"", "&Yes"}};
  for (const auto& s : switches) {
    ApplyQtTranslations(s.File);
    EXPECT_EQ(MessageBoxButtons().Yes.toStdString(), s.Yes) << s.File << kMissing;
  }
  ApplyQtTranslations("Russian.lng");
  ApplyQtTranslations("English.lng");
  EXPECT_FALSE(HasCyrillic(MessageBoxButtons().Cancel.toStdString()));
}

}  // namespace
}  // namespace quelmora
