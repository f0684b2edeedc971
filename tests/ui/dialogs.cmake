# Tests of the settings and product dialogs and of the splash window.
target_sources(quelmora_ui_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProductDialogTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsDialogTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplashFormTest.cpp
)
