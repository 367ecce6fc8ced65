// Compares the JNI client's runs on the Linux and the Windows library, file
// by file, and tells how far they agree.
//
//   compare_runs <Linux run directory> <Windows run directory>
//
// Both directories must hold the same files. Before comparing, each text is
// freed of what must differ: line ends, the root and run directories as each
// front end sends them (and the Linux form of the root, which the projects'
// own absolute paths use), the build stamp that heads every log notice, the
// Windows library's trace notices and the time of the run in the design
// report. Lines must then be equal except for numbers, and two numbers agree
// when they are equal or lie within what the two C runtimes' mathematical
// functions (which round their last bits differently) make of an iterated
// single-precision computation: two units of the last printed digit, a
// relative 1e-5, or 1e-4 absolute for the small convergence residuals.
// Prints every disagreement and a summary of the numbers that differ; the
// exit status is 0 only when everything agrees.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

struct SentPaths {
    std::string root;
    std::string run;
};

SentPaths ReadSentPaths(const fs::path& run) {
    const std::vector<std::string> lines = SplitLines(ReadWhole(run / "sent_paths.txt"));
    if (lines.size() < 2) {
        std::cerr << "compare_runs: " << (run / "sent_paths.txt") << " lacks its two paths\n";
        std::exit(2);
    }
    return {lines[0], lines[1]};
}

std::string Normalized(std::string text, const SentPaths& sent, const std::string& linuxRoot) {
    ReplaceAll(text, "\r\n", "\n");
    ReplaceAll(text, sent.run, "<RUN>");
    ReplaceAll(text, sent.root, "<ROOT>");
    ReplaceAll(text, linuxRoot, "<ROOT>");
    ReplaceAll(text, "<RUN>\\", "<RUN>/");
    ReplaceAll(text, "<ROOT>\\", "<ROOT>/");
    static const std::regex stamp(
        "[A-Z][a-z][a-z] [ 0-9][0-9] [0-9]{4}:[0-9]{2}:[0-9]{2}:[0-9]{2}>>");
    text = std::regex_replace(text, stamp, "<BUILD>>>");
    static const std::regex trace("<BUILD>>> in file:[^\n]* at line:[0-9]+\n"
                                  "(ENTERED|COMPLETED): ;[^\n]*\n");
    text = std::regex_replace(text, trace, "");
    static const std::regex runTime(
        "(completed on \\(DD/MM/YY\\) *: )[0-9]{2}:[0-9]{2}/[0-9]{2}/[0-9]{2}");
    return std::regex_replace(text, runTime, "$1<TIME>");
}

// A line cut into its numbers and the text between them.
struct Pieces {
    std::vector<std::string> texts;
    std::vector<std::string> numbers;
};

Pieces Cut(const std::string& line) {
    static const std::regex number("[-+]?([0-9]+\\.[0-9]*|\\.[0-9]+|[0-9]+)([eE][-+]?[0-9]+)?");
    Pieces pieces;
    std::size_t last = 0;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), number);
         it != std::sregex_iterator(); ++it) {
        pieces.texts.push_back(line.substr(last, it->position() - last));
        pieces.numbers.push_back(it->str());
        last = it->position() + it->length();
    }
    pieces.texts.push_back(line.substr(last));
    return pieces;
}

// The value of one unit of the last printed digit of `number`.
double LastDigitUnit(const std::string& number) {
    const auto exponentAt = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, exponentAt);
    const int exponent = exponentAt == std::string::npos ? 0 : std::atoi(number.c_str() + exponentAt + 1);
    const auto dot = mantissa.find('.');
    const int decimals = dot == std::string::npos ? 0 : static_cast<int>(mantissa.size() - dot - 1);
    return std::pow(10.0, exponent - decimals);
}

bool NumbersAgree(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const double x = std::strtod(a.c_str(), nullptr);
    const double y = std::strtod(b.c_str(), nullptr);
    const double difference = std::fabs(x - y);
    const double unit = std::max(LastDigitUnit(a), LastDigitUnit(b));
    return difference <= 2.0 * unit * (1.0 + 1e-9) ||
           difference <= 1e-5 * std::max(std::fabs(x), std::fabs(y)) || difference <= 1e-4;
}

