# qvx_layer(<target> DIR <folder> [LINKS <targets...>])
# One library per folder; every .cpp/.h below the folder belongs to it.
# Static, but shared in the sanitizer build (see the top CMakeLists.txt).
function(qvx_layer target)
  cmake_parse_arguments(L "" "DIR" "LINKS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${L_DIR}/*.cpp ${L_DIR}/*.h ${L_DIR}/*.qrc)
  if(NOT srcs)
    # An empty layer still exists so that the layers above can link it.
    set(srcs ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${target} ${QVX_LAYER_TYPE} ${srcs})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${L_LINKS})
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# qvx_test(<name> SOURCES <files...> LINKS <targets...>)
function(qvx_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LINKS})
  target_compile_definitions(${name} PRIVATE
    QVX_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures"
    QVX_SCHEMA_SQL="${CMAKE_SOURCE_DIR}/tools/schema.sql")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    TIMEOUT 300)
endfunction()

# A test whose windows are placed larger than the offscreen platform's own
# 800x800 screen runs on a desktop-sized one: a window is kept on its screen.
function(qvx_test_on_desktop_screen name)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_SOURCE_DIR}/tests/fixtures/screens/desktop.json;LC_ALL=C.UTF-8")
endfunction()
