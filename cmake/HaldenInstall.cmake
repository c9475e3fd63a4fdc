# Install rules for the program and its desktop integration, and the Debian package built from
# them. `make install` / `make uninstall` wrap these (see cmake/HaldenUninstall.cmake).

include(GNUInstallDirs)

set(HALDEN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/halducnv)
# The program's modules (its windows, its search service): it looks for them in lib/halducnv beside
# its bin directory.
set(HALDEN_MODULE_DIR lib/halducnv)
set(HALDEN_DESKTOP_ENTRY ${CMAKE_SOURCE_DIR}/resources/${HALDEN_APP_ID}.desktop)
# The desktop search: GNOME Shell and KRunner ask the program's bus service, which the session bus
# starts as `halducnv --search-provider`.
set(HALDEN_SEARCH_BUS_NAME ${HALDEN_APP_ID}.SearchProvider)
set(HALDEN_SEARCH_SERVICE ${CMAKE_SOURCE_DIR}/resources/${HALDEN_SEARCH_BUS_NAME}.service.in)

# Every directory the rules below install into, relative to the prefix.
set(HALDEN_INSTALL_DIRS ${CMAKE_INSTALL_BINDIR} ${HALDEN_MODULE_DIR} ${CMAKE_INSTALL_DATADIR}/applications
                        ${CMAKE_INSTALL_DATADIR}/metainfo ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
                        ${HALDEN_DOC_DIR} ${CMAKE_INSTALL_DATADIR}/gnome-shell/search-providers
                        ${CMAKE_INSTALL_DATADIR}/dbus-1/services ${CMAKE_INSTALL_DATADIR}/krunner/dbusplugins)
