# jm_targets(OUT [DIRECTORY dir]): every target defined in dir (the top
# directory by default) and the directories below it, in the order of
# definition. Checks and settings that concern every target of a kind are
# applied from here, at the end of the top CMakeLists.txt, rather than in each
# folder's CMakeLists.txt.
function(jm_targets out)
    cmake_parse_arguments(J "" "DIRECTORY" "" ${ARGN})
    if(NOT J_DIRECTORY)
        set(J_DIRECTORY ${CMAKE_SOURCE_DIR})
    endif()
    get_property(targets DIRECTORY ${J_DIRECTORY} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(folders DIRECTORY ${J_DIRECTORY} PROPERTY SUBDIRECTORIES)
    foreach(folder IN LISTS folders)
        jm_targets(below DIRECTORY ${folder})
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# jm_sanitizer_defaults(): every program and test of a sanitizer build starts
# with the options in sanitizer-options.cpp, however it is run (by ctest, by
# hand, by another program).
function(jm_sanitizer_defaults)
    jm_targets(targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/sanitizer-options.cpp)
        endif()
    endforeach()
endfunction()

# jm_check_headers(): a header that no source of this build includes first is
# compiled alone, once, as a source of its own target (by a generated file
# that includes nothing else), so that a header which does not compile on its
# own fails the build; a header that a source includes first is checked by that
# source. It proves something only in a build without unity files and without
# precompiled headers, which would lend a file the includes of others.
function(jm_check_headers)
    jm_targets(targets)
    set(first "")
    set(headers "")
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "INTERFACE_LIBRARY" OR type STREQUAL "UTILITY")
            continue()
        endif()
        get_target_property(sources ${target} SOURCES)
        get_target_property(folder ${target} SOURCE_DIR)
        foreach(source IN LISTS sources)
            if(source MATCHES "^\\$<")
                continue()
            endif()
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder} OUTPUT_VARIABLE path)
            if(path MATCHES "\\.cpp$" AND EXISTS ${path})
                file(STRINGS ${path} includes REGEX "^[ \t]*#[ \t]*include")
                set(include "")
                if(includes)
                    list(GET includes 0 include)
                endif()
                if(include MATCHES "[\"<]([^\">]+)[\">]")
                    cmake_path(GET CMAKE_MATCH_1 FILENAME name)
                    list(APPEND first ${name})
                endif()
            elseif(path MATCHES "\\.h$" AND EXISTS ${path})
                list(APPEND headers "${target}|${path}")
            endif()
        endforeach()
    endforeach()
    foreach(entry IN LISTS headers)
        string(REPLACE "|" ";" entry "${entry}")
        list(GET entry 0 target)
        list(GET entry 1 path)
        cmake_path(GET path FILENAME name)
        if(name IN_LIST first)
            continue()
        endif()
        set(check ${CMAKE_BINARY_DIR}/headercheck/${target}/${name}.cpp)
        file(CONFIGURE OUTPUT ${check} CONTENT "#include \"${path}\"\n")
        target_sources(${target} PRIVATE ${check})
        set_source_files_properties(${check} TARGET_DIRECTORY ${target} PROPERTIES
            SKIP_UNITY_BUILD_INCLUSION ON SKIP_PRECOMPILE_HEADERS ON SKIP_AUTOGEN ON)
    endforeach()
endfunction()

# jm_finish_targets(): what applies to every target, once all are defined.
function(jm_finish_targets)
    if(JM_SANITIZE)
        jm_sanitizer_defaults()
    endif()
    if(JM_CHECK_HEADERS)
        jm_check_headers()
    endif()
endfunction()
