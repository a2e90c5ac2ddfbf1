# Compile settings shared by every target of the project.
add_library(docquill_settings INTERFACE)
target_compile_features(docquill_settings INTERFACE cxx_std_17)
target_compile_options(docquill_settings INTERFACE -Wall -Wextra)
target_compile_definitions(docquill_settings INTERFACE
    # qpdf 11 warns in every including file unless the PointerHolder transition is chosen.
    POINTERHOLDER_TRANSITION=4
    QT_NO_FOREACH
    QT_DEPRECATED_WARNINGS
    QT_DISABLE_DEPRECATED_BEFORE=0x050F00)
# Small header-only helpers every layer shares (platform/common).
target_include_directories(docquill_settings INTERFACE ${PROJECT_SOURCE_DIR}/platform/common)

if((DOCQUILL_SANITIZE OR DOCQUILL_FUZZ) AND DOCQUILL_TSAN)
    message(FATAL_ERROR "The thread sanitizer excludes the others")
endif()
if(DOCQUILL_SANITIZE)
    target_compile_options(docquill_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(docquill_settings INTERFACE -fsanitize=address,undefined)
endif()
if(DOCQUILL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "DOCQUILL_FUZZ needs clang (scripts/build fuzz chooses it)")
    endif()
    target_compile_options(docquill_settings INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(docquill_settings INTERFACE -fsanitize=fuzzer,address,undefined)
endif()
if(DOCQUILL_TSAN)
    target_compile_options(docquill_settings INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(docquill_settings INTERFACE -fsanitize=thread)
endif()

# add_docquill_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [XVFB])
# One Qt Test executable per component, registered with CTest, run offscreen; with XVFB on a
# virtual X display instead, for what needs a real window system (drags, what a user sees).
# Screenshots go to DOCQUILL_ARTEFACTS.
function(add_docquill_test name)
    cmake_parse_arguments(T "XVFB" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE docquill_settings docquill_test_support Qt5::Test ${T_LIBS})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    if(T_XVFB)
        add_test(NAME ${name} COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
        set(env "QT_QPA_PLATFORM=xcb")
    else()
        add_test(NAME ${name} COMMAND ${name})
        set(env "QT_QPA_PLATFORM=offscreen")
    endif()
    list(APPEND env "DOCQUILL_ARTEFACTS=${CMAKE_BINARY_DIR}/artefacts")
    list(APPEND env "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0")
    list(APPEND env "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    list(APPEND env "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/tsan.supp:second_deadlock_stack=1")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
    if(T_XVFB)
        # One virtual display at a time: xvfb-run's choice of a free display number races.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK xvfb)
    endif()
endfunction()
