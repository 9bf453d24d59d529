# Installation as a desktop program: programs in bin, the shipped game files in share/lingomat
# (laid out like the build's game folder), menu entry, AppStream metadata, and a .deb through
# "cpack -G DEB". The shipped files themselves are installed by the folders that make them.
include(GNUInstallDirs)

set(LINGOMAT_APPSTREAM_ID de.borkenwald.Lingomat)

foreach(program IN ITEMS lingomat lingomat-voc)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/res/lingomat.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_SOURCE_DIR}/res/lingomat.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/lingomat.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/lingomat.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  RENAME ${LINGOMAT_APPSTREAM_ID}.metainfo.xml)

# Started from a menu, the game finds its shipped files relative to its own executable, so an
# installation under any prefix (or DESTDIR) works without being configured for it.
if(TARGET lingomat_ui)
  file(RELATIVE_PATH shipped_from_bindir
    ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/lingomat)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/ui/GameFolder.cpp
    DIRECTORY ${CMAKE_SOURCE_DIR}/src
    PROPERTIES COMPILE_DEFINITIONS "LINGOMAT_SHIPPED_FROM_BINDIR=\"${shipped_from_bindir}\"")
endif()

if(LINGOMAT_BUILD_TESTS)
  add_test(NAME install_layout
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${CMAKE_BINARY_DIR}
      -DSTAGE=${CMAKE_BINARY_DIR}/tests/install-stage
      -DAPPSTREAM_ID=${LINGOMAT_APPSTREAM_ID}
      -P ${CMAKE_SOURCE_DIR}/tests/install/check-install.cmake)
  set_tests_properties(install_layout PROPERTIES LABELS install)

  # scripts/setup-deps installs both validators; a machine without them skips the checks.
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_entry_valid
      COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/res/lingomat.desktop)
  endif()
  find_program(APPSTREAMCLI appstreamcli)
  if(APPSTREAMCLI)
    add_test(NAME appstream_metadata_valid
      COMMAND ${APPSTREAMCLI} validate --no-net ${CMAKE_BINARY_DIR}/lingomat.metainfo.xml)
  endif()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lingomat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lingomat-Team")
set(CPACK_PACKAGE_CONTACT "Lingomat-Team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Vokabelspiel / vocabulary trainer game for German speakers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lingomat-Team")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game screen draws with Arial's metrics; Liberation Sans 2 has them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# The summary above becomes the first line; this is the long description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Lingomat fragt Vokabeln ab, bis jede Frage richtig beantwortet ist: Deutsch,
Englisch und Französisch oder Deutsch und Spanisch, in fünf Spielarten vom
Schreiben über Multiple-Choice bis zum Abschreiben. Mit Spielerstatistik,
Fehlerlisten und dem Werkzeug lingomat-voc für eigene Wortlisten.

Lingomat asks vocabulary until every question has been answered right:
German, English and French, or German and Spanish, in five game types from
typing to multiple choice and copying. With player statistics, error lists
and the tool lingomat-voc for own word lists. The program speaks German.")
include(CPack)
