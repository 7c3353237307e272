# The link rules of cmake/layering.cmake, tried on small projects: a tree of libraries shaped like
# Vorel's (no sources, nothing compiled) is configured once as it should be and once for each
# forbidden link added to it, and each configuration must end as the table below says. Run by ctest
# as a script:
#     cmake -DVOREL_SOURCE_DIR=<source root> -DWORK_DIR=<scratch folder> -P cmake/layering_test.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT VOREL_SOURCE_DIR OR NOT WORK_DIR)
  message(FATAL_ERROR "VOREL_SOURCE_DIR and WORK_DIR must be set")
endif()

# folder|library|what it links (commas between): the layers as the program has them.
set(tree
  "platform/core|vorel_core|"
  "platform/data|vorel_data|vorel_core"
  "platform/ui|vorel_ui|vorel_data"
  "platform/qt|vorel_qt|vorel_ui"
  "dictionary|vorel_dictionary|vorel_data"
  "shell/services|vorel_shell_services|vorel_dictionary,vorel_ui"
  "shell|vorel_shell|vorel_shell_services"
  "fiscal|vorel_fiscal|vorel_shell_services"
  "movements|vorel_movements|vorel_fiscal"
  "computation|vorel_computation|vorel_fiscal"
  "sheets|vorel_sheets|vorel_fiscal,vorel_sheets_pecas"
  "app|vorel_app|vorel_shell,vorel_qt,vorel_movements,vorel_computation,vorel_sheets")

# case name|library|the link added|a part of the refusal (none: the configuration succeeds).
set(cases
  "the layers as they are|||"
  "a subsystem links another|vorel_sheets|vorel_computation|a subsystem links no other subsystem"
  "through a library of its own folder|vorel_sheets_pecas|vorel_movements|a subsystem links no other subsystem"
  "a subsystem links the shell's windows|vorel_movements|vorel_shell|not its windows nor the Qt front end"
  "a subsystem links the Qt front end|vorel_computation|vorel_qt|not its windows nor the Qt front end"
  "the floor links a subsystem|vorel_fiscal|vorel_movements|the fiscal floor links the shell's services"
  "the services link the floor|vorel_shell_services|vorel_fiscal|sit below the fiscal floor"
  "the dictionary links a subsystem|vorel_dictionary|vorel_sheets|vorel_dictionary>vorel_sheets"
  "the platform links the dictionary|vorel_data|vorel_dictionary|the platform knows no subsystem")

set(failures "")
set(n 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 from)
  list(GET fields 2 to)
  list(GET fields 3 expected)
  math(EXPR n "${n} + 1")
  set(dir ${WORK_DIR}/case${n})
  file(REMOVE_RECURSE ${dir})
  set(top "cmake_minimum_required(VERSION 3.25)\nproject(layering_case NONE)\n")
  foreach(entry IN LISTS tree)
    string(REPLACE "," ";" entry "${entry}")
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 folder)
    list(GET parts 1 library)
    list(LENGTH parts count)
    set(links "")
    if(count GREATER 2)
      list(SUBLIST parts 2 -1 links)
    endif()
    set(text "add_library(${library} INTERFACE)\n")
    if(folder STREQUAL "sheets")
      string(APPEND text "add_library(vorel_sheets_pecas INTERFACE)\n")
    endif()
    foreach(lib IN ITEMS ${library} vorel_sheets_pecas)
      set(extra "")
      if(lib STREQUAL library)
        set(extra ${links})
      endif()
      if(lib STREQUAL from)
        list(APPEND extra ${to})
      endif()
      if(extra AND (lib STREQUAL library OR folder STREQUAL "sheets"))
        list(JOIN extra " " joined)
        string(APPEND text "target_link_libraries(${lib} INTERFACE ${joined})\n")
      endif()
    endforeach()
    file(WRITE ${dir}/${folder}/CMakeLists.txt "${text}")
    string(APPEND top "add_subdirectory(${folder})\n")
  endforeach()
  string(APPEND top "include(${VOREL_SOURCE_DIR}/cmake/layering.cmake)\nvorel_check_layering()\n")
  file(WRITE ${dir}/CMakeLists.txt "${top}")
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${dir} -B ${dir}/build
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\n" " " said "${err}")
  string(REGEX REPLACE " +" " " said "${said}")
  if(expected STREQUAL "")
    if(NOT result EQUAL 0)
      list(APPEND failures "${name}: refused (${said})")
    endif()
  elseif(result EQUAL 0)
    list(APPEND failures "${name}: ${from} -> ${to} was accepted")
  else()
    string(FIND "${said}" "${expected}" at)
    if(at EQUAL -1 OR NOT said MATCHES "Layering: ")
      list(APPEND failures "${name}: refused, but not with \"${expected}\" (${said})")
    endif()
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The link rules did not hold:\n  ${text}")
endif()
