#include "compute/gauss_rule.h"

#include "compute/engine_state.h"

namespace {

// Nodes ascending, weights in the same order, five decimals.
const float kNodes5[5] = {-0.90617f, -0.53846f, 0.0f, 0.53846f, 0.90617f};
const float kWeights5[5] = {0.23692f, 0.47862f, 0.56888f, 0.47862f, 0.23692f};
const float kNodes7[7] = {-0.9491f, -0.74153f, -0.40584f, 0.0f, 0.40584f, 0.74153f, 0.9491f};
const float kWeights7[7] = {0.12948f, 0.2797f, 0.38183f, 0.41795f, 0.38183f, 0.2797f, 0.12948f};
const float kNodes9[9] = {-0.96816f, -0.83603f, -0.61337f, -0.32425f, 0.0f,
                          0.32425f,  0.61337f,  0.83603f,  0.96816f};
const float kWeights9[9] = {0.08127f, 0.18064f, 0.26061f, 0.31234f, 0.33023f,
                            0.31234f, 0.26061f, 0.18064f, 0.08127f};

}  // namespace

bool SelectGaussRule(int points) {
    switch (points) {
        case 5: gauss_.GABSC = kNodes5; gauss_.GWGHT = kWeights5; break;
        case 7: gauss_.GABSC = kNodes7; gauss_.GWGHT = kWeights7; break;
        case 9: gauss_.GABSC = kNodes9; gauss_.GWGHT = kWeights9; break;
        default: return false;
    }
    gauss_.NGAUSS = points;
    return true;
}

float GaussRadius(float node, float xhub) { return 1.0f - (1.0f - node) * (1.0f - xhub) / 2.0f; }
