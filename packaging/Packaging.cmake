# Installation into the standard places (GNUInstallDirs) and the Debian package (CPack).
# Included by the top-level CMakeLists.txt after the senvora target is defined.
include(GNUInstallDirs)

set(SENVORA_PACKAGING ${SENVORA_TOP}/packaging)
set(SENVORA_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/senvora)
set(SENVORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/senvora)
set(SENVORA_APPSTREAM_ID ir.senvora.senvora)

install(TARGETS senvora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The program reads these as its read-only defaults, relative to its own folder
# (bin/../share/senvora/themes), and copies them into the user's program folder.
install(FILES ${SENVORA_THEME_FILES} DESTINATION ${SENVORA_SHARE_DIR}/themes)

install(FILES ${SENVORA_PACKAGING}/senvora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(SENVORA_ICON_SIZES 16 24 32 48 64 128 256 512)
foreach(size ${SENVORA_ICON_SIZES})
    install(FILES ${SENVORA_PACKAGING}/icons/senvora-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME senvora.png)
endforeach()
install(FILES ${SENVORA_PACKAGING}/icons/senvora.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

configure_file(${SENVORA_PACKAGING}/${SENVORA_APPSTREAM_ID}.metainfo.xml.in
    ${CMAKE_CURRENT_BINARY_DIR}/packaging/${SENVORA_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${SENVORA_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants the changelog and the manual page compressed with gzip -9n (no name, no time).
set(SENVORA_GZIPPED)
function(senvora_gzip source output)
    add_custom_command(OUTPUT ${output} COMMAND gzip -9nc ${source} > ${output}
        DEPENDS ${source} VERBATIM)
    set(SENVORA_GZIPPED ${SENVORA_GZIPPED} ${output} PARENT_SCOPE)
endfunction()
configure_file(${SENVORA_PACKAGING}/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog
    @ONLY)
senvora_gzip(${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog
    ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
senvora_gzip(${SENVORA_PACKAGING}/senvora.1 ${CMAKE_CURRENT_BINARY_DIR}/packaging/senvora.1.gz)
add_custom_target(senvora_gzipped ALL DEPENDS ${SENVORA_GZIPPED})
install(FILES ${SENVORA_PACKAGING}/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${SENVORA_DOC_DIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/senvora.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME senvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Senvora")
set(CPACK_PACKAGE_CONTACT "Senvora developers <developers@senvora.ir>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "geriatric depression screening for psychology clinics")
set(CPACK_PACKAGE_DESCRIPTION
    "Senvora helps a psychology clinic screen elderly subjects for depressive
symptoms with the fifteen-item geriatric depression scale (GDS-15). The
operator enrols each subject under a code, puts the fifteen yes/no items to
the subject, scores the answers, prints the result report, finds forgotten
subject codes, and backs the subject database up and restores it.

The whole interface is Persian, right to left, with Solar Hijri dates. Each
user's data is kept in ~/.local/share/Senvora.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://senvora.ir/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries' dependencies cannot show: the SQLite driver plugin, the Persian fonts
# and Qt's own Persian translation.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-farsiweb, qt6-translations-l10n")
include(CPack)
