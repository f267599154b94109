# One warning set for every target of the project.
function(quorlin_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wold-style-cast)
  if(QUORLIN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    # g++ 12 reports false overlaps in std::string concatenation at -O3
    # (GCC bug 105329); keep them visible but not fatal there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
  endif()
endfunction()

# A library of the project: quorlin_<name> from the listed sources, headers
# included as "<name>/file.h" from src/.
function(quorlin_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(quorlin_${name} STATIC ${ARG_SOURCES})
  target_include_directories(quorlin_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(quorlin_${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  quorlin_warnings(quorlin_${name})
endfunction()
