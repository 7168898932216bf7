# The user's archive, velandrimour-<version>-win64.zip (win32 from a 32-bit build): the
# program, the example configuration and a short text, made by cpack once the target
# package_files is built (scripts/package.sh). The same sources give the same bytes on
# every build. Included after the executables' targets.

velandrimour_version_resource(velandrimour "Velandrimour: выбор программы для открытия файла")
# No link time in the executables' PE headers.
target_link_options(velandrimour PRIVATE -Wl,--no-insert-timestamp)

# The user's text, kept in UTF-8 here, goes out as the example configuration does: code
# page 1251 with CR LF, which Notepad and the device both read.
configure_file(${CMAKE_SOURCE_DIR}/package/readme.txt ${CMAKE_BINARY_DIR}/package/readme.utf8.txt @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/readme.txt
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/to-cp1251.sh ${CMAKE_BINARY_DIR}/package/readme.utf8.txt
    ${CMAKE_BINARY_DIR}/package/readme.txt
  DEPENDS ${CMAKE_BINARY_DIR}/package/readme.utf8.txt
  COMMENT "readme.txt in code page 1251")
add_custom_target(user_text ALL DEPENDS ${CMAKE_BINARY_DIR}/package/readme.txt)

# What the archive holds, built by one target so that the package can be made without the tests.
add_custom_target(package_files DEPENDS velandrimour user_text)
install(TARGETS velandrimour RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/velandrimour.ini ${CMAKE_BINARY_DIR}/package/readme.txt DESTINATION .)

# The configuration checker joins the package once its target exists.
if(TARGET velandrimour_check)
  foreach(checker velandrimour_check velandrimour_check_console)
    velandrimour_version_resource(${checker} "Velandrimour: проверка файла настройки velandrimour.ini")
    target_link_options(${checker} PRIVATE -Wl,--no-insert-timestamp)
    install(TARGETS ${checker} RUNTIME DESTINATION .)
    add_dependencies(package_files ${checker})
  endforeach()
endif()

# The archive's file times are set when cpack runs.
configure_file(${CMAKE_CURRENT_LIST_DIR}/package-time.cmake.in ${CMAKE_BINARY_DIR}/package/package-time.cmake @ONLY)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velandrimour)
set(CPACK_PACKAGE_VENDOR Velandrimour)
set(CPACK_PACKAGE_VERSION ${VELANDRIMOUR_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${VELANDRIMOUR_PACKAGE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/package/package-time.cmake)
include(CPack)
