# pi_add_python_extension(<target> <module name> <source> <python> <output dir>)
#
# A small extension module of the project's own (not the SWIG module) for
# the interpreter <python>: built from <source> with the interpreter's headers
# and file suffix, the project's warnings, and its one exported entry point.
function(pi_add_python_extension target name source python outdir)
  execute_process(
    COMMAND ${python} -c "import sysconfig; print(sysconfig.get_paths()['include']); print(sysconfig.get_config_var('EXT_SUFFIX'))"
    OUTPUT_VARIABLE info OUTPUT_STRIP_TRAILING_WHITESPACE)
  string(REPLACE "\n" ";" info "${info}")
  list(GET info 0 include_dir)
  list(GET info 1 suffix)
  add_library(${target} MODULE ${source})
  target_include_directories(${target} SYSTEM PRIVATE ${include_dir})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE pi_warnings)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name} PREFIX "" SUFFIX ${suffix} CXX_VISIBILITY_PRESET default
    LIBRARY_OUTPUT_DIRECTORY ${outdir})
endfunction()
