# The jobs through the command-line driver and through a Java client, on the
# example projects with a small synthetic polar database written at test
# time (the projects are copied into the build tree naming it).
add_executable(write_synthetic_polar ${CMAKE_CURRENT_SOURCE_DIR}/jobs/write_synthetic_polar.cpp)
target_include_directories(write_synthetic_polar PRIVATE ${CMAKE_SOURCE_DIR})

set(SKARVEL_JOBS_DIR ${CMAKE_CURRENT_BINARY_DIR}/jobs)
file(MAKE_DIRECTORY ${SKARVEL_JOBS_DIR})
set(SKARVEL_JOBS_POLAR ${SKARVEL_JOBS_DIR}/polar.bin)
foreach(example ga_design ga_design_default_loading ga_performance trainer_propeller)
  file(READ ${CMAKE_SOURCE_DIR}/examples/${example}.prj text)
  string(REPLACE "data/naca4_polars.bin" "${SKARVEL_JOBS_POLAR}" text "${text}")
  file(WRITE ${SKARVEL_JOBS_DIR}/${example}.prj.in "${text}")
  configure_file(${SKARVEL_JOBS_DIR}/${example}.prj.in ${SKARVEL_JOBS_DIR}/${example}.prj
                 COPYONLY)
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/examples/ga_design.prj
             ${CMAKE_SOURCE_DIR}/examples/ga_design_default_loading.prj
             ${CMAKE_SOURCE_DIR}/examples/ga_performance.prj
             ${CMAKE_SOURCE_DIR}/examples/trainer_propeller.prj)

add_test(NAME Jobs.SyntheticPolar COMMAND write_synthetic_polar ${SKARVEL_JOBS_POLAR})
set_tests_properties(Jobs.SyntheticPolar PROPERTIES FIXTURES_SETUP JobsPolar)

if(TARGET skarvel)
  # name | arguments ("@@"-separated) | expected output | exit status
  set(SKARVEL_JOBS_CLI_CASES
      "Design|design@@${SKARVEL_JOBS_DIR}/ga_design.prj|Ranking of the candidates.*   1\\. Design geometry [01] .*Best candidate: Design geometry.*     2  0\\.5[0-9]+ .*design result page +[^\n]*ga_design\\.des\\.html.*skarvel: design: optimum-loading design.*best candidate analysed|0"
      "DesignDefaultLoading|design@@${SKARVEL_JOBS_DIR}/ga_design_default_loading.prj|Best candidate: Design geometry|0"
      "Performance|performance@@${SKARVEL_JOBS_DIR}/ga_performance.prj|blade angle +CP +CT +efficiency.*\n  0\\.740 [^\n]*\n  performance result page [^\n]*ga_performance\\.per\\.html|0"
      "MapRpm|map-rpm@@${SKARVEL_JOBS_DIR}/ga_performance.prj|^Map of 65 points \\(13 advance ratios x 5 loads\\)\n  map result page [^\n]*ga_performance\\.map|0"
      "MapSpeed|map-speed@@${SKARVEL_JOBS_DIR}/ga_performance.prj|^Map of 32 points \\(8 advance ratios x 4 loads\\)|0"
      "DesignOnFailedSetUp|design@@${SKARVEL_CLI_DIR}/broken.prj|General failure during SETUP_PROJECT.*skarvel: SETUP_PROJECT failed with code 1|1")
  foreach(case ${SKARVEL_JOBS_CLI_CASES})
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 name)
    list(GET fields 1 arguments)
    list(GET fields -2 expected)
    list(GET fields -1 status)
    add_test(NAME CliJob.${name}
             COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:skarvel> -DROOT=${CMAKE_SOURCE_DIR}
                     "-DARGS=${arguments}" "-DEXPECTED=${expected}" -DSTATUS=${status}
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_check.script)
    set_tests_properties(CliJob.${name} PROPERTIES FIXTURES_REQUIRED JobsPolar
                         RESOURCE_LOCK JobsProjects)
  endforeach()
endif()

if(NOT SKARVEL_SANITIZE)
  find_package(Java 17 COMPONENTS Development Runtime)
endif()
if(Java_FOUND AND NOT SKARVEL_SANITIZE)
  set(SKARVEL_JOBS_JAVA_CLASSES ${CMAKE_CURRENT_BINARY_DIR}/java_jobs_classes)
  set(SKARVEL_JOBS_JAVA_SOURCES
      ${CMAKE_CURRENT_SOURCE_DIR}/java/skarVel/NativeC_Interface.java
      ${CMAKE_CURRENT_SOURCE_DIR}/java/skarVel/JobsCheck.java)
  add_custom_command(
    OUTPUT ${SKARVEL_JOBS_JAVA_CLASSES}/skarVel/JobsCheck.class
    COMMAND ${Java_JAVAC_EXECUTABLE} -Xlint:all -Werror -d ${SKARVEL_JOBS_JAVA_CLASSES}
            ${SKARVEL_JOBS_JAVA_SOURCES}
    DEPENDS ${SKARVEL_JOBS_JAVA_SOURCES}
    COMMENT "Compiling the Java jobs client")
  add_custom_target(java_jobs_client ALL
                    DEPENDS ${SKARVEL_JOBS_JAVA_CLASSES}/skarVel/JobsCheck.class)
  add_test(NAME JavaClient.Jobs
           COMMAND ${Java_JAVA_EXECUTABLE} -Xcheck:jni
                   -Djava.library.path=$<TARGET_FILE_DIR:skarvel_srv_linux>
                   -cp ${SKARVEL_JOBS_JAVA_CLASSES} skarVel.JobsCheck
                   ${SKARVEL_JOBS_DIR}/ga_design.prj ${SKARVEL_JOBS_DIR}/ga_performance.prj
                   ${CMAKE_CURRENT_BINARY_DIR}/tmp/JavaJobs)
  set_tests_properties(JavaClient.Jobs PROPERTIES
                       PASS_REGULAR_EXPRESSION "all checks passed"
                       FAIL_REGULAR_EXPRESSION "FAIL:|WARNING"
                       FIXTURES_REQUIRED JobsPolar)
endif()
