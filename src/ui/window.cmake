# The main window: product grid, result views, commands.
target_sources(quelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MainForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainForm.h
  ${CMAKE_CURRENT_LIST_DIR}/PalletView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PalletView.h
  ${CMAKE_CURRENT_LIST_DIR}/PreviewArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PreviewArea.h
  ${CMAKE_CURRENT_LIST_DIR}/ProductGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductGrid.h
  ${CMAKE_CURRENT_LIST_DIR}/ProductGridWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductGridWidget.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultViews.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultViews.h
)
