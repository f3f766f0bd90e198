# The Windows program folder that `cmake --install` makes, and the installer and the ZIP cpack makes of it:
#   cmake --install build-windows --prefix folder   ->  folder/mapcatalogue.exe, its DLLs, qt.conf, licences/
#   (cd build-windows && cpack -G "NSIS;ZIP")       ->  mapcatalogue-<version>-win64.exe and .zip
# tools/windows/package.sh makes both and tries them under Wine. Everything is stripped: the folder runs from a
# disc as it is, the DLLs beside the program (Qt and libexif as separate libraries, as the LGPL expects).
set(windows_prefix ${MAPCATALOGUE_WINDOWS_PREFIX})
set(windows_sources ${CMAKE_CURRENT_LIST_DIR}/..)
set(windows_out ${CMAKE_BINARY_DIR}/windows)
# The compiler's own runtime (libstdc++, libgcc, winpthread) lies beside its libraries.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll OUTPUT_VARIABLE gcc_runtime
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gcc_runtime_dir ${gcc_runtime} DIRECTORY)
# Qt's Russian texts of its own dialogs: Debian's translations of the same Qt version (files for every platform).
find_file(QTBASE_RU_QM qtbase_ru.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QTBASE_RU_QM)
    message(FATAL_ERROR "no /usr/share/qt6/translations/qtbase_ru.qm: apt-get install qt6-translations-l10n")
endif()

install(TARGETS mapcatalogue RUNTIME DESTINATION .)
# The platform plugin, the native style of the dialogs (folder choice, messages), and the JPEG reader of QImage:
# the windows' faded maps are JPEG artwork (the maps themselves go through the program's own decoder).
set(qt_plugins platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll)
foreach(plugin ${qt_plugins})
    get_filename_component(plugin_folder ${plugin} DIRECTORY)
    install(FILES ${windows_prefix}/plugins/${plugin} DESTINATION ${plugin_folder})
    list(APPEND plugin_files ${windows_prefix}/plugins/${plugin})
endforeach()
# Qt finds its plugins and translations beside the program, wherever the folder is (a disc, Program Files).
file(WRITE ${windows_out}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
install(FILES ${windows_out}/qt.conf DESTINATION .)
install(FILES ${QTBASE_RU_QM} DESTINATION translations)

# The DLLs the program and the plugins load, as objdump reads their imports: those found in the dependencies'
# prefix and the compiler's runtime are shipped; the rest are Windows' own (KERNEL32, USER32, d3d11...). CMake
# looks a Windows DLL up by its name in lower case: a folder of such names leads to the DLLs here.
set(dll_names ${windows_out}/dll_names)
file(REMOVE_RECURSE ${dll_names})
file(MAKE_DIRECTORY ${dll_names})
foreach(folder ${windows_prefix}/bin ${gcc_runtime_dir} /usr/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32/lib)
    file(GLOB dlls ${folder}/*.dll)
    foreach(dll ${dlls})
        get_filename_component(name ${dll} NAME)
        string(TOLOWER ${name} name)
        if(NOT EXISTS ${dll_names}/${name})
            file(CREATE_LINK ${dll} ${dll_names}/${name} SYMBOLIC)
        endif()
    endforeach()
endforeach()
install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    file(GET_RUNTIME_DEPENDENCIES
         EXECUTABLES \"$<TARGET_FILE:mapcatalogue>\"
         MODULES ${plugin_files}
         DIRECTORIES \"${dll_names}\"
         RESOLVED_DEPENDENCIES_VAR shipped_dlls
         UNRESOLVED_DEPENDENCIES_VAR system_dlls)
    foreach(dll \${shipped_dlls})
        file(REAL_PATH \${dll} dll)
        file(INSTALL \${dll} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
    endforeach()
    message(STATUS \"Windows' own DLLs: \${system_dlls}\")
    file(GLOB_RECURSE shipped_binaries \"\${CMAKE_INSTALL_PREFIX}/*.exe\" \"\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(binary \${shipped_binaries})
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
")

# The licences of what the folder holds: the program's own, Qt's (LGPL 3, which is the GPL 3 with additions, and
# the third-party code built into Qt: FreeType, HarfBuzz, libpng, zlib, PCRE2... in Debian's copyright file),
# libexif's (LGPL 2.1), ICU's, libjpeg-turbo's, Little CMS's, and the compiler runtime's (GCC's runtime library
# exception, mingw-w64's winpthreads). The texts come from the sources the dependencies were built from and from
# Debian's documentation of the cross compiler.
set(dep_sources ${windows_prefix}/../../sources)
set(licences
    "mapcatalogue.txt|${windows_sources}/packaging/copyright"
    "Qt/LGPL-3.0.txt|${dep_sources}/qt6-base/qt6-base-6.4.2+dfsg/LICENSES/LGPL-3.0-only.txt"
    "Qt/GPL-3.0.txt|${dep_sources}/qt6-base/qt6-base-6.4.2+dfsg/LICENSES/GPL-3.0-only.txt"
    "Qt/copyright.txt|${dep_sources}/qt6-base/qt6-base-6.4.2+dfsg/debian/copyright"
    "libexif/COPYING.txt|${dep_sources}/libexif/libexif-0.6.24/COPYING"
    "ICU/LICENSE.txt|${dep_sources}/icu/icu-72.1/LICENSE"
    "libjpeg-turbo/LICENSE.md|${dep_sources}/libjpeg-turbo/libjpeg-turbo-2.1.5/LICENSE.md"
    "libjpeg-turbo/README.ijg.txt|${dep_sources}/libjpeg-turbo/libjpeg-turbo-2.1.5/README.ijg"
    "lcms2/COPYING.txt|${dep_sources}/lcms2/lcms2-2.14/COPYING"
    "gcc-runtime/copyright.txt|/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright"
    "winpthreads/copyright.txt|/usr/share/doc/mingw-w64-common/copyright")
foreach(licence ${licences})
    string(REPLACE "|" ";" licence ${licence})
    list(GET licence 0 name)
    list(GET licence 1 text)
    if(NOT EXISTS ${text})
        message(FATAL_ERROR "licence text ${text} not found (run bash tools/windows/build_deps.sh)")
    endif()
    get_filename_component(folder licences/${name} DIRECTORY)
    get_filename_component(file ${name} NAME)
    install(FILES ${text} DESTINATION ${folder} RENAME ${file})
endforeach()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME mapcatalogue)
set(CPACK_PACKAGE_VENDOR "Map Catalogue Developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME mapcatalogue-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Каталог старинных карт")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Map Catalogue")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY mapcatalogue)
# The ZIP holds one folder, mapcatalogue-<version>-win64, to copy onto a disc as it is.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# A 64-bit installer (Unicode, for the Russian names) into the 64-bit Program Files.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-INPUTCHARSET UTF8")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Каталог старинных карт")
set(CPACK_NSIS_PACKAGE_NAME "Каталог старинных карт")
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/app/mapcatalogue.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/app/mapcatalogue.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME mapcatalogue.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start-menu entry: the program, with the icon the executable carries.
set(CPACK_PACKAGE_EXECUTABLES mapcatalogue "Каталог старинных карт")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
include(CPack)
