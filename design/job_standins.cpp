// Stand-ins for the running operations of the builders until the jobs are
// in: each writes a notice that the job is not available and answers 0.
#include "design/desutil.h"
#include "design/except.h"

namespace {

constexpr const char* kSource = "../../design/job_standins";

int NotAvailable(const char* operation, int line) {
    const std::string message = std::string(operation) + " is not available in this build";
    MessageBoxFyi(getGlobalHandle(), message.c_str(), nullptr, 0, kSource, line);
    return 0;
}

}  // namespace

int BuildPerformanceFile::Generate(Dialog_Choice& /*choice*/, MapType /*map*/,
                                   const Operating_Point* /*points*/, bool /*isStdAtmos*/) {
    return NotAvailable("BuildPerformanceFile::Generate", __LINE__);
}

int BuildPerformanceFile::CalculatePoints(int& /*count*/, const std::string& /*deckPath*/,
                                          const Operating_Point* /*points*/,
                                          const Options* /*options*/,
                                          const std::string& /*resultPath*/, bool /*isStdAtmos*/) {
    return NotAvailable("BuildPerformanceFile::CalculatePoints", __LINE__);
}

std::string BuildPerformanceFile::PopUpResult() {
    NotAvailable("BuildPerformanceFile::PopUpResult", __LINE__);
    return resultPath;
}

int BuildDesignFile::GenerateGeometry(BuildPerformanceFile* /*performance*/, int /*n*/,
                                      Operating_Point* /*points*/, bool /*isStdAtmos*/) {
    return NotAvailable("BuildDesignFile::GenerateGeometry", __LINE__);
}
