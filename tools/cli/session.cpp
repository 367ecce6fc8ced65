#include "tools/cli/session.h"

#include <fstream>
#include <sstream>

Session::Session(std::string root) : root_(std::move(root)) {}

CommandResult Session::Send(int number, const std::string& argument) {
    const std::string digits = (number < 10 ? "0" : "") + std::to_string(number);
    return DLL_main(digits + argument);
}

CommandResult Session::SendRaw(const std::string& command) { return DLL_main(command); }

bool Session::SetUp(const std::string& projectFile, std::string& reason) {
    std::ifstream in(projectFile, std::ios::binary);
    if (!in) {
        reason = "cannot read the project file " + projectFile;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();

    if (Send(68, root_).code != 68) {
        reason = "SETUP_DLL refused the root directory " + root_;
        return false;
    }
    if (Send(51, projectFile).code != 51) {
        reason = "SET_PROJECT refused the project path " + projectFile;
        return false;
    }
    const int code = Send(52, text.str()).code;
    if (code != 52) {
        reason = "SETUP_PROJECT failed with code " + std::to_string(code) +
                 (code == 7 ? " (working directory not creatable)" : " (project not readable)");
        return false;
    }
    return true;
}

std::string Session::Log() { return Send(61).text; }
