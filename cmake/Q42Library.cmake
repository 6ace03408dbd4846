# Every subsystem folder builds one static library from the sources it holds,
# so adding a file to a folder needs no edit here. A folder without sources yet
# gives an interface library, so the dependency chain stays whole.
function(q42_library NAME)
    cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
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
    else()
        add_library(${NAME} INTERFACE)
        target_include_directories(${NAME} INTERFACE ${CMAKE_SOURCE_DIR}/src)
        target_link_libraries(${NAME} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# One Qt Test executable per tst_*.cpp file in the calling folder, run offscreen
# under the Spanish (Argentina) regional settings the program is used with.
function(q42_tests_in_folder)
    cmake_parse_arguments(ARG "" "PREFIX" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(src ${tests})
        get_filename_component(base ${src} NAME_WE)
        set(target ${ARG_PREFIX}_${base})
        add_executable(${target} ${src})
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} q42_testsupport Qt6::Test)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;Q42_TEST_LOCALE=es_AR;Q42_SOURCE_DIR=${CMAKE_SOURCE_DIR};Q42_BINARY_DIR=${CMAKE_BINARY_DIR}"
            TIMEOUT 300)
    endforeach()
endfunction()
