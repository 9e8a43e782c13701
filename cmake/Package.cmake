# Installing Lapido as a desktop application, and the Debian package that CPack makes of
# that install (scripts/package.sh). Paths are relative to the prefix: /usr in the package,
# whatever `cmake --install --prefix` names otherwise.

set(LAPIDO_APP_ID io.github.lapido.Lapido)
set(lapido_res ${PROJECT_SOURCE_DIR}/res)
set(lapido_doc_src ${PROJECT_SOURCE_DIR}/docs)

# Each release is written down by hand in the changelog and the metadata; the newest entry of
# both must be the version being built, or the package would contradict itself.
file(STRINGS ${lapido_doc_src}/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^lapido \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "docs/changelog: the newest entry is not version ${PROJECT_VERSION}")
endif()
file(READ ${lapido_res}/${LAPIDO_APP_ID}.metainfo.xml newest)
if(NOT newest MATCHES "<release version=\"([^\"]+)\"" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "res/${LAPIDO_APP_ID}.metainfo.xml: the first release is not "
                        "version ${PROJECT_VERSION}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${lapido_doc_src}/changelog ${lapido_res}/${LAPIDO_APP_ID}.metainfo.xml)

# Debian wants the manual page and the changelog compressed to the full, without a time stamp.
set(lapido_gz ${CMAKE_BINARY_DIR}/gzipped)
foreach(doc man/lapido.1 changelog)
    get_filename_component(gz ${doc} NAME)
    set(gz ${lapido_gz}/${gz}.gz)
    add_custom_command(OUTPUT ${gz}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${lapido_gz}
                       COMMAND sh -c "gzip -9 -n -c \"$0\" > \"$1\"" ${lapido_doc_src}/${doc} ${gz}
                       DEPENDS ${lapido_doc_src}/${doc} VERBATIM)
    list(APPEND lapido_gz_files ${gz})
endforeach()
# With the program, so that a build of the program alone installs.
add_custom_target(lapido_docs DEPENDS ${lapido_gz_files})
add_dependencies(lapido lapido_docs)

# The desktop entry takes the application's id as its name, which the metadata launches.
install(FILES ${lapido_res}/lapido.desktop DESTINATION share/applications
        RENAME ${LAPIDO_APP_ID}.desktop)
install(FILES ${lapido_res}/${LAPIDO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 32 48)
    install(FILES ${lapido_res}/icons/lapido-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME lapido.png)
endforeach()
install(FILES ${lapido_res}/icons/lapido.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${lapido_gz}/lapido.1.gz DESTINATION share/man/man1)
install(FILES ${lapido_doc_src}/copyright ${lapido_gz}/changelog.gz DESTINATION share/doc/lapido)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lapido)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lapido developers")
set(CPACK_PACKAGE_CONTACT "Lapido developers <developers@lapido.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design the round brilliant cut of a diamond in 3D")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Lapido sets nine proportions of a round brilliant cut (table and girdle
semi-diameters, crown and pavilion angles, star and lower-girdle points,
girdle thickness), reconciles them into a set that can be cut, builds the
full facet mesh with its round, scalloped girdle and shows the stone in an
interactive 3D view: spin, pan and zoom it, draw it as facets, wire frame or
points, make it transparent, and pick its vertices, edges and facets.")
# The libraries come from what the program links; Qt's window-system plugins are loaded at
# run time, so no link shows them, yet without one no window opens.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Natively on Wayland rather than through its X server.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
