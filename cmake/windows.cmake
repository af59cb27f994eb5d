# The window program's package on Windows (cross-compiled with MinGW-w64; see the `windows`
# preset): its icon and version information, the zip and the installer, and the test that needs
# a console. The program itself is built by the layers (src/CMakeLists.txt) with the Windows side
# of the platform layer in place of the POSIX and X11 files.
if(NOT WIN32)
    return()
endif()

# ---- Icon, version information and the package (make windows) ------------------------------------
# The icon is the ship picture scaled by whole numbers (nearest neighbour, so its pixels stay
# crisp), 16 to 256 pixels, in one .ico that holds PNG images.
enable_language(RC)
find_program(KELVAR_CONVERT convert REQUIRED) # ImageMagick
set(KELVAR_ICO ${CMAKE_BINARY_DIR}/kelvar-raid.ico)
set(kelvar_ship ${CMAKE_SOURCE_DIR}/src/resources/icons/ship.xpm)
set(kelvar_ico_pngs)
set(kelvar_ico_commands)
foreach(size 16 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icon/ship-${size}.png)
    list(APPEND kelvar_ico_pngs ${png})
    list(APPEND kelvar_ico_commands COMMAND ${KELVAR_CONVERT} ${kelvar_ship} -background none
        -sample ${size}x${size} PNG32:${png})
endforeach()
add_custom_command(
    OUTPUT ${KELVAR_ICO}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
    ${kelvar_ico_commands}
    COMMAND ${KELVAR_CONVERT} ${kelvar_ico_pngs} ${KELVAR_ICO}
    DEPENDS ${kelvar_ship}
    COMMENT "Scaling the ship picture to the program's icon"
    VERBATIM)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/kelvar-raid.rc.in
    ${CMAKE_BINARY_DIR}/kelvar-raid.rc @ONLY)
target_sources(kelvar-raid PRIVATE ${CMAKE_BINARY_DIR}/kelvar-raid.rc)
# The program is a target of src/CMakeLists.txt: the icon is made first through a target of this
# folder, since a file made here is not known there.
add_custom_target(kelvar_windows_icon DEPENDS ${KELVAR_ICO})
add_dependencies(kelvar-raid kelvar_windows_icon)

# The zip: the program (linked statically: it needs no DLL but Windows' own), the fonts it
# looks for beside itself when the system has none of its faces, with their licences, and the
# README and the licence. Debian's font packages give the fonts and their copyright files.
set(kelvar_fonts
    /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
    /usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
    /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf
    /usr/share/fonts/truetype/liberation/LiberationMono-Bold.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf)
set(kelvar_font_licences /usr/share/doc/fonts-liberation/copyright
    /usr/share/doc/fonts-dejavu-core/copyright)
set(kelvar_zip_name kelvar-raid-${PROJECT_VERSION}-windows-x64)
set(kelvar_zip_dir ${CMAKE_BINARY_DIR}/zip/${kelvar_zip_name})
set(KELVAR_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${kelvar_zip_name}.zip)
add_custom_command(
    OUTPUT ${KELVAR_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${kelvar_zip_dir} ${KELVAR_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${kelvar_zip_dir}/fonts
    COMMAND ${CMAKE_STRIP} -o ${kelvar_zip_dir}/kelvar-raid.exe $<TARGET_FILE:kelvar-raid>
    COMMAND ${CMAKE_COMMAND} -E copy ${kelvar_fonts} ${kelvar_zip_dir}/fonts
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-liberation/copyright
        ${kelvar_zip_dir}/fonts/Liberation-copyright.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-dejavu-core/copyright
        ${kelvar_zip_dir}/fonts/DejaVu-copyright.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/README.md ${kelvar_zip_dir}/README.md
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${kelvar_zip_dir}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
        ${CMAKE_COMMAND} -E tar cf ${KELVAR_WINDOWS_ZIP} --format=zip ${kelvar_zip_name}
    DEPENDS kelvar-raid ${kelvar_fonts} ${kelvar_font_licences} ${CMAKE_SOURCE_DIR}/README.md
        ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Packing ${kelvar_zip_name}.zip"
    VERBATIM)
add_custom_target(kelvar_windows_zip DEPENDS ${KELVAR_WINDOWS_ZIP})

# cpack -G NSIS (make windows, when Debian's nsis is installed): the same files, installed
# under Program Files with a Start-menu entry and an uninstaller.
install(TARGETS kelvar-raid RUNTIME DESTINATION .)
install(FILES ${kelvar_fonts} DESTINATION fonts)
install(FILES /usr/share/doc/fonts-liberation/copyright DESTINATION fonts
    RENAME Liberation-copyright.txt)
install(FILES /usr/share/doc/fonts-dejavu-core/copyright DESTINATION fonts
    RENAME DejaVu-copyright.txt)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME "Kelvar Raid")
set(CPACK_PACKAGE_VENDOR "Kelvar Raid developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME kelvar-raid-${PROJECT_VERSION}-windows-x64-setup)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Kelvar Raid")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_EXECUTABLES kelvar-raid "Kelvar Raid") # the Start-menu entry
set(CPACK_NSIS_INSTALLED_ICON_NAME kelvar-raid.exe)
set(CPACK_NSIS_MUI_ICON ${KELVAR_ICO})
set(CPACK_NSIS_MUI_UNIICON ${KELVAR_ICO})
set(CPACK_NSIS_DISPLAY_NAME "Kelvar Raid")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)

# Ctrl+C reaches a program only through a console, which Wine gives it when it runs on a
# terminal: `script` provides one.
add_test(NAME windows.console_ctrl_c
    COMMAND script -qec "wine $<TARGET_FILE:kelvar_windows_tests> --gtest_filter=WindowsSignalWatch.*" /dev/null)
set_tests_properties(windows.console_ctrl_c PROPERTIES TIMEOUT 120 ENVIRONMENT KELVAR_NEED_CONSOLE=1)
