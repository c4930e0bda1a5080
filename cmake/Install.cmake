# What `cmake --install` puts into the prefix, for compiled plug-ins and for
# scripts:
#
#   include/karven-plugin-interfaces/  the public headers, included as in this
#                                      tree ("api/PIActions.h", "hostsim/RecordingHost.h")
#   lib/libPluginInterfacesClient.a    the client library
#   lib/libkarven_testhost.so, lib/libkarven_sim.so   the recording and simulated hosts
#   lib/cmake/KarvenPluginInterfaces/  the CMake package (KarvenPluginInterfaces::Client ...)
#   lib/pkgconfig/karven-plugin-interfaces.pc, karven-testhost.pc, karven-sim.pc
#   lib/pythonX.Y/site-packages/       the Python modules for each interpreter built
#                                      for, their type stubs as stub packages
#                                      (PluginInterfaces-stubs, _PluginInterfaces-stubs)
#                                      and the karven_sim package
#   bin/karven-sim                     the simulated host

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PI_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/karven-plugin-interfaces)
set(PI_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/KarvenPluginInterfaces)

# Headers a plug-in includes; the request builders and the host's own
# declarations stay inside.
set(pi_internal_headers bridge/PIRequest.h bridge/PIFixedRequest.h bridge/PIDirectRequest.h
                        bridge/PILegacyVersion.h gui/GuiRequests.h hostsim/HostDeclarations.h
                        hostsim/sim/KeyValueFile.h hostsim/sim/RequestNames.h hostsim/sim/PluginLoader.h)
