# Qt's headers dominate compile time, so the libraries share two precompiled
# sets: "nucleo" (Qt Core only, for the libraries below the widgets) and
# "ventanas" (Qt Widgets); the tests have their own two, built once by the
# test support libraries.
set(Q42_PCH_NUCLEO <QtCore> <memory> <optional> <vector> <functional> <algorithm>)
set(Q42_PCH_VENTANAS <QtWidgets> <memory> <optional> <vector> <functional> <algorithm>)
set(Q42_TEST_PCH_NUCLEO <QtTest> ${Q42_PCH_NUCLEO})
set(Q42_TEST_PCH_VENTANAS <QtTest> ${Q42_PCH_VENTANAS})
set_property(GLOBAL PROPERTY q42_pch_nucleo "")
set_property(GLOBAL PROPERTY q42_pch_ventanas "")

# The first library of a set compiles it, the others reuse it.
function(q42_precompiled NAME SET)
    if(NOT Q42_PCH OR NOT SET)
        return()
    endif()
    get_property(owner GLOBAL PROPERTY q42_pch_${SET})
    if(owner)
        target_precompile_headers(${NAME} REUSE_FROM ${owner})
    else()
        string(TOUPPER ${SET} upper)
        target_precompile_headers(${NAME} PRIVATE ${Q42_PCH_${upper}})
        set_property(GLOBAL PROPERTY q42_pch_${SET} ${NAME})
    endif()
endfunction()

# Every subsystem folder builds one static library from the sources it holds,
# so adding a file to a folder needs no edit here. A folder without sources yet
# gives an interface library, so the dependency chain stays whole.
function(q42_library NAME)
    cmake_parse_arguments(ARG "" "PCH" "DIRS;DEPS" ${ARGN})
    set(sources)
    foreach(dir ${ARG_DIRS})
        file(GLOB found CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
             ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h
             ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.ui
             ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.qrc)
        list(APPEND sources ${found})
    endforeach()
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(cpp)
        add_library(${NAME} STATIC ${sources})
        target_include_directories(${NAME} PUBLIC ${CMAKE_SOURCE_DIR}/src)
        target_link_libraries(${NAME} PUBLIC ${ARG_DEPS})
        q42_precompiled(${NAME} "${ARG_PCH}")
    else()
        add_library(${NAME} INTERFACE)
        target_include_directories(${NAME} INTERFACE ${CMAKE_SOURCE_DIR}/src)
        target_link_libraries(${NAME} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# A module loaded at run time: one shared object from a folder's sources,
# exporting only what it marks (Q_DECL_EXPORT), built beside the program.
function(q42_modulo NAME)
    cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
    set(sources)
    foreach(dir ${ARG_DIRS})
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    add_library(${NAME} MODULE ${sources})
    target_include_directories(${NAME} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${NAME} PRIVATE ${ARG_DEPS} Qt6::Widgets)
    set_target_properties(${NAME} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
                          CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# One Qt Test executable per tst_*.cpp file in a folder of tests/, run
# offscreen under the Spanish (Argentina) regional settings the program is
# used with. All tests are declared from tests/ itself: Qt's test macros carry
# the declaring folder, and one folder lets every test share one precompiled
# header.
function(q42_tests_in_folder)
    cmake_parse_arguments(ARG "" "FOLDER;PREFIX;SUPPORT" "LIBS" ${ARGN})
    if(NOT ARG_SUPPORT)
        set(ARG_SUPPORT q42_testsupport)
    endif()
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_FOLDER}/tst_*.cpp)
    foreach(src ${tests})
        get_filename_component(base ${src} NAME_WE)
        set(target ${ARG_PREFIX}_${base})
        add_executable(${target} ${src})
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} ${ARG_SUPPORT} Qt6::Test)
        if(Q42_PCH)
            target_precompile_headers(${target} REUSE_FROM ${ARG_SUPPORT})
        endif()
        # Printing and charts come from the modules of this build.
        add_dependencies(${target} q42_printing q42_charts)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;Q42_TEST_LOCALE=es_AR;Q42_SOURCE_DIR=${CMAKE_SOURCE_DIR};Q42_BINARY_DIR=${CMAKE_BINARY_DIR};Q42_MODULOS=${CMAKE_BINARY_DIR}"
            TIMEOUT 300)
    endforeach()
endfunction()
