// The summary rows of a result page (a performance run, a map, the final
// analysis of a design): the row two lines below each "K  T R R O L I R"
// heading line, read with the report scanner as the design job reads them.
#pragma once

#include <string>
#include <vector>

#include "design/job_records.h"

struct ResultRow {
    Performance p;
    float efficiency = 0;
};

// Every summary row of the page at `path`, in file order; none when the
// file cannot be read.
std::vector<ResultRow> ReadResultRows(const std::string& path);
