# Settings every WebAssembly target shares (the `wasm` and `wasm-cli`
# presets). Targets that run under node rather than in a page add
# tavrin_node_program(target).
if(NOT EMSCRIPTEN)
  return()
endif()

# The page's code throws nothing it would catch, and is smaller without the
# unwinding tables; tavrin-cli reports bad files by exceptions, so it is
# built apart (build-wasm-cli), with them.
option(TAVRIN_WASM_EXCEPTIONS "Build with C++ exceptions (tavrin-cli); without, only the page is built" OFF)
if(TAVRIN_WASM_EXCEPTIONS)
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions)
endif()
add_link_options(-sALLOW_MEMORY_GROWTH=1)

# tavrin_node_program(target): a command-line program for node that reads and
# writes the real file system, its arguments and exit code as natively.
function(tavrin_node_program target)
  target_link_options(${target} PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node
    "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/cmake/node_pre.js")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/node_pre.js)
endfunction()

# nlohmann/json is header-only: its folder is copied from the build machine
# into the build tree and included from there (never /usr/include itself,
# whose C library headers are not emscripten's).
find_path(TAVRIN_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${TAVRIN_HOST_JSON_INCLUDE}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/host-include)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${CMAKE_BINARY_DIR}/host-include)
