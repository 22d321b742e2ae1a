# The Debian package (scripts/package builds it): the IDE, its viewer, the registry tool and the
# launcher `ravelin` in bin/; the add-in's installation folder lib/ravelin/ (the add-in, its map, the
# update program, the manual with its pictures, Syntax.ini); SourceSafe's installation folder lib/sourcesafe/ (the
# automation server and its programs, which bin/ links to). Every path inside is relative to the
# package's own folder, so it also runs from a folder unpacked with `dpkg-deb -x`.
install(TARGETS ravelin-ide ravelin-view regtool RUNTIME DESTINATION bin)
install(PROGRAMS host/ravelin.sh DESTINATION bin RENAME ravelin)
install(TARGETS ravelin LIBRARY DESTINATION lib/ravelin)
install(TARGETS rvlupd RUNTIME DESTINATION lib/ravelin)
install(FILES ${RAVELIN_ADDIN_DIR}/libravelin.map ${RAVELIN_ADDIN_DIR}/RvlHelp.html ${RAVELIN_ADDIN_DIR}/Syntax.ini
        DESTINATION lib/ravelin)
install(DIRECTORY ${RAVELIN_ADDIN_DIR}/shots DESTINATION lib/ravelin)
install(TARGETS ssapi LIBRARY DESTINATION lib/sourcesafe)
install(TARGETS ss ssadmin ssexp RUNTIME DESTINATION lib/sourcesafe)
foreach(program ss ssadmin ssexp)
  install(CODE "file(CREATE_LINK ../lib/sourcesafe/${program}
                     \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\" SYMBOLIC)")
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ravelin)
set(CPACK_PACKAGE_VENDOR Halberd)
set(CPACK_PACKAGE_CONTACT "Ravelin maintainers <ravelin-support@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "IDE with the Ravelin version-control add-in and a SourceSafe database server")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the shared-library scan does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpq5")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
