# Run by CPack once the package's files are staged (CPACK_PRE_BUILD_SCRIPTS): every file the
# package installs under /etc is a configuration file, listed in the control file "conffiles" so
# that dpkg keeps an administrator's changes, as debhelper does for its packages.
file(GLOB_RECURSE configuration LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
    "${CPACK_TEMPORARY_DIRECTORY}/etc/*")
if(configuration)
    list(TRANSFORM configuration PREPEND "/")
    list(JOIN configuration "\n" lines)
    set(conffiles "${CPACK_TOPLEVEL_DIRECTORY}/conffiles")
    file(WRITE "${conffiles}" "${lines}\n")
    list(APPEND CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${conffiles}")
endif()
