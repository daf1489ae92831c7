# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Draws the pictures into SCRATCH and compares each with its committed copy in COMMITTED,
# byte for byte. Fails naming every file that differs and every file that is missing or
# not in PICTURES.
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${DRAW}" "${SCRATCH}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "draw_pictures failed: ${status}")
endif()

file(GLOB drawn RELATIVE "${SCRATCH}" "${SCRATCH}/*")
list(SORT drawn)
set(expected ${PICTURES})
list(SORT expected)
if(NOT drawn STREQUAL expected)
  message(FATAL_ERROR "draw_pictures drew [${drawn}], the build lists [${expected}]")
endif()

set(stale "")
foreach(name IN LISTS PICTURES)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
    "${SCRATCH}/${name}" "${COMMITTED}/${name}" RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale "${name}")
  endif()
endforeach()
if(stale)
  message(FATAL_ERROR "not what the drawing gives (build the `pictures` target): ${stale}")
endif()
