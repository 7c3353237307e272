# The working company and period (GLO_EMPRESA_CODIGO, GLO_ANO, GLO_MES, and
# shell::PeriodoDeTrabalho() that reads them) are read by the shell, the executable, the windows
# (files named *_window, *_form, *_browse) and the menu's entry points (a subsystem's
# procedures.cpp) only; they hand them to the library calls as a value (shell::EmpresaPeriodo,
# vorel/shell/period.h). Run by ctest as a script:
#     cmake -DVOREL_SOURCE_DIR=<source root> -P cmake/working_period_check.cmake
# It fails naming every other source file that reads one of them outside a comment (tests and
# benchmarks, which set the working period up, are not looked at).
cmake_minimum_required(VERSION 3.25)

if(NOT VOREL_SOURCE_DIR)
  message(FATAL_ERROR "VOREL_SOURCE_DIR is not set")
endif()

set(reads "GLO_(EMPRESA_CODIGO|ANO|MES)([^A-Za-z0-9_]|$)|PeriodoDeTrabalho *\\(")
set(allowed_tops shell app tests bench docs scripts cmake)
file(GLOB tops LIST_DIRECTORIES true RELATIVE ${VOREL_SOURCE_DIR} ${VOREL_SOURCE_DIR}/*)
set(found "")
foreach(top IN LISTS tops)
  if(NOT IS_DIRECTORY ${VOREL_SOURCE_DIR}/${top} OR top IN_LIST allowed_tops OR top MATCHES "^(build|\\.)")
    continue()
  endif()
  file(GLOB_RECURSE sources RELATIVE ${VOREL_SOURCE_DIR} ${VOREL_SOURCE_DIR}/${top}/*.cpp ${VOREL_SOURCE_DIR}/${top}/*.h)
  foreach(source IN LISTS sources)
    if(source MATCHES "/tests/" OR source MATCHES "_(window|form|browse)\\.(cpp|h)$" OR source MATCHES "/src/procedures\\.cpp$")
      continue()
    endif()
    file(STRINGS ${VOREL_SOURCE_DIR}/${source} lines REGEX "${reads}")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "//.*$" "" code "${line}")
      if(code MATCHES "${reads}")
        list(APPEND found ${source})
        break()
      endif()
    endforeach()
  endforeach()
endforeach()

if(found)
  list(JOIN found "\n  " text)
  message(FATAL_ERROR "The working period is read outside the shell and the windows; pass it as a "
                      "shell::EmpresaPeriodo instead:\n  ${text}")
endif()