struct Tally {
    int failures = 0;
    int filesExact = 0;
    int filesClose = 0;
    int numbersDiffering = 0;
    double largestRelative = 0.0;
    std::string largestAt;
};

void CompareFile(const std::string& name, const std::string& linuxText,
                 const std::string& windowsText, Tally& tally) {
    if (linuxText == windowsText) {
        ++tally.filesExact;
        return;
    }
    const std::vector<std::string> a = SplitLines(linuxText);
    const std::vector<std::string> b = SplitLines(windowsText);
    if (a.size() != b.size()) {
        std::cout << "FAIL: " << name << " has " << a.size() << " lines on Linux and "
                  << b.size() << " on Windows\n";
        ++tally.failures;
        return;
    }
    bool fileAgrees = true;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        const Pieces p = Cut(a[i]);
        const Pieces q = Cut(b[i]);
        const std::string where = name + ":" + std::to_string(i + 1);
        if (p.texts != q.texts) {
            std::cout << "FAIL: " << where << " differs in its text\n  Linux:   " << a[i]
                      << "\n  Windows: " << b[i] << "\n";
            fileAgrees = false;
            continue;
        }
        for (std::size_t k = 0; k < p.numbers.size(); ++k) {
            if (p.numbers[k] == q.numbers[k]) continue;
            ++tally.numbersDiffering;
            if (!NumbersAgree(p.numbers[k], q.numbers[k])) {
                std::cout << "FAIL: " << where << " number " << p.numbers[k] << " on Linux, "
                          << q.numbers[k] << " on Windows\n";
                fileAgrees = false;
            }
            const double x = std::strtod(p.numbers[k].c_str(), nullptr);
            const double y = std::strtod(q.numbers[k].c_str(), nullptr);
            const double relative = std::fabs(x - y) / std::max({std::fabs(x), std::fabs(y), 1e-30});
            if (relative > tally.largestRelative) {
                tally.largestRelative = relative;
                tally.largestAt = where + " (" + p.numbers[k] + " / " + q.numbers[k] + ")";
            }
        }
    }
    if (fileAgrees) {
        ++tally.filesClose;
        std::cout << name << ": agrees within the last printed digits\n";
    } else {
        ++tally.failures;
    }
}

std::set<std::string> FilesBelow(const fs::path& run) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(run))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), run).generic_string());
    files.erase("sent_paths.txt");
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: compare_runs <Linux run directory> <Windows run directory>\n";
        return 2;
    }
    const fs::path linuxRun = argv[1];
    const fs::path windowsRun = argv[2];
    const SentPaths linuxSent = ReadSentPaths(linuxRun);
    const SentPaths windowsSent = ReadSentPaths(windowsRun);
    const std::set<std::string> linuxFiles = FilesBelow(linuxRun);
    const std::set<std::string> windowsFiles = FilesBelow(windowsRun);

    Tally tally;
    int transcripts = 0;
    for (const std::string& name : linuxFiles) {
        if (windowsFiles.count(name) == 0) {
            std::cout << "FAIL: " << name << " is missing from the Windows run\n";
            ++tally.failures;
            continue;
        }
        if (fs::path(name).extension() == ".transcript") ++transcripts;
        CompareFile(name,
                    Normalized(ReadWhole(linuxRun / name), linuxSent, linuxSent.root),
                    Normalized(ReadWhole(windowsRun / name), windowsSent, linuxSent.root), tally);
    }
    for (const std::string& name : windowsFiles) {
        if (linuxFiles.count(name) == 0) {
            std::cout << "FAIL: " << name << " is missing from the Linux run\n";
            ++tally.failures;
        }
    }
    if (transcripts == 0) {
        std::cout << "FAIL: no transcripts: run the JNI client on both libraries first\n";
        ++tally.failures;
    }

    std::cout << tally.filesExact << " file(s) agree exactly, " << tally.filesClose
              << " within the last printed digits; " << tally.numbersDiffering
              << " number(s) differ";
    if (tally.numbersDiffering > 0)
        std::cout << ", the largest relatively at " << tally.largestAt << " by "
                  << tally.largestRelative;
    std::cout << "\n";
    if (tally.failures > 0) {
        std::cout << tally.failures << " file(s) disagree\n";
        return 1;
    }
    std::cout << "the runs agree\n";
    return 0;
}
