# One place for the warning set, so every layer is held to the same rules.
function(ferrowick_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wconversion -Wsign-conversion -Wformat=2)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports std::string copies inlined at -O2 as overlapping (a known false alarm).
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(FERROWICK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A layer is a static library built from every source file in its folder.
function(ferrowick_layer target)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  ferrowick_warnings(${target})
endfunction()
