# Installs the build into a scratch prefix and checks that the result starts from the menu: the
# program with its data beside it, the link on the path, the entry and its icon.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch prefix> -P install_layout.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} OUTPUT_QUIET
                COMMAND_ERROR_IS_FATAL ANY)

foreach(file lib/freightdesk/freightdesk lib/freightdesk/program.ini lib/freightdesk/grd/null.grd
             lib/freightdesk/data/system.mdb lib/freightdesk/data/main.mdb
             share/applications/freightdesk.desktop share/icons/hicolor/scalable/apps/freightdesk.svg)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "${file} is not installed")
  endif()
endforeach()

file(REAL_PATH ${PREFIX}/bin/freightdesk program)
file(REAL_PATH ${PREFIX}/lib/freightdesk/freightdesk installed)
if(NOT program STREQUAL installed)
  message(FATAL_ERROR "bin/freightdesk leads to ${program}")
endif()

file(STRINGS ${PREFIX}/share/applications/freightdesk.desktop entry ENCODING UTF-8)
foreach(line "Name=货运业务管理系统" "Exec=${PREFIX}/bin/freightdesk" "Icon=freightdesk" "Categories=Office;")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks ${line}: ${entry}")
  endif()
endforeach()

find_program(desktop_file_validate desktop-file-validate)
if(desktop_file_validate)
  execute_process(COMMAND ${desktop_file_validate} ${PREFIX}/share/applications/freightdesk.desktop
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
