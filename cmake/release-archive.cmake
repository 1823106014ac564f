# The release archive a Windows player downloads: `cmake --build --preset win32 --target
# package` (or win64) writes Velmoria-<version>-win32.zip (-win64.zip) into the build folder.
# It holds one folder with the program (linked statically, so no DLL goes with it), its title
# picture, which the program reads from the folder it is started in, and a README.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VELMORIA_ARCHIVE_SUFFIX win64)
else()
  set(VELMORIA_ARCHIVE_SUFFIX win32)
endif()

# The README as Windows' Notepad reads it whatever the system's language: UTF-8 with a byte
# order mark, CR LF line ends.
set(release_dir ${CMAKE_BINARY_DIR}/release)
set(readme_template ${PROJECT_SOURCE_DIR}/resources/release-README.txt.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme_template})
file(READ ${readme_template} readme_text)
string(ASCII 239 187 191 byte_order_mark)
file(CONFIGURE OUTPUT ${release_dir}/README.txt CONTENT "${byte_order_mark}${readme_text}"
  @ONLY NEWLINE_STYLE CRLF)

install(TARGETS velmoria RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/b.dat ${release_dir}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Velmoria)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Velmoria-${PROJECT_VERSION}-${VELMORIA_ARCHIVE_SUFFIX})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
