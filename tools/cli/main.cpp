// The command-line driver: speaks the library's command protocol through
// DLL_main, as the graphical front end does through its JNI calls.
//
//   skarvel [--root DIR] [--log] state PROJECT_FILE
//   skarvel [--root DIR] [--log] send PROJECT_FILE NN [NN...]
//   skarvel [--root DIR] [--log] design|performance|map-rpm|map-speed PROJECT_FILE
//
// Exit status: 0 success, 1 a command failed, 2 wrong usage or unreadable
// input. Each new job is one more entry in the command table below.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "design/job_progress.h"
#include "tools/cli/job_summary.h"
#include "tools/cli/session.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSuccess = 0;
constexpr int kCommandFailed = 1;
constexpr int kUsage = 2;

struct CliOptions {
    std::string root;
    bool log = false;
    std::string command;
    std::vector<std::string> operands;
};

struct CliCommand {
    const char* name;
    const char* usage;
    const char* summary;
    std::size_t minOperands;
    int (*run)(Session& session, const CliOptions& options);
};

int Fail(Session& session, const std::string& reason) {
    std::cerr << session.Log();
    std::cerr << "skarvel: " << reason << "\n";
    return kCommandFailed;
}

void PrintLogIfAsked(Session& session, const CliOptions& options) {
    if (options.log) std::cout << session.Log();
}

// The project file as an absolute path: the working directory changes to
// the root before the commands are sent.
std::string ProjectPath(const CliOptions& options) {
    return fs::absolute(fs::path(options.operands[0])).lexically_normal().string();
}

int RunState(Session& session, const CliOptions& options) {
    std::string reason;
    if (!session.SetUp(ProjectPath(options), reason)) return Fail(session, reason);
    std::cout << session.Send(81).text;
    PrintLogIfAsked(session, options);
    return kSuccess;
}

bool IsCommandNumber(const std::string& token) {
    if (token.empty() || token.size() > 2) return false;
    for (char c : token)
        if (c < '0' || c > '9') return false;
    return true;
}

int RunSend(Session& session, const CliOptions& options) {
    const std::vector<std::string> numbers(options.operands.begin() + 1, options.operands.end());
    for (const std::string& token : numbers) {
        if (!IsCommandNumber(token)) {
            std::cerr << "skarvel: '" << token << "' is not a command number (one or two digits)\n";
            return kUsage;
        }
    }
    std::string reason;
    if (!session.SetUp(ProjectPath(options), reason)) return Fail(session, reason);
    for (const std::string& token : numbers) {
        const int number = std::atoi(token.c_str());
        const CommandResult result = session.SendRaw(token);
        std::cout << token << ": " << result.code << "\n" << result.text;
        if (!result.text.empty() && result.text.back() != '\n') std::cout << "\n";
        const bool answersText = number == 61 || number == 80 || number == 81;
        if (!answersText && result.code != number)
            return Fail(session, "command " + token + " answered " + std::to_string(result.code));
    }
    PrintLogIfAsked(session, options);
    return kSuccess;
}

void ShowStage(const char* stage) { std::cerr << "skarvel: design: " << stage << "\n"; }

std::string BasePath(const std::string& projectPath) {
    return fs::path(projectPath).replace_extension().string();
}

// Sets the project up, sends job command `number` and checks that the
// answer is that number.
int RunJob(Session& session, const CliOptions& options, int number, const char* name) {
    std::string reason;
    if (!session.SetUp(ProjectPath(options), reason)) return Fail(session, reason);
    const CommandResult result = session.Send(number);
    if (result.code != number)
        return Fail(session, std::string(name) + " (command " + std::to_string(number) +
                                 ") answered " + std::to_string(result.code));
    PrintLogIfAsked(session, options);
    return kSuccess;
}

int RunDesign(Session& session, const CliOptions& options) {
    const JobProgressHandler previous = SetJobProgressHandler(ShowStage);
    const int status = RunJob(session, options, 53, "the design");
    SetJobProgressHandler(previous);
    if (status != kSuccess) return status;
    const std::string base = BasePath(ProjectPath(options));
    if (!PrintDesignSummary(std::cout, base))
        return Fail(session, "the design's comparison report " + base +
                                 "_tmp/_Project.pr1 cannot be read");
    return kSuccess;
}

int RunPerformance(Session& session, const CliOptions& options) {
    const int status = RunJob(session, options, 56, "the performance run");
    if (status != kSuccess) return status;
    const std::string page = BasePath(ProjectPath(options)) + ".per.html";
    std::cout << "Performance at the project's operating points:\n";
    PrintResultTable(std::cout, ReadResultRows(page));
    std::cout << "  performance result page " << page << "\n";
    return kSuccess;
}

int RunMap(Session& session, const CliOptions& options, int number, const char* name) {
    const int status = RunJob(session, options, number, name);
    if (status != kSuccess) return status;
    PrintMapSummary(std::cout, BasePath(ProjectPath(options)) + ".map");
    return kSuccess;
}

