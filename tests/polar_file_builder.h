// Builds polar database files byte by byte for the loader and lookup
// tests: grids, angles and coefficients from given functions, with access
// to the raw bytes so that a test can damage a file on purpose.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "compute/binary_file.h"
#include "compute/engine_state.h"
#include "compute/polar_tables.h"
#include "tests/test_support.h"

namespace polar_builder {

using Coefficient = std::function<float(float tc, float camb, float rey, float mach, float deg)>;

struct PolarContent {
    std::vector<float> mach{0.0f, 0.5f, 0.8f};
    std::vector<float> rey{1e5f, 1e6f};
    std::vector<float> tc{0.06f, 0.12f, 0.18f};
    std::vector<float> camb{0.0f, 0.02f, 0.04f, 0.06f};
    std::vector<float> liftDeg{-8, -4, 0, 4, 8, 12};
    std::vector<float> dragDeg{-8, -4, 0, 4, 8, 12};
    // Multilinear in t/c, camber, Reynolds number and Mach number, linear in
    // angle: every interpolation of the lookups reproduces them exactly.
    Coefficient lift = [](float t, float c, float re, float m, float a) {
        return 0.1f * a + 10.0f * c - 0.5f * t + 1e-7f * re + 0.3f * m * (1.0f + 0.05f * a);
    };
    Coefficient drag = [](float t, float c, float re, float m, float a) {
        return 0.01f + 0.02f * t + 0.1f * c * t - 2e-9f * re + 0.01f * m + 0.0004f * a * a;
    };
    // When set, the last lift coefficient of the file is adjusted so that
    // the lift checksum equals *balanceTo.
    const int32_t* balanceTo = nullptr;
};

struct Bytes {
    std::vector<unsigned char> data;
    void Int(int32_t v) { Raw(&v); }
    void Float(float v) { Raw(&v); }
    void Raw(const void* p) {
        const auto* b = static_cast<const unsigned char*>(p);
        data.insert(data.end(), b, b + 4);
    }
    void SetInt(std::size_t item, int32_t v) { std::memcpy(&data[item * 4], &v, 4); }
    void SetFloat(std::size_t item, float v) { std::memcpy(&data[item * 4], &v, 4); }
    float GetFloat(std::size_t item) const {
        float v;
        std::memcpy(&v, &data[item * 4], 4);
        return v;
    }
    void Save(const std::string& path) const {
        skarvel_test::WriteFile(path, std::string(data.begin(), data.end()));
    }
};

// Index (in 4-byte items) of the first record key of set 1.
inline std::size_t FirstRecordItem(const PolarContent& s) {
    return 5 + s.mach.size() + s.rey.size() + s.tc.size() + s.camb.size() + 2 +
           s.liftDeg.size() + s.dragDeg.size();
}

inline Bytes Build(const PolarContent& s) {
    Bytes b;
    b.Int(7767223);
    b.Int(static_cast<int32_t>(s.mach.size()));
    b.Int(static_cast<int32_t>(s.rey.size()));
    b.Int(static_cast<int32_t>(s.tc.size()));
    b.Int(static_cast<int32_t>(s.camb.size()));
    for (const auto* g : {&s.mach, &s.rey, &s.tc, &s.camb})
        for (float v : *g) b.Float(v);
    for (const auto* a : {&s.liftDeg, &s.dragDeg}) {
        b.Int(static_cast<int32_t>(a->size()));
        for (float v : *a) b.Float(v);
    }
    int32_t sum = 0;
    std::size_t lastLift = 0;
    for (int set = 1; set <= 2; ++set) {
        const auto& angles = set == 1 ? s.liftDeg : s.dragDeg;
        const auto& f = set == 1 ? s.lift : s.drag;
        for (float t : s.tc)
            for (float c : s.camb)
                for (float re : s.rey) {
                    b.Float(t);
                    b.Float(c);
                    b.Float(re);
                    for (float a : angles) {
                        b.Float(a);
                        for (float m : s.mach) {
                            const float v = f(t, c, re, m, a);
                            if (set == 1) {
                                sum = polar_checksum_add(sum, v);
                                lastLift = b.data.size() / 4;
                            }
                            b.Float(v);
                        }
                    }
                }
    }
    if (s.balanceTo != nullptr) {
        const float old = b.GetFloat(lastLift);
        const int32_t rest = sum - static_cast<int32_t>(old * 256.0f);
        b.SetFloat(lastLift, static_cast<float>(*s.balanceTo - rest) / 256.0f);
    }
    return b;
}

// The engine's output and error files in the test's scratch directory,
// closed (and their text readable) on Close or destruction; fresh status and
// no tables at the start.
struct EngineFiles {
    std::string dir = skarvel_test::ScratchDir();
    EngineFiles() {
        OUTPUT_FILE.open(dir + "out.txt", std::ios::trunc);
        ERROR_FILE.open(dir + "err.txt", std::ios::trunc);
        except_ = 0;
        release_polar_tables();
    }
    ~EngineFiles() { Close(); }
    void Close() {
        if (OUTPUT_FILE.is_open()) OUTPUT_FILE.close();
        if (ERROR_FILE.is_open()) ERROR_FILE.close();
        POLAR_FILE.close();
    }
    std::string Output() {
        OUTPUT_FILE.flush();
        return skarvel_test::ReadFile(dir + "out.txt");
    }
    std::string Error() {
        ERROR_FILE.flush();
        return skarvel_test::ReadFile(dir + "err.txt");
    }
    // Saves `bytes` as the polar file and opens it as the driver does.
    std::string Open(const Bytes& bytes, const std::string& name = "polar.bin") {
        bytes.Save(dir + name);
        POLAR_FILE.open((dir + name).c_str(), "rb");
        return dir + name;
    }
};

}  // namespace polar_builder
