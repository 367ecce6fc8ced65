#include "compute/rdhead.h"

#include "compute/binary_file.h"
#include "compute/engine_state.h"
#include "design/except.h"

namespace {

constexpr float kDegToRad = 0.017453294f;  // float32 0x3C8EFA36
constexpr int kHeaderReportLine = 130;

// Count of 0: no data (code 0); negative or above `capacity`: code 1.
void check_count(int32_t count, int capacity) {
    if (count == 0) throw ComputeFailure(0);
    if (count < 0 || count > capacity) throw ComputeFailure(1);
}

struct TruncatedHeader {};

void check_not_short() {
    if (POLAR_FILE.short_read()) throw TruncatedHeader();
}

void read_grid(float* grid, int32_t count) {
    for (int32_t i = 0; i < count; ++i) POLAR_FILE >> grid[i];
    check_not_short();
}

void read_angles(int set) {
    int32_t count = 0;
    POLAR_FILE >> count;
    check_not_short();
    check_count(count, kMaxPolarAngles);
    shape_.NALPHA[set - 1] = count;
    for (int32_t i = 0; i < count; ++i) {
        float degrees = 0.0f;
        POLAR_FILE >> degrees;
        shape_.ALPHADB[i][set - 1] = degrees * kDegToRad;
    }
    check_not_short();
}

}  // namespace

int read_polar_header__() {
    try {
        try {
            int32_t magic = 0;
            POLAR_FILE >> magic;
            check_not_short();
            if (magic != kPolarMagic) throw ComputeFailure(1);

            int32_t counts[4] = {0, 0, 0, 0};
            for (int32_t& c : counts) POLAR_FILE >> c;
            check_not_short();
            for (int32_t c : counts)
                if (c == 0) throw ComputeFailure(0);
            for (int32_t c : counts) check_count(c, kMaxPolarGrid);
            shape_.NMACH = counts[0];
            shape_.NREY = counts[1];
            shape_.NTC = counts[2];
            shape_.NCAMB = counts[3];

            read_grid(shape_.MACHDB, shape_.NMACH);
            read_grid(shape_.REYDB, shape_.NREY);
            read_grid(shape_.TCDB, shape_.NTC);
            read_grid(shape_.CAMBDB, shape_.NCAMB);
            read_angles(1);
            read_angles(2);

            amxum_.AMIN = shape_.ALPHADB[0][0] + 0.001f;
            amxum_.AMAX = shape_.ALPHADB[shape_.NALPHA[0] - 1][0] - 0.001f;
        } catch (const TruncatedHeader&) {
            ComputeFailure(1).PrintMessage("../../compute/rdhead", kHeaderReportLine);
            ERROR_FILE << "\nPolar file " << POLAR_FILE.path()
                       << " ends inside its header.\n";
            except_ = 4;
        }
    } catch (const ComputeFailure& failure) {
        failure.PrintMessage("../../compute/rdhead", kHeaderReportLine);
        except_ = 1;
    }
    return 0;
}
