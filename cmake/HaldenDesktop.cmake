# Desktop integration shared by the build and the install rules: the application id, the icon
# set and the manual page.

# The application id names the desktop entry, the AppStream metainfo and the icon.
set(HALDEN_APP_ID org.halden.UnitConverter)
# Theme sizes of the icon set, in pixels.
set(HALDEN_ICON_SIZES 16 24 32 48 64 128 256)
# Where the build puts the rendered icons, laid out as in an icon theme.
set(HALDEN_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
set(HALDEN_ICON_DRAWINGS ${CMAKE_SOURCE_DIR}/resources/icons/app)
# The manual page, compressed for installation (present once the program has its command line).
set(HALDEN_MAN_PAGE_GZ ${CMAKE_BINARY_DIR}/man/halducnv.1.gz)
# The manual page and the AppStream metainfo, with the project's version written in.
set(HALDEN_METAINFO ${CMAKE_BINARY_DIR}/desktop/${HALDEN_APP_ID}.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/resources/${HALDEN_APP_ID}.metainfo.xml.in ${HALDEN_METAINFO} @ONLY)
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/halducnv.1.in)
  set(HALDEN_MAN_PAGE ${CMAKE_BINARY_DIR}/man/halducnv.1)
  configure_file(${CMAKE_SOURCE_DIR}/resources/halducnv.1.in ${HALDEN_MAN_PAGE} @ONLY)
endif()

# halden_add_desktop_data(ui_target)
# Renders the icon set from its SVG drawings, compresses the manual page when the source tree has
# one, and compiles the icon set into ui_target as ":/icons/app/<size>.png". The target
# halden_data builds everything the install rules take from the build tree besides the program.
function(halden_add_desktop_data ui_target)
  find_program(HALDEN_RSVG_CONVERT rsvg-convert REQUIRED)
  set(pngs)
  foreach(size IN LISTS HALDEN_ICON_SIZES)
    # Small sizes have drawings of their own, made for their pixel grid; larger sizes come from
    # the scalable drawing.
    set(drawing ${HALDEN_ICON_DRAWINGS}/${HALDEN_APP_ID}-${size}.svg)
    if(NOT EXISTS ${drawing})
      set(drawing ${HALDEN_ICON_DRAWINGS}/${HALDEN_APP_ID}.svg)
    endif()
    set(dir ${HALDEN_ICON_DIR}/${size}x${size}/apps)
    set(png ${dir}/${HALDEN_APP_ID}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${HALDEN_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${drawing}
      DEPENDS ${drawing}
      COMMENT "Rendering the ${size} px icon"
      VERBATIM)
    set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS ${size}.png)
    list(APPEND pngs ${png})
  endforeach()

  set(data ${pngs})
  set(man_page ${HALDEN_MAN_PAGE})
  if(man_page)
    find_program(HALDEN_GZIP gzip REQUIRED)
    add_custom_command(
      OUTPUT ${HALDEN_MAN_PAGE_GZ}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND sh -c "\"$0\" -9 -n -c \"$1\" > \"$2\"" ${HALDEN_GZIP} ${man_page} ${HALDEN_MAN_PAGE_GZ}
      DEPENDS ${man_page}
      COMMENT "Compressing the manual page"
      VERBATIM)
    list(APPEND data ${HALDEN_MAN_PAGE_GZ})
  endif()
  add_custom_target(halden_data ALL DEPENDS ${data})

  qt_add_resources(${ui_target} halden_app_icons PREFIX /icons/app FILES ${pngs} OUTPUT_TARGETS icon_targets)
  if(icon_targets)
    add_dependencies(${icon_targets} halden_data)
  endif()
endfunction()
