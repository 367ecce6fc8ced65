#include "design/result_rows.h"

#include "design/getperf.h"

std::vector<ResultRow> ReadResultRows(const std::string& path) {
    std::vector<ResultRow> rows;
    Scan_perf scanner(path, Key{"K  T R R O L I R", 2, 0});
    while (scanner.Search_For_KEY() == 0) {
        try {
            scanner.Position_to_Object();
        } catch (const ScanPositionError&) {
            break;
        }
        if (!scanner.Get_Object()) break;
        rows.push_back(ResultRow{scanner.performance, scanner.value});
    }
    return rows;
}
