// A stand-in for the front end's Java virtual machine: loads the library
// (LoadLibrary on Windows, dlopen on Linux), finds the two JNI entry points
// by name and calls them through a JNI environment of its own that offers
// the three functions the library uses (GetStringUTFChars,
// ReleaseStringUTFChars, NewStringUTF).
//
//   jni_client <library> <root directory> <run directory> <project file>...
//
// First it checks the command protocol and the JNI usage (every string it
// hands out is released once, a string without characters is answered
// without running a command). Then it copies each project into the run
// directory and runs its jobs there (design, performance, both maps), as
// the front end would, writing every answer to "<project>.transcript" and
// the root and run directory as sent to "sent_paths.txt", so that the runs
// of two libraries can be compared file by file.
// Prints "FAIL: ..." for every wrong answer and "all checks passed" at the
// end; the exit status is 0 only then.
#include <jni.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
    if (ok) return;
    ++failures;
    std::cout << "FAIL: " << what << std::endl;
}

template <typename T>
void CheckEquals(const T& expected, const T& actual, const std::string& what) {
    std::ostringstream message;
    message << what << ": expected [" << expected << "] got [" << actual << "]";
    Check(expected == actual, message.str());
}

// ---- the Java strings and the JNI environment ----------------------------

// A Java string as the environment sees it: its modified-UTF-8 bytes, and
// whether GetStringUTFChars should fail on it as on a JVM out of memory.
struct FakeString : _jstring {
    std::string bytes;
    bool refuseChars = false;
};

struct EnvironmentLedger {
    std::set<const char*> outstanding;  // characters handed out, not yet released
    int badReleases = 0;  // releases of characters not handed out, or released twice
    std::vector<std::unique_ptr<FakeString>> strings;
};

EnvironmentLedger ledger;

FakeString* AsFake(jstring s) { return static_cast<FakeString*>(s); }

const char* JNICALL GetStringUTFChars(JNIEnv* /*env*/, jstring s, jboolean* isCopy) {
    if (isCopy != nullptr) *isCopy = JNI_TRUE;
    if (s == nullptr || AsFake(s)->refuseChars) return nullptr;
    const std::string& bytes = AsFake(s)->bytes;
    char* copy = new char[bytes.size() + 1];
    bytes.copy(copy, bytes.size());
    copy[bytes.size()] = '\0';
    ledger.outstanding.insert(copy);
    return copy;
}

void JNICALL ReleaseStringUTFChars(JNIEnv* /*env*/, jstring s, const char* chars) {
    if (s == nullptr || ledger.outstanding.erase(chars) == 0) {
        ++ledger.badReleases;
        return;
    }
    delete[] chars;
}

jstring JNICALL NewStringUTF(JNIEnv* /*env*/, const char* utf) {
    if (utf == nullptr) return nullptr;
    ledger.strings.push_back(std::make_unique<FakeString>());
    ledger.strings.back()->bytes = utf;
    return ledger.strings.back().get();
}

// The environment: every other function of the table is left null, so a
// library that called one would crash the test.
struct Environment {
    JNINativeInterface_ table{};
    JNIEnv env{};
    Environment() {
        table.GetStringUTFChars = GetStringUTFChars;
        table.ReleaseStringUTFChars = ReleaseStringUTFChars;
        table.NewStringUTF = NewStringUTF;
        env.functions = &table;
    }
};

// ---- the library ---------------------------------------------------------

using PutFunction = jint(JNICALL*)(JNIEnv*, jobject, jstring);
using GetFunction = jstring(JNICALL*)(JNIEnv*, jobject, jstring);

constexpr const char* kPutName = "Java_skarVel_NativeC_1Interface_putNativeString";
constexpr const char* kGetName = "Java_skarVel_NativeC_1Interface_getNativeString";

