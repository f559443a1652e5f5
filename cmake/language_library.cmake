# optora_language_library(TARGET RC rcfile [VERSION a.b.c.d] [OUTPUT_NAME name] [SOURCES ...])
#
# A language library: a DLL of resources from one .rc, which may include
# "version.rc" to carry a version block with the product version given here
# (optora.dll's own when none is given). Without SOURCES the DLL has no code
# and no entry point at all.
function(optora_language_library target)
  cmake_parse_arguments(L "" "RC;VERSION;OUTPUT_NAME" "SOURCES" ${ARGN})
  if(NOT L_RC)
    message(FATAL_ERROR "optora_language_library(${target}): RC is required")
  endif()
  if(NOT L_VERSION)
    set(L_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${OPTORA_VERSION_BUILD}")
  endif()
  if(NOT L_OUTPUT_NAME)
    set(L_OUTPUT_NAME ${target})
  endif()
  if(NOT L_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "optora_language_library(${target}): VERSION must be a.b.c.d, not '${L_VERSION}'")
  endif()
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}.generated)
  file(CONFIGURE OUTPUT ${generated}/optora_version.h CONTENT
"// Generated for the language library ${L_OUTPUT_NAME}.dll.
#define OPTORA_VERSION_MAJOR ${CMAKE_MATCH_1}
#define OPTORA_VERSION_MINOR ${CMAKE_MATCH_2}
#define OPTORA_VERSION_PATCH ${CMAKE_MATCH_3}
#define OPTORA_VERSION_BUILD ${CMAKE_MATCH_4}
#define OPTORA_VERSION_TEXT \"${L_VERSION}\"
#define OPTORA_FILE_NAME \"${L_OUTPUT_NAME}.dll\"
#define OPTORA_FILE_DESCRIPTION \"optora language resources\"
")
  add_library(${target} SHARED ${L_RC} ${L_SOURCES})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${L_OUTPUT_NAME} LINKER_LANGUAGE C)
  # The generated header must win over optora.dll's own.
  target_include_directories(${target} BEFORE PRIVATE ${generated} ${PROJECT_SOURCE_DIR}/src/res)
  if(L_SOURCES)
    target_compile_options(${target} PRIVATE ${OPTORA_WARNINGS})
  else()
    target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=0)
  endif()
endfunction()
