# The installed tree of the library, and its ZIP:
#   bin/      optora.dll and the tools; bin/lang/de/optorares.dll, the German resources
#   include/  optora.h and the message names it includes, optora_messages.h
#   lib/      the MinGW import library, optora.def (for MSVC: lib /def:optora.def
#             /machine:x64 /out:optora.lib) and the CMake package (find_package(optora))
#   policy/   the Group Policy administrative templates: optora.admx, en-US/ and de-DE/optora.adml
#             (committed as `optora-cli admx policy` writes them; docs/admx-templates.md)
include(CMakePackageConfigHelpers)

set(OPTORA_PACKAGE_DIR lib/cmake/optora)

target_include_directories(optora INTERFACE
  $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>)

install(TARGETS optora EXPORT optoraTargets
  RUNTIME DESTINATION bin
  ARCHIVE DESTINATION lib)
install(TARGETS optora-cli optora-demo RUNTIME DESTINATION bin)
install(FILES $<TARGET_FILE:optorares> DESTINATION bin/lang/de)
install(FILES ${CMAKE_SOURCE_DIR}/include/optora.h ${CMAKE_SOURCE_DIR}/include/optora_messages.h DESTINATION include)
install(FILES ${CMAKE_SOURCE_DIR}/src/res/optora.def DESTINATION lib)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/policy/ DESTINATION policy)

install(EXPORT optoraTargets NAMESPACE optora:: DESTINATION ${OPTORA_PACKAGE_DIR})
file(WRITE ${CMAKE_BINARY_DIR}/package/optoraConfig.cmake
  "include(\${CMAKE_CURRENT_LIST_DIR}/optoraTargets.cmake)\n")
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/optoraConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/optoraConfig.cmake
  ${CMAKE_BINARY_DIR}/package/optoraConfigVersion.cmake DESTINATION ${OPTORA_PACKAGE_DIR})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME optora)
set(CPACK_PACKAGE_VENDOR Kestrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
include(CPack)
