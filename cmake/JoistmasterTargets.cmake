# jm_kernel_module(target NAME name SOURCES ... LINKS ... LOAD_ORDER ...): a
# module of the geometry kernel's, name.so beside the programs (bin/ in a
# build) with its own symbols hidden, loaded through kernelmodule.h only when
# asked for. It links LINKS, and names the kernel libraries of LOAD_ORDER first
# among its own, in the order the loader looks through them when it binds
# every symbol of the others (kernelmodule.cpp).
function(jm_kernel_module target)
    cmake_parse_arguments(K "" "NAME" "SOURCES;LINKS;LOAD_ORDER" ${ARGN})
    add_library(${target} MODULE ${K_SOURCES})
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${K_NAME}
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin CXX_VISIBILITY_PRESET hidden)
    target_include_directories(${target} SYSTEM PRIVATE ${OpenCASCADE_INCLUDE_DIR})
    target_link_libraries(${target} PRIVATE ${K_LINKS})
    foreach(lib IN LISTS K_LOAD_ORDER)
        target_link_options(${target} PRIVATE $<TARGET_FILE:${lib}>)
    endforeach()
endfunction()

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

# jm_compiled_targets(OUT): the targets of jm_targets that compile sources of
# their own (no interface library, no utility), but for the shared precompiled
# headers' own.
function(jm_compiled_targets out)
    jm_targets(targets)
    set(compiled "")
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$"
           AND NOT target MATCHES "^jm_(unity_)?pch_")
            list(APPEND compiled ${target})
        endif()
    endforeach()
    set(${out} ${compiled} PARENT_SCOPE)
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

# jm_sources_of(OUT target): the target's own sources as absolute paths,
# those that exist (no generated file, no generator expression).
function(jm_sources_of out target)
    get_target_property(sources ${target} SOURCES)
    get_target_property(folder ${target} SOURCE_DIR)
    set(paths "")
    foreach(source IN LISTS sources)
        if(source MATCHES "^\\$<")
            continue()
        endif()
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder} OUTPUT_VARIABLE path)
        if(EXISTS ${path} AND NOT path MATCHES "^${CMAKE_BINARY_DIR}/")
            list(APPEND paths ${path})
        endif()
    endforeach()
    set(${out} "${paths}" PARENT_SCOPE)
endfunction()

# jm_check_headers(): a header that no source of this build includes first is
# compiled alone, once, as a source of its own target (by a generated file
# that includes nothing else), so that a header which does not compile on its
# own fails the build; a header that a source includes first is checked by
# that source, unless the source starts from a shared precompiled header that
# the header does not include itself (jm_pch_chooser). It proves something only
# in a build without unity files.
function(jm_check_headers)
    jm_compiled_targets(targets)
    set(first "")
    set(headers "")
    foreach(target IN LISTS targets)
        jm_sources_of(paths ${target})
        foreach(path IN LISTS paths)
            if(path MATCHES "\\.cpp$")
                file(STRINGS ${path} includes REGEX "^[ \t]*#[ \t]*include")
                set(include "")
                if(includes)
                    list(GET includes 0 include)
                endif()
                set(proves ON)
                if(JM_SHARED_PCH)
                    # it proves its first include only if it starts from a
                    # precompiled header that this include names itself
                    jm_pch_chooser(chooser ${path})
                    jm_pch_named(named ${path})
                    if(chooser STREQUAL path AND named)
                        set(proves OFF)
                    endif()
                endif()
                if(proves AND include MATCHES "[\"<]([^\">]+)[\">]")
                    cmake_path(GET CMAKE_MATCH_1 FILENAME name)
                    list(APPEND first ${name})
                endif()
            elseif(path MATCHES "\\.h$")
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
        if(JM_SHARED_PCH)
            jm_pch_candidate(${target} ${check} INCLUDES_OF ${path})
        endif()
    endforeach()
endfunction()

