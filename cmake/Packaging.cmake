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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME unctora)
set(CPACK_PACKAGE_VENDOR Talvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Talvik <unctora@talvik.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relubrication calculator for rolling bearings and automatic lubricators")
set(CPACK_PACKAGE_DESCRIPTION
"Unctora computes the relubrication interval, the corrected interval, the grease
quantity, the daily feed rate and the lubricator setting of a rolling bearing
application, explains them with notes and warnings and rates which greases suit.
Eleven languages, SI or imperial units. unctora-calc applies the same calculation
to a plant's list of bearings.")
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
