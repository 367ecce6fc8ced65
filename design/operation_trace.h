// The trace notices of the Windows build: "ENTERED: " when one of the job
// builders' main operations begins and "COMPLETED: " when it ends, each
// titled with the operation's qualified name (for example
// "BuildPerformanceFile::Map").
#pragma once

// Writes the "ENTERED: " notice when constructed and the "COMPLETED: "
// notice when destroyed, both placed at `file` and `line`. The class is the
// same on every system; only the macro below differs.
class OperationTrace {
public:
    OperationTrace(const char* operation, const char* file, int line);
    ~OperationTrace();
    OperationTrace(const OperationTrace&) = delete;
    OperationTrace& operator=(const OperationTrace&) = delete;

private:
    const char* operation_;
    const char* file_;
    int line_;
};

// Traces the enclosing operation from here to its end, however it ends
// (return or exception). Compiles to nothing outside Windows.
#ifdef _WIN32
#define SKARVEL_TRACE_OPERATION(operation, file) \
    const OperationTrace skarvelOperationTrace_((operation), (file), __LINE__)
#else
#define SKARVEL_TRACE_OPERATION(operation, file) static_cast<void>(0)
#endif
