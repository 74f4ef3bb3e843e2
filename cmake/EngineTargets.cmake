# Helpers that give every engine library and test executable the same settings.

set(QUILL_SOURCE_ROOT ${CMAKE_SOURCE_DIR})

function(engine_apply_settings target)
    target_include_directories(${target} PUBLIC ${QUILL_SOURCE_ROOT})
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    # Floating-point results must not depend on the compiler's choice of fused operations, so
    # that a physics run is the same on every build: no contraction, no fast-math.
    target_compile_options(${target} PRIVATE -ffp-contract=off)
    if(QUILL_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(QUILL_SANITIZE)
        # Undefined behaviour stops the program at its first report, so that a test fails on it
        # instead of logging it and passing.
        target_compile_options(${target} PUBLIC -fsanitize=address,undefined
                               -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_sources(${target} PRIVATE ${QUILL_SOURCE_ROOT}/Platform/SanitizerDefaults.cpp)
        endif()
    endif()
    if(QUILL_TSAN)
        target_compile_options(${target} PUBLIC -fsanitize=thread -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=thread)
    endif()
endfunction()

# engine_add_library(name SOURCES a.cpp b.cpp LIBS dep1 dep2)
function(engine_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    engine_apply_settings(${name})
    if(ARG_LIBS)
        target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    endif()
endfunction()

# engine_add_test(name SOURCES a.cpp LIBS dep1 [WORKING_DIRECTORY dir] [LABEL label] [MAIN m.cpp])
# One GoogleTest executable per subsystem; every test case becomes its own CTest test. Tests
# that need an OpenGL context live in executables of their own with LABEL gl. MAIN names a main
# of the program's own (tests/ScriptApi/ScriptTablesTestMain.cpp for programs whose scripts call
# the script tables) in place of GoogleTest's.
function(engine_add_test name)
    cmake_parse_arguments(ARG "" "WORKING_DIRECTORY;LABEL;MAIN" "SOURCES;LIBS" ${ARGN})
    if(ARG_MAIN)
        add_executable(${name} ${ARG_SOURCES} ${ARG_MAIN})
        set(test_main "")
    else()
        add_executable(${name} ${ARG_SOURCES})
        set(test_main GTest::gtest_main)
    endif()
    engine_apply_settings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock ${test_main})
    if(NOT ARG_WORKING_DIRECTORY)
        set(ARG_WORKING_DIRECTORY ${QUILL_SOURCE_ROOT})
    endif()
    # The discovered tests get their properties as one flat list, which splits a list value
    # into separate items: every property below holds a single item (the environment comes as
    # two properties of one variable each), and a label only when there is one.
    set(properties TIMEOUT 120)
    if(ARG_LABEL)
        list(APPEND properties LABELS ${ARG_LABEL})
    endif()
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ${properties}
                   ENVIRONMENT "ALSOFT_DRIVERS=null"
                   ENVIRONMENT_MODIFICATION "XDG_DATA_HOME=set:${CMAKE_BINARY_DIR}/xdg-data")
endfunction()

# engine_add_benchmark(name SOURCES a.cpp LIBS dep1)
function(engine_add_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    engine_apply_settings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
