# One helper per kind of target, so that every folder's CMakeLists.txt is a short
# list of calls with explicit dependencies:
#   quay_add_part(NAME ... SOURCES ... [INCLUDE dir...] [DEPS target...])
#       an object library holding one feature of a deliverable; tests link it directly
#   quay_add_library(NAME ... PARTS part... [VIEW_PARTS part...] [DEPS ...] [KIND SHARED|STATIC])
#       a deliverable library built from its parts. The usage requirements of PARTS travel with
#       the library; those of VIEW_PARTS (the Qt views) do not, so window logic that links the
#       library carries no Qt and a Qt include in it does not compile. Views link Qt themselves.
#   quay_add_test(NAME ... SOURCES ... DEPS ...)      a GoogleTest program registered with CTest
#   quay_add_bench(NAME ... SOURCES ... DEPS ...)     a benchmark program (not run by CTest)

function(quay_apply_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(QUAY_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  if(QUAY_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${QUAY_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${QUAY_SANITIZE})
  endif()
endfunction()

function(quay_add_part)
  cmake_parse_arguments(P "" "NAME" "SOURCES;INCLUDE;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${P_NAME} OBJECT ${P_SOURCES})
  set_target_properties(${P_NAME} PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON POSITION_INDEPENDENT_CODE ON)
  target_compile_definitions(${P_NAME} PRIVATE QUAY_BUILDING_LIBRARY)
  if(P_INCLUDE)
    target_include_directories(${P_NAME} PUBLIC ${P_INCLUDE})
  endif()
  target_include_directories(${P_NAME} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  if(P_DEPS)
    target_link_libraries(${P_NAME} PUBLIC ${P_DEPS})
  endif()
  if(P_PRIVATE_DEPS)
    target_link_libraries(${P_NAME} PRIVATE ${P_PRIVATE_DEPS})
  endif()
  quay_apply_warnings(${P_NAME})
endfunction()

function(quay_add_library)
  cmake_parse_arguments(L "" "NAME;KIND" "PARTS;VIEW_PARTS;DEPS" ${ARGN})
  if(NOT L_KIND)
    set(L_KIND SHARED)
  endif()
  set(objects "")
  foreach(part IN LISTS L_PARTS L_VIEW_PARTS)
    list(APPEND objects $<TARGET_OBJECTS:${part}>)
  endforeach()
  add_library(${L_NAME} ${L_KIND} ${objects})
  set_target_properties(${L_NAME} PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON LINKER_LANGUAGE CXX)
  # The logic parts' usage requirements (include folders, SQLite) travel with the library;
  # the view parts' (Qt) stay with the library's own link.
  target_link_libraries(${L_NAME} PUBLIC ${L_PARTS} ${L_DEPS})
  if(L_VIEW_PARTS)
    target_link_libraries(${L_NAME} PRIVATE ${L_VIEW_PARTS})
  endif()
  quay_apply_warnings(${L_NAME})
  if(L_KIND STREQUAL "SHARED")
    install(TARGETS ${L_NAME} LIBRARY DESTINATION ${QUAY_INSTALL_LIBDIR} COMPONENT runtime)
  endif()
endfunction()

function(quay_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(TARGET quay_testsupport)
    target_link_libraries(${T_NAME} PRIVATE quay_testsupport)
  endif()
  quay_apply_warnings(${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUAY_TESTDATA=${PROJECT_SOURCE_DIR}/testdata")
endfunction()

function(quay_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;DEPS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_DEPS})
  quay_apply_warnings(${B_NAME})
endfunction()
