# What `cmake --install` puts in place and how CPack turns it into a Debian package.
include(GNUInstallDirs)

install(TARGETS quirva RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command line, beside the program.
install(TARGETS quirva-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
    set(packaging_dir ${CMAKE_CURRENT_LIST_DIR})
    install(FILES ${packaging_dir}/quirva.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${packaging_dir}/br.quirva.quirva.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${packaging_dir}/quirva.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 48 128)
        install(FILES ${packaging_dir}/quirva-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME quirva.png)
    endforeach()

    # The command line's manual page, compressed as Debian wants it; gzip -n leaves out the name
    # and time, so that the same sources give the same file.
    find_program(GZIP_PROGRAM gzip REQUIRED)
    set(cli_page ${CMAKE_CURRENT_BINARY_DIR}/packaging/quirva-cli.1)
    configure_file(${packaging_dir}/quirva-cli.1 ${cli_page} COPYONLY)
    add_custom_command(OUTPUT ${cli_page}.gz
        COMMAND ${GZIP_PROGRAM} -9nf -k ${cli_page}
        DEPENDS ${cli_page}
        COMMENT "Compressing quirva-cli.1")
    add_custom_target(quirva_cli_manual ALL DEPENDS ${cli_page}.gz)
    install(FILES ${cli_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirva)
set(CPACK_PACKAGE_VENDOR "QUIRVA")
set(CPACK_PACKAGE_CONTACT "QUIRVA <quirva@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fechamentos com garantia para as loterias federais")
set(CPACK_PACKAGE_DESCRIPTION "Monta fechamentos com garantia para até 100 dezenas da \
Lotomania, Lotofácil, Mega-Sena, Dupla-Sena e Quina, e das loterias esportivas Loteca e \
Lotogol; confere, reduz, imprime volantes e baixa resultados.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# dpkg-shlibdeps finds the libraries the program links (the X11 platform plugin comes with
# Qt's GUI library). The Wayland plugin and the Arial-sized font the text areas ask for are
# loaded at run time, which no library scan can see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland")
include(CPack)
