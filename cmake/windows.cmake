# The Windows program: one .exe of the window subsystem (no console window; the batch report and
# --help attach to the console they were started from), with its icon and version resource, Qt
# linked in statically with the platform plugins, Qt's Russian dialogs in its resources, and no
# DLL of the compiler's run-time.
set_target_properties(lumora PROPERTIES WIN32_EXECUTABLE ON)

set(LUMORA_ICO ${CMAKE_BINARY_DIR}/generated/lumora.ico)
set(LUMORA_ICO_PNGS "")
foreach(size 16 24 32 48 64 128 256)
  list(APPEND LUMORA_ICO_PNGS ${ICON_DIR}/lumora-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${LUMORA_ICO}
  COMMAND ${RENDER_ICONS} --ico ${LUMORA_ICO} ${LUMORA_ICO_PNGS}
  DEPENDS ${LUMORA_ICO_PNGS} ${RENDER_ICONS_TARGET}
  COMMENT "Packing the program's icon for Windows")
configure_file(${CMAKE_SOURCE_DIR}/src/app/lumora.rc.in ${CMAKE_BINARY_DIR}/generated/lumora.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/generated/lumora.rc PROPERTIES OBJECT_DEPENDS ${LUMORA_ICO})
target_sources(lumora PRIVATE ${CMAKE_BINARY_DIR}/generated/lumora.rc)

# Qt's own dialogs in Russian: the translation goes into the program (a static Qt has no folder).
qt_add_resources(lumora qt_translations PREFIX /translations
  BASE ${LUMORA_WINDOWS_CACHE}/translations FILES ${LUMORA_WINDOWS_CACHE}/translations/qtbase_ru.qm)

# The platform plugins: the window's, and the offscreen one that paints the batch report's sheet;
# the Windows 11/Vista style, so that the window looks native.
qt_import_plugins(lumora
  INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
