# pi_python_info(<python> <name> <expression> [<name> <expression> ...])
#
# Sets each <name> in the caller's scope to what the Python <expression>
# gives in the interpreter <python> (with sys and sysconfig imported).
function(pi_python_info python)
  set(names "")
  set(code "import sys, sysconfig")
  set(pairs ${ARGN})
  while(pairs)
    list(POP_FRONT pairs name expression)
    list(APPEND names ${name})
    string(APPEND code "; print(${expression})")
  endwhile()
  execute_process(COMMAND ${python} -c "${code}"
                  OUTPUT_VARIABLE info OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot query the Python interpreter ${python}")
  endif()
  string(REPLACE "\n" ";" info "${info}")
  foreach(name IN LISTS names)
    list(POP_FRONT info value)
    set(${name} "${value}" PARENT_SCOPE)
  endforeach()
endfunction()

# pi_add_python_extension(<target> <module name> <source> <python> <output dir>)
#
# A small extension module of the project's own (not the SWIG module) for
# the interpreter <python>: built from <source> with the interpreter's headers
# and file suffix, the project's warnings, and its one exported entry point.
function(pi_add_python_extension target name source python outdir)
  pi_python_info(${python} include_dir "sysconfig.get_paths()['include']"
                           suffix "sysconfig.get_config_var('EXT_SUFFIX')")
  add_library(${target} MODULE ${source})
  target_include_directories(${target} SYSTEM PRIVATE ${include_dir})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE pi_warnings)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name} PREFIX "" SUFFIX ${suffix} CXX_VISIBILITY_PRESET default
    LIBRARY_OUTPUT_DIRECTORY ${outdir})
endfunction()
