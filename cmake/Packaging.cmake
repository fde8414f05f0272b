# The Debian package sendra-fax, made by CPack from the install rules (scripts/package.sh), and
# the product's release: NV_VERSION and NV_RELEASE_DATE (YYYY-MM-DD) are those of the newest
# entry of packaging/changelog.
set(NV_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
find_program(NV_PARSECHANGELOG dpkg-parsechangelog REQUIRED)
foreach(field Version Timestamp)
    execute_process(COMMAND ${NV_PARSECHANGELOG} -l ${NV_PACKAGING}/changelog -S ${field}
        OUTPUT_VARIABLE release_${field} OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${NV_PACKAGING}/changelog)
set(NV_VERSION ${release_Version})
set(ENV{SOURCE_DATE_EPOCH} ${release_Timestamp}) # string(TIMESTAMP) reads it instead of now
string(TIMESTAMP NV_RELEASE_DATE "%Y-%m-%d" UTC)
unset(ENV{SOURCE_DATE_EPOCH})

set(NV_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/sendra-fax)
install(FILES ${NV_PACKAGING}/copyright DESTINATION ${NV_PACKAGE_DOCDIR})
nv_install_compressed(${NV_PACKAGING}/changelog ${NV_PACKAGE_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sendra-fax)
set(CPACK_PACKAGE_VERSION ${NV_VERSION})
set(CPACK_PACKAGE_VENDOR Norvale)
set(CPACK_PACKAGE_CONTACT "Sendra Fax team <sendra-fax@norvale.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fax pane for the print dialog of Norvale fax printers")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${NV_PACKAGING}/description)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianConffiles.cmake)
# The linked libraries' packages come from dpkg-shlibdeps, which finds the private libraries
# through the $ORIGIN run paths. Added to them, what is used without being linked: lpadmin,
# which the fax job agent runs to set up a fax queue, and the session bus, on which the
# address book editor registers and through which the pane fronts it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "cups-client, default-dbus-session-bus | dbus-session-bus")
# The fax queues that the agent watches live on a CUPS scheduler.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS cups)
include(CPack)
