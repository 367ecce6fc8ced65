/* The machine-dependent part of the JNI header for 64-bit Windows: the
   entry points are exported from the DLL with the system's standard calling
   convention (__stdcall, which x86_64 compilers treat as the one calling
   convention there is), and the three integer types have the widths that
   Java fixes: jbyte 8, jint 32 and jlong 64 bits (long is 32 bits on
   Windows). jni.h includes this file when the Windows build puts this
   directory on its include path. */
#ifndef SKARVEL_WIN_JNI_MD_H
#define SKARVEL_WIN_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
