# The version, written once: it reaches the executables' version resources, the package's
# file name, readme.txt and the test that holds them to the About dialog's "Версия".
# Included before the targets, so that a program may also take it (--version).
set(VELANDRIMOUR_VERSION 1.00)

# 1.00 -> 1, 0 for the resource's numbers (math drops the leading zeros windres would read
# as octal).
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)$" version_parts ${VELANDRIMOUR_VERSION})
math(EXPR VELANDRIMOUR_VERSION_MAJOR "${CMAKE_MATCH_1}")
math(EXPR VELANDRIMOUR_VERSION_MINOR "${CMAKE_MATCH_2}")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VELANDRIMOUR_PLATFORM win64)
else()
  set(VELANDRIMOUR_PLATFORM win32)
endif()
set(VELANDRIMOUR_PACKAGE_NAME velandrimour-${VELANDRIMOUR_VERSION}-${VELANDRIMOUR_PLATFORM})

# Gives the executable TARGET the version resource of ui/version.rc, with its own
# description (Russian, shown by Explorer) and file name.
function(velandrimour_version_resource target description)
  set(script ${CMAKE_BINARY_DIR}/version/${target}.rc)
  file(GENERATE OUTPUT ${script} CONTENT "#pragma code_page(65001)
#define VERSION_FILE_DESCRIPTION \"${description}\"
#define VERSION_ORIGINAL_FILENAME \"$<TARGET_FILE_NAME:${target}>\"
#include \"${CMAKE_SOURCE_DIR}/ui/version.rc\"
")
  target_sources(${target} PRIVATE ${script})
  set_source_files_properties(${script} TARGET_DIRECTORY ${target} PROPERTIES
    COMPILE_DEFINITIONS "VELANDRIMOUR_VERSION=${VELANDRIMOUR_VERSION};VELANDRIMOUR_VERSION_MAJOR=${VELANDRIMOUR_VERSION_MAJOR};VELANDRIMOUR_VERSION_MINOR=${VELANDRIMOUR_VERSION_MINOR}"
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/ui/version.rc)
endfunction()