class Library {
public:
    explicit Library(const std::string& path) {
#ifdef _WIN32
        handle_ = ::LoadLibraryA(path.c_str());
#else
        handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
        if (handle_ == nullptr) return;
        put_ = reinterpret_cast<PutFunction>(Find(kPutName));
        get_ = reinterpret_cast<GetFunction>(Find(kGetName));
    }
    ~Library() {
#ifdef _WIN32
        if (handle_ != nullptr) ::FreeLibrary(handle_);
#else
        if (handle_ != nullptr) ::dlclose(handle_);
#endif
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    bool complete() const { return put_ != nullptr && get_ != nullptr; }

    jint Put(const std::string& command) {
        FakeString s;
        s.bytes = command;
        return put_(&environment_.env, nullptr, &s);
    }
    std::string Get(const std::string& command) {
        FakeString s;
        s.bytes = command;
        const jstring answer = get_(&environment_.env, nullptr, &s);
        return answer != nullptr ? AsFake(answer)->bytes : "<null>";
    }
    // The entry points with a string whose characters cannot be had.
    jint PutRefused() {
        FakeString s;
        s.refuseChars = true;
        return put_(&environment_.env, nullptr, &s);
    }
    jstring GetRefused() {
        FakeString s;
        s.refuseChars = true;
        return get_(&environment_.env, nullptr, &s);
    }

private:
#ifdef _WIN32
    void* Find(const char* name) {
        return reinterpret_cast<void*>(::GetProcAddress(handle_, name));
    }
    HMODULE handle_ = nullptr;
#else
    void* Find(const char* name) { return ::dlsym(handle_, name); }
    void* handle_ = nullptr;
#endif
    PutFunction put_ = nullptr;
    GetFunction get_ = nullptr;
    Environment environment_;
};

// ---- the checks ----------------------------------------------------------

int CountLines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

void CheckProtocol(Library& library) {
    const std::string stars(33, '*');
    CheckEquals<jint>(50, library.Put("50"), "TERMINATE without a host");
    CheckEquals<jint>(63, library.Put("63"), "RESET_LOG code");
    CheckEquals<std::string>("***RESET_LOG called.\n***GET_LOG called.\n", library.Get("61"),
                             "GET_LOG after RESET_LOG");
    CheckEquals<jint>(99, library.Put("61"), "GET_LOG code");

    const std::string state = library.Get("81");
    CheckEquals(20, CountLines(state), "state report lines");
    Check(state.rfind("<0>EnableDesignMain\n", 0) == 0, "state report begins: " + state);
    CheckEquals<jint>(99, library.Put("81"), "GET_STATE_DATA code");

    library.Put("63");
    CheckEquals<jint>(99, library.Put("6x tail"), "invalid command code");
    CheckEquals<std::string>("", library.Get("62"), "invalid command text");
    const std::string invalid = "***RESET_LOG called.\n" + stars +
                                "\n***ERROR: INVALID COMMAND called!\n" + stars +
                                "\n6 is a bogus option. Try again!\n6x possibly misconverted.\n" +
                                std::string(20, '=') + "\n tail" + stars +
                                "\n***ERROR: INVALID COMMAND called!\n" + stars +
                                "\n62 is a bogus option. Try again!\n62 possibly misconverted.\n" +
                                std::string(20, '=') + "\n***GET_LOG called.\n";
    CheckEquals(invalid, library.Get("61"), "invalid command log");

    // Characters that cannot be had: no command runs, the answers are 0 and null.
    library.Put("63");
    CheckEquals<jint>(0, library.PutRefused(), "put with refused characters");
    Check(library.GetRefused() == nullptr, "get with refused characters answers null");
    CheckEquals<std::string>("***RESET_LOG called.\n***GET_LOG called.\n", library.Get("61"),
                             "log after the refused strings");

    library.Put("68/opt/root");
    CheckEquals<jint>(50, library.Put("50"), "TERMINATE with a host");
    Check(library.Get("61").find("***TERMINATE called.\n***GET_LOG called.\n") !=
              std::string::npos,
          "the log survives TERMINATE");
}

// The directory as the front end of this system would send it: on Windows
// a full path with "\" separators.
std::string AsSent(const std::string& directory) {
#ifdef _WIN32
    char full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameA(directory.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return directory;
    std::string sent(full, length);
    while (!sent.empty() && sent.back() == '\\') sent.pop_back();
    return sent;
#else
    std::string sent = directory;
    while (sent.size() > 1 && sent.back() == '/') sent.pop_back();
    return sent;
#endif
}

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string();
}

// The file name of `path` without its directory and extension.
std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.rfind('.'));
}

