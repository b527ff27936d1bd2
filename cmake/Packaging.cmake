# A Debian package of the program: `make package` builds it with CPack and checks it with
# lintian. Library dependencies come from dpkg-shlibdeps; the platform plugins and a font are
# named by hand, since Qt loads them at run time.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/GzipForPackage.cmake)

# The package's version is the project's: the changelog's newest entry and the software
# centres' newest release must name it too.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^trovanel \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "cmake/debian/changelog has no entry for ${PROJECT_VERSION} at the top")
endif()
file(READ ${PROJECT_SOURCE_DIR}/ui/desktop/invalid.trovanel.trovanel.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "the metainfo file's newest release is not ${PROJECT_VERSION}")
endif()

# A version without a Debian revision makes this a native package, whose changelog is
# changelog.gz (lintian: wrong-name-for-changelog-of-native-package).
trovanel_gzip(trovanel_changelog ${CMAKE_CURRENT_LIST_DIR}/debian/changelog
    ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trovanel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Setup utility for thermal label printers")
# Extended description lines stay within 80 columns (lintian).
set(CPACK_PACKAGE_DESCRIPTION
    "Sets a thermal label printer's label length, gap, tear-off and cut offsets,
port and print mode, sends them to the printer over a serial, parallel, USB or
network port, and keeps them in a settings file. The same job can be done from
a terminal without a display.")
set(CPACK_PACKAGE_CONTACT "Trovanel maintainers <maintainers@trovanel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# qt6-wayland lets the dialog run natively on a Wayland desktop instead of through Xwayland;
# qt6-translations-l10n has Qt's own texts (standard buttons, file dialog) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Folders the installation creates get 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
