# SPDX-License-Identifier: MIT
# Installation and desktop integration of the `tintaro` program.
# Included from the top-level CMakeLists.txt once the target exists; what it
# makes goes into packaging/ of the build folder.
include(GNUInstallDirs)
# Folders made by the install are 755 whatever the umask of who builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(_tintaro_pkg ${PROJECT_SOURCE_DIR}/packaging)
set(_tintaro_res ${PROJECT_SOURCE_DIR}/widgets/resources)
set(_tintaro_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_tintaro_out})

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
set(TINTARO_RC_FILE ${_tintaro_out}/tintaro.rc CACHE INTERNAL "Windows resources")
configure_file(${_tintaro_pkg}/windows/tintaro.rc.in ${TINTARO_RC_FILE} @ONLY)
if(WIN32)
    target_sources(tintaro PRIVATE ${TINTARO_RC_FILE})
endif()

# Installed where the user may write (`cmake --install build --prefix ~/.local`,
# a portable copy), the program keeps its memory file beside itself; under
# /usr or /opt (the Debian package) each user's goes into their data folder.
install(TARGETS tintaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)

if(UNIX AND NOT APPLE)
    # The launcher names the program by its full path. The prefix is known
    # only when installing (`cmake --install --prefix` may change it), so the
    # launcher is written then; DESTDIR stays out of the path, as it should.
    set(_desktop ${_tintaro_out}/${TINTARO_APP_ID}.desktop)
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
                   ${_tintaro_out}/${TINTARO_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${_tintaro_out}/${TINTARO_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${_tintaro_res}/icons/tintaro-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${TINTARO_APP_ID}.png)
    endforeach()
    install(FILES ${_tintaro_res}/tintaro.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${TINTARO_APP_ID}.svg)

    # The manual page and the changelog, compressed as Debian wants them:
    # gzip -n leaves out the name and time, so the bytes follow the text alone.
    configure_file(${_tintaro_pkg}/tintaro.1.in ${_tintaro_out}/tintaro.1 @ONLY)
    set(_manual ${_tintaro_out}/tintaro.1.gz)
    set(_changelog ${_tintaro_out}/changelog.gz)
    add_custom_command(OUTPUT ${_manual} DEPENDS ${_tintaro_out}/tintaro.1 VERBATIM
                       WORKING_DIRECTORY ${_tintaro_out}
                       COMMAND sh -c "gzip -n -9 -c tintaro.1 >tintaro.1.gz")
    add_custom_command(OUTPUT ${_changelog} DEPENDS ${_tintaro_pkg}/changelog VERBATIM
                       WORKING_DIRECTORY ${_tintaro_out}
                       COMMAND sh -c "gzip -n -9 -c \"$0\" >changelog.gz" ${_tintaro_pkg}/changelog)
    add_custom_target(tintaro_docs ALL DEPENDS ${_manual} ${_changelog})
    install(FILES ${_manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    file(STRINGS ${_tintaro_pkg}/changelog _latest LIMIT_COUNT 1)
    if(NOT _latest MATCHES "^tintaro \\(${PROJECT_VERSION}\\) ")
        message(WARNING "packaging/changelog does not start with version ${PROJECT_VERSION}")
    endif()

    # Debian's machine-readable copyright file, made from LICENSE (the MIT
    # licence, which Debian calls Expat).
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE _license)
    string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${_license}")
    set(_holder "${CMAKE_MATCH_1}")
    string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n" "" _terms "${_license}")
    string(STRIP "${_terms}" _terms)
    string(REPLACE "\n\n" "\n.\n" _terms "${_terms}")
    string(REPLACE "\n" "\n " _terms "${_terms}")
    file(CONFIGURE OUTPUT ${_tintaro_out}/copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Tintaro

Files: *
Copyright: ${_holder}
License: Expat
 ${_terms}
")
    install(FILES ${_tintaro_out}/copyright ${_changelog}
            DESTINATION ${CMAKE_INSTALL_DOCDIR})

    # `make package`: a Debian package of the rules above, installed under /usr.
    set(TINTARO_MAINTAINER "The Tintaro developers <tintaro@example.org>"
        CACHE STRING "Maintainer of the Debian package")
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME tintaro)
    set(CPACK_PACKAGE_VENDOR "The Tintaro developers")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # The launcher is written at install time from the install prefix: it must
    # see /usr, not CPack's staging folder.
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_INSTALL_PREFIX /usr)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TINTARO_MAINTAINER}")
    set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    # Qt's Spanish dialogs, Wayland without XWayland, fonts close to the design's.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
        "qt6-translations-l10n, qt6-wayland, fonts-dejavu-core, fonts-dejavu-extra, fonts-liberation2")
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "El color se compone con tres barras o tres casillas numéricas, una por
canal (rojo, verde y azul, de 0 a 255), se ve en una muestra y se lee como un
código de siete caracteres, «#» y seis cifras hexadecimales, listo para
copiar. Los códigos se pueden guardar en una memoria interna, que cada
usuario conserva de una sesión a otra en ~/.local/share/Tintaro/List.slc.
La interfaz está en español.")
    include(CPack)
endif()
