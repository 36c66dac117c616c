# What `cmake --install` puts where, and the release package each build makes with CPack:
# a Debian package of the POSIX build, a zip of the Windows build.
file(STRINGS "${CMAKE_SOURCE_DIR}/src/engine/version.h" _version_line
     REGEX "#define VTX32_VERSION_TEXT")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" VTX32_VERSION "${_version_line}")

set(CPACK_PACKAGE_NAME vtx32)
set(CPACK_PACKAGE_VERSION ${VTX32_VERSION})
set(CPACK_PACKAGE_VENDOR "VTX32")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logon-script processor and registry editor")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # Administrators open the read-me in Notepad, so it gets Windows line ends.
    file(READ "${CMAKE_SOURCE_DIR}/docs/README-WINDOWS.txt" _readme)
    string(REPLACE "\n" "\r\n" _readme "${_readme}")
    file(WRITE "${CMAKE_BINARY_DIR}/README.TXT" "${_readme}")

    install(TARGETS vtx32 RUNTIME DESTINATION .)
    install(FILES "${CMAKE_BINARY_DIR}/README.TXT" DESTINATION .)

    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME vtx32-${VTX32_VERSION}-win32)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
    include(GNUInstallDirs)
    set(_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/vtx32)
    # Debian keeps manual pages compressed; -n leaves the time out so the bytes are repeatable.
    set(_man "${CMAKE_BINARY_DIR}/vtx32.1.gz")
    add_custom_command(OUTPUT "${_man}"
        COMMAND gzip -9n -c "${CMAKE_SOURCE_DIR}/docs/vtx32.1" > "${_man}"
        DEPENDS "${CMAKE_SOURCE_DIR}/docs/vtx32.1" VERBATIM)
    add_custom_target(vtx32_man ALL DEPENDS "${_man}")

    install(TARGETS vtx32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES "${_man}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES "${CMAKE_SOURCE_DIR}/docs/guide.md" DESTINATION ${_doc})
    install(DIRECTORY "${CMAKE_SOURCE_DIR}/examples/" DESTINATION ${_doc}/examples)

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION admin)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VTX32 maintainers <maintainers@vtx32.invalid>")
    string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "VTX32 runs logon scripts: it greets the user, maps drives and printers by group,\n"
        "edits the registry and writes initialisation files. The POSIX build keeps its\n"
        "registry in SQLite databases and reads and writes standard hive files.")
    # The dependencies are worked out from the libraries the program really links.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Loaded only when a script connects a printer: libcups, and Samba's smb backend for
    # the queues it makes.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcups2, smbclient")
endif()

include(CPack)
