package skarVel;

/** The front end's view of the back end: one command in, a code or a text out. */
public class NativeC_Interface {
    public native int putNativeString(String command);

    public native String getNativeString(String command);
}
