#include "compute/linear_solve.h"

#include <cmath>
#include <utility>

#include "compute/engine_state.h"
#include "compute/lifting_line.h"

namespace {

constexpr float kTiny = 1e-6f;

// Column-major view of the system of unknowns lo..n.
class SystemView {
public:
    SystemView(float* a, int n, int lo) : a_(a), lo_(lo), ld_(n - lo + 1) {}
    float& at(int row, int col) { return a_[(col - lo_) * ld_ + (row - lo_)]; }

private:
    float* a_;
    int lo_;
    int ld_;
};

// True when the system fits the working storage; otherwise reports it.
bool CheckSize(int n, int lo) {
    const int size = n - lo + 1;
    if ((lo == 0 || lo == 1) && size >= 1 && size <= kMaxUnknowns) return true;
    ERROR_FILE << "\n\n          LINEAR SYSTEM OF " << size << " UNKNOWNS (LOWER BOUND " << lo
               << ") OUTSIDE 1.." << kMaxUnknowns << "-PROGRAM HALTED";
    except_ = 1;
    return false;
}

void ReportSingular() {
    ERROR_FILE << "\n\n          SINGULAR MATRIX ERROR-PROGRAM HALTED";
    except_ = 8;
}

}  // namespace

int matrix_(int* n, float* A, float* b, float* x, int* lo, int* pivots) {
    const int last = *n;
    const int first = *lo;
    if (!CheckSize(last, first)) return 0;
    SystemView a(A, last, first);
    auto rhs = [&](int i) -> float& { return b[i - first]; };

    for (int k = first; k <= last; ++k) {
        // The first acceptable pivot, not the largest.
        int r = k;
        while (r <= last && std::fabs(a.at(r, k)) < kTiny) ++r;
        if (r > last) {
            ReportSingular();
            return 0;
        }
        pivots[k - first] = r;
        if (r != k) {
            for (int c = k; c <= last; ++c) std::swap(a.at(k, c), a.at(r, c));
            std::swap(rhs(k), rhs(r));
        }
        for (int i = k + 1; i <= last; ++i) {
            const float f = a.at(i, k) / a.at(k, k);
            if (std::fabs(a.at(i, k)) >= kTiny)
                for (int c = k + 1; c <= last; ++c) a.at(i, c) -= f * a.at(k, c);
            rhs(i) -= f * rhs(k);
            a.at(i, k) = f;
        }
    }
    for (int k = last; k >= first; --k) {
        if (std::fabs(a.at(k, k)) < kTiny) {
            ReportSingular();
            return 0;
        }
        for (int i = first; i < k; ++i) {
            const float f = a.at(i, k) / a.at(k, k);
            rhs(i) -= f * rhs(k);
            a.at(i, k) = f;
        }
    }
    for (int i = first; i <= last; ++i) x[i - first] = rhs(i) / a.at(i, i);
    return 0;
}

int solve_(int* n, int* lo, float* A, float* b, int* pivots, float* x) {
    const int last = *n;
    const int first = *lo;
    if (!CheckSize(last, first)) return 0;
    SystemView a(A, last, first);
    auto rhs = [&](int i) -> float& { return b[i - first]; };

    for (int k = first; k <= last; ++k) {
        const int r = pivots[k - first];
        if (r < k || r > last) {
            ERROR_FILE << "\n\n          PIVOT RECORD " << r << " OF ROW " << k
                       << " IS NOT A FACTORED SYSTEM-PROGRAM HALTED";
            except_ = 1;
            return 0;
        }
        if (r != k) std::swap(rhs(k), rhs(r));
        for (int i = k + 1; i <= last; ++i) rhs(i) -= a.at(i, k) * rhs(k);
    }
    for (int k = last; k >= first; --k)
        for (int i = first; i < k; ++i) rhs(i) -= a.at(i, k) * rhs(k);
    for (int i = first; i <= last; ++i) x[i - first] = rhs(i) / a.at(i, i);
    return 0;
}
