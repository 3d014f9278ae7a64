# Installs the build tree into an empty prefix and checks that the program, its desktop entry and
# its icon land where a desktop looks for them.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path bin/reglin share/applications/reglin.desktop share/pixmaps/reglin.xpm)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
execute_process(COMMAND test -x "${PREFIX}/bin/reglin" RESULT_VARIABLE not_executable)
if(not_executable)
  message(FATAL_ERROR "bin/reglin is not executable")
endif()

file(STRINGS "${PREFIX}/share/applications/reglin.desktop" entry ENCODING UTF-8)
foreach(line "Name=Régression linéaire" "Exec=reglin" "Icon=reglin")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks the line ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