// Sets up a copy of the project in the run directory and sends every job
// command, as a front end would after the set-up; the answers go to
// "<base name>.transcript".
void RunJobs(Library& library, const std::string& sentRoot, const std::string& sentRun,
             const std::string& projectSource) {
    const std::string text = ReadWhole(projectSource);
    Check(!text.empty(), "project file " + projectSource + " is readable");
    const std::string base = BaseName(projectSource);
    const std::string project = sentRun + kSeparator + base + ".prj";
    {
        std::ofstream copy(project, std::ios::binary | std::ios::trunc);
        copy << text;
        Check(static_cast<bool>(copy), "project copy " + project + " written");
    }

    std::ofstream transcript(sentRun + kSeparator + base + ".transcript",
                             std::ios::binary | std::ios::trunc);
    auto put = [&](const std::string& label, const std::string& command) {
        const jint code = library.Put(command);
        transcript << label << ": " << code << "\n";
        return code;
    };
    auto get = [&](const std::string& label, const std::string& command) {
        const std::string answer = library.Get(command);
        transcript << label << ":\n" << answer << "\n";
        return answer;
    };

    put("TERMINATE", "50");
    put("RESET_LOG", "63");
    CheckEquals<jint>(68, put("SETUP_DLL", "68" + sentRoot), "SETUP_DLL");
    CheckEquals<jint>(51, put("SET_PROJECT", "51" + project), "SET_PROJECT " + base);
    CheckEquals<jint>(52, put("SETUP_PROJECT", "52" + text), "SETUP_PROJECT " + base);
    // The working directory beside the project, from a path with the
    // system's own separators: a file can be made in it.
    const std::string probe = sentRun + kSeparator + base + "_tmp" + kSeparator + "probe.txt";
    Check(static_cast<bool>(std::ofstream(probe)), "working directory " + base + "_tmp created");
    std::remove(probe.c_str());
    const std::string state = get("GET_STATE_DATA", "81");
    Check(state.rfind("<1>EnableDesignMain\n", 0) == 0, "design screen enabled: " + state);
    put("GENERATE_DESIGN", "53");
    put("COMP_PERFORMANCE", "56");
    put("CONST_RPM_MAP", "54");
    put("CONST_VELOCITY_MAP", "55");
    const std::string log = get("GET_LOG", "61");
#ifdef _WIN32
    Check(log.find("\nENTERED: ;BuildPerformanceFile::Init\n") != std::string::npos &&
              log.find("\nCOMPLETED: ;BuildPerformanceFile::Init\n") != std::string::npos,
          "the Windows library traces the builders' operations");
#else
    Check(log.find("ENTERED: ") == std::string::npos, "the Linux library writes no trace");
#endif
    CheckEquals<jint>(57, put("CLOSE_PROJECT", "57"), "CLOSE_PROJECT");
    CheckEquals<jint>(50, put("TERMINATE", "50"), "TERMINATE at the end");
    Check(static_cast<bool>(transcript), "transcript of " + base + " written");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::cerr << "usage: jni_client <library> <root directory> <run directory> "
                     "<project file>...\n";
        return 2;
    }
    Library library(argv[1]);
    if (!library.loaded()) {
        std::cout << "FAIL: cannot load " << argv[1] << std::endl;
        return 1;
    }
    if (!library.complete()) {
        std::cout << "FAIL: " << argv[1] << " lacks " << kPutName << " or " << kGetName
                  << std::endl;
        return 1;
    }
    CheckProtocol(library);

    const std::string sentRoot = AsSent(argv[2]);
    const std::string sentRun = AsSent(argv[3]);
    {
        std::ofstream paths(sentRun + kSeparator + "sent_paths.txt",
                            std::ios::binary | std::ios::trunc);
        paths << sentRoot << "\n" << sentRun << "\n";
        Check(static_cast<bool>(paths), "sent_paths.txt written in " + sentRun);
    }
    for (int k = 4; k < argc; ++k) RunJobs(library, sentRoot, sentRun, argv[k]);

    CheckEquals<std::size_t>(0, ledger.outstanding.size(), "characters never released");
    CheckEquals(0, ledger.badReleases, "releases of characters not handed out");
    if (failures > 0) {
        std::cout << failures << " check(s) failed" << std::endl;
        return 1;
    }
    std::cout << "all checks passed" << std::endl;
    return 0;
}
