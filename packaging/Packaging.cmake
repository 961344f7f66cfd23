# SPDX-License-Identifier: MIT
# Installation and desktop integration of the `tintaro` program.
# Included from app/CMakeLists.txt once the target exists.
include(GNUInstallDirs)

# Desktop id: names the launcher, the metadata and the icon in the theme.
set(TINTARO_APP_ID io.github.tintaro.Tintaro CACHE INTERNAL "Desktop application id")
set(_tintaro_pkg ${PROJECT_SOURCE_DIR}/packaging)
set(_tintaro_res ${PROJECT_SOURCE_DIR}/app/resources)

# Windows version block. The version text is major.minor.revision with the
# minor number in two digits and the revision in four: 1.0.1 reads 1.00.0001.
# The file is made on every platform so that its contents can be tested.
function(_tintaro_zero_pad out value width)
    string(LENGTH "${value}" length)
    set(padded "${value}")
    if(length LESS width)
        math(EXPR missing "${width} - ${length}")
        string(REPEAT "0" ${missing} zeros)
        set(padded "${zeros}${value}")
    endif()
    set(${out} "${padded}" PARENT_SCOPE)
endfunction()
_tintaro_zero_pad(_minor "${PROJECT_VERSION_MINOR}" 2)
_tintaro_zero_pad(_patch "${PROJECT_VERSION_PATCH}" 4)
set(TINTARO_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${_minor}.${_patch}")
set(TINTARO_ICO ${_tintaro_res}/icons/tintaro.ico)
set(TINTARO_RC_FILE ${CMAKE_CURRENT_BINARY_DIR}/tintaro.rc CACHE INTERNAL "Windows resources")
configure_file(${_tintaro_pkg}/windows/tintaro.rc.in ${TINTARO_RC_FILE} @ONLY)
if(WIN32)
    target_sources(tintaro PRIVATE ${TINTARO_RC_FILE})
endif()

# The program keeps its memory file beside itself, so it goes where the user
# can write: with `cmake --install build --prefix ~/.local` that is ~/.local/bin.
install(TARGETS tintaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)

if(UNIX AND NOT APPLE)
    # The launcher names the program by its full path. The prefix is known
    # only when installing (`cmake --install --prefix` may change it), so the
    # launcher is written then; DESTDIR stays out of the path, as it should.
    set(_desktop ${CMAKE_CURRENT_BINARY_DIR}/${TINTARO_APP_ID}.desktop)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
        set(_exec "${CMAKE_INSTALL_BINDIR}/tintaro")
    else()
        set(_exec "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tintaro")
    endif()
    install(CODE "
        set(TINTARO_APP_ID ${TINTARO_APP_ID})
        set(TINTARO_EXEC \"${_exec}\")
        if(TINTARO_EXEC MATCHES \" \")
            set(TINTARO_EXEC \"\\\"\${TINTARO_EXEC}\\\"\")
        endif()
        configure_file(\"${_tintaro_pkg}/tintaro.desktop.in\" \"${_desktop}\" @ONLY)")
    install(FILES ${_desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

    configure_file(${_tintaro_pkg}/tintaro.metainfo.xml.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${TINTARO_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TINTARO_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${_tintaro_res}/icons/tintaro-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${TINTARO_APP_ID}.png)
    endforeach()
    install(FILES ${_tintaro_res}/tintaro.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${TINTARO_APP_ID}.svg)
endif()
