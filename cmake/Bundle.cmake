# nv_add_bundle(TARGET <module target> BUNDLE <path/X.plugin> INFO_PLIST <template>
#               [RESOURCES <folder>] [INSTALL])
# Lays out a bundle in the build tree: <bundle>/Contents/Info.plist (configured from the
# template), the module's shared object as <bundle>/Contents/Linux/<target>, and the
# resources folder copied to <bundle>/Contents/Resources on every build (a target of its own,
# so that an edited resource is copied even when the code did not change). INSTALL installs the
# same layout into the private library folder (Install.cmake), the module's run path leading
# to the libraries beside the bundle.
function(nv_add_bundle)
    cmake_parse_arguments(ARG "INSTALL" "TARGET;BUNDLE;INFO_PLIST;RESOURCES" "" ${ARGN})
    set(contents "${ARG_BUNDLE}/Contents")
    set(BUNDLE_EXECUTABLE ${ARG_TARGET})
    configure_file(${ARG_INFO_PLIST} "${contents}/Info.plist" @ONLY)
    set_target_properties(${ARG_TARGET} PROPERTIES
        PREFIX "" SUFFIX ""
        LIBRARY_OUTPUT_DIRECTORY "${contents}/Linux")
    if(ARG_RESOURCES)
        add_custom_target(${ARG_TARGET}_resources ALL
            COMMAND ${CMAKE_COMMAND} -E copy_directory ${ARG_RESOURCES} "${contents}/Resources"
            VERBATIM)
        add_dependencies(${ARG_TARGET} ${ARG_TARGET}_resources)
    endif()
    if(ARG_INSTALL)
        get_filename_component(bundle ${ARG_BUNDLE} NAME)
        set(installed ${NV_INSTALL_LIBDIR}/${bundle}/Contents)
        file(RELATIVE_PATH libraries /${installed}/Linux /${NV_INSTALL_LIBDIR})
        set_target_properties(${ARG_TARGET} PROPERTIES INSTALL_RPATH "$ORIGIN/${libraries}")
        install(TARGETS ${ARG_TARGET} LIBRARY DESTINATION ${installed}/Linux)
        install(FILES "${contents}/Info.plist" DESTINATION ${installed})
        if(ARG_RESOURCES)
            install(DIRECTORY ${ARG_RESOURCES}/ DESTINATION ${installed}/Resources)
        endif()
    endif()
endfunction()
