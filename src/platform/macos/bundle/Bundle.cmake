# Brillex.app: the program as a menu-bar application bundle (no Dock icon),
# its icon made at build time from the one SVG.
function(brillex_macos_bundle target)
  set(icon_svg ${PROJECT_SOURCE_DIR}/src/ui/images/AppIcon.svg)
  set(iconset ${CMAKE_CURRENT_BINARY_DIR}/Brillex.iconset)
  set(icns ${CMAKE_CURRENT_BINARY_DIR}/Brillex.icns)
  set(render_commands)
  # iconutil wants each size at 1x and 2x: icon_16x16.png, icon_16x16@2x.png, ...
  foreach(size 16 32 128 256 512)
    math(EXPR double "${size} * 2")
    list(APPEND render_commands
      COMMAND brillex-render-icon ${icon_svg} ${size} ${iconset}/icon_${size}x${size}.png
      COMMAND brillex-render-icon ${icon_svg} ${double} ${iconset}/icon_${size}x${size}@2x.png)
  endforeach()
  find_program(ICONUTIL iconutil REQUIRED)
  add_custom_command(OUTPUT ${icns}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${iconset}
    ${render_commands}
    COMMAND ${ICONUTIL} -c icns -o ${icns} ${iconset}
    DEPENDS brillex-render-icon ${icon_svg}
    COMMENT "Making Brillex.icns")
  target_sources(${target} PRIVATE ${icns})
  set_source_files_properties(${icns} PROPERTIES MACOSX_PACKAGE_LOCATION Resources)

  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Info.plist.in ${CMAKE_CURRENT_BINARY_DIR}/Info.plist @ONLY)
  set_target_properties(${target} PROPERTIES
    MACOSX_BUNDLE TRUE
    OUTPUT_NAME Brillex
    MACOSX_BUNDLE_INFO_PLIST ${CMAKE_CURRENT_BINARY_DIR}/Info.plist)
endfunction()
