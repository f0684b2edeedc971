# The Debian package (cpack -G DEB). The install rules it packs sit next to
# their targets:
#
#   <prefix>/bin/quelmora-batch                  tools/batch
#   <prefix>/bin/quelmora, the menu entry and the icons
#     share/applications/quelmora.desktop,
#     share/icons/hicolor/{256x256,scalable}/apps/quelmora.{png,svg}   app
#   <prefix>/share/quelmora/lang/*.lng           src/l10n
#   <prefix>/share/doc/quelmora (copyright, changelog.gz, examples/),
#     share/man/man1, share/mime/packages/quelmora.xml,
#     share/icons/hicolor/{48x48,128x128}        packaging
#
# The programs look for their language files in <exe dir>/../share/quelmora/lang.

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