file(GLOB pi_public_headers RELATIVE ${PROJECT_SOURCE_DIR}
     ${PROJECT_SOURCE_DIR}/bridge/*.h ${PROJECT_SOURCE_DIR}/services/*.h ${PROJECT_SOURCE_DIR}/api/*.h
     ${PROJECT_SOURCE_DIR}/gui/*.h ${PROJECT_SOURCE_DIR}/hostsim/*.h ${PROJECT_SOURCE_DIR}/hostsim/sim/*.h)
list(REMOVE_ITEM pi_public_headers ${pi_internal_headers})
foreach(header IN LISTS pi_public_headers)
  get_filename_component(directory ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${PI_INSTALL_INCLUDEDIR}/${directory})
endforeach()

# What a target built against the installed copy needs: the include path,
# the string ABI the host shares objects in, C++17; and, for a sanitized
# build, the sanitizer runtimes that the instrumented code calls. A plug-in
# linking the client library keeps the library's symbols out of its dynamic
# symbol table (--exclude-libs): its copy of the library, with g_This,
# g_FunctionMap and g_PI_GarbageCollector, stays its own even when the host
# loads plug-ins with RTLD_GLOBAL. (The Python module, built here, exports
# them.)
set(PI_EXCLUDE_LIBS_FLAG "-Wl,--exclude-libs,libPluginInterfacesClient.a")
set(PI_PC_SANITIZER_FLAGS "")
if(PI_SANITIZE)
  set(PI_PC_SANITIZER_FLAGS " -fsanitize=address,undefined")
endif()
foreach(target PluginInterfacesClient karven_testhost karven_sim)
  if(TARGET ${target})
    target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${PI_INSTALL_INCLUDEDIR}>)
    target_compile_definitions(${target} INTERFACE $<INSTALL_INTERFACE:_GLIBCXX_USE_CXX11_ABI=0>)
    target_compile_features(${target} INTERFACE cxx_std_17)
    if(PI_SANITIZE)
      target_link_options(${target} INTERFACE $<INSTALL_INTERFACE:-fsanitize=address$<COMMA>undefined>)
    endif()
  endif()
endforeach()
string(REPLACE "," "$<COMMA>" exclude_libs "${PI_EXCLUDE_LIBS_FLAG}")
target_link_options(PluginInterfacesClient INTERFACE "$<INSTALL_INTERFACE:${exclude_libs}>")

set_target_properties(PluginInterfacesClient PROPERTIES EXPORT_NAME Client)
set_target_properties(karven_testhost PROPERTIES EXPORT_NAME TestHost)
set(pi_exported PluginInterfacesClient karven_testhost)
if(TARGET karven_sim)
  set_target_properties(karven_sim PROPERTIES EXPORT_NAME Sim INSTALL_RPATH "$ORIGIN")
  list(APPEND pi_exported karven_sim)
endif()
if(TARGET karven-sim)
  list(APPEND pi_exported karven-sim)
endif()
set(pi_installed_targets ${pi_exported})
install(TARGETS ${pi_exported} EXPORT KarvenPluginInterfacesTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The CMake package: find_package(KarvenPluginInterfaces) gives
# KarvenPluginInterfaces::Client, ::TestHost, ::Sim and ::karven-sim.
install(EXPORT KarvenPluginInterfacesTargets NAMESPACE KarvenPluginInterfaces::
        DESTINATION ${PI_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KarvenPluginInterfacesConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/KarvenPluginInterfacesConfig.cmake
                              INSTALL_DESTINATION ${PI_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/KarvenPluginInterfacesConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/KarvenPluginInterfacesConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/KarvenPluginInterfacesConfigVersion.cmake
        DESTINATION ${PI_INSTALL_CMAKEDIR})

# pkg-config: the client library alone, found relative to the .pc file so
# that the prefix can be chosen at install time.
file(RELATIVE_PATH PI_PC_PREFIX_FROM_PCFILEDIR /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" PI_PC_PREFIX_FROM_PCFILEDIR "${PI_PC_PREFIX_FROM_PCFILEDIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/karven-plugin-interfaces.pc.in
               ${CMAKE_CURRENT_BINARY_DIR}/karven-plugin-interfaces.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/karven-plugin-interfaces.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# pkg-config for the hosts a plug-in's C++ tests link: the client library's
# flags, the host libraries and their folder as the run path.
set(pi_pc_hosts "karven-testhost|the recording test host|-lkarven_testhost")
if(TARGET karven_sim)
  list(APPEND pi_pc_hosts "karven-sim|the simulated KARVEN host|-lkarven_sim -lkarven_testhost")
endif()
foreach(host IN LISTS pi_pc_hosts)
  string(REPLACE "|" ";" host "${host}")
  list(GET host 0 PI_PC_HOST)
  list(GET host 1 PI_PC_HOST_DESCRIPTION)
  list(GET host 2 PI_PC_HOST_LIBS)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/karven-host.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${PI_PC_HOST}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${PI_PC_HOST}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

# The Python modules, one site-packages folder per interpreter, as the
# interpreter itself lays out a prefix (karven-sim looks for its own there).
foreach(entry IN LISTS PI_PYTHON_DIRS)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 python)
  list(GET entry 1 moduledir)
  get_filename_component(version ${moduledir} NAME)
  execute_process(COMMAND ${python} -c "import sys; print('%d.%d' % sys.version_info[:2])"
                  OUTPUT_VARIABLE dotted OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(site lib/python${dotted}/site-packages)
  install(TARGETS _PluginInterfaces_${version} LIBRARY DESTINATION ${site})
  list(APPEND pi_installed_targets _PluginInterfaces_${version})
  install(FILES ${moduledir}/PluginInterfaces.py DESTINATION ${site})
  # Stub-only packages, as type checkers look for them in site-packages.
  foreach(module PluginInterfaces _PluginInterfaces)
    install(FILES ${moduledir}/${module}.pyi DESTINATION ${site}/${module}-stubs RENAME __init__.pyi)
  endforeach()
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/hostsim/python/karven_sim DESTINATION ${site}
          FILES_MATCHING PATTERN "*.py" PATTERN "py.typed" PATTERN "__pycache__" EXCLUDE)
endforeach()

# Everything the install copies, for a build that made only some targets
# (tools/dev.sh demo): cmake --build build --target installable.
add_custom_target(installable)
add_dependencies(installable ${pi_installed_targets})