# Shared precompiled headers that keep "compiles on its own" honest.
#
# A source is given the precompiled form of one Qt header that it includes,
# itself or through the project's headers that it includes (the first of
# JM_PCH_HEADERS that it names so and that at least three files share), built
# once and shared by every source that names it. Whatever the precompiled
# header makes visible the source makes visible anyway by its own includes,
# so a source that lacks an include still fails; only the order of its
# includes changes, and every header is compiled alone as well
# (jm_check_headers). Of the modules' definitions (QT_GUI_LIB, ...) only
# QT_GUI_LIB and QT_WIDGETS_LIB change what a Qt header declares, and only in
# QtTest: <QTest> is precompiled once for each of its three forms, so that a
# test of the core alone is never lent the widgets' declarations. Only clang,
# and only file by file.
set(JM_PCH_HEADERS QTest QApplication QMainWindow QWidget QPainter QGuiApplication QImage
    QDBusConnection QCoreApplication QProcess QObject QString)
set(JM_PCH_MODULES Core Gui Widgets PrintSupport DBus Test)

# jm_qt_modules(OUT target): the Qt modules whose compile definitions reach
# the target's sources (its own links and what they pass on).
function(jm_qt_modules out target)
    set(seen "")
    set(queue ${target})
    set(modules "")
    while(queue)
        list(POP_FRONT queue item)
        if(item IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${item})
        if(item MATCHES "^Qt6?::(.+)$")
            if(CMAKE_MATCH_1 IN_LIST JM_PCH_MODULES)
                list(APPEND modules ${CMAKE_MATCH_1})
            endif()
        endif()
        if(NOT TARGET ${item})
            continue()
        endif()
        if(item STREQUAL target)
            get_target_property(links ${item} LINK_LIBRARIES)
        else()
            get_target_property(links ${item} INTERFACE_LINK_LIBRARIES)
        endif()
        foreach(link IN LISTS links)
            # what a static library links privately ($<LINK_ONLY:...>) reaches only the linker
            if(NOT link OR link MATCHES "^\\$<")
                continue()
            endif()
            list(APPEND queue ${link})
        endforeach()
    endwhile()
    list(REMOVE_DUPLICATES modules)
    set(${out} "${modules}" PARENT_SCOPE)
endfunction()

# jm_pch_key(OUT header modules): the shared precompiled header that stands
# for <header> in a target with these modules, or nothing if the target
# cannot include it.
function(jm_pch_key out header modules)
    set(key "")
    if(header STREQUAL "QTest")
        if(NOT "Test" IN_LIST modules)
        elseif("Widgets" IN_LIST modules)
            set(key QTest_Widgets)
        elseif("Gui" IN_LIST modules)
            set(key QTest_Gui)
        else()
            set(key QTest_Core)
        endif()
    else()
        if(header MATCHES "^(QApplication|QMainWindow|QWidget)$")
            set(module Widgets)
        elseif(header MATCHES "^(QPainter|QGuiApplication|QImage)$")
            set(module Gui)
        elseif(header STREQUAL "QDBusConnection")
            set(module DBus)
        else()
            set(module Core)
        endif()
        if(module IN_LIST modules)
            set(key ${header}_${module})
        endif()
    endif()
    set(${out} ${key} PARENT_SCOPE)
endfunction()

