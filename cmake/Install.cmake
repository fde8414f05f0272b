# Where the product installs, the layout of its Debian package:
#   bin/sendra-fax-<program>            the programs, under names that cannot clash
#   lib/<multiarch>/sendra-fax/         the platform libraries, modules and the plug-in bundle
#   share/sendra-fax/                   sample files the programs read
#   share/ppd/sendra-fax/               the Norvale fax PPD, where CUPS lists drivers
# The tree is relocatable: programs find the libraries through $ORIGIN-relative run paths and
# files through paths relative to their own folder, so an unpacked package works anywhere.
#
# Variables (relative to the prefix): NV_INSTALL_LIBDIR, NV_INSTALL_DATADIR, NV_INSTALL_PPDDIR;
# NV_LIBDIR_FROM_BINDIR and NV_DATADIR_FROM_BINDIR, the folders as seen from bin/ (a program
# resolves them against its own folder); NV_PPDDIR_FROM_LIBDIR, the PPD folder as seen from the
# libraries.
#
# nv_install_program(<target> <name>)
#   Installs the executable <target> as bin/<name>, with a run path to the private libraries.
#   The build tree keeps the target's own name.
# nv_install_library(<target>)
#   Installs a shared library or module into the private library folder, with a run path to
#   its neighbours.
# nv_install_man_page(<page>)
#   Installs the troff page <page> (its name ends in the section, "x.1"), compressed as Debian
#   wants it.
# nv_install_compressed(<file> <destination>)
#   Installs <file> compressed with gzip -9n, as <destination>/<file name>.gz.

# The package installs under /usr, where GNUInstallDirs gives the multiarch library folder.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install path prefix" FORCE)
endif()
include(GNUInstallDirs)

set(NV_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/sendra-fax)
set(NV_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/sendra-fax)
set(NV_INSTALL_PPDDIR ${CMAKE_INSTALL_DATADIR}/ppd/sendra-fax)
file(RELATIVE_PATH NV_LIBDIR_FROM_BINDIR /${CMAKE_INSTALL_BINDIR} /${NV_INSTALL_LIBDIR})
file(RELATIVE_PATH NV_DATADIR_FROM_BINDIR /${CMAKE_INSTALL_BINDIR} /${NV_INSTALL_DATADIR})
file(RELATIVE_PATH NV_PPDDIR_FROM_LIBDIR /${NV_INSTALL_LIBDIR} /${NV_INSTALL_PPDDIR})

function(nv_install_program target name)
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${NV_LIBDIR_FROM_BINDIR}")
    # install(TARGETS) sets the run path and strips, but cannot rename: it installs into a
    # folder of our own, and the file then moves to bin/ under its product name, so that a file
    # of another program with the build name is never touched.
    set(staging ${NV_INSTALL_LIBDIR}/programs-being-installed)
    install(TARGETS ${target} RUNTIME DESTINATION ${staging})
    set(root "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}")
    install(CODE "
        file(MAKE_DIRECTORY \"${root}/${CMAKE_INSTALL_BINDIR}\")
        file(RENAME \"${root}/${staging}/$<TARGET_FILE_NAME:${target}>\"
            \"${root}/${CMAKE_INSTALL_BINDIR}/${name}\")
        file(REMOVE_RECURSE \"${root}/${staging}\")")
endfunction()

function(nv_install_library target)
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${target} LIBRARY DESTINATION ${NV_INSTALL_LIBDIR})
endfunction()

function(nv_install_compressed file destination)
    find_program(NV_GZIP gzip REQUIRED)
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name})
    add_custom_command(OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy}
        COMMAND ${NV_GZIP} -9nf ${copy}
        DEPENDS ${file}
        VERBATIM)
    string(MAKE_C_IDENTIFIER "compress_${name}" target)
    add_custom_target(${target} ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()

function(nv_install_man_page page)
    string(REGEX MATCH "[0-9]$" section ${page})
    nv_install_compressed(${page} ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
