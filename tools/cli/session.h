// A conversation with the library through its command protocol, as the
// front end holds one: set-up commands, job commands and the log.
#pragma once

#include <string>

#include "design/skarvel_main.h"

class Session {
public:
    // `root` is the installation root handed over with SETUP_DLL.
    explicit Session(std::string root);

    // Sends command `number` (two digits) with `argument`.
    CommandResult Send(int number, const std::string& argument = "");
    // Sends a command text as it stands.
    CommandResult SendRaw(const std::string& command);

    // SETUP_DLL, SET_PROJECT and SETUP_PROJECT for the project file at
    // `projectFile` (an absolute path). On failure answers false and sets
    // `reason` to a one-line explanation.
    bool SetUp(const std::string& projectFile, std::string& reason);

    // The whole log (GET_LOG).
    std::string Log();

    const std::string& root() const { return root_; }

private:
    std::string root_;
};
