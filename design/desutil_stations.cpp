// The radial station counts of a job: the Gauss rule of the activity-factor
// integration (`ngauss`) and the lifting-line intervals (`num`) that the
// given stations can support.
#include <cmath>
#include <cstdio>

#include "design/desutil.h"
#include "design/except.h"

namespace {

constexpr const char* kSource = "../../design/desutil";
constexpr const char* kRadiusTitle = "Error in radius specification";

struct GaussRule {
    int points;
    float outermost;  // the outermost abscissa of the rule on [-1, 1]
};
constexpr GaussRule kGaussRules[] = {{9, 0.96816f}, {7, 0.9491f}, {5, 0.90617f}};

// Radius of the Gauss abscissa x on the blade from the hub to the tip.
float GaussRadius(float hub, float x) { return 1 - (1 - hub) * (1 - x) / 2; }

template <typename Station>
int NgaussOf(float hub, const Station* stations, int count, int handle) {
    if (count == 0) return 9;
    if (stations == nullptr || count < 0 || count > kMaxStations) return 0;
    const float first = stations[0].radius;
    const float last = stations[count - 1].radius;
    for (const GaussRule& rule : kGaussRules) {
        if (first <= GaussRadius(hub, -rule.outermost) && GaussRadius(hub, rule.outermost) <= last)
            return rule.points;
    }
    const GaussRule& coarsest = kGaussRules[2];
    char message[160];
    std::snprintf(message, sizeof message,
                  "Integration error: Radius MUST span the range  %f  to  %f",
                  GaussRadius(hub, -coarsest.outermost), GaussRadius(hub, coarsest.outermost));
    MessageBoxModal(handle, message, kRadiusTitle, 0, kSource, __LINE__);
    return 0;
}

template <typename Station>
int NumOf(float hub, const Station* stations, int resolution, int count, float pi, int handle) {
    int num = 10;
    if (count != 0) {
        if (stations == nullptr || count < 0 || count > kMaxStations) return 0;
        const float first = stations[0].radius;
        const float last = stations[count - 1].radius;
        float r1 = 0, r2 = 0;
        bool fits = false;
        for (num = 10; num >= 5; --num) {
            r1 = ((1 + hub) - std::cos(pi / num) * (1 - hub)) / 2;
            r2 = ((1 + hub) - std::cos((num - 1) * pi / num) * (1 - hub)) / 2;
            if (first <= r1 && r2 <= last) {
                fits = true;
                break;
            }
        }
        if (!fits) {
            char message[160];
            std::snprintf(message, sizeof message,
                          "Resolution error: Radius MUST span the range  %f  to  %f", r1, r2);
            MessageBoxModal(handle, message, kRadiusTitle, 0, kSource, __LINE__);
            return 0;
        }
        for (int i = 1; i < count; ++i) {
            if (!(stations[i].radius > stations[i - 1].radius)) {
                MessageBoxModal(handle, "Radius specification for detailed design must be monotonic",
                                kRadiusTitle, 0, kSource, __LINE__);
                return 0;
            }
        }
    }
    if (resolution == 0) return 5;
    if (resolution == 1) return num < 8 ? num : 8;
    return num;
}

}  // namespace

int BuildPerformanceFile::get_NGAUSS(const float& hub, const Propeller_geom* stations,
                                     const int& count) {
    return NgaussOf(hub, stations, count, windowHandle);
}

int BuildPerformanceFile::get_NGAUSS(const float& hub, const Loading_Profile* stations,
                                     const int& count) {
    return NgaussOf(hub, stations, count, windowHandle);
}

int BuildPerformanceFile::get_NUM(const float& hub, const Propeller_geom* stations,
                                  const int& resolutionIn, const int& count) {
    return NumOf(hub, stations, resolutionIn, count, PI, windowHandle);
}

int BuildPerformanceFile::get_NUM(const float& hub, const Loading_Profile* stations,
                                  const int& resolutionIn, const int& count) {
    return NumOf(hub, stations, resolutionIn, count, PI, windowHandle);
}
