# `cmake --install` puts a relocatable tree in the prefix:
#   bin/tavrix, lib/libfwg.so, lib/libfwgplatform.so, lib/libfwgscript.so
#   (the script engine, loaded when a script first runs), lib/libfwgprint.so
#   (the print dialogs, loaded with the first print), lib/libfwgsamples.so,
#   plugins/ (the sample plug-ins with their descriptions and icons),
#   resources/ (translations, layout pictures), include/fwg/ (headers),
#   lib/cmake/fwg/ (fwgConfig.cmake, its version file and the targets).
include(CMakePackageConfigHelpers)

set(FWG_INSTALL_HOST bin/tavrix)
set(FWG_INSTALL_PLUGIN_DIR plugins)
set(FWG_INSTALL_CONFIG_DIR lib/cmake/fwg)

set_target_properties(fwg PROPERTIES EXPORT_NAME fwg)
set_target_properties(fwgplatform PROPERTIES EXPORT_NAME platform)
set_target_properties(fwg_build_options PROPERTIES EXPORT_NAME headers)
install(TARGETS fwg fwgplatform fwg_build_options EXPORT fwgTargets
        LIBRARY DESTINATION lib RUNTIME DESTINATION bin
        INCLUDES DESTINATION include/fwg)
install(TARGETS fwgscript fwgprint LIBRARY DESTINATION lib)
install(EXPORT fwgTargets NAMESPACE fwg:: DESTINATION ${FWG_INSTALL_CONFIG_DIR})

# Headers keep their folders, as sources include them ("fwg/shell/Gui.h");
# the few that are the library's own business stay behind.
foreach(part fwg platform)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${part}/ DESTINATION include/fwg/${part}
          FILES_MATCHING PATTERN "*.h"
          PATTERN "ProfileInternal.h" EXCLUDE
          PATTERN "UserSettings.h" EXCLUDE
          PATTERN "ShortcutScheme.h" EXCLUDE
          PATTERN "Registration.h" EXCLUDE
          PATTERN "PropertyEditing.h" EXCLUDE
          PATTERN "Question.h" EXCLUDE
          PATTERN "OpenFailures.h" EXCLUDE)
endforeach()

configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/fwgConfig.cmake.in
  ${CMAKE_BINARY_DIR}/fwgConfig.cmake
  INSTALL_DESTINATION ${FWG_INSTALL_CONFIG_DIR}
  PATH_VARS FWG_INSTALL_HOST FWG_INSTALL_PLUGIN_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/fwgConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/fwgConfig.cmake ${CMAKE_BINARY_DIR}/fwgConfigVersion.cmake
        DESTINATION ${FWG_INSTALL_CONFIG_DIR})

# The host and the samples, laid out as in the build's out/ tree.
install(TARGETS tavrix fwgsamples RUNTIME DESTINATION bin LIBRARY DESTINATION lib)
install(TARGETS fwgplugin_notes fwgplugin_sketch fwgplugin_scratch LIBRARY DESTINATION ${FWG_INSTALL_PLUGIN_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/plugins/common/samples.plugin
              ${CMAKE_SOURCE_DIR}/plugins/notes/notes.plugin
              ${CMAKE_SOURCE_DIR}/plugins/sketch/sketch.plugin
              ${CMAKE_SOURCE_DIR}/plugins/scratch/scratch.plugin
              ${CMAKE_SOURCE_DIR}/plugins/tasks/tasks.plugin
        DESTINATION ${FWG_INSTALL_PLUGIN_DIR})
foreach(folder samples notes sketch scratch tasks)
  install(DIRECTORY ${FWG_PLUGIN_DIR}/${folder} DESTINATION ${FWG_INSTALL_PLUGIN_DIR})
endforeach()
install(DIRECTORY ${FWG_RESOURCE_DIR}/ DESTINATION resources)
