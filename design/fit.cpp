#include "design/fit.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "design/except.h"

namespace {

constexpr const char* kSource = "../../design/fit";
constexpr double kCurvePi = 3.141593;  // pi of the cosine parameter spacing
constexpr int kMinStations = 3;        // the hub and tip rules use three stations

void Notice(const std::string& message, int line) {
    MessageBoxFyi(getGlobalHandle(), message.c_str(), "Geometry smoothing", 0, kSource, line);
}

}  // namespace

// ---- B_Spline ---------------------------------------------------------

B_Spline::B_Spline(int controlPoints, int degree, int outputPoints, Distribution distribution)
    : m_(outputPoints), nc_(controlPoints - 1), t_(degree + 1), distribution_(distribution) {
    if (controlPoints < 1) {
        Notice("control points = " + std::to_string(controlPoints) + ": a curve needs at least 1",
               __LINE__);
        return;
    }
    if (degree < 0 || degree > nc_) {
        Notice("curve degree = " + std::to_string(degree) + ": must lie in 0.." +
                   std::to_string(nc_) + " for " + std::to_string(controlPoints) +
                   " control points",
               __LINE__);
        return;
    }
    if (distribution != COSINE_SPACING && distribution != UNIFORM_SPACING) {
        Notice("parameter distribution = " + std::to_string(static_cast<int>(distribution)) +
                   ": must be 0 (cosine) or 1 (uniform)",
               __LINE__);
        return;
    }
    if (outputPoints < 0) {
        Notice("output points = " + std::to_string(outputPoints) + ": must not be negative",
               __LINE__);
        return;
    }
    valid_ = true;

    knots_.resize(static_cast<std::size_t>(nc_ + t_ + 1));
    for (int i = 0; i <= nc_ + t_; ++i) {
        if (i < t_)
            knots_[i] = 0;
        else if (i <= nc_)
            knots_[i] = i - t_ + 1;
        else
            knots_[i] = nc_ - t_ + 2;
    }
    compute_intervals();
    if (m_ < 2) return;
    N_.assign(static_cast<std::size_t>(nc_ + 1) * (m_ - 1), 0.0);
    std::vector<double> table;
    for (int j = 0; j <= m_ - 2; ++j) {
        blend_table(u_[j], t_, table);
        for (int i = 0; i <= nc_; ++i) N_[static_cast<std::size_t>(i) * (m_ - 1) + j] = table[i];
    }
}

void B_Spline::compute_intervals() {
    u_.assign(static_cast<std::size_t>(std::max(m_, 0)), 0.0);
    if (m_ < 2) return;
    const double s = nc_ - t_ + 2;  // the last knot
    for (int j = 1; j < m_; ++j) {
        if (distribution_ == COSINE_SPACING)
            u_[j] = s * (1.0 - std::cos(j * kCurvePi / (m_ - 1))) / 2.0;
        else
            u_[j] = j * s / (m_ - 1);
    }
}

void B_Spline::blend_table(double u, int order, std::vector<double>& table) const {
    // Order 1 over the knot spans, then each order k in place from order
    // k - 1: N_{i,k} needs N_{i,k-1} and N_{i+1,k-1}, which an ascending
    // sweep still holds unchanged.
    const int knotCount = static_cast<int>(knots_.size());
    table.assign(static_cast<std::size_t>(knotCount - 1), 0.0);
    for (int i = 0; i + 1 < knotCount; ++i)
        table[i] = (knots_[i] <= u && u < knots_[i + 1]) ? 1.0 : 0.0;
    for (int k = 2; k <= order; ++k) {
        for (int i = 0; i + k < knotCount; ++i) {
            double value = 0.0;
            const int d1 = knots_[i + k - 1] - knots_[i];
            const int d2 = knots_[i + k] - knots_[i + 1];
            if (d1 != 0) value = (u - knots_[i]) / d1 * table[i];
            if (d2 != 0) value += (knots_[i + k] - u) / d2 * table[i + 1];
            table[i] = value;
        }
    }
}

double B_Spline::blend(int i, int k, double u) const {
    if (!valid_ || k < 1 || k > t_ || i < 0 || i + k >= static_cast<int>(knots_.size()))
        return 0.0;
    std::vector<double> table;
    blend_table(u, k, table);
    return table[i];
}

void B_Spline::compute_point(int j, const double* x, const double* y, const double* z,
                             double* px, double* py, double* pz) const {
    double sx = 0.0, sy = 0.0, sz = 0.0;
    if (valid_ && j >= 0 && j <= m_ - 2) {
        for (int i = 0; i <= nc_; ++i) {
            const double b = basis(i, j);
            sx += x[i] * b;
            sy += y[i] * b;
            sz += z[i] * b;
        }
    }
    *px = sx;
    *py = sy;
    *pz = sz;
}

void B_Spline::bspline(const double* x, const double* y, const double* z,
                       double* xo, double* yo, double* zo) const {
    if (!valid_ || m_ < 1) return;
    for (int j = 0; j <= m_ - 2; ++j) compute_point(j, x, y, z, &xo[j], &yo[j], &zo[j]);
    xo[m_ - 1] = x[nc_];
    yo[m_ - 1] = y[nc_];
    zo[m_ - 1] = z[nc_];
}

// ---- FitGeometry ------------------------------------------------------

namespace {

// Curves of a fitter whose stations were refused: valid, empty, never used.
int CurveControlPoints(int stations) { return stations >= kMinStations ? stations + 2 : 1; }
int CamberDegree(int stations) { return stations >= kMinStations ? stations : 0; }
int ShapeDegree(int stations) { return stations >= kMinStations ? std::min(stations, 4) : 0; }
int CurveOutputs(int stations, int outputs) {
    return stations >= kMinStations && outputs >= 2 ? outputs : 0;
}

}  // namespace

