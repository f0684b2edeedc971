# Part of CheckInstall.cmake: the files a desktop and dpkg read, checked in
# the scratch prefix (PREFIX) against their sources (SOURCE_DIR).

# The desktop entry opens the type the MIME package declares, and that type
# takes the project files.
set(desktop ${PREFIX}/share/applications/quelmora.desktop)
set(mime ${PREFIX}/share/mime/packages/quelmora.xml)
file(READ ${mime} mime_text)
string(REGEX MATCH "<mime-type type=\"([^\"]+)\"" _ "${mime_text}")
set(mime_type ${CMAKE_MATCH_1})
file(READ ${desktop} desktop_text)
string(REGEX MATCH "\nMimeType=([^\n]*)" _ "${desktop_text}")
if(NOT CMAKE_MATCH_1 STREQUAL "${mime_type};")
  message(FATAL_ERROR "the desktop entry opens \"${CMAKE_MATCH_1}\", not ${mime_type}")
endif()
if(NOT mime_text MATCHES "<glob pattern=\"\\*\\.vld\"/>")
  message(FATAL_ERROR "quelmora.xml does not take *.vld files")
endif()
find_program(XMLLINT xmllint)
if(XMLLINT)
  execute_process(COMMAND ${XMLLINT} --noout ${mime} RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "quelmora.xml is not well formed: ${errors}")
  endif()
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop} RESULT_VARIABLE result
                  OUTPUT_VARIABLE errors ERROR_VARIABLE errors)
  # Hints (such as two main categories) are advice, not faults.
  if(NOT result EQUAL 0 OR errors MATCHES "(error|warning):")
    message(FATAL_ERROR "quelmora.desktop: ${errors}")
  endif()
endif()

# Compressed files hold their sources unchanged, without a name or a time
# stamp in the gzip header (gzip -n), so the package is the same every build.
find_program(GZIP gzip REQUIRED)
foreach(pair "doc/quelmora/changelog.gz=packaging/changelog"
             "man/man1/quelmora.1.gz=packaging/man/quelmora.1"
             "man/man1/quelmora-batch.1.gz=packaging/man/quelmora-batch.1")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 installed)
  list(GET pair 1 source)
  set(installed ${PREFIX}/share/${installed})
  file(READ ${installed} header HEX LIMIT 8)
  # Magic, deflate, no flags (so no name), time stamp 0.
  if(NOT header STREQUAL "1f8b080000000000")
    message(FATAL_ERROR "${installed} has a name or a time stamp: ${header}")
  endif()
  execute_process(COMMAND ${GZIP} -dc ${installed} OUTPUT_FILE ${PREFIX}/unpacked RESULT_VARIABLE result)
  file(SHA256 ${PREFIX}/unpacked unpacked_hash)
  file(SHA256 ${SOURCE_DIR}/${source} source_hash)
  if(NOT result EQUAL 0 OR NOT unpacked_hash STREQUAL source_hash)
    message(FATAL_ERROR "${installed} is not ${source}")
  endif()
endforeach()
file(REMOVE ${PREFIX}/unpacked)

# The changelog's newest entry is the version the programs report.
execute_process(COMMAND ${PREFIX}/bin/quelmora-batch --version OUTPUT_VARIABLE version)
string(REGEX REPLACE "^quelmora-batch ([^\n]+)\n$" "\\1" version "${version}")
file(STRINGS ${SOURCE_DIR}/packaging/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^quelmora \\(${version}\\) ")
  message(FATAL_ERROR "the changelog starts with \"${newest}\", not version ${version}")
endif()

file(STRINGS ${PREFIX}/share/doc/quelmora/copyright format LIMIT_COUNT 1)
if(NOT format STREQUAL "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
  message(FATAL_ERROR "the copyright file is not in the machine-readable format: ${format}")
endif()

# A CSV that is not ours is answered with the installed example, which exists.
file(REAL_PATH ${PREFIX} real_prefix)
file(WRITE ${PREFIX}/wrong.csv "Name;Price\n")
execute_process(COMMAND ${PREFIX}/bin/quelmora-batch --import ${PREFIX}/wrong.csv
                RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
set(example ${real_prefix}/share/doc/quelmora/examples/products.csv)
string(FIND "${errors}" "${example}" at)
if(NOT result EQUAL 1 OR at EQUAL -1)
  message(FATAL_ERROR "the wrong-header message does not name ${example}: ${errors}")
endif()
