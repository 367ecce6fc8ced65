// Smoothing of candidate blade geometries.
//
// A designed blade is known only at its interior stations. FitGeometry
// extends each geometry to the hub and the tip by simple extrapolation rules
// and passes every quantity through a clamped B-spline whose control points
// are the extended station values, giving a smooth geometry at a chosen
// number of points from hub to tip.
#pragma once

#include <vector>

#include "design/job_records.h"

// Spacing of the curve parameter values along the knot range.
enum Distribution {
    COSINE_SPACING = 0,   // clustered towards both ends
    UNIFORM_SPACING = 1,  // equal steps
};

// A clamped B-spline on integer knots, evaluated at a fixed set of parameter
// values. The basis table is built once by the constructor; `bspline` then
// turns any set of control values into output points.
class B_Spline {
public:
    // `controlPoints` control points (indices 0..controlPoints-1) of the given
    // degree, evaluated at `outputPoints` parameter values. A degree outside
    // 0..controlPoints-1, fewer than one control point or an unknown
    // distribution is refused with a notice; such a curve writes no output.
    B_Spline(int controlPoints, int degree, int outputPoints, Distribution distribution);

    bool valid() const { return valid_; }
    int output_points() const { return m_; }

    // Fills the parameter values u_0..u_{m-1} for the spacing.
    void compute_intervals();
    // Basis function N_{i,k}(u) of control point i and order k (Cox-de Boor
    // recursion on the knot vector; a term with a zero denominator is left out).
    double blend(int i, int k, double u) const;
    // Weighted sums of the control values at parameter value j (j < m - 1).
    void compute_point(int j, const double* x, const double* y, const double* z,
                       double* px, double* py, double* pz) const;
    // Output points 0..m-1 of the curve with control values x, y, z (each
    // controlPoints long) into xo, yo, zo (each m long). The last output
    // point is the last control point.
    void bspline(const double* x, const double* y, const double* z,
                 double* xo, double* yo, double* zo) const;

    const std::vector<int>& knots() const { return knots_; }
    const std::vector<double>& parameters() const { return u_; }
    // Basis value of control point i at parameter value j (j <= m - 2).
    double basis(int i, int j) const { return N_[static_cast<std::size_t>(i) * (m_ - 1) + j]; }

private:
    // N_{i,order}(u) for every i into table, built bottom-up from order 1;
    // gives the values of the recursion without repeating its sub-terms.
    void blend_table(double u, int order, std::vector<double>& table) const;

    int m_;             // output points
    int nc_;            // index of the last control point
    int t_;             // order = degree + 1
    Distribution distribution_;
    bool valid_ = false;
    std::vector<int> knots_;    // u_0..u_{nc+t}
    std::vector<double> u_;     // parameter values, m of them
    std::vector<double> N_;     // basis table [i][j], i = 0..nc, j = 0..m-2
};

class FitGeometry {
public:
    // `input` holds `geometries` arrays of `stations` interior stations each,
    // `output` as many arrays of `outputPoints` points (all owned by the
    // caller). `status` is kept for the caller and not otherwise used.
    // Fewer than three stations cannot be extended to hub and tip: that is
    // refused with a notice, and nothing is fitted.
    FitGeometry(int& status, Propeller_geom** input, Propeller_geom** output, int stations,
                float hubRatio, int outputPoints, int geometries);
    virtual ~FitGeometry() = default;
    FitGeometry(const FitGeometry&) = delete;
    FitGeometry& operator=(const FitGeometry&) = delete;

    // Fits every geometry in order.
    virtual void Fit();
    // Fits geometry `index`: copies its stations into the control arrays,
    // adds hub and tip values and smooths them into output[index]. Returns
    // false (with a notice for a bad index) when it cannot be fitted; the
    // output is then left as it was.
    virtual bool fit_data(int index);

    bool ready() const { return ready_; }
    int& status() const { return status_; }

    // Value at x of the line through (radius i, values[i]) and
    // (radius j, values[j]); the slope is rounded to single precision. Equal
    // radii give a flat line through values[i].
    double linear_extrapolation(int i, int j, double x, const double* values) const;
    // Sum of coefficients[k] * x^k for k < count, kept in single precision.
    static double poly(double x, int count, const double* coefficients);

private:
    void extrapolate_hub_and_tip_values();
    void perform_bSpline_smoothing(int index);

    int& status_;
    Propeller_geom** input_;
    Propeller_geom** output_;
    int n_;            // stations per input geometry
    int geometries_;
    int m_;            // output points
    float hubRatio_;
    bool ready_ = false;

    // Control values: index 0 hub, 1..n stations, n+1 tip.
    std::vector<double> radius_, chord_, camber_, thickness_, twist_, zero_;
    std::vector<double> xOut_, yOut_, zOut_;
    B_Spline camberCurve_;
    B_Spline shapeCurve_;
};
