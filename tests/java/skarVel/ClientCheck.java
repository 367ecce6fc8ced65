package skarVel;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;

/**
 * Drives the library through both native entry points as a front end does
 * and checks the answers. Arguments: the example project file and a scratch
 * directory. Prints "FAIL: ..." for every wrong answer and exits non-zero.
 */
public final class ClientCheck {
    private static final NativeC_Interface lib = new NativeC_Interface();
    private static int failures = 0;

    private static void check(boolean ok, String what) {
        if (!ok) {
            failures++;
            System.out.println("FAIL: " + what);
        }
    }

    private static void checkEquals(Object expected, Object actual, String what) {
        check(expected.equals(actual), what + ": expected [" + expected + "] got [" + actual + "]");
    }

    public static void main(String[] args) throws Exception {
        System.loadLibrary("skarvel_srv_linux");
        String stars = "*".repeat(33);

        // TERMINATE without a host object, then with one.
        checkEquals(50, lib.putNativeString("50"), "TERMINATE without host");
        lib.putNativeString("68/opt/root");
        checkEquals(50, lib.putNativeString("50"), "TERMINATE with host");

        // RESET_LOG then GET_LOG: exactly the two trace lines.
        checkEquals(63, lib.putNativeString("63"), "RESET_LOG code");
        checkEquals("***RESET_LOG called.\n***GET_LOG called.\n", lib.getNativeString("61"),
                    "GET_LOG after RESET_LOG");
        checkEquals(99, lib.putNativeString("61"), "GET_LOG code");

        // The state report: 20 lines through getNativeString, 99 through putNativeString.
        String state = lib.getNativeString("81");
        checkEquals(20, state.split("\n", -1).length - 1, "state report lines");
        check(state.startsWith("<0>EnableDesignMain\n"), "state report begins: " + state);
        check(state.endsWith("<1>GoodDetlDesignSpec\n"), "state report ends: " + state);
        checkEquals(99, lib.putNativeString("81"), "GET_STATE_DATA code");

        // An invalid command: the seven-line text.
        lib.putNativeString("63");
        checkEquals(99, lib.putNativeString("6x tail"), "invalid command code");
        checkEquals("", lib.getNativeString("62"), "invalid command text");
        String expected = "***RESET_LOG called.\n" + stars + "\n***ERROR: INVALID COMMAND called!\n"
                + stars + "\n6 is a bogus option. Try again!\n6x possibly misconverted.\n"
                + "=".repeat(20) + "\n tail" + stars + "\n***ERROR: INVALID COMMAND called!\n"
                + stars + "\n62 is a bogus option. Try again!\n62 possibly misconverted.\n"
                + "=".repeat(20) + "\n***GET_LOG called.\n";
        checkEquals(expected, lib.getNativeString("61"), "invalid command log");

        // A command cut inside a multi-byte character still comes back as a string.
        lib.putNativeString("63");
        lib.putNativeString("\u20ac5");
        String log = lib.getNativeString("61");
        check(log.contains("0 is a bogus option. Try again!\n\u00e2\u0082 possibly misconverted.\n"),
              "cut character in the log: " + log);
        check(log.contains("\n\u00ac5***GET_LOG called.\n"), "rest of the cut command: " + log);

        // The example project sets up through the front end's calls.
        Path scratch = Path.of(args[1]);
        Files.createDirectories(scratch);
        Path project = scratch.resolve("example.prj");
        String text = Files.readString(Path.of(args[0]), StandardCharsets.UTF_8);
        Files.writeString(project, text, StandardCharsets.UTF_8);
        checkEquals(68, lib.putNativeString("68" + scratch), "SETUP_DLL");
        checkEquals(51, lib.putNativeString("51" + project), "SET_PROJECT");
        checkEquals(52, lib.putNativeString("52" + text), "SETUP_PROJECT");
        checkEquals(text, lib.getNativeString("80"), "GET_PROJECT_DATA");
        check(lib.getNativeString("81").startsWith("<1>EnableDesignMain\n"), "design screen enabled");
        check(Files.isDirectory(scratch.resolve("example_tmp")), "working directory created");
        checkEquals(57, lib.putNativeString("57"), "CLOSE_PROJECT");
        checkEquals(50, lib.putNativeString("50"), "TERMINATE at the end");

        if (failures > 0) {
            System.out.println(failures + " check(s) failed");
            System.exit(1);
        }
        System.out.println("all checks passed");
    }
}
