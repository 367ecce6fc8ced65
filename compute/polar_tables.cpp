#include "compute/polar_tables.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "compute/binary_file.h"
#include "compute/engine_state.h"
#include "compute/rdhead.h"

PolarLayout polar_layout = PolarLayout::None;

namespace {
// Checksum of the default database data/naca4_polars.bin (printed by
// tools/polar_gen when it writes the database).
constexpr int32_t kDefaultDatabaseChecksum = 13376332;
}  // namespace

// 651, 3793064, -813 and -2335 are the databases the engine has always
// accepted; the last value is the default database.
const uint32_t kAcceptedPolarChecksums[] = {
    651u, 3793064u, static_cast<uint32_t>(-813), static_cast<uint32_t>(-2335),
    static_cast<uint32_t>(kDefaultDatabaseChecksum), 0xFFFFFFFFu};

PolarDims polar_dimensions(PolarLayout layout) {
    PolarDims dims{{2, 0, 0, 0, 0}, std::max(shape_.NALPHA[0], shape_.NALPHA[1])};
    if (layout == PolarLayout::Design) {
        dims.d[1] = shape_.NMACH;
        dims.d[2] = shape_.NREY;
        dims.d[3] = shape_.NCAMB;
    } else {
        dims.d[1] = shape_.NCAMB;
        dims.d[2] = shape_.NREY;
        dims.d[3] = shape_.NMACH;
    }
    dims.d[4] = shape_.NTC;
    return dims;
}

int32_t polar_checksum_add(int32_t sum, float coefficient) {
    const auto term = static_cast<int32_t>(coefficient * 256.0f);
    return static_cast<int32_t>(static_cast<uint32_t>(sum) + static_cast<uint32_t>(term));
}

namespace {

std::size_t element_count(const PolarDims& dims) {
    std::size_t n = static_cast<std::size_t>(dims.nangles);
    for (int32_t d : dims.d) n *= static_cast<std::size_t>(d);
    return n;
}

bool is_accepted(int32_t checksum, const uint32_t* accepted) {
    for (const uint32_t* c = accepted; c != nullptr && *c != 0xFFFFFFFFu; ++c)
        if (*c == static_cast<uint32_t>(checksum)) return true;
    return false;
}

void list_accepted(const uint32_t* accepted) {
    const char* sep = "";
    for (const uint32_t* c = accepted; c != nullptr && *c != 0xFFFFFFFFu; ++c) {
        OUTPUT_FILE << sep << static_cast<int32_t>(*c);
        sep = ", ";
    }
}

// Reads both sets into `data`; `perf` selects the axis order. Every
// failure clears the whole array, so that no partial table is ever used.
int read_tables(bool perf, float* data, const int (&d)[5], const uint32_t* checksums) {
    const PolarDims want = polar_dimensions(perf ? PolarLayout::Performance : PolarLayout::Design);
    const std::size_t count = element_count(want);
    bool dimsOk = data != nullptr;
    for (int k = 0; k < 5; ++k) dimsOk = dimsOk && d[k] == want.d[k];
    if (data == polar.get() && polar_size < count) dimsOk = false;
    if (!dimsOk) {
        ERROR_FILE << "Polar tables not read: array dimensions " << d[0] << " x " << d[1] << " x "
                   << d[2] << " x " << d[3] << " x " << d[4]
                   << " do not match the polar file's grid " << want.d[0] << " x " << want.d[1]
                   << " x " << want.d[2] << " x " << want.d[3] << " x " << want.d[4] << "\n";
        except_ = 1;
        POLAR_FILE.close();
        return 0;
    }
    auto fail = [&](int status) {
        std::fill(data, data + count, 0.0f);
        except_ = status;
        POLAR_FILE.close();
        return 0;
    };

    // Strides of the axes t/c, camber, Reynolds, Mach and angle (0-based).
    const std::size_t s1 = 1, s2 = 2, s3 = s2 * d[1], s4 = s3 * d[2], s5 = s4 * d[3],
                      s6 = s5 * d[4];
    const std::size_t camb = perf ? s2 : s4, rey = s3, mach = perf ? s4 : s2, tc = s5;

    int32_t checksum = 0;
    for (int set = 1; set <= 2; ++set) {
        const int32_t nalpha = shape_.NALPHA[set - 1];
        for (int32_t it = 1; it <= shape_.NTC; ++it)
            for (int32_t ic = 1; ic <= shape_.NCAMB; ++ic)
                for (int32_t ir = 1; ir <= shape_.NREY; ++ir) {
                    float key[3] = {0.0f, 0.0f, 0.0f};
                    POLAR_FILE >> key[0] >> key[1] >> key[2];
                    const float expected[3] = {shape_.TCDB[it - 1], shape_.CAMBDB[ic - 1],
                                               shape_.REYDB[ir - 1]};
                    if (POLAR_FILE.short_read()) {
                        OUTPUT_FILE << "\n POLAR FILE ENDS EARLY: NO RECORD FOR SET " << set
                                    << " AT THICKNESS TO CHORD, CAMBER AND REYNOLD NUMBERS  "
                                    << expected[0] << "  " << expected[1] << "  "
                                    << expected[2] << "\n";
                        return fail(4);
                    }
                    if (key[0] != expected[0] || key[1] != expected[1] ||
                        key[2] != expected[2]) {
                        OUTPUT_FILE << "\n EXPECTED: " << expected[0] << "  " << expected[1]
                                    << "  " << expected[2] << " BUT GOT:  " << key[0] << "  "
                                    << key[1] << "  " << key[2]
                                    << " FOR THICKNESS TO CHORD, CAMBER AND REYNOLD NUMBERS\n";
                        return fail(4);
                    }
                    const std::size_t base = (set - 1) * s1 + (ic - 1) * camb + (ir - 1) * rey +
                                             (it - 1) * tc;
                    for (int32_t ia = 1; ia <= nalpha; ++ia) {
                        float angle = 0.0f;
                        POLAR_FILE >> angle;
                        for (int32_t im = 1; im <= shape_.NMACH; ++im) {
                            float& value = data[base + (im - 1) * mach + (ia - 1) * s6];
                            POLAR_FILE >> value;
                            if (set == 1) checksum = polar_checksum_add(checksum, value);
                        }
                    }
                    if (POLAR_FILE.short_read()) {
                        OUTPUT_FILE << "\n POLAR FILE ENDS EARLY: RECORD OF SET " << set
                                    << " AT THICKNESS TO CHORD, CAMBER AND REYNOLD NUMBERS  "
                                    << expected[0] << "  " << expected[1] << "  "
                                    << expected[2] << " IS INCOMPLETE\n";
                        return fail(4);
                    }
                }
        if (set == 1 && !is_accepted(checksum, checksums)) {
            OUTPUT_FILE << "\n POLAR FILE NOT ACCEPTED: CHECKSUM OF THE LIFT TABLES IS "
                        << checksum << ", NOT ONE OF ";
            list_accepted(checksums);
            OUTPUT_FILE << "\n";
            return fail(4);
        }
    }
    POLAR_FILE.close();
    return 0;
}

}  // namespace

