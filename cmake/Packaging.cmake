# A Debian package of the program: `make package` builds it with CPack. Library dependencies
# come from dpkg-shlibdeps; the platform plugins and a font are named by hand, since Qt loads
# them at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trovanel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Setup utility for thermal label printers")
set(CPACK_PACKAGE_DESCRIPTION
    "Sets a thermal label printer's label length, gap, tear-off and cut offsets, port and print\nmode, sends them to the printer over a serial, parallel, USB or network port, and keeps\nthem in a settings file.")
set(CPACK_PACKAGE_CONTACT "Trovanel maintainers <maintainers@trovanel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
