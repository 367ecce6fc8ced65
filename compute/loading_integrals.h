// Thrust and power integrals of a lifting-line design, the closed-form
// estimates of the light-loading optimum, and the activity factor.
//
// Gauss points f = 1..NGAUSS have node t_f, weight w_f (gauss_, stored from
// element 0) and radius x_f = 1 - (1 - XHUB)(1 - t_f)/2; arrays "at the
// Gauss points" hold element f-1 for point f. Coefficient vectors hold a_n at
// element n-1. kind 1 is thrust, 2 power.
#pragma once

// Loading coefficient of the rigid-helix design with coefficients a_n.
int ctorcz_(float* result, const float* nodes, const float* weights, int* kind, int* nblade,
            int* ngauss, float* coefficients, int* numm1, float* xhub, float* lambda, float* lamw,
            float* wbar, float* eps);

// Loading integral for the pitch angles tanb[0..NUM] at the grid points.
// mode 1: the coefficient of the given circulation; mode 0: the scale factor
// of the circulation that meets *prescribed. *firstCall 1 (re)interpolates the
// inflow arrays of behind_ to the Gauss radii and is then cleared.
int kcalc_(float* result, float* coefficients, float* prescribed, int* kind, int* mode,
           float* tanb, float* eps, int* firstCall);

// kappa = 1 - lambda^2 ln(1 + 1/lambda^2).
float fn_kiz__(float* lambda);
// E = (kappa + b lambda / 2) / kappa.
float fn_ekz__(float* lambda, float* kappa);
// Slope of the loading coefficient over the displacement velocity.
float fn_dcxz__(float* e, float* wbar, float* coefficient, int* kind);
// Signed square root: sqrt(x) for x >= 0, -sqrt(-x) otherwise.
float sqrtx(float* x);

// Activity factor 6250 (1 - XHUB)/2 sum_f w_f x_f^3 (c/D)_f over the
// *ngauss Gauss points (all three arrays from element 0).
int afcalz_(float* result, float* xhub, int* ngauss, float* chordRatio, const float* weights,
            float* radii);
