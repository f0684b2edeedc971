# Installation in the usual Linux places and the Debian package.
#
#   <prefix>/bin/quelmora, <prefix>/bin/quelmora-batch
#   <prefix>/share/quelmora/lang/*.lng          (installed by src/l10n)
#   <prefix>/share/applications/quelmora.desktop
#   <prefix>/share/icons/hicolor/{256x256,scalable}/apps/quelmora.{png,svg}
#
# The programs look for their language files in <exe dir>/../share/quelmora/lang.

install(TARGETS quelmora-batch RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quelmora.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/artwork/quelmora.png
        DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/artwork/quelmora.svg
        DESTINATION share/icons/hicolor/scalable/apps)

# The desktop program's target may be defined after this file is read; its
# rule is added once the whole top-level file has been processed.
function(quelmora_install_desktop_program)
  if(TARGET quelmora)
    install(TARGETS quelmora RUNTIME DESTINATION bin)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL quelmora_install_desktop_program)

# Installs into a scratch prefix and checks the layout and the language look-up.
if(QUELMORA_BUILD_TESTS)
  add_test(NAME install_layout
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${PROJECT_BINARY_DIR}
      -DPREFIX=${PROJECT_BINARY_DIR}/install-test
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -P ${PROJECT_SOURCE_DIR}/packaging/CheckInstall.cmake)
  set_tests_properties(install_layout PROPERTIES RUN_SERIAL TRUE)
endif()

set(CPACK_PACKAGE_NAME quelmora)
set(CPACK_PACKAGE_VENDOR "Osterlin")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Packaging optimizer for bulk food products")
set(CPACK_PACKAGE_DESCRIPTION
  "quelmora searches, for every product of an assortment of bulk food products
(tea, coffee, cocoa, sugar, salt, cereals, flour), a consumer pack within a
volume range, a corrugated shipping box holding a grid of those packs and the
pallet loading of the boxes, prices pack material and cardboard by blank area,
compares every proposal with the current packaging and unifies the box sizes of
the assortment. It comes as a desktop program and as the batch tool
quelmora-batch, and writes CSV, JSON and PDF reports.")
set(CPACK_PACKAGE_CONTACT "quelmora maintainers <quelmora@example.org>" CACHE STRING
    "Maintainer of the Debian package")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quelmora)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The texts need a font with Cyrillic letters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
find_program(QUELMORA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUELMORA_DPKG_SHLIBDEPS)
  # Qt's window-system and picture plugins come with libqt6gui6, which the
  # programs link.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libjpeg62-turbo, libstdc++6, libc6")
endif()
include(CPack)
