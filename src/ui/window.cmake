# The main window: product grid and its table model, parameters, result
# views, commands.
target_sources(quelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EditTakeOver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditTakeOver.h
  ${CMAKE_CURRENT_LIST_DIR}/MainCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainCommands.h
  ${CMAKE_CURRENT_LIST_DIR}/MainForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainForm.h
  ${CMAKE_CURRENT_LIST_DIR}/MainFormFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainMenu.h
  ${CMAKE_CURRENT_LIST_DIR}/Mnemonics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mnemonics.h
  ${CMAKE_CURRENT_LIST_DIR}/PalletView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PalletView.h
  ${CMAKE_CURRENT_LIST_DIR}/ParametersPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ParametersPanel.h
  ${CMAKE_CURRENT_LIST_DIR}/PreviewArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PreviewArea.h
  ${CMAKE_CURRENT_LIST_DIR}/ProductGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductGrid.h
  ${CMAKE_CURRENT_LIST_DIR}/ProductGridWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductGridWidget.h
  ${CMAKE_CURRENT_LIST_DIR}/ProductTableModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductTableModel.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultsPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultsPanel.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultsTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultFigureTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultFigureTexts.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultTableModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultTableModel.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultViews.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultViews.h
  ${CMAKE_CURRENT_LIST_DIR}/StatusBand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusBand.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowHeader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowHeader.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowLayout.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowFiles.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowParts.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowTexts.h
)
# Help > About names the version the programs answer --version with.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/WindowFiles.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             QUELMORA_VERSION="${PROJECT_VERSION}")
