// Gauss-Legendre rules of 5, 7 and 9 points on [-1, 1] for the radial
// integrals, and the Gauss radii of the blade.
#pragma once

// Points gauss_ at the rule of `points` nodes. False (gauss_ unchanged) for
// any count other than 5, 7 or 9.
bool SelectGaussRule(int points);

// Radius of Gauss node t on the blade: x = 1 - (1 - t)(1 - xhub)/2.
float GaussRadius(float node, float xhub);
