// The two entry points of the Java front end (class skarVel.NativeC_Interface).
// Each runs one command in full through the dispatcher; one answers its
// code, the other its text. No C++ exception leaves them.
#include <jni.h>

#include <exception>
#include <string>

#include "design/modified_utf8.h"
#include "design/skarvel_main.h"

namespace {

// The command's modified-UTF-8 bytes, released when the call ends.
class CommandChars {
public:
    CommandChars(JNIEnv* env, jstring command)
        : env_(env), command_(command),
          chars_(command != nullptr ? env->GetStringUTFChars(command, nullptr) : nullptr) {}
    ~CommandChars() {
        if (chars_ != nullptr) env_->ReleaseStringUTFChars(command_, chars_);
    }
    CommandChars(const CommandChars&) = delete;
    CommandChars& operator=(const CommandChars&) = delete;
    const char* get() const { return chars_; }

private:
    JNIEnv* env_;
    jstring command_;
    const char* chars_;
};

}  // namespace

extern "C" JNIEXPORT jint JNICALL
Java_skarVel_NativeC_1Interface_putNativeString(JNIEnv* env, jobject /*caller*/, jstring command) {
    try {
        CommandChars chars(env, command);
        if (chars.get() == nullptr) return 0;
        std::string copy(chars.get());
        return DLL_main(copy).code;
    } catch (const std::exception& failure) {
        ReportEscapedFailure("putNativeString", failure.what());
    } catch (...) {
        ReportEscapedFailure("putNativeString", nullptr);
    }
    return 99;
}

extern "C" JNIEXPORT jstring JNICALL
Java_skarVel_NativeC_1Interface_getNativeString(JNIEnv* env, jobject /*caller*/, jstring command) {
    try {
        CommandChars chars(env, command);
        if (chars.get() == nullptr) return nullptr;
        std::string copy(chars.get());
        const CommandResult result = DLL_main(copy);
        return env->NewStringUTF(ToModifiedUtf8(result.text).c_str());
    } catch (const std::exception& failure) {
        ReportEscapedFailure("getNativeString", failure.what());
    } catch (...) {
        ReportEscapedFailure("getNativeString", nullptr);
    }
    return env->NewStringUTF("");
}
