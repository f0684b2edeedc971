# Installs the build into a scratch prefix and checks that every file is in
# its place and that the installed batch tool finds the installed language files.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DSOURCE_DIR=... -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/quelmora
  bin/quelmora-batch
  share/applications/quelmora.desktop
  share/icons/hicolor/48x48/apps/quelmora.png
  share/icons/hicolor/128x128/apps/quelmora.png
  share/icons/hicolor/256x256/apps/quelmora.png
  share/icons/hicolor/scalable/apps/quelmora.svg
  share/mime/packages/quelmora.xml
  share/man/man1/quelmora.1.gz
  share/man/man1/quelmora-batch.1.gz
  share/doc/quelmora/copyright
  share/doc/quelmora/changelog.gz
  share/doc/quelmora/examples/products.csv
  share/doc/quelmora/examples/products-ru.csv)
file(GLOB languages RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/lang/*.lng)
foreach(language IN LISTS languages)
  list(APPEND expected share/quelmora/${language})
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

file(STRINGS ${PREFIX}/share/applications/quelmora.desktop entry)
foreach(line "Name=quelmora" "Exec=quelmora %f" "Icon=quelmora" "Categories=Office;Utility;"
             "MimeType=application/x-quelmora-project;")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "quelmora.desktop lacks ${line}")
  endif()
endforeach()

# The tool checks a --lang file before anything else: a missing one names the
# folder it looked in, a present one lets it go on to the (missing) project.
execute_process(
  COMMAND ${PREFIX}/bin/quelmora-batch --lang Missing.lng --pdf out.pdf
  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
string(FIND "${errors}" "${PREFIX}/share/quelmora/lang/Missing.lng" at)
if(NOT result EQUAL 1 OR at EQUAL -1)
  message(FATAL_ERROR "the installed tool looks elsewhere for its languages: ${errors}")
endif()
execute_process(
  COMMAND ${PREFIX}/bin/quelmora-batch --lang English.lng --pdf out.pdf
          --project ${PREFIX}/no-such-project.vld
  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
if(NOT result EQUAL 1 OR errors MATCHES "Language file not found")
  message(FATAL_ERROR "the installed tool does not find English.lng: ${errors}")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/CheckPackageFiles.cmake)

file(REMOVE_RECURSE ${PREFIX})
message(STATUS "install layout under ${PREFIX}: ${expected}")
