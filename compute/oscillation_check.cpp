#include "compute/oscillation_check.h"

#include <cmath>

bool Check_for_oscillations(const int* start, const int* count, const float* tolerance,
                            const WrapAround<float>* ring, const float* factor) {
    const int s = *start;
    const int n = *count;
    if (n - s < 5) return false;

    const float latest = ring->read(n);
    float largest = latest;
    float smallest = latest;
    float sum = latest;
    for (int i = n - 1; i >= n - s + 1; --i) {
        const float value = ring->read(i);
        if (value > largest) largest = value;
        if (value < smallest) smallest = value;
        sum += std::fabs(value);
    }
    const float mean = sum / static_cast<float>(s + 1);
    return smallest < 0.0f && largest > 0.0f && *factor * *tolerance > mean &&
           mean > std::fabs(latest);
}
