# A real Java client: compiles tests/java/skarVel/*.java and runs them in a
# JVM that loads the built library through both native entry points.
# An AddressSanitizer library cannot be loaded into a plain JVM, so the
# sanitizer build leaves this test out.
if(NOT SKARVEL_SANITIZE)
  find_package(Java 17 COMPONENTS Development Runtime)
endif()
if(Java_FOUND AND NOT SKARVEL_SANITIZE)
  set(SKARVEL_JAVA_SOURCES
      ${CMAKE_CURRENT_SOURCE_DIR}/java/skarVel/NativeC_Interface.java
      ${CMAKE_CURRENT_SOURCE_DIR}/java/skarVel/ClientCheck.java)
  set(SKARVEL_JAVA_CLASSES ${CMAKE_CURRENT_BINARY_DIR}/java_classes)
  add_custom_command(
    OUTPUT ${SKARVEL_JAVA_CLASSES}/skarVel/ClientCheck.class
    COMMAND ${Java_JAVAC_EXECUTABLE} -Xlint:all -Werror -d ${SKARVEL_JAVA_CLASSES}
            ${SKARVEL_JAVA_SOURCES}
    DEPENDS ${SKARVEL_JAVA_SOURCES}
    COMMENT "Compiling the Java client")
  add_custom_target(java_client ALL DEPENDS ${SKARVEL_JAVA_CLASSES}/skarVel/ClientCheck.class)
  add_test(NAME JavaClient.BothEntryPoints
           COMMAND ${Java_JAVA_EXECUTABLE} -Xcheck:jni
                   -Djava.library.path=$<TARGET_FILE_DIR:skarvel_srv_linux>
                   -cp ${SKARVEL_JAVA_CLASSES} skarVel.ClientCheck
                   ${CMAKE_SOURCE_DIR}/examples/trainer_propeller.prj
                   ${CMAKE_CURRENT_BINARY_DIR}/tmp/JavaClient)
  # -Xcheck:jni reports misuse of the JNI calls as warnings.
  set_tests_properties(JavaClient.BothEntryPoints PROPERTIES
                       PASS_REGULAR_EXPRESSION "all checks passed"
                       FAIL_REGULAR_EXPRESSION "FAIL:|WARNING")
endif()
