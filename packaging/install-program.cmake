# Installs the program and its desktop entry. Installed into the system's own /usr (the Debian
# package) the program goes to /usr/games, where Debian keeps games, and the desktop entry starts
# it by that path; anywhere else (/usr/local, ~/.local) it goes to bin/ and is found on the PATH.
# Set by the project: KELVAR_PROGRAM, KELVAR_DESKTOP_IN, KELVAR_APP_ID, KELVAR_STRIP, KELVAR_WORK.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(bindir games)
    set(KELVAR_EXEC /usr/games/kelvar-raid)
else()
    set(bindir bin)
    set(KELVAR_EXEC kelvar-raid)
endif()
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${bindir}" TYPE EXECUTABLE
    FILES "${KELVAR_PROGRAM}")
if(CMAKE_INSTALL_DO_STRIP AND KELVAR_STRIP)
    # As Debian's own tools strip: the compiler's notes go too.
    execute_process(COMMAND "${KELVAR_STRIP}" --remove-section=.comment --remove-section=.note
        "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${bindir}/kelvar-raid" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot strip the installed program")
    endif()
endif()
configure_file("${KELVAR_DESKTOP_IN}" "${KELVAR_WORK}/${bindir}/${KELVAR_APP_ID}.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
    FILES "${KELVAR_WORK}/${bindir}/${KELVAR_APP_ID}.desktop")
