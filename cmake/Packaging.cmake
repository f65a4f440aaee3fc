# Installation and the Debian package.
#
# The program finds its language file beside its own executable (symlinks resolved), so
# both executables and unctora.sil go into one folder of their own; on Linux the commands
# in bin/ are relative symlinks to it, which keeps the install relocatable
# (cmake --install build --prefix ~/.local works as well as the package's /usr).

include(GNUInstallDirs)

if(WIN32 OR APPLE)
  set(UNCTORA_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
else()
  set(UNCTORA_PROGRAM_DIR lib/unctora)
endif()

set(unctora_programs unctora-calc)
if(UNCTORA_BUILD_UI)
  list(PREPEND unctora_programs unctora)
endif()

install(TARGETS ${unctora_programs} RUNTIME DESTINATION ${UNCTORA_PROGRAM_DIR})
# unctora-calc finds the program that draws its route sheet beside itself; nobody
# calls that one by name, so it gets no command in bin/.
if(UNCTORA_BUILD_UI)
  install(TARGETS unctora-sheets RUNTIME DESTINATION ${UNCTORA_PROGRAM_DIR})
endif()
install(FILES resources/unctora.sil DESTINATION ${UNCTORA_PROGRAM_DIR})

if(NOT UNCTORA_PROGRAM_DIR STREQUAL CMAKE_INSTALL_BINDIR)
  set(link_dir ${CMAKE_BINARY_DIR}/install-links)
  file(MAKE_DIRECTORY ${link_dir})
  foreach(p ${unctora_programs})
    file(CREATE_LINK ../${UNCTORA_PROGRAM_DIR}/${p} ${link_dir}/${p} SYMBOLIC)
    install(FILES ${link_dir}/${p} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
endif()

if(UNCTORA_BUILD_UI AND UNIX AND NOT APPLE)
  set(app_id org.talvik.Unctora)
  install(FILES resources/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES resources/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES resources/pictures/unctora.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${app_id}.svg)
  foreach(size 48 128 256)
    install(FILES resources/icons/unctora-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${app_id}.png)
  endforeach()
endif()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_CONTACT "Talvik <unctora@talvik.example.com>")

# The documents a Debian package carries: the copyright file in Debian's format and the
# changelog, made from CHANGELOG.md and compressed as Debian wants it (gzip -9n: no time
# stamp, so the same sources give the same file).
set(doc_dir ${CMAKE_BINARY_DIR}/doc)
add_custom_command(OUTPUT ${doc_dir}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${doc_dir}
  COMMAND ${CMAKE_COMMAND} -DCHANGELOG=${PROJECT_SOURCE_DIR}/CHANGELOG.md
          -DMETAINFO=${PROJECT_SOURCE_DIR}/resources/org.talvik.Unctora.metainfo.xml
          -DVERSION=${PROJECT_VERSION} -DMAINTAINER=${CPACK_PACKAGE_CONTACT}
          -DOUTPUT=${doc_dir}/changelog -P ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
  COMMAND gzip -9nf ${doc_dir}/changelog
  DEPENDS CHANGELOG.md resources/org.talvik.Unctora.metainfo.xml cmake/DebianChangelog.cmake
  VERBATIM)
set(doc_outputs ${doc_dir}/changelog.gz)
install(FILES ${doc_dir}/changelog.gz resources/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages, made by help2man from each program's own --help and --version (the
# window program answers both without a display), with the sections of docs/man/.
find_program(UNCTORA_HELP2MAN help2man)
if(UNCTORA_HELP2MAN)
  foreach(p ${unctora_programs})
    add_custom_command(OUTPUT ${doc_dir}/${p}.1.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${doc_dir}
      COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
              ASAN_OPTIONS=detect_leaks=0
              ${UNCTORA_HELP2MAN} --no-info "--source=Unctora ${PROJECT_VERSION}" --include=${PROJECT_SOURCE_DIR}/docs/man/${p}.h2m
              --output=${doc_dir}/${p}.1 $<TARGET_FILE:${p}>
      COMMAND gzip -9nf ${doc_dir}/${p}.1
      DEPENDS ${p} docs/man/${p}.h2m
      VERBATIM)
    list(APPEND doc_outputs ${doc_dir}/${p}.1.gz)
    install(FILES ${doc_dir}/${p}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(WARNING "help2man is not installed: no manual pages are made or installed")
endif()
add_custom_target(package_docs ALL DEPENDS ${doc_outputs})

install(FILES resources/completion/unctora-calc
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME unctora)
set(CPACK_PACKAGE_VENDOR Talvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relubrication calculator for rolling bearings and automatic lubricators")
set(CPACK_PACKAGE_DESCRIPTION
"Unctora computes the relubrication interval, the corrected interval,
the grease quantity, the daily feed rate and the lubricator setting of
a rolling bearing application, explains them with notes and warnings
and rates which greases suit. Eleven languages, SI or imperial units.
unctora-calc applies the same calculation to a plant's list of bearings.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.talvik.example.com/unctora)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own texts (message-box buttons, key names) in the chosen language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# Chinese, Japanese and Thai need these fonts to show their texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, fonts-thai-tlwg")
include(CPack)
