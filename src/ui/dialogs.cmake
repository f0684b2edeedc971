# The settings and product dialogs, the splash window and the pictures they show.
target_sources(quelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProductEditForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductEditForm.h
  ${CMAKE_CURRENT_LIST_DIR}/SettingsForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsForm.h
  ${CMAKE_CURRENT_LIST_DIR}/SplashForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplashForm.h
  ${PROJECT_SOURCE_DIR}/resources/quelmora.qrc
)
