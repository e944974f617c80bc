# Installed layout (GNU directories): the program in bin/, its pictures, documents
# and shipped reading texts in share/pvstim/, and the desktop's files: the entry,
# the icons, the metainfo and the manual page. `make package` turns the same rules
# into a Debian package.
include(GNUInstallDirs)

set(PVSTIM_APP_ID io.github.pvstim.pvstim)
set(PVSTIM_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/pvstim)

# The installed program finds its data relative to its own folder, so that a
# prefix can be moved (a temporary install, a package's staging folder).
file(RELATIVE_PATH pvstim_data_from_bindir
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/pvstim)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/platform/QtPlatform.cpp DIRECTORY ${CMAKE_SOURCE_DIR}/src
  APPEND PROPERTY COMPILE_DEFINITIONS PVSTIM_DATA_FROM_BINDIR="${pvstim_data_from_bindir}")

install(TARGETS pvstim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The files the build lays beside the executable; Config.ini is not among them.
install(DIRECTORY ${CMAKE_BINARY_DIR}/fone ${CMAKE_BINARY_DIR}/textures
    ${CMAKE_BINARY_DIR}/mandals ${CMAKE_BINARY_DIR}/to_read
  DESTINATION ${PVSTIM_INSTALL_DATADIR})
install(FILES ${CMAKE_BINARY_DIR}/ReadMe.txt ${CMAKE_BINARY_DIR}/Ритмы.doc ${CMAKE_BINARY_DIR}/Vellamor.doc
  DESTINATION ${PVSTIM_INSTALL_DATADIR})

foreach(size 48 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/art/pvstim-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME pvstim.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/dist/pvstim.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${PVSTIM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the Debian changelog are shipped compressed, as Debian wants
# them; -n keeps the archives byte-identical from build to build.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(pvstim_dist_dir ${CMAKE_BINARY_DIR}/dist)
set(pvstim_changelog_source ${pvstim_dist_dir}/changelog)
string(TIMESTAMP pvstim_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${pvstim_changelog_source}.in
"pvstim (@CPACK_PACKAGE_VERSION@) unstable; urgency=medium

  * Installable desktop program: per-user settings and reading texts, desktop
    entry, icons, metainfo, manual page and Debian package.

 -- @CPACK_PACKAGE_CONTACT@  @pvstim_changelog_date@
")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_CONTACT "pvstim developers <pvstim@users.noreply.github.com>")
configure_file(${pvstim_changelog_source}.in ${pvstim_changelog_source} @ONLY)
add_custom_command(
  OUTPUT ${pvstim_dist_dir}/pvstim.1.gz ${pvstim_dist_dir}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_SOURCE_DIR}/dist/pvstim.1 > ${pvstim_dist_dir}/pvstim.1.gz
  COMMAND ${GZIP_PROGRAM} -9n -c ${pvstim_changelog_source} > ${pvstim_dist_dir}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/dist/pvstim.1 ${pvstim_changelog_source}
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(pvstim_dist_files ALL DEPENDS ${pvstim_dist_dir}/pvstim.1.gz ${pvstim_dist_dir}/changelog.gz)
install(FILES ${pvstim_dist_dir}/pvstim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pvstim_dist_dir}/changelog.gz ${CMAKE_SOURCE_DIR}/dist/copyright
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian package: build/pvstim_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pvstim)
set(CPACK_PACKAGE_VENDOR "pvstim developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "psychovisual stimulation with a flickering full-screen window")
# The summary is the synopsis line; CPack indents the body and marks its empty
# line as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"pvstim fills the screen with a window that flickers at a brain-rhythm
frequency (0.1 to 15 Hz) while it shows the lines of a reading text and
pictures. A small control window holds the settings.

WARNING: the program shows flashing light. Do not use it if you or anyone
who can see the screen has photosensitive epilepsy or has ever had a
seizure.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/pvstim/pvstim")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translations make the file and colour dialogs speak the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
