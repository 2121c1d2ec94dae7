# A part of the platform library: an object library folded into
# libfwgplatform.so, so each part keeps its own source list.
function(fwg_platform_component name)
  cmake_parse_arguments(A "" "" "SOURCES" ${ARGN})
  add_library(fwgplatform_${name} OBJECT ${A_SOURCES})
  set_target_properties(fwgplatform_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_link_libraries(fwgplatform_${name} PUBLIC fwg_build_options Qt6::Widgets)
  set_property(GLOBAL APPEND PROPERTY FWG_PLATFORM_COMPONENTS fwgplatform_${name})
endfunction()

# A shared library loaded at run time by the plug-in manager, with its
# description file copied beside it.
function(fwg_add_plugin name)
  cmake_parse_arguments(A "" "DESCRIPTION;OUTPUT_DIR" "SOURCES;LIBS" ${ARGN})
  if(NOT A_OUTPUT_DIR)
    set(A_OUTPUT_DIR ${FWG_PLUGIN_DIR})
  endif()
  add_library(${name} MODULE ${A_SOURCES})
  target_link_libraries(${name} PRIVATE fwg_build_options ${A_LIBS})
  set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${A_OUTPUT_DIR} PREFIX "lib")
  if(A_DESCRIPTION)
    get_filename_component(desc_name ${A_DESCRIPTION} NAME)
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different
              ${CMAKE_CURRENT_SOURCE_DIR}/${A_DESCRIPTION} ${A_OUTPUT_DIR}/${desc_name})
  endif()
endfunction()

# Compiles a .ts file into <out_dir>/<qm_name> with lrelease at build time.
function(fwg_add_translation target ts_file out_file)
  get_filename_component(ts_abs ${ts_file} ABSOLUTE)
  get_filename_component(out_dir ${out_file} DIRECTORY)
  add_custom_command(OUTPUT ${out_file}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND Qt6::lrelease -silent ${ts_abs} -qm ${out_file}
    DEPENDS ${ts_abs}
    COMMENT "lrelease ${ts_file}")
  target_sources(${target} PRIVATE ${out_file})
endfunction()

# One GoogleTest executable; every test in it becomes a CTest test, run
# on the offscreen platform with a private settings folder.
function(fwg_add_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE fwg_build_options fwg_testmain GTest::gtest ${A_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-bin)
  set(env "QT_QPA_PLATFORM=offscreen;FWG_CONFIG_DIR=${CMAKE_BINARY_DIR}/test-config/${name};FWG_PLUGIN_PATH=${FWG_PLUGIN_DIR};FWG_RESOURCE_PATH=${FWG_RESOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
endfunction()
