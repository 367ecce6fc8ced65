# The Windows library skarVel_srv_windows.dll, cross-built from the same
# sources as the Linux library. It depends on system DLLs only (the C++
# runtime is linked in) and exports the two JNI entry points only
# (design/win/skarVel_srv_windows.def).

# jni.h comes from the build machine's JDK; its machine-dependent part for
# Windows is design/win/jni_md.h.
if(DEFINED ENV{JAVA_HOME})
  set(SKARVEL_JDK_HOME $ENV{JAVA_HOME})
else()
  find_program(SKARVEL_JAVAC javac REQUIRED)
  file(REAL_PATH ${SKARVEL_JAVAC} SKARVEL_JAVAC_REAL)
  get_filename_component(SKARVEL_JDK_BIN ${SKARVEL_JAVAC_REAL} DIRECTORY)
  get_filename_component(SKARVEL_JDK_HOME ${SKARVEL_JDK_BIN} DIRECTORY)
endif()
set(SKARVEL_JNI_INCLUDE ${SKARVEL_JDK_HOME}/include)
if(NOT EXISTS ${SKARVEL_JNI_INCLUDE}/jni.h)
  message(FATAL_ERROR "jni.h not found in ${SKARVEL_JNI_INCLUDE}: set JAVA_HOME to a JDK")
endif()

set(SKARVEL_WINDOWS_LINK_OPTIONS -static -static-libgcc -static-libstdc++)

add_library(skarvel_srv_windows SHARED ${SKARVEL_SOURCES}
            ${CMAKE_SOURCE_DIR}/design/win/skarVel_srv_windows.def)
set_target_properties(skarvel_srv_windows PROPERTIES
                      PREFIX "" OUTPUT_NAME skarVel_srv_windows)
target_include_directories(skarvel_srv_windows PUBLIC ${CMAKE_SOURCE_DIR})
target_include_directories(skarvel_srv_windows SYSTEM BEFORE PUBLIC
                           ${CMAKE_SOURCE_DIR}/design/win ${SKARVEL_JNI_INCLUDE})
# C99 formatting of numbers in the C runtime, as on Linux.
target_compile_definitions(skarvel_srv_windows PRIVATE __USE_MINGW_ANSI_STDIO=1)
target_link_options(skarvel_srv_windows PRIVATE ${SKARVEL_WINDOWS_LINK_OPTIONS}
                    -Wl,--exclude-all-symbols)

if(SKARVEL_BUILD_TESTS)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests/windows)
endif()
