// Random and mutated commands and project texts through the dispatcher:
// every one answers without crashing, and the host stays consistent.
// The job commands (53 to 56) are left out: they run whole engine jobs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "design/skarvel_main.h"
#include "tests/project_fixture.h"

using skarvel_test::Send;

namespace {

bool IsJobCommand(const std::string& command) {
    if (command.size() < 2) return false;
    const std::string head = command.substr(0, 2);
    return head == "53" || head == "54" || head == "55" || head == "56";
}

class Fuzzer {
public:
    explicit Fuzzer(unsigned seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string RandomBytes(int maxLength) {
        std::string text(static_cast<std::size_t>(Below(maxLength + 1)), '\0');
        for (char& c : text) c = static_cast<char>(Below(256));
        return text;
    }

    // Project text with a few random edits that the reader must survive.
    std::string Mutate(std::string text) {
        static const char* const kPieces[] = {"<", ">", "t", "-1", "<>", "<tqbfendrecord>",
                                              " ", "\n", "0", "999999999999"};
        const int edits = 1 + Below(6);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = static_cast<std::size_t>(Below(static_cast<int>(text.size())));
            switch (Below(6)) {
                case 0: text[at] = static_cast<char>(Below(256)); break;
                case 1: text.erase(at, static_cast<std::size_t>(1 + Below(40))); break;
                case 2: text.insert(at, kPieces[Below(10)]); break;
                case 3: text.insert(at, std::string(static_cast<std::size_t>(Below(400)), 'x')); break;
                case 4: text.insert(at, text.substr(at, static_cast<std::size_t>(Below(300)))); break;
                default: text.resize(at); break;
            }
        }
        return text;
    }

private:
    std::mt19937 random_;
};

void ExpectConsistentHost() {
    const CommandResult state = Send("81");
    EXPECT_EQ(std::count(state.text.begin(), state.text.end(), '\n'), 20);
    EXPECT_EQ(state.text.rfind("GoodDetlDesignSpec\n"), state.text.size() - 19);
}

TEST(DispatcherFuzz, RandomCommandsAnswer) {
    Fuzzer fuzz(20100721);
    static const char* const kPrefixes[] = {"50", "51", "52", "57", "58", "59", "60", "61",
                                            "63", "68", "80", "81", "62", "5", "", " 6"};
    for (int i = 0; i < 3000; ++i) {
        std::string command = (i % 2 == 0) ? fuzz.RandomBytes(48)
                                           : kPrefixes[fuzz.Below(16)] + fuzz.RandomBytes(64);
        if (IsJobCommand(command)) command[0] = 'x';
        const CommandResult result = Send(command);
        EXPECT_TRUE(result.code == 99 || (result.code >= 0 && result.code <= 81)) << result.code;
        if (i % 100 == 0) Send("63");
    }
    ExpectConsistentHost();
}

TEST(DispatcherFuzz, MutatedProjectTextsAnswer) {
    Fuzzer fuzz(1969);
    const std::string example = skarvel_test::ExampleText();
    const std::string dir = skarvel_test::ScratchDir();
    Send("68" + dir);
    Send("51" + dir + "fuzzed.prj");
    int accepted = 0;
    for (int i = 0; i < 2000; ++i) {
        const int code = Send("52" + fuzz.Mutate(example)).code;
        ASSERT_TRUE(code == 52 || code == 1) << code;
        if (code == 52) ++accepted;
        ExpectConsistentHost();
        if (i % 7 == 0) Send("57");
        if (i % 50 == 0) {
            Send("63");
            Send("61");
        }
        if (i % 500 == 499) {  // a fresh host now and then
            Send("50");
            Send("51" + dir + "fuzzed.prj");
        }
    }
    // Edits in the labels keep a project readable.
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 2000);
}

}  // namespace