# jm_shared_pch_file(OUT key): the precompiled header file of a key of
# jm_pch_key, made by a target of its own the first time.
function(jm_shared_pch_file out key)
    set(donor jm_pch_${key})
    if(NOT TARGET ${donor})
        string(REPLACE "_" ";" parts ${key})
        list(GET parts 0 header)
        list(GET parts 1 module)
        list(LENGTH parts count)
        set(stub ${CMAKE_BINARY_DIR}/sharedpch/${key}.cpp)
        file(CONFIGURE OUTPUT ${stub} CONTENT "// the precompiled <${header}> for Qt ${module}\n")
        add_library(${donor} OBJECT EXCLUDE_FROM_ALL ${stub})
        if(header STREQUAL "QTest")
            # not Qt6::Test itself, whose definitions name each test's own folders
            target_compile_definitions(${donor} PRIVATE QT_TESTLIB_LIB)
            target_include_directories(${donor} SYSTEM PRIVATE
                $<TARGET_PROPERTY:Qt6::Test,INTERFACE_INCLUDE_DIRECTORIES>)
            # (compiled as the tests are: see jm_add_test)
            if(JM_SANITIZE)
                target_compile_options(${donor} PRIVATE -g0)
            endif()
        endif()
        target_link_libraries(${donor} PRIVATE Qt6::${module})
        if(count GREATER 2)
            target_compile_options(${donor} PRIVATE -fsanitize=fuzzer-no-link)
        endif()
        set_target_properties(${donor} PROPERTIES POSITION_INDEPENDENT_CODE ON AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
        target_precompile_headers(${donor} PRIVATE <${header}>)
    endif()
    set(${out} ${CMAKE_BINARY_DIR}/CMakeFiles/${donor}.dir/cmake_pch.hxx.pch PARENT_SCOPE)
endfunction()

# jm_project_header(OUT folder name): the project's header that a file in
# folder means by #include "name": the one beside it, else the one header of
# the project's folders of that file name; nothing when there is none, or
# more than one (then its includes count for nothing).
function(jm_project_header out folder name)
    if(EXISTS ${folder}/${name} AND NOT IS_DIRECTORY ${folder}/${name})
        cmake_path(ABSOLUTE_PATH name BASE_DIRECTORY ${folder} NORMALIZE OUTPUT_VARIABLE path)
        set(${out} ${path} PARENT_SCOPE)
        return()
    endif()
    get_property(indexed GLOBAL PROPERTY JM_HEADERS_INDEXED)
    if(NOT indexed)
        # the headers in the folders of the build's CMakeLists.txt and the
        # folders right below them
        set(folders ${CMAKE_SOURCE_DIR})
        set(queue ${CMAKE_SOURCE_DIR})
        while(queue)
            list(POP_FRONT queue directory)
            get_property(below DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
            list(APPEND folders ${below})
            list(APPEND queue ${below})
        endwhile()
        foreach(directory IN LISTS folders)
            file(GLOB headers ${directory}/*.h ${directory}/*/*.h)
            foreach(header IN LISTS headers)
                if(header MATCHES "^${CMAKE_BINARY_DIR}/")
                    continue()
                endif()
                cmake_path(GET header FILENAME file)
                get_property(known GLOBAL PROPERTY JM_HEADER_${file})
                if(known AND NOT known STREQUAL header)
                    set_property(GLOBAL PROPERTY JM_HEADER_${file} ambiguous)
                else()
                    set_property(GLOBAL PROPERTY JM_HEADER_${file} ${header})
                endif()
            endforeach()
        endforeach()
        set_property(GLOBAL PROPERTY JM_HEADERS_INDEXED ON)
    endif()
    cmake_path(GET name FILENAME file)
    get_property(path GLOBAL PROPERTY JM_HEADER_${file})
    if(path STREQUAL "ambiguous")
        set(path "")
    endif()
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

# jm_pch_named(OUT file): the headers of JM_PCH_HEADERS that the file
# includes, itself or through the project's headers that it includes
# (jm_project_header). Whatever of them is precompiled in front of the file
# it makes visible anyway by its own includes; only their order changes.
function(jm_pch_named out file)
    get_property(known GLOBAL PROPERTY "JM_PCH_NAMED_${file}" SET)
    if(known)
        get_property(named GLOBAL PROPERTY "JM_PCH_NAMED_${file}")
        set(${out} "${named}" PARENT_SCOPE)
        return()
    endif()
    # (a header met again on a circle of includes names nothing more)
    set_property(GLOBAL PROPERTY "JM_PCH_NAMED_${file}" "")
    set(named "")
    cmake_path(GET file PARENT_PATH folder)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
        if(line MATCHES "<(Q[A-Za-z]+)>")
            if(CMAKE_MATCH_1 IN_LIST JM_PCH_HEADERS)
                list(APPEND named ${CMAKE_MATCH_1})
            endif()
        elseif(line MATCHES "\"([^\"]+\\.h)\"")
            jm_project_header(header ${folder} ${CMAKE_MATCH_1})
            if(header)
                jm_pch_named(more ${header})
                list(APPEND named ${more})
            endif()
        endif()
    endforeach()
    list(REMOVE_DUPLICATES named)
    set_property(GLOBAL PROPERTY "JM_PCH_NAMED_${file}" "${named}")
    set(${out} "${named}" PARENT_SCOPE)
endfunction()

# jm_pch_chooser(OUT source): the file whose includes choose a source's
# precompiled header: the header the source includes first, when it lies
# beside it and names one (so that the source still proves that header
# compiles on its own), else the source itself.
function(jm_pch_chooser out source)
    set(${out} ${source} PARENT_SCOPE)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    if(NOT includes)
        return()
    endif()
    list(GET includes 0 include)
    if(include MATCHES "\"([^\"]+)\"")
        cmake_path(GET source PARENT_PATH folder)
        set(header ${folder}/${CMAKE_MATCH_1})
        if(EXISTS ${header})
            jm_pch_named(named ${header})
            if(named)
                set(${out} ${header} PARENT_SCOPE)
            endif()
        endif()
    endif()
endfunction()

# jm_pch_candidate(target source [INCLUDES_OF file] [ANY]): records which
# shared precompiled headers could serve the source: those of the Qt headers
# that `file` (the source itself by default) includes, or, with ANY (generated
# sources), any the target's modules allow.
function(jm_pch_candidate target source)
    cmake_parse_arguments(P "ANY" "INCLUDES_OF" "" ${ARGN})
    if(NOT P_INCLUDES_OF)
        set(P_INCLUDES_OF ${source})
    endif()
    jm_qt_modules(modules ${target})
    if(NOT modules)
        return()
    endif()
    set(named "")
    if(NOT P_ANY)
        jm_pch_named(named ${P_INCLUDES_OF})
    endif()
    # a precompiled header serves only sources compiled as it was: the same
    # instrumentation, the same default visibility
    get_target_property(visibility ${target} CXX_VISIBILITY_PRESET)
    if(visibility)
        return()
    endif()
    set(flavour "")
    get_target_property(options ${target} COMPILE_OPTIONS)
    if("-fsanitize=fuzzer-no-link" IN_LIST options)
        set(flavour _Fuzz)
    endif()
    set(keys "")
    foreach(header IN LISTS JM_PCH_HEADERS)
        if(P_ANY AND NOT header STREQUAL "QTest" OR header IN_LIST named)
            jm_pch_key(key ${header} "${modules}")
            if(key)
                string(APPEND key ${flavour})
                list(APPEND keys ${key})
                if(NOT P_ANY)
                    set_property(GLOBAL APPEND PROPERTY JM_PCH_USERS_${key} x)
                endif()
            endif()
        endif()
    endforeach()
    if(keys)
        string(REPLACE ";" "," keys "${keys}")
        set_property(GLOBAL APPEND PROPERTY JM_PCH_CANDIDATES "${target}|${source}|${keys}")
    endif()
endfunction()

# jm_shared_pch(): every source of every target, each target's moc file and
# the header checks get the first of their candidates that three share.
function(jm_shared_pch)
    jm_compiled_targets(targets)
    foreach(target IN LISTS targets)
        jm_sources_of(paths ${target})
        foreach(path IN LISTS paths)
            if(path MATCHES "\\.cpp$")
                jm_pch_chooser(chooser ${path})
                jm_pch_candidate(${target} ${path} INCLUDES_OF ${chooser})
            endif()
        endforeach()
        get_target_property(automoc ${target} AUTOMOC)
        if(automoc)
            get_target_property(binary ${target} BINARY_DIR)
            jm_pch_candidate(${target} ${binary}/${target}_autogen/mocs_compilation.cpp ANY)
        endif()
    endforeach()
    get_property(candidates GLOBAL PROPERTY JM_PCH_CANDIDATES)
    foreach(entry IN LISTS candidates)
        string(REPLACE "|" ";" entry "${entry}")
        list(GET entry 0 target)
        list(GET entry 1 source)
        list(GET entry 2 keys)
        string(REPLACE "," ";" keys "${keys}")
        foreach(key IN LISTS keys)
            get_property(users GLOBAL PROPERTY JM_PCH_USERS_${key})
            list(LENGTH users count)
            if(count GREATER_EQUAL 3)
                jm_shared_pch_file(pch ${key})
                set_property(SOURCE ${source} TARGET_DIRECTORY ${target} APPEND PROPERTY
                    COMPILE_OPTIONS -Xclang -include-pch -Xclang ${pch})
                set_property(SOURCE ${source} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS ${pch})
                break()
            endif()
        endforeach()
    endforeach()
endfunction()

# jm_trim_autogen(): moc runs only for targets that have something to moc: a
# source, or the header beside a source, that declares a QObject, a gadget or a
# plugin, or a source that includes its own moc output. There are no .ui forms.
function(jm_trim_autogen)
    jm_compiled_targets(targets)
    foreach(target IN LISTS targets)
        set_target_properties(${target} PROPERTIES AUTOUIC OFF)
        get_target_property(automoc ${target} AUTOMOC)
        if(NOT automoc)
            continue()
        endif()
        jm_sources_of(paths ${target})
        set(scanned "")
        foreach(path IN LISTS paths)
            list(APPEND scanned ${path})
            if(path MATCHES "^(.*)\\.cpp$")
                if(EXISTS ${CMAKE_MATCH_1}.h)
                    list(APPEND scanned ${CMAKE_MATCH_1}.h)
                endif()
            endif()
        endforeach()
        set(needed OFF)
        foreach(path IN LISTS scanned)
            file(STRINGS ${path} hits REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE|Q_PLUGIN_METADATA|#[ \t]*include[ \t]*\"[^\"]*\\.moc\"")
            if(hits)
                set(needed ON)
                break()
            endif()
        endforeach()
        if(NOT needed)
            set_target_properties(${target} PROPERTIES AUTOMOC OFF)
        endif()
    endforeach()
endfunction()

# jm_unity_pch(): in a build of unity files, each target starts from one
# precompiled set of the Qt headers that most of the product's files use, the
# set of the widest Qt module the target may include (Core, Gui or Widgets),
# built once and shared. A unity file sees its neighbours' includes anyway, so
# this proves nothing and hides nothing; the build file by file (JM_SHARED_PCH)
# is the one that shows each file compiles on its own.
set(JM_UNITY_PCH_Core <QString> <QStringList> <QList> <QByteArray> <QHash> <QMap> <QObject> <QVariant>
    <QFile> <QDir> <QFileInfo> <QTextStream> <QTimer> <QLocale> <QDateTime> <QRegularExpression>
    <algorithm> <cmath> <functional> <map> <memory> <optional> <string> <utility> <variant> <vector>)
set(JM_UNITY_PCH_Gui ${JM_UNITY_PCH_Core} <QColor> <QFont> <QFontMetricsF> <QImage> <QPainter> <QPainterPath>
    <QPen> <QPolygonF> <QTransform>)
set(JM_UNITY_PCH_Widgets ${JM_UNITY_PCH_Gui} <QWidget> <QApplication> <QLabel> <QPushButton> <QComboBox>
    <QLineEdit> <QBoxLayout> <QGridLayout> <QMessageBox> <QMainWindow>)
function(jm_unity_pch)
    jm_compiled_targets(targets)
    foreach(target IN LISTS targets)
        # (the kernel's modules are compiled with hidden symbols: a header
        # precompiled otherwise would not serve them)
        get_target_property(visibility ${target} CXX_VISIBILITY_PRESET)
        if(visibility)
            continue()
        endif()
        jm_qt_modules(modules ${target})
        set(module "")
        foreach(candidate Widgets Gui Core)
            if(candidate IN_LIST modules)
                set(module ${candidate})
                break()
            endif()
        endforeach()
        if(NOT module)
            continue()
        endif()
        set(donor jm_unity_pch_${module})
        if(NOT TARGET ${donor})
            set(stub ${CMAKE_BINARY_DIR}/unitypch/${module}.cpp)
            file(CONFIGURE OUTPUT ${stub} CONTENT "// the Qt ${module} headers most files use, precompiled\n")
            add_library(${donor} OBJECT EXCLUDE_FROM_ALL ${stub})
            target_link_libraries(${donor} PRIVATE Qt6::${module})
            set_target_properties(${donor} PROPERTIES POSITION_INDEPENDENT_CODE ON AUTOMOC OFF AUTOUIC OFF
                                  AUTORCC OFF UNITY_BUILD OFF)
            target_precompile_headers(${donor} PRIVATE ${JM_UNITY_PCH_${module}})
        endif()
        target_precompile_headers(${target} REUSE_FROM ${donor})
    endforeach()
endfunction()

# jm_finish_targets(): what applies to every target, once all are defined.
function(jm_finish_targets)
    jm_trim_autogen()
    if(JM_SANITIZE)
        jm_sanitizer_defaults()
    endif()
    if(JM_CHECK_HEADERS)
        jm_check_headers()
    endif()
    if(JM_SHARED_PCH)
        jm_shared_pch()
    endif()
    if(JM_UNITY_PCH)
        jm_unity_pch()
    endif()
endfunction()
