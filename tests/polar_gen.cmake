# The polar database generator end to end: a tiny database (two values per
# axis) made by the real tool with xfoil, then loaded by the engine's loaders.
find_program(SKARVEL_XFOIL xfoil)
find_package(Python3 COMPONENTS Interpreter)
if(SKARVEL_XFOIL AND Python3_Interpreter_FOUND AND TARGET polar_db_test)
  add_test(NAME PolarGen.TinyDatabase
           COMMAND ${CMAKE_COMMAND} -DPYTHON=${Python3_EXECUTABLE}
                   -DTOOL=${CMAKE_SOURCE_DIR}/tools/polar_gen/polar_gen.py
                   -DWORK=${CMAKE_CURRENT_BINARY_DIR}/polar_gen_tiny
                   -DLOADER=$<TARGET_FILE:polar_db_test>
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/polar_gen_tiny.script)
  set_tests_properties(PolarGen.TinyDatabase PROPERTIES TIMEOUT 600)
endif()
