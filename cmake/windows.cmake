# The window program on Windows (cross-compiled with MinGW-w64; see the `windows` preset): the
# same layers as on Linux, with the Windows side of the platform layer in place of the POSIX
# and X11 files. Included from the top-level CMakeLists.txt after the core, session and headless
# libraries and the Windows platform library are defined.
if(NOT WIN32)
    return()
endif()

find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_ttf REQUIRED CONFIG)
find_package(SDL2_image REQUIRED CONFIG)
add_subdirectory(src/resources)

# Windows has no X display and opens its own: the SDL files that are X11's or choose between X
# and Wayland (x11_errors, unmanaged_window, display) give way to windows_sdl_*.cpp, which need
# SDL and so leave the Windows platform library (the one its SDL-free tests link) for this one.
set(kelvar_windows_sdl_sources)
foreach(name event_wait key_codes parked_windows sdl_joystick sdl_services sdl_sound
        window_pixels)
    list(APPEND kelvar_windows_sdl_sources ${CMAKE_SOURCE_DIR}/src/platform/sdl/${name}.cpp)
endforeach()
get_target_property(kelvar_windows_platform_sources kelvar_platform_windows SOURCES)
list(FILTER kelvar_windows_platform_sources EXCLUDE REGEX "/windows_sdl_[^/]*\\.cpp$")
set_property(TARGET kelvar_platform_windows PROPERTY SOURCES ${kelvar_windows_platform_sources})
list(APPEND kelvar_windows_sdl_sources ${CMAKE_SOURCE_DIR}/src/platform/windows/windows_sdl_display.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/windows/windows_sdl_no_x11.cpp)
add_library(kelvar_platform_sdl STATIC ${kelvar_windows_sdl_sources})
target_link_libraries(kelvar_platform_sdl PUBLIC kelvar_platform kelvar_platform_windows
    SDL2::SDL2)

set(kelvar_screens_sources)
foreach(name fallback_font fullscreen_keys help_screen output_scale play_field_view shown_frame
        text_cache title_screen ui widgets window_screens)
    list(APPEND kelvar_screens_sources ${CMAKE_SOURCE_DIR}/src/screens/${name}.cpp)
endforeach()
add_library(kelvar_screens STATIC ${kelvar_screens_sources})
target_link_libraries(kelvar_screens PUBLIC kelvar_core kelvar_platform_sdl kelvar_resources
    SDL2_ttf::SDL2_ttf-static SDL2_image::SDL2_image-static)

set(kelvar_app_sources)
foreach(name app autopilot command_line game_recorder headless_main icon_sheet play_keys
        recording_file)
    list(APPEND kelvar_app_sources ${CMAKE_SOURCE_DIR}/src/app/${name}.cpp)
endforeach()
add_library(kelvar_app STATIC ${kelvar_app_sources})
target_link_libraries(kelvar_app PUBLIC kelvar_screens kelvar_headless)
target_compile_definitions(kelvar_app PRIVATE KELVAR_VERSION="${PROJECT_VERSION}")

# A GUI program: no console window opens with it (stderr then goes nowhere). SDL2main turns
# Windows' WinMain into the game's main.
add_executable(kelvar-raid WIN32 src/app/main.cpp)
target_link_libraries(kelvar-raid PRIVATE SDL2::SDL2main kelvar_app)
set_target_properties(kelvar-raid PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
