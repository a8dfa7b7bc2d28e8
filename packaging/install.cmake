# What `cmake --install` puts in place and how CPack turns it into a Debian package.
include(GNUInstallDirs)

# Who answers for the package: the control file's Maintainer and every changelog entry.
set(QUIRVA_MAINTAINER "Equipe QUIRVA <equipe@quirva.br>")
# The programs installed (the window and the command line); each has its manual page,
# packaging/<program>.1, or packaging/<program>.1.in where it names the version.
set(QUIRVA_PROGRAMS quirva quirva-cli)

install(TARGETS ${QUIRVA_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

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

    # The changelog's newest entry names the version being packaged.
    file(STRINGS ${packaging_dir}/changelog.in changelog_top LIMIT_COUNT 1)
    if(NOT changelog_top MATCHES "^quirva \\(${PROJECT_VERSION}\\) ")
        message(FATAL_ERROR "packaging/changelog.in has no entry for version ${PROJECT_VERSION}")
    endif()

    # Manual pages and the changelog are installed compressed, as Debian wants them; gzip -n
    # leaves out the name and time, so that the same sources give the same package.
    find_program(GZIP_PROGRAM gzip REQUIRED)
    set(docs_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
    set(compressed)
    configure_file(${packaging_dir}/changelog.in ${docs_dir}/changelog @ONLY)
    set(pages)
    foreach(program IN LISTS QUIRVA_PROGRAMS)
        if(EXISTS ${packaging_dir}/${program}.1.in)
            configure_file(${packaging_dir}/${program}.1.in ${docs_dir}/${program}.1 @ONLY)
        else()
            configure_file(${packaging_dir}/${program}.1 ${docs_dir}/${program}.1 COPYONLY)
        endif()
        list(APPEND pages ${program}.1)
    endforeach()
    foreach(doc changelog ${pages})
        add_custom_command(OUTPUT ${docs_dir}/${doc}.gz
            COMMAND ${GZIP_PROGRAM} -9nf -k ${docs_dir}/${doc}
            DEPENDS ${docs_dir}/${doc}
            COMMENT "Compressing ${doc}")
        list(APPEND compressed ${docs_dir}/${doc}.gz)
    endforeach()
    add_custom_target(quirva_docs ALL DEPENDS ${compressed})

    foreach(page IN LISTS pages)
        install(FILES ${docs_dir}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    # Stripped as Debian strips: the compilers' version notes go with the symbols.
    if(CMAKE_OBJCOPY)
        foreach(program IN LISTS QUIRVA_PROGRAMS)
            install(CODE "
                if(CMAKE_INSTALL_DO_STRIP)
                    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
                endif()")
        endforeach()
    endif()
    set(package_docs ${CMAKE_INSTALL_DATADIR}/doc/quirva)
    install(FILES ${docs_dir}/changelog.gz ${packaging_dir}/copyright DESTINATION ${package_docs})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirva)
set(CPACK_PACKAGE_VENDOR "QUIRVA")
set(CPACK_PACKAGE_CONTACT "${QUIRVA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUIRVA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fechamentos com garantia para as loterias federais")
# Lines of at most 80 characters, as the control file wants them; CPack does not wrap them.
set(CPACK_PACKAGE_DESCRIPTION [=[
QUIRVA monta fechamentos com garantia para até 100 dezenas da Lotomania,
Lotofácil, Mega-Sena, Dupla-Sena e Quina e de uma modalidade livre: sempre que
dezenas sorteadas suficientes caírem entre as apostadas, algum bilhete alcança
os acertos escolhidos.

Confere fechamentos contra sorteios simulados, digitados, de arquivo ou
baixados dos resultados oficiais, salva e abre arquivos, reduz fechamentos por
posições, imprime os volantes e mostra a frequência das dezenas. Monta também
os jogos das loterias esportivas Loteca e Lotogol.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Folders as Debian wants them whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# dpkg-shlibdeps finds the libraries the program links (the X11 platform plugin comes with
# Qt's GUI library) and adds them to these. Qt's translations (file dialogs in Portuguese), the
# Wayland plugin and the Arial-sized font the text areas ask for are loaded at run time, which
# no library scan can see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland")
include(CPack)
