# The command-line driver on a copy of the example project (the set-up
# creates its working directory beside the copy, inside the build tree).
if(TARGET skarvel)
  set(SKARVEL_CLI_DIR ${CMAKE_CURRENT_BINARY_DIR}/cli)
  file(MAKE_DIRECTORY ${SKARVEL_CLI_DIR})
  configure_file(${CMAKE_SOURCE_DIR}/examples/trainer_propeller.prj
                 ${SKARVEL_CLI_DIR}/example.prj COPYONLY)
  file(READ ${CMAKE_SOURCE_DIR}/examples/trainer_propeller.prj SKARVEL_EXAMPLE_TEXT)
  string(REPLACE "<0.4    0.0121" "<-1    0.0121" SKARVEL_BROKEN_TEXT "${SKARVEL_EXAMPLE_TEXT}")
  file(WRITE ${SKARVEL_CLI_DIR}/broken.prj "${SKARVEL_BROKEN_TEXT}")

  # name | arguments ("@@"-separated) | regular expression the output must match | exit status
  set(SKARVEL_CLI_CASES
      "State|state@@${SKARVEL_CLI_DIR}/example.prj|^<1>EnableDesignMain\n.*<1>GoodDetlDesignSpec\n$|0"
      "StateWithLog|--log@@state@@${SKARVEL_CLI_DIR}/example.prj|SETUP_PROJECT successful\n.*GET_LOG called|0"
      "Send|send@@${SKARVEL_CLI_DIR}/example.prj@@57@@58@@81|^57: 57\n58: 58\n81: 99\n<0>EnableDesignMain|0"
      "SendFailingCommand|send@@${SKARVEL_CLI_DIR}/example.prj@@57@@62|^57: 57\n62: 99\n.*INVALID COMMAND.*skarvel: command 62 answered 99|1"
      "MalformedProject|state@@${SKARVEL_CLI_DIR}/broken.prj|General failure during SETUP_PROJECT.*skarvel: SETUP_PROJECT failed with code 1|1"
      "MissingProject|state@@${SKARVEL_CLI_DIR}/missing.prj|skarvel: cannot read the project file|2"
      "BadCommandNumber|send@@${SKARVEL_CLI_DIR}/example.prj@@5x|not a command number|2"
      "NoCommand|--log|no command given|2"
      "Help|--help|usage: skarvel.*Exit status|0")
  foreach(case ${SKARVEL_CLI_CASES})
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 name)
    list(GET fields -2 expected)
    list(GET fields -1 status)
    list(GET fields 1 arguments)
    # A small script runs the driver and checks its exit status and output.
    add_test(NAME Cli.${name}
             COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:skarvel> -DROOT=${CMAKE_SOURCE_DIR}
                     "-DARGS=${arguments}" "-DEXPECTED=${expected}" -DSTATUS=${status}
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_check.script)
  endforeach()
endif()
