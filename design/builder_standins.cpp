// Stand-ins for the builders' checking operations until the real checks are
// in: each answers as for invalid data, so that a project set-up enables
// the screens and no run.
#include "design/desutil.h"

int InitSkarvel::Preliminary(const int& /*resolution*/) { return 0; }
int BuildPerformanceFile::Preliminary(const int& /*resolution*/) { return 0; }
int BuildPerformanceFile::Geometry() { return 0; }
int BuildPerformanceFile::Loads_stdAtmos(Operating_Point* /*points*/) { return 0; }
int BuildPerformanceFile::Loads_notStdAtmos(Operating_Point* /*points*/) { return 0; }
int BuildPerformanceFile::Map(const MapType& /*map*/) { return 0; }
int BuildPerformanceFile::Get_Loads(const TEnumPair* /*loadList*/, const int& /*loadListSize*/,
                                    const int32_t* /*units*/, const Loads_Record_stdAtmos& /*row*/,
                                    Operating_Point* /*point*/, const MapType& /*map*/) {
    return 0;
}
int BuildPerformanceFile::Get_Loads(const TEnumPair* /*loadList*/, const int& /*loadListSize*/,
                                    const int32_t* /*units*/,
                                    const Loads_Record_notStdAtmos& /*row*/,
                                    Operating_Point* /*point*/, const MapType& /*map*/) {
    return 0;
}
int BuildPerformanceFile::get_NGAUSS(const float& /*hub*/, const Propeller_geom* /*stations*/,
                                     const int& /*count*/) {
    return 0;
}
int BuildPerformanceFile::get_NGAUSS(const float& /*hub*/, const Loading_Profile* /*stations*/,
                                     const int& /*count*/) {
    return 0;
}
int BuildPerformanceFile::get_NUM(const float& /*hub*/, const Propeller_geom* /*stations*/,
                                  const int& /*resolution*/, const int& /*count*/) {
    return 0;
}
int BuildPerformanceFile::get_NUM(const float& /*hub*/, const Loading_Profile* /*stations*/,
                                  const int& /*resolution*/, const int& /*count*/) {
    return 0;
}
int BuildDesignFile::Preliminary(const int& /*resolution*/) { return 0; }
int BuildDesignFile::Loads_stdAtmos(Operating_Point* /*points*/) { return 0; }
int BuildDesignFile::Detailed() { return 0; }
void BuildDesignFile::SelectDefaults() {}
