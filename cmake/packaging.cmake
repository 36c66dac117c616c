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
    # Administrators open the read-me, the guide, the copyright file and the example scripts
    # in Notepad, which shows them as written only with Windows line ends (CR LF).
    function(vtx32_windows_text source target)
        file(READ "${source}" _text)
        string(REPLACE "\r\n" "\n" _text "${_text}")
        string(REPLACE "\n" "\r\n" _text "${_text}")
        file(WRITE "${target}" "${_text}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
    endfunction()
    vtx32_windows_text("${CMAKE_SOURCE_DIR}/docs/README-WINDOWS.txt" "${CMAKE_BINARY_DIR}/README.TXT")
    vtx32_windows_text("${CMAKE_SOURCE_DIR}/docs/guide.md" "${CMAKE_BINARY_DIR}/GUIDE.TXT")
    vtx32_windows_text("${CMAKE_SOURCE_DIR}/docs/copyright" "${CMAKE_BINARY_DIR}/COPYRIGHT.TXT")
    file(GLOB _examples CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/examples/*.scr")
    set(_example_files)
    foreach(_example ${_examples})
        get_filename_component(_name "${_example}" NAME)
        string(TOUPPER "${_name}" _name)
        vtx32_windows_text("${_example}" "${CMAKE_BINARY_DIR}/examples/${_name}")
        list(APPEND _example_files "${CMAKE_BINARY_DIR}/examples/${_name}")
    endforeach()

    install(TARGETS vtx32 vtx32_check RUNTIME DESTINATION .)
    install(FILES "${CMAKE_BINARY_DIR}/README.TXT" "${CMAKE_BINARY_DIR}/GUIDE.TXT"
        "${CMAKE_BINARY_DIR}/COPYRIGHT.TXT" DESTINATION .)
    install(FILES ${_example_files} DESTINATION EXAMPLES)

    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME vtx32-${VTX32_VERSION}-win32)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
    include(GNUInstallDirs)
    set(_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/vtx32)
    # Debian keeps manual pages and the changelog compressed; -n leaves the time out so the
    # bytes are repeatable.
    set(_compressed)
    foreach(_page vtx32.1 vtx32-check.1 changelog)
        set(_gz "${CMAKE_BINARY_DIR}/${_page}.gz")
        add_custom_command(OUTPUT "${_gz}"
            COMMAND gzip -9n -c "${CMAKE_SOURCE_DIR}/docs/${_page}" > "${_gz}"
            DEPENDS "${CMAKE_SOURCE_DIR}/docs/${_page}" VERBATIM)
        list(APPEND _compressed "${_gz}")
    endforeach()
    add_custom_target(vtx32_man ALL DEPENDS ${_compressed})

    install(TARGETS vtx32 vtx32_check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES "${CMAKE_BINARY_DIR}/vtx32.1.gz" "${CMAKE_BINARY_DIR}/vtx32-check.1.gz"
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES "${CMAKE_BINARY_DIR}/changelog.gz" "${CMAKE_SOURCE_DIR}/docs/copyright"
        DESTINATION ${_doc})
    # The guide points at the platform table and the status codes: both go beside it. The
    # table is the README's own section, cut out at configure time.
    file(READ "${CMAKE_SOURCE_DIR}/README.md" _readme)
    set(_heading "\n## Platform table\n")
    string(FIND "${_readme}" "${_heading}" _from)
    string(LENGTH "${_heading}" _skip)
    math(EXPR _from "${_from} + ${_skip}")
    string(SUBSTRING "${_readme}" ${_from} -1 _table)
    string(FIND "${_table}" "\n## " _to)
    string(SUBSTRING "${_table}" 0 ${_to} _table)
    file(WRITE "${CMAKE_BINARY_DIR}/platform.md" "# VTX32 platform table\n${_table}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/README.md")
    install(FILES "${CMAKE_SOURCE_DIR}/docs/guide.md" "${CMAKE_SOURCE_DIR}/docs/status.md"
        "${CMAKE_BINARY_DIR}/platform.md" DESTINATION ${_doc})
    install(DIRECTORY "${CMAKE_SOURCE_DIR}/examples/" DESTINATION ${_doc}/examples)

    # The logon launchers: graphical sessions, systemd user sessions (enabled for every
    # user by the link in default.target.wants), text sessions; one switch file for all.
    set(_pkg "${CMAKE_SOURCE_DIR}/packaging")
    install(FILES "${_pkg}/vtx32-logon.desktop" DESTINATION /etc/xdg/autostart)
    install(FILES "${_pkg}/vtx32-logon.sh" DESTINATION /etc/profile.d)
    install(FILES "${_pkg}/logon.conf" DESTINATION /etc/vtx32)
    install(FILES "${_pkg}/vtx32-logon.service" DESTINATION lib/systemd/user)
    file(CREATE_LINK ../vtx32-logon.service "${CMAKE_BINARY_DIR}/vtx32-logon.service.link" SYMBOLIC)
    install(FILES "${CMAKE_BINARY_DIR}/vtx32-logon.service.link" DESTINATION lib/systemd/user/default.target.wants
        RENAME vtx32-logon.service)
    file(WRITE "${CMAKE_BINARY_DIR}/conffiles"
        "/etc/vtx32/logon.conf\n/etc/xdg/autostart/vtx32-logon.desktop\n/etc/profile.d/vtx32-logon.sh\n")

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION admin)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VTX32 maintainers <maintainers@vtx32.invalid>")
    string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "VTX32 runs logon scripts: it greets the user, maps drives and printers by\n"
        "group, edits the registry and writes initialisation files. The POSIX build\n"
        "keeps its registry in SQLite databases and reads and writes standard hive\n"
        "files. vtx32-check finds the script language's traps before a script runs.")
    # The manual page points at hivexsh for the hive files SAVEKEY writes.
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS libhivex-bin)
    # The dependencies are worked out from the libraries the program really links, and
    # libhivex, which is opened at the first hive read (start-up never pays for it) but is
    # what LOADKEY and SAVEKEY are made of.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS libhivex0)
    # Loaded only when a script connects a printer: libcups, and Samba's smb backend for
    # the queues it makes. zenity shows message boxes and asks for keys at a desktop whose
    # notification server offers no buttons.
    # The logon run: GVfs's SMB back end and FUSE bridge on the user's session bus, winbind's
    # client library, and LDAP with Kerberos (SASL GSSAPI), each opened at first use.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcups2, smbclient, zenity, gvfs-backends, gvfs-fuse, \
dbus-user-session, libwbclient0, libldap-2.5-0 | libldap2, libsasl2-modules-gssapi-mit, \
libkrb5-3, libsystemd0")
    # postinst makes /var/lib/vtx32 (the machine roots of the registry), purge removes it;
    # the launchers and their switch under /etc are the administrator's to change.
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
        "${CMAKE_SOURCE_DIR}/cmake/debian/postinst" "${CMAKE_SOURCE_DIR}/cmake/debian/postrm"
        "${CMAKE_BINARY_DIR}/conffiles")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
