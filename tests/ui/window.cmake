# Tests of the main window: start-up, commands, product grid, result views.
target_sources(quelmora_ui_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MainFormCommandsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormFixture.h
  ${CMAKE_CURRENT_LIST_DIR}/MainFormFilesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormGridTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormLayoutTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormMenusTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormPalletViewTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormResultViewsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormShutdownTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormSmallThingsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormStrengthTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormStartupTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NameOrderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductTableModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramNameTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageSweepTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UserDataTextsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultsTableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UndoRedoWindowTest.cpp
)
# The About box is checked for the version the programs report.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/MainFormMenusTest.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS QUELMORA_VERSION="${PROJECT_VERSION}")
