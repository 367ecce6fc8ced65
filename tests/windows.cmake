# The Windows library under Wine, when the cross compiler and Wine are
# installed (tools/install_windows_deps.sh): the cross build, the check of
# its imports and exports, the JNI client on the DLL, the same client on the
# Linux library, and the comparison of the two runs' answers and files.
# The cross build runs as the first of these tests, so that building the
# Linux tree alone stays as fast as before. An AddressSanitizer library
# cannot be loaded by the client, so the sanitizer build leaves them out.
find_program(SKARVEL_MINGW_CXX x86_64-w64-mingw32-g++)
find_program(SKARVEL_MINGW_OBJDUMP x86_64-w64-mingw32-objdump)
find_program(SKARVEL_WINE NAMES wine64 wine)

if(NOT SKARVEL_SANITIZE)
  # The Linux reference: the same client, loading the Linux library.
  add_executable(skarvel_jni_client_linux ${CMAKE_CURRENT_SOURCE_DIR}/windows/jni_client.cpp)
  target_include_directories(skarvel_jni_client_linux SYSTEM PRIVATE ${JNI_INCLUDE_DIRS})
  target_link_libraries(skarvel_jni_client_linux PRIVATE ${CMAKE_DL_LIBS})
  add_dependencies(skarvel_jni_client_linux skarvel_srv_linux)
  # The comparison of a Linux and a Windows run of the client.
  add_executable(skarvel_compare_runs ${CMAKE_CURRENT_SOURCE_DIR}/windows/compare_runs.cpp)

  set(SKARVEL_RUNS ${CMAKE_CURRENT_BINARY_DIR}/jni_runs)
  # The trainer, design and performance examples with the jobs' synthetic
  # polar database (tests/jobs.cmake) when there, else the trainer project
  # as it stands.
  set(SKARVEL_CLIENT_PROJECTS ${CMAKE_SOURCE_DIR}/examples/trainer_propeller.prj)
  if(DEFINED SKARVEL_JOBS_DIR)
    set(SKARVEL_CLIENT_PROJECTS ${SKARVEL_JOBS_DIR}/trainer_propeller.prj
        ${SKARVEL_JOBS_DIR}/ga_design.prj ${SKARVEL_JOBS_DIR}/ga_performance.prj)
    set(SKARVEL_CLIENT_FIXTURES JobsPolar)
  endif()
  add_test(NAME LinuxLibrary.JniClient
           COMMAND ${CMAKE_COMMAND} -DRUN=${SKARVEL_RUNS}/linux
                   "-DCLIENT=$<TARGET_FILE:skarvel_jni_client_linux>"
                   "-DLIBRARY=$<TARGET_FILE:skarvel_srv_linux>"
                   -DROOT=${CMAKE_SOURCE_DIR} "-DPROJECTS=${SKARVEL_CLIENT_PROJECTS}"
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/run_client.script
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(LinuxLibrary.JniClient PROPERTIES FIXTURES_SETUP skarvel_linux_run
                       FIXTURES_REQUIRED "${SKARVEL_CLIENT_FIXTURES}")
endif()

if(SKARVEL_MINGW_CXX AND SKARVEL_MINGW_OBJDUMP AND SKARVEL_WINE AND NOT SKARVEL_SANITIZE)
  set(SKARVEL_WINDOWS_BUILD ${CMAKE_BINARY_DIR}/windows)
  set(SKARVEL_DLL ${SKARVEL_WINDOWS_BUILD}/skarVel_srv_windows.dll)
  set(SKARVEL_WIN_CLIENT ${SKARVEL_WINDOWS_BUILD}/tests/windows/skarvel_jni_client.exe)

  add_test(NAME WindowsDll.CrossBuild
           COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DBINARY=${SKARVEL_WINDOWS_BUILD}
                   -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/cross_build.script)
  set_tests_properties(WindowsDll.CrossBuild PROPERTIES
                       FIXTURES_SETUP skarvel_windows_build TIMEOUT 1500)

  add_test(NAME WindowsDll.ImportsAndExports
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${SKARVEL_MINGW_OBJDUMP} -DDLL=${SKARVEL_DLL}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/check_dll.script)
  set_tests_properties(WindowsDll.ImportsAndExports PROPERTIES
                       FIXTURES_REQUIRED skarvel_windows_build)

  # Wine headless, in a private prefix, without the .NET and HTML runtimes
  # it would otherwise offer to install.
  add_test(NAME WindowsDll.JniClient
           COMMAND ${CMAKE_COMMAND} -DRUN=${SKARVEL_RUNS}/windows
                   "-DLAUNCHER=${SKARVEL_WINE}" -DCLIENT=${SKARVEL_WIN_CLIENT}
                   -DLIBRARY=${SKARVEL_DLL} -DROOT=${CMAKE_SOURCE_DIR}
                   "-DPROJECTS=${SKARVEL_CLIENT_PROJECTS}"
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/run_client.script
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(WindowsDll.JniClient PROPERTIES
                       FIXTURES_REQUIRED "skarvel_windows_build;${SKARVEL_CLIENT_FIXTURES}"
                       FIXTURES_SETUP skarvel_windows_run
                       TIMEOUT 600
                       ENVIRONMENT "WINEPREFIX=${SKARVEL_WINDOWS_BUILD}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")

  add_test(NAME WindowsDll.AgreesWithLinux
           COMMAND skarvel_compare_runs ${SKARVEL_RUNS}/linux ${SKARVEL_RUNS}/windows)
  set_tests_properties(WindowsDll.AgreesWithLinux PROPERTIES
                       FIXTURES_REQUIRED "skarvel_windows_run;skarvel_linux_run")
endif()
