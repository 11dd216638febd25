# Strict warnings for the project's own targets only; errors only where the project's own checks
# ask for them (FOTOPLEX_WERROR), so a newer or older compiler never breaks a user's build.
function(fotoplex_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(FOTOPLEX_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A static library of one layer from every .cpp below its folder; include root is src/.
# A layer without sources yet is an interface library, so later work only adds files.
function(fotoplex_layer name)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC "${FOTOPLEX_SOURCE_DIR}/src" "${CMAKE_BINARY_DIR}/generated")
        target_link_libraries(${name} PUBLIC ${ARG_LINKS})
        fotoplex_warnings(${name})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE "${FOTOPLEX_SOURCE_DIR}/src" "${CMAKE_BINARY_DIR}/generated")
        target_link_libraries(${name} INTERFACE ${ARG_LINKS})
    endif()
endfunction()

# A GoogleTest executable from every .cpp below the calling folder, registered with CTest.
function(fotoplex_gtest name)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE "${FOTOPLEX_SOURCE_DIR}/tests")
    target_compile_definitions(${name} PRIVATE
        FOTOPLEX_TEST_DATA="${FOTOPLEX_SOURCE_DIR}/tests/data"
        FOTOPLEX_SHARED_DIR="${FOTOPLEX_SHARED_DIR}"
        FOTOPLEX_SOURCE_DIR="${FOTOPLEX_SOURCE_DIR}"
        FOTOPLEX_BINARY_DIR="${CMAKE_BINARY_DIR}")
    fotoplex_warnings(${name})
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
endfunction()