int read_all_perf(int* /*unused*/, float* data, int& d1, int& d2, int& d3, int& d4, int& d5,
                  const uint32_t* checksums) {
    return read_tables(true, data, {d1, d2, d3, d4, d5}, checksums);
}

int read_all_des__(int* /*unused*/, float* data, int& d1, int& d2, int& d3, int& d4, int& d5,
                   const uint32_t* checksums) {
    return read_tables(false, data, {d1, d2, d3, d4, d5}, checksums);
}

void release_polar_tables() {
    polar.reset();
    polar_size = 0;
    polar_layout = PolarLayout::None;
}

int ensure_polar_tables(PolarLayout layout, bool* loadPolarDatabase) {
    const bool mustLoad = loadPolarDatabase == nullptr || *loadPolarDatabase;
    if (!mustLoad && polar && polar_layout == layout) return 0;
    if (layout == PolarLayout::None) return 0;
    // A reload for the other layout finds the file closed by the last load;
    // the driver opens it only when the load flag is set.
    if ((!mustLoad || !POLAR_FILE.is_open()) && POLAR_FILE.reopen() == nullptr) {
        ERROR_FILE << "Bad polar file: " << POLAR_FILE.path() << "\n";
        except_ = 3;
        return 0;
    }
    // The old tables go before the new ones are read: a failed load must
    // not leave tables of another file or layout behind.
    release_polar_tables();
    read_polar_header__();
    if (except_ != 0) {
        POLAR_FILE.close();
        return 0;
    }
    PolarDims dims = polar_dimensions(layout);
    const std::size_t count = element_count(dims);
    polar.reset(new (std::nothrow) float[count]());
    if (!polar) {
        ERROR_FILE << "\n\n   *** Could not read polar data. Out of memory. ****\n";
        except_ = -1;
        POLAR_FILE.close();
        return 0;
    }
    polar_size = count;
    if (layout == PolarLayout::Performance)
        read_all_perf(nullptr, polar.get(), dims.d[0], dims.d[1], dims.d[2], dims.d[3],
                      dims.d[4], kAcceptedPolarChecksums);
    else
        read_all_des__(nullptr, polar.get(), dims.d[0], dims.d[1], dims.d[2], dims.d[3],
                       dims.d[4], kAcceptedPolarChecksums);
    if (except_ != 0) {
        release_polar_tables();
        return 0;
    }
    polar_layout = layout;
    if (loadPolarDatabase != nullptr) *loadPolarDatabase = false;
    return 0;
}
