#include "design/operation_trace.h"

#include "design/except.h"

OperationTrace::OperationTrace(const char* operation, const char* file, int line)
    : operation_(operation), file_(file), line_(line) {
    MessageBoxFyi(getGlobalHandle(), "ENTERED: ", operation_, 0, file_, line_);
}

OperationTrace::~OperationTrace() {
    // A destructor must not throw; a log that cannot grow loses the notice.
    try {
        MessageBoxFyi(getGlobalHandle(), "COMPLETED: ", operation_, 0, file_, line_);
    } catch (...) {
    }
}