foreach(size IN LISTS HALDEN_ICON_SIZES)
  list(APPEND HALDEN_INSTALL_DIRS ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
if(HALDEN_MAN_PAGE)
  list(APPEND HALDEN_INSTALL_DIRS ${CMAKE_INSTALL_MANDIR}/man1)
endif()
# Shell completion, where each shell looks for the scripts of installed programs.
set(HALDEN_COMPLETION_DIRS bash ${CMAKE_INSTALL_DATADIR}/bash-completion/completions zsh
                           ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions fish
                           ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
list(APPEND HALDEN_INSTALL_DIRS ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
     ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# First of all, note which of those directories (and their parents) the install is about to
# create, so that an uninstall removes exactly those again once they are empty.
configure_file(${CMAKE_SOURCE_DIR}/cmake/HaldenRecordDirs.cmake.in ${CMAKE_BINARY_DIR}/cmake/HaldenRecordDirs.cmake
               @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/cmake/HaldenRecordDirs.cmake)

install(TARGETS halducnv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The window module, and the search service's module the program loads for
# `halducnv --search-provider`.
foreach(module halducnv_window halducnv_search)
  if(TARGET ${module})
    install(TARGETS ${module} LIBRARY DESTINATION ${HALDEN_MODULE_DIR}
            PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()

# The desktop entry starts the program by its full installed path, so the menu finds it even where
# the prefix's bin directory is not on the PATH. The prefix is known only at install time.
configure_file(${CMAKE_SOURCE_DIR}/cmake/HaldenDesktopEntry.cmake.in ${CMAKE_BINARY_DIR}/cmake/HaldenDesktopEntry.cmake
               @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/cmake/HaldenDesktopEntry.cmake)
# The bus activation file names the program by its full path as well.
configure_file(${CMAKE_SOURCE_DIR}/cmake/HaldenDBusService.cmake.in ${CMAKE_BINARY_DIR}/cmake/HaldenDBusService.cmake
               @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/cmake/HaldenDBusService.cmake)
install(FILES ${CMAKE_SOURCE_DIR}/resources/${HALDEN_APP_ID}.search-provider.ini
        DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/search-providers)
# KRunner's plugin file, installed under the application id; in the source tree that name is the
# menu's desktop entry.
install(FILES ${CMAKE_SOURCE_DIR}/resources/${HALDEN_APP_ID}.krunner.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/krunner/dbusplugins RENAME ${HALDEN_APP_ID}.desktop)

install(FILES ${HALDEN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS HALDEN_ICON_SIZES)
  install(FILES ${HALDEN_ICON_DIR}/${size}x${size}/apps/${HALDEN_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${HALDEN_ICON_DRAWINGS}/${HALDEN_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(HALDEN_MAN_PAGE)
  install(FILES ${HALDEN_MAN_PAGE_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/resources/copyright DESTINATION ${HALDEN_DOC_DIR})

# The completion scripts, printed by the built program itself (halducnv --complete SHELL) under the
# names each shell looks for.
set(HALDEN_COMPLETION_FILES)
set(shells bash zsh fish)
set(files halducnv _halducnv halducnv.fish)
foreach(shell file IN ZIP_LISTS shells files)
  set(script ${CMAKE_BINARY_DIR}/completion/${shell}/${file})
  add_custom_command(
    OUTPUT ${script}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/completion/${shell}
    COMMAND sh -c "\"$0\" --complete \"$1\" > \"$2\"" $<TARGET_FILE:halducnv> ${shell} ${script}
    DEPENDS halducnv
    COMMENT "Writing the ${shell} completion script"
    VERBATIM)
  list(APPEND HALDEN_COMPLETION_FILES ${script})
endforeach()
add_custom_target(halden_completion ALL DEPENDS ${HALDEN_COMPLETION_FILES})
list(GET HALDEN_COMPLETION_DIRS 1 bash_dir)
list(GET HALDEN_COMPLETION_DIRS 3 zsh_dir)
list(GET HALDEN_COMPLETION_DIRS 5 fish_dir)
install(FILES ${CMAKE_BINARY_DIR}/completion/bash/halducnv DESTINATION ${bash_dir})
install(FILES ${CMAKE_BINARY_DIR}/completion/zsh/_halducnv DESTINATION ${zsh_dir})
install(FILES ${CMAKE_BINARY_DIR}/completion/fish/halducnv.fish DESTINATION ${fish_dir})

# The package's change log, compressed as Debian keeps it (no name or time stamp in the header, so
# the same text always gives the same file). The package's version carries no Debian revision, so
# it is a native package and its log is changelog.gz.
set(HALDEN_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/doc/changelog.gz)
find_program(HALDEN_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${HALDEN_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND sh -c "\"$0\" -9 -n -c \"$1\" > \"$2\"" ${HALDEN_GZIP} ${CMAKE_SOURCE_DIR}/cmake/changelog
          ${HALDEN_CHANGELOG_GZ}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/changelog
  COMMENT "Compressing the change log"
  VERBATIM)
add_custom_target(halden_changelog ALL DEPENDS ${HALDEN_CHANGELOG_GZ})
if(TARGET halden_data)
  add_dependencies(halden_data halden_changelog)
endif()
install(FILES ${HALDEN_CHANGELOG_GZ} DESTINATION ${HALDEN_DOC_DIR})

# The Debian package: `make package` runs cpack on these settings.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halducnv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Halden Design")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "unit converter for engineering, computer and Japanese units")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Halden Design <packages@halden.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The windows draw their texts in Arial and a Japanese Mincho face; these packages stand in for them.
# The packages of the linked libraries go in front of them when the package is built (see
# HaldenPackageDepends.cmake; CPack's own scan stays off).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-liberation")
# In a Wayland session the toolkit opens its windows on the display itself only with its Wayland
# platform plugin; without it they go through the X11 compatibility server.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The package's long description; its first line is the summary above.
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop unit converter: pick a unit group, a unit to convert from and a
unit to convert into, type a number and read the result at once. It knows
31 groups of engineering, computer and traditional Japanese units and up to
twenty groups of the user's own, and brings a small expression calculator,
tables of physical constants and derived-unit equivalences, a history of
copied results and a small floating icon shape.")
# Packaging leaves the notes of the last real install in place (see the script).
configure_file(${CMAKE_SOURCE_DIR}/cmake/HaldenPackageKeep.cmake.in ${CMAKE_BINARY_DIR}/cmake/HaldenPackageKeep.cmake @ONLY)
file(WRITE ${CMAKE_BINARY_DIR}/cmake/HaldenPackageSave.cmake
     "set(HALDEN_STEP save)\ninclude(\"${CMAKE_BINARY_DIR}/cmake/HaldenPackageKeep.cmake\")\n")
file(WRITE ${CMAKE_BINARY_DIR}/cmake/HaldenPackageRestore.cmake
     "set(HALDEN_STEP restore)\ninclude(\"${CMAKE_BINARY_DIR}/cmake/HaldenPackageKeep.cmake\")\n")
set(CPACK_INSTALL_SCRIPTS ${CMAKE_BINARY_DIR}/cmake/HaldenPackageSave.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/cmake/HaldenPackageRestore.cmake
                            ${CMAKE_SOURCE_DIR}/cmake/HaldenPackageDepends.cmake)
include(CPack)
