# The Windows program: lumora.exe of the window subsystem (no console window; the batch report and
# --help attach to the console they were started from) and its console twin lumora.com (the same
# program for the console subsystem, which cmd runs for "lumora --report ...": it waits and returns
# the report's status), with their icon and version resource and Qt's Russian dialogs in their
# resources. Qt comes as DLLs beside them, with its plugins in the folders where Qt looks beside a
# program (platforms/, styles/), and the compiler's run-time DLLs: all of it is copied into the
# build folder, so that the programs and the tests run from there as from the installed folder.
set_target_properties(lumora PROPERTIES WIN32_EXECUTABLE ON)
add_executable(lumora_console)
target_link_libraries(lumora_console PRIVATE lumora_main lumora_no_script_driver ${LUMORA_PRINTING})
set_target_properties(lumora_console PROPERTIES OUTPUT_NAME lumora SUFFIX .com)

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
target_sources(lumora_console PRIVATE ${CMAKE_BINARY_DIR}/generated/lumora.rc)

# Qt's own dialogs in Russian: the translation goes into the program.
foreach(target lumora lumora_console)
  qt_add_resources(${target} qt_translations_${target} PREFIX /translations
    BASE ${LUMORA_WINDOWS_CACHE}/translations FILES ${LUMORA_WINDOWS_CACHE}/translations/qtbase_ru.qm)
endforeach()

# What the programs load at run time, beside them: Qt's DLLs and plugins (the window's platform, the
# offscreen one that paints the batch report's sheet, the Windows 11/Vista style), and the compiler's
# run-time (libgcc, libstdc++, winpthread), which Qt's DLLs and ours share.
set(LUMORA_QT_PREFIX ${LUMORA_WINDOWS_CACHE}/qt)
set(LUMORA_MINGW_RUNTIME_DIRS /usr/lib/gcc/${LUMORA_TRIPLET}/12-posix /usr/${LUMORA_TRIPLET}/lib)
set(LUMORA_RUNTIME_DLLS "")
foreach(module Core Gui Widgets PrintSupport)
  list(APPEND LUMORA_RUNTIME_DLLS ${LUMORA_QT_PREFIX}/bin/Qt6${module}.dll)
endforeach()
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
  find_file(LUMORA_RUNTIME_${dll} ${dll} PATHS ${LUMORA_MINGW_RUNTIME_DIRS} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  list(APPEND LUMORA_RUNTIME_DLLS ${LUMORA_RUNTIME_${dll}})
endforeach()
set(LUMORA_PLATFORM_PLUGINS ${LUMORA_QT_PREFIX}/plugins/platforms/qwindows.dll
  ${LUMORA_QT_PREFIX}/plugins/platforms/qoffscreen.dll)
set(LUMORA_STYLE_PLUGINS ${LUMORA_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll)
function(lumora_deploy_runtime stamp folder)
  set(extra ${ARGN})
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/platforms ${folder}/styles
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LUMORA_RUNTIME_DLLS} ${extra} ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LUMORA_PLATFORM_PLUGINS} ${folder}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LUMORA_STYLE_PLUGINS} ${folder}/styles
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${LUMORA_RUNTIME_DLLS} ${LUMORA_PLATFORM_PLUGINS} ${LUMORA_STYLE_PLUGINS} ${extra}
    COMMENT "Putting Qt and the compiler's run-time beside the programs in ${folder}")
endfunction()
lumora_deploy_runtime(${CMAKE_BINARY_DIR}/generated/runtime.stamp ${CMAKE_BINARY_DIR})
add_custom_target(windows_runtime DEPENDS ${CMAKE_BINARY_DIR}/generated/runtime.stamp)
add_dependencies(lumora windows_runtime)
add_dependencies(lumora_console windows_runtime)
