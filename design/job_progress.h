// Progress of a long job: the design job names each of its stages as it
// begins it. A caller that runs the library from a console (the
// command-line driver) installs a handler to show them; by default nothing
// is shown.
#pragma once

using JobProgressHandler = void (*)(const char* stage);

// Installs `handler` (null: none) and answers the one installed before.
JobProgressHandler SetJobProgressHandler(JobProgressHandler handler);

// Passes `stage` to the installed handler, if any. Never throws.
void ReportJobProgress(const char* stage);