int RunMapRpm(Session& session, const CliOptions& options) {
    return RunMap(session, options, 54, "the constant-RPM map");
}

int RunMapSpeed(Session& session, const CliOptions& options) {
    return RunMap(session, options, 55, "the constant-speed map");
}

const CliCommand kCliCommands[] = {
    {"state", "state PROJECT_FILE", "set the project up and print its state report", 1,
     RunState},
    {"send", "send PROJECT_FILE NN [NN...]",
     "set the project up, then send each command number and print its answer", 2, RunSend},
    {"design", "design PROJECT_FILE",
     "design a propeller (GENERATE_DESIGN); print the ranking of the candidates, the\n"
     "      best one's geometry and efficiencies and the result files",
     1, RunDesign},
    {"performance", "performance PROJECT_FILE",
     "analyse the project's blade geometry at its operating points (COMP_PERFORMANCE)", 1,
     RunPerformance},
    {"map-rpm", "map-rpm PROJECT_FILE", "performance map at constant RPM (CONST_RPM_MAP)", 1,
     RunMapRpm},
    {"map-speed", "map-speed PROJECT_FILE",
     "performance map at constant forward speed (CONST_VELOCITY_MAP)", 1, RunMapSpeed},
};

void PrintHelp(std::ostream& out) {
    out << "usage: skarvel [--root DIR] [--log] COMMAND ARGS...\n\n"
           "Drives the propeller design library through its command protocol.\n"
           "Every command first sends SETUP_DLL (the root directory), SET_PROJECT and\n"
           "SETUP_PROJECT (the project file's text).\n\nCommands:\n";
    for (const CliCommand& command : kCliCommands)
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    out << "\nOptions:\n"
           "  --root DIR  installation root (default: the directory above the one that\n"
           "              holds this program); relative paths in the project, such as\n"
           "              the polar database, are taken relative to it\n"
           "  --log       print the library's log after the answers\n"
           "  --help      print this text\n\n"
           "The log is printed to standard error whenever a command fails.\n"
           "Exit status: 0 success, 1 a command failed, 2 wrong usage.\n";
}

std::string DefaultRoot(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(fs::path(argv0), ec);
    return exe.parent_path().parent_path().string();
}

// Parses the arguments; answers false (after a message) on wrong usage.
bool Parse(int argc, char** argv, CliOptions& options, bool& help) {
    help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options.command.empty() && arg == "--help") {
            help = true;
            return true;
        } else if (options.command.empty() && arg == "--log") {
            options.log = true;
        } else if (options.command.empty() && arg == "--root") {
            if (i + 1 >= argc) {
                std::cerr << "skarvel: --root needs a directory\n";
                return false;
            }
            options.root = argv[++i];
        } else if (options.command.empty() && arg.size() > 1 && arg[0] == '-') {
            std::cerr << "skarvel: unknown option " << arg << " (try --help)\n";
            return false;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.operands.push_back(arg);
        }
    }
    if (options.command.empty()) {
        std::cerr << "skarvel: no command given (try --help)\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    bool help = false;
    if (!Parse(argc, argv, options, help)) return kUsage;
    if (help) {
        PrintHelp(std::cout);
        return kSuccess;
    }
    const CliCommand* command = nullptr;
    for (const CliCommand& candidate : kCliCommands)
        if (options.command == candidate.name) command = &candidate;
    if (command == nullptr) {
        std::cerr << "skarvel: unknown command " << options.command << " (try --help)\n";
        return kUsage;
    }
    if (options.operands.size() < command->minOperands) {
        std::cerr << "skarvel: usage: skarvel " << command->usage << "\n";
        return kUsage;
    }

    if (options.root.empty()) options.root = DefaultRoot(argv[0]);
    std::error_code ec;
    const fs::path root = fs::absolute(fs::path(options.root), ec).lexically_normal();
    if (ec || !fs::is_directory(root, ec)) {
        std::cerr << "skarvel: root directory " << options.root << " does not exist\n";
        return kUsage;
    }
    // Resolve the project path before moving to the root.
    CliOptions resolved = options;
    resolved.operands[0] = ProjectPath(options);
    if (!fs::is_regular_file(resolved.operands[0], ec)) {
        std::cerr << "skarvel: cannot read the project file " << resolved.operands[0] << "\n";
        return kUsage;
    }
    fs::current_path(root, ec);
    if (ec) {
        std::cerr << "skarvel: cannot change to the root directory " << root.string() << "\n";
        return kUsage;
    }
    std::string rootText = root.string();
    while (rootText.size() > 1 && rootText.back() == '/') rootText.pop_back();
    Session session(rootText);
    const int status = command->run(session, resolved);
    session.Send(50);
    return status;
}
