# jm_add_test(NAME SOURCES ... LIBS ... [BUS])
# One test executable, registered with CTest, run headless. BUS runs it on a
# private session bus of its own.
function(jm_add_test name)
    cmake_parse_arguments(T "BUS" "" "SOURCES;LIBS" ${ARGN})
    qt_add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    # Tables of named rows and golden files live in the test folder's data/.
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    target_compile_definitions(${name} PRIVATE JM_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    # In a sanitizer build a test's own code carries no debug information (a
    # tenth of its compile), whatever the product's code carries: a report
    # still names its functions.
    if(JM_SANITIZE)
        target_compile_options(${name} PRIVATE -g0)
    endif()
    if(T_BUS)
        add_test(NAME ${name} COMMAND dbus-run-session -- $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config;DECKHOST=$<TARGET_FILE:deckhost>;DECKVIEWER=$<TARGET_FILE:deckviewer>;JOISTMASTER=$<TARGET_FILE:joistmaster>"
        TIMEOUT 300)
endfunction()
