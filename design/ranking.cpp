// The ranking of the design candidates and the reader of the ideal
// efficiencies of the optimum-loading run.
#include "design/ranking.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>

#include "design/desutil.h"
#include "design/except.h"
#include "design/getperf.h"
#include "design/operation_trace.h"

namespace {

constexpr const char* kSource = "../../design/ranking";

// The third blank-separated word of `line`, or null.
const char* ThirdWord(const char* line, std::string& word) {
    const char* p = line;
    for (int w = 0; w < 3; ++w) {
        while (*p == ' ' || *p == '\t') ++p;
        if (*p == '\0' || *p == '\n' || *p == '\r') return nullptr;
        const char* start = p;
        while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;
        if (w == 2) word.assign(start, p);
    }
    return word.c_str();
}

}  // namespace

void OrderByFigureOfMerit(const ERR_RMS* errRms, int n, int* order) {
    if (n <= 0) return;
    std::iota(order, order + n, 0);
    std::stable_sort(order, order + n,
                     [errRms](int a, int b) { return errRms[a].rms < errRms[b].rms; });
}

void BuildDesignFile::Rank_Propeller_Geometries(const float* idealEfficiencies,
                                                const float* results, const int& n,
                                                const Operating_Point* points, ERR_RMS* errRms,
                                                int* order) {
    SKARVEL_TRACE_OPERATION("BuildDesignFile::Rank_Propeller_Geometries", kSource);
    if (n < 1 || n > kMaxOperatingPoints) {
        const std::string message = "Number of design candidates n = " + std::to_string(n) +
                                    " is outside 1 to " + std::to_string(kMaxOperatingPoints);
        MessageBoxFyi(windowHandle, message.c_str(), "Cannot rank the design candidates", 0,
                      kSource, __LINE__);
        return;
    }
    int replacement = 0;  // kept from point to point and candidate to candidate
    for (int i = 0; i < n; ++i) {
        float sum = 0.0f;
        int failures = 0;
        for (int j = 0; j < n; ++j) {
            float v = results[i * n + j];
            if (v > kFailedEfficiency) {
                ++failures;
                for (int k = 0; k < n; ++k)
                    if (v > results[k * n + j]) replacement = k;
                v = results[replacement * n + j];
            }
            // A weight of 0 would divide by zero; it counts as the neutral 1.
            const int weight = points[j].weight != 0 ? points[j].weight : 1;
            const float d = (v - idealEfficiencies[j]) / static_cast<float>(weight);
            sum = static_cast<float>(sum + d * d);
        }
        const float share = static_cast<float>(failures) / static_cast<float>(n);
        float rms = share < kFailureShare ? std::sqrt(sum / static_cast<float>(n))
                                          : kFailedFigureOfMerit;
        if (!std::isfinite(rms)) rms = kFailedFigureOfMerit;
        errRms[i].rms = rms;
        errRms[i].failures = failures;
    }
    OrderByFigureOfMerit(errRms, n, order);
}

int BuildDesignFile::Get_Opt_Efficiencies(const std::string& outputPath,
                                          float* idealEfficiencies) {
    SKARVEL_TRACE_OPERATION("BuildDesignFile::Get_Opt_Efficiencies", kSource);
    char line[kScanLineBuffer];
    Scan_opt scanner(outputPath, Key{"EFFICIENCY   = ", 1, 0}, line);
    int count = 0;
    while (scanner.Search_For_KEY() == 0) {
        std::string word;
        const char* text = ThirdWord(line, word);
        char* end = nullptr;
        const float value = text ? std::strtof(text, &end) : 0.0f;
        if (text == nullptr || end == text) {
            const std::string message =
                std::string("Efficiency line without a number: \"") + line + "\" in " + outputPath;
            MessageBoxFyi(windowHandle, message.c_str(), "Ideal efficiency not read", 0, kSource,
                          __LINE__);
            break;
        }
        if (count == kMaxOperatingPoints) {
            const std::string message = outputPath + " holds more than " +
                                        std::to_string(kMaxOperatingPoints) +
                                        " efficiencies; the rest are ignored";
            MessageBoxFyi(windowHandle, message.c_str(), "Too many efficiencies", 0, kSource,
                          __LINE__);
            break;
        }
        idealEfficiencies[count++] = value;
    }
    return count;
}
