package skarVel;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;

/**
 * Runs the jobs through the front end's calls: a design on the design
 * example, then the performance run and both maps on the performance
 * example. Arguments: the design project file, the performance project file
 * (both naming a polar database that exists) and a scratch directory.
 * Prints "FAIL: ..." for every wrong answer and exits non-zero.
 */
public final class JobsCheck {
    private static final NativeC_Interface lib = new NativeC_Interface();
    private static int failures = 0;

    private static void check(boolean ok, String what) {
        if (!ok) {
            failures++;
            System.out.println("FAIL: " + what);
        }
    }

    /** Copies the project into the scratch directory and sets it up. */
    private static Path setUp(Path source, Path scratch) throws Exception {
        String text = Files.readString(source, StandardCharsets.UTF_8);
        Path project = scratch.resolve(source.getFileName());
        Files.writeString(project, text, StandardCharsets.UTF_8);
        check(lib.putNativeString("68" + scratch) == 68, "SETUP_DLL");
        check(lib.putNativeString("51" + project) == 51, "SET_PROJECT " + project);
        check(lib.putNativeString("52" + text) == 52, "SETUP_PROJECT " + project);
        return project;
    }

    private static void job(String command, String what) {
        lib.putNativeString("63");
        int code = lib.putNativeString(command);
        check(code == Integer.parseInt(command),
              what + " answered " + code + "; log:\n" + lib.getNativeString("61"));
    }

    private static void exists(Path file) {
        check(Files.isRegularFile(file), "missing file " + file);
    }

    public static void main(String[] args) throws Exception {
        System.loadLibrary("skarvel_srv_linux");
        Path scratch = Path.of(args[2]);
        Files.createDirectories(scratch);

        Path design = setUp(Path.of(args[0]), scratch);
        String base = design.toString().replaceFirst("\\.prj$", "");
        job("53", "GENERATE_DESIGN");
        Path work = Path.of(base + "_tmp");
        for (String name : new String[] {"first.in", "first.out", "second.in", "second.out",
                                         "perform.in", "perform.out", "_Project.pld",
                                         "_Project.pr1", "proprun.ini", "ERROR.OUT"})
            exists(work.resolve(name));
        exists(Path.of(base + ".des.html"));
        check(lib.getNativeString("61").contains("isStdAtmos = 1\nnothingCalled = 0\n"),
              "design trace in the log");

        Path performance = setUp(Path.of(args[1]), scratch);
        String perfBase = performance.toString().replaceFirst("\\.prj$", "");
        job("56", "COMP_PERFORMANCE");
        exists(Path.of(perfBase + ".per.html"));
        job("54", "CONST_RPM_MAP");
        job("55", "CONST_VELOCITY_MAP");
        exists(Path.of(perfBase + ".map"));
        check(lib.putNativeString("50") == 50, "TERMINATE");

        if (failures > 0) {
            System.out.println(failures + " check(s) failed");
            System.exit(1);
        }
        System.out.println("all checks passed");
    }
}
