# Installs the build tree into PREFIX and checks what lands where.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(problems "")
macro(expect_file path)
  if(NOT EXISTS "${PREFIX}/${path}" OR IS_DIRECTORY "${PREFIX}/${path}")
    string(APPEND problems "missing: ${path}\n")
  endif()
endmacro()

expect_file(bin/vedan)
expect_file(bin/vedan-cli)

# The program looks for share/vedan/pictures beside the folder of its executable.
file(GLOB pictures RELATIVE "${SOURCE_DIR}/resources/pictures" "${SOURCE_DIR}/resources/pictures/*.jpg")
list(LENGTH pictures count)
if(count LESS 13)
  string(APPEND problems "only ${count} pictures in the source tree\n")
endif()
foreach(picture IN LISTS pictures)
  expect_file(share/vedan/pictures/${picture})
endforeach()

# The help window looks for share/vedan/guide beside the folder of its executable: a page for
# each chapter template, and the style sheet.
file(GLOB chapters RELATIVE "${SOURCE_DIR}/resources/guide" "${SOURCE_DIR}/resources/guide/*.html.in")
list(LENGTH chapters count)
if(count LESS 14)
  string(APPEND problems "only ${count} chapters of the guide in the source tree\n")
endif()
foreach(chapter IN LISTS chapters)
  string(REGEX REPLACE "\\.in$" "" page "${chapter}")
  expect_file(share/vedan/guide/${page})
endforeach()
expect_file(share/vedan/guide/guide.css)

expect_file(share/applications/${APP_ID}.desktop)
expect_file(share/metainfo/${APP_ID}.metainfo.xml)
expect_file(share/mime/packages/${APP_ID}.xml)
foreach(size 16 22 24 32 48 64 128 256)
  expect_file(share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
expect_file(share/doc/vedan/copyright)

# The Debian-only files stay out of a plain installation.
if(EXISTS "${PREFIX}/share/lintian")
  string(APPEND problems "a plain installation carries the lintian overrides\n")
endif()

# The desktop entry starts the installed program by name and shows the installed icon.
if(EXISTS "${PREFIX}/share/applications/${APP_ID}.desktop")
  file(STRINGS "${PREFIX}/share/applications/${APP_ID}.desktop" entry)
  foreach(line "Exec=vedan %f" "Icon=${APP_ID}" "Categories=Office;Engineering;"
          "MimeType=application/x-vedan-project;")
    if(NOT line IN_LIST entry)
      string(APPEND problems "desktop entry lacks ${line}\n")
    endif()
  endforeach()
endif()

# The installed tool's help says where the guide is installed.
execute_process(COMMAND "${PREFIX}/bin/vedan-cli" --help RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "Руководство пользователя: /[^\n]*/share/vedan/guide/index\\.html")
  string(APPEND problems "vedan-cli --help does not name the guide:\n${out}\n")
endif()

# The installed command-line tool computes the README's example.
execute_process(
  COMMAND "${PREFIX}/bin/vedan-cli" size hydroelevator --inlet 4 --inlet-unit kgf --outlet 3,8
          --outlet-unit kgf --supply 115 --return 70 --load 0,08 --load-unit gcal --resistance 1
          --resistance-unit m
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "Диаметр сопла \\(воронки\\) = 10,75 мм")
  string(APPEND problems "installed vedan-cli (${status}): ${out}${err}\n")
endif()

if(problems)
  message(FATAL_ERROR "${problems}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
