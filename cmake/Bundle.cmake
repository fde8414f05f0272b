# nv_add_bundle(TARGET <module target> BUNDLE <path/X.plugin> INFO_PLIST <template>
#               [RESOURCES <folder>])
# Lays out a bundle in the build tree: <bundle>/Contents/Info.plist (configured from the
# template), the module's shared object as <bundle>/Contents/Linux/<target>, and the
# resources folder copied to <bundle>/Contents/Resources on every build (a target of its own,
# so that an edited resource is copied even when the code did not change).
function(nv_add_bundle)
    cmake_parse_arguments(ARG "" "TARGET;BUNDLE;INFO_PLIST;RESOURCES" "" ${ARGN})
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
endfunction()
