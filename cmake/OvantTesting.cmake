# ovant_add_test(NAME name SOURCES ... LIBS ... [LABELS ...])
# Builds one QtTest executable and registers it with CTest. Every test runs on
# Qt's offscreen platform at 1024 x 768 and 96 DPI, with its own settings and
# runtime folders, and with SDL's dummy audio driver, so that no test depends
# on a display, a sound card or the user's own settings.
function(ovant_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  ovant_target_defaults(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test ovant_test_support)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(sandbox ${CMAKE_BINARY_DIR}/test-sandbox/${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_SOURCE_DIR}/tests/support/offscreen-1024x768.json;QT_ENABLE_HIGHDPI_SCALING=0;XDG_CONFIG_HOME=${sandbox}/config;XDG_RUNTIME_DIR=${sandbox}/run;SDL_AUDIODRIVER=dummy;OVANT_TEST_SANDBOX=${sandbox};OVANT_BIN_DIR=${CMAKE_BINARY_DIR}/bin;OVANT_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