FitGeometry::FitGeometry(int& status, Propeller_geom** input, Propeller_geom** output,
                         int stations, float hubRatio, int outputPoints, int geometries)
    : status_(status),
      input_(input),
      output_(output),
      n_(stations),
      geometries_(geometries),
      m_(outputPoints),
      hubRatio_(hubRatio),
      camberCurve_(CurveControlPoints(stations), CamberDegree(stations),
                   CurveOutputs(stations, outputPoints), COSINE_SPACING),
      shapeCurve_(CurveControlPoints(stations), ShapeDegree(stations),
                  CurveOutputs(stations, outputPoints), COSINE_SPACING) {
    if (n_ < kMinStations) {
        Notice("stations per geometry = " + std::to_string(n_) +
                   ": smoothing needs at least 3 to extend a geometry to hub and tip",
               __LINE__);
        return;
    }
    if (m_ < 2) {
        Notice("output points = " + std::to_string(m_) + ": smoothing needs at least 2 (hub and tip)",
               __LINE__);
        return;
    }
    if (geometries_ < 0 || (geometries_ > 0 && (input_ == nullptr || output_ == nullptr))) {
        Notice("geometries = " + std::to_string(geometries_) +
                   ": must not be negative and needs input and output storage",
               __LINE__);
        return;
    }
    const std::size_t controls = static_cast<std::size_t>(n_) + 2;
    for (auto* v : {&radius_, &chord_, &camber_, &thickness_, &twist_, &zero_})
        v->assign(controls, 0.0);
    for (auto* v : {&xOut_, &yOut_, &zOut_}) v->assign(static_cast<std::size_t>(m_), 0.0);
    ready_ = true;
}

void FitGeometry::Fit() {
    for (int g = 0; g < geometries_; ++g) fit_data(g);
}

bool FitGeometry::fit_data(int index) {
    if (!ready_) return false;
    if (index < 0 || index >= geometries_ || input_[index] == nullptr || output_[index] == nullptr) {
        Notice("geometry index = " + std::to_string(index) + ": must lie in 0.." +
                   std::to_string(geometries_ - 1) + " and have storage",
               __LINE__);
        return false;
    }
    const Propeller_geom* stations = input_[index];
    for (int k = 1; k <= n_; ++k) {
        const Propeller_geom& s = stations[k - 1];
        radius_[k] = s.radius;
        chord_[k] = s.chordRatio;
        camber_[k] = s.camber;
        thickness_[k] = s.thicknessRatio;
        twist_[k] = s.twist;
    }
    extrapolate_hub_and_tip_values();
    perform_bSpline_smoothing(index);
    return true;
}

double FitGeometry::linear_extrapolation(int i, int j, double x, const double* values) const {
    const double dr = radius_[i] - radius_[j];
    const float slope = dr != 0.0 ? static_cast<float>((values[i] - values[j]) / dr) : 0.0f;
    return values[i] + slope * (x - radius_[i]);
}

double FitGeometry::poly(double x, int count, const double* coefficients) {
    float sum = 0.0f;
    for (int k = 0; k < count; ++k) sum += static_cast<float>(coefficients[k] * std::pow(x, k));
    return sum;
}

void FitGeometry::extrapolate_hub_and_tip_values() {
    const int n = n_;
    const int tip = n + 1;
    const double r0 = hubRatio_;
    radius_[0] = r0;
    radius_[tip] = 1.0;

    // A chord cannot become negative at the tip; the hub keeps the first chord.
    chord_[tip] = std::min(linear_extrapolation(n, n - 1, 1.0, chord_.data()),
                           linear_extrapolation(n, n - 2, 1.0, chord_.data()));
    if (chord_[tip] < 0.0) chord_[tip] = 0.0;
    chord_[0] = chord_[1];

    camber_[0] = std::min(camber_[1], camber_[2]);
    camber_[tip] = std::min(camber_[n - 1], camber_[n]);

    thickness_[tip] = std::min(linear_extrapolation(n, n - 1, 1.0, thickness_.data()),
                               linear_extrapolation(n, n - 2, 1.0, thickness_.data()));
    if (thickness_[tip] < 0.0) thickness_[tip] = 0.01;
    thickness_[0] = std::min(linear_extrapolation(1, 2, r0, thickness_.data()),
                             linear_extrapolation(1, 3, r0, thickness_.data()));

    twist_[tip] = linear_extrapolation(n, n - 2, 1.0, twist_.data());
    twist_[0] = linear_extrapolation(1, 3, r0, twist_.data());
}

void FitGeometry::perform_bSpline_smoothing(int index) {
    Propeller_geom* out = output_[index];
    camberCurve_.bspline(radius_.data(), camber_.data(), zero_.data(), xOut_.data(), yOut_.data(),
                         zOut_.data());
    for (int i = 0; i < m_; ++i) {
        out[i].radius = static_cast<float>(xOut_[i]);
        out[i].camber = static_cast<float>(yOut_[i]);
    }
    shapeCurve_.bspline(radius_.data(), chord_.data(), zero_.data(), xOut_.data(), yOut_.data(),
                        zOut_.data());
    for (int i = 0; i < m_; ++i) out[i].chordRatio = static_cast<float>(yOut_[i]);
    shapeCurve_.bspline(radius_.data(), thickness_.data(), zero_.data(), xOut_.data(),
                        yOut_.data(), zOut_.data());
    for (int i = 0; i < m_; ++i) out[i].thicknessRatio = static_cast<float>(yOut_[i]);
    shapeCurve_.bspline(radius_.data(), twist_.data(), zero_.data(), xOut_.data(), yOut_.data(),
                        zOut_.data());
    for (int i = 0; i < m_; ++i) out[i].twist = static_cast<float>(yOut_[i]);
}
