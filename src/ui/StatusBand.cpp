#include "ui/StatusBand.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <utility>

#include "l10n/Localization.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "ui/MainCommands.h"
#include "ui/UiText.h"
#include "ui/WindowParts.h"

namespace quelmora {

TStatusBand::TStatusBand(QWidget* Parent, const std::function<void(int Code)>& RunCommand)
    : QWidget(Parent) {
  setObjectName(QStringLiteral("StatusBand"));
  FillWith(this, Qt::white);
  setFixedHeight(48);
  FProgress = new QProgressBar(this);
  FProgress->setObjectName(QStringLiteral("FProgress"));
  FProgress->setGeometry(12, 14, 220, 20);
  FProgress->setRange(0, 100);
  FProgress->setValue(0);
  FProgress->setTextVisible(false);
  FStatus = new QLabel(this);
  FStatus->setObjectName(QStringLiteral("FStatus"));
  MarkLiteral(FStatus);
  FStatus->setGeometry(244, 14, 650, 22);
  FCancel = AddCommandButton(this, SCancel, 910, 120, cmdCancel, RunCommand);
  FCancel->setEnabled(false);
  SetStatus([] { return Tr(SReadyToCalculate); });
}

void TStatusBand::SetStatus(TStatusText Render) {
  FRender = std::move(Render);
  ApplyTexts();
}

void TStatusBand::ApplyTexts() {
  FStatus->setText(Utf8(FRender ? FRender() : std::string()));
}

void TStatusBand::SetProgress(int Percent) {
  FProgress->setValue(Percent);
}

void TStatusBand::SetRunning(bool Running) {
  FCancel->setEnabled(Running);
}

}  // namespace quelmora
