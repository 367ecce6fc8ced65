#include "design/job_progress.h"

namespace {
JobProgressHandler installed = nullptr;
}  // namespace

JobProgressHandler SetJobProgressHandler(JobProgressHandler handler) {
    const JobProgressHandler previous = installed;
    installed = handler;
    return previous;
}

void ReportJobProgress(const char* stage) {
    if (installed == nullptr || stage == nullptr) return;
    try {
        installed(stage);
    } catch (...) {
    }
}
