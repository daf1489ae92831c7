# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# nlohmann_json for a build whose compiler looks in its own sysroot only (emscripten): the
# library is headers alone, so the build machine's are taken, through a folder that holds
# them and nothing else of /usr/include.
set(BUTTERWORTH3_NLOHMANN_HEADERS /usr/include/nlohmann CACHE PATH
  "The folder of nlohmann_json's headers (nlohmann/json.hpp)")
if(NOT EXISTS ${BUTTERWORTH3_NLOHMANN_HEADERS}/json.hpp)
  message(FATAL_ERROR "nlohmann_json's headers are not in ${BUTTERWORTH3_NLOHMANN_HEADERS} "
                      "(nlohmann-json3-dev)")
endif()
set(nlohmann_include ${CMAKE_BINARY_DIR}/nlohmann_json/include)
file(MAKE_DIRECTORY ${nlohmann_include})
file(CREATE_LINK ${BUTTERWORTH3_NLOHMANN_HEADERS} ${nlohmann_include}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${nlohmann_include})
