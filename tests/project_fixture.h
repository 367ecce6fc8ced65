// Helpers of the tests that drive the library through its command
// protocol with the example project.
#pragma once

#include <string>

#include "design/except.h"
#include "design/skarvel_main.h"
#include "tests/test_support.h"

namespace skarvel_test {

inline std::string ExampleText() { return ReadFile(SourcePath("examples/trainer_propeller.prj")); }

inline CommandResult Send(const std::string& command) { return DLL_main(command); }

// Empties the log and answers what was in it.
inline std::string TakeLog() {
    const std::string text = outstr.str();
    outstr.str("");
    return text;
}

// Sends SETUP_DLL, SET_PROJECT (a project file in a fresh scratch
// directory) and SETUP_PROJECT with `text`; answers the SETUP_PROJECT code.
inline int SetUpProject(const std::string& text, std::string* projectPath = nullptr) {
    const std::string path = ScratchDir() + "propeller.prj";
    WriteFile(path, text);
    if (projectPath != nullptr) *projectPath = path;
    Send("68" + SourcePath(""));
    Send("51" + path);
    return Send("52" + text).code;
}

// Discards the host object so that the next test starts from load state.
inline void Terminate() { Send("50"); }

}  // namespace skarvel_test
