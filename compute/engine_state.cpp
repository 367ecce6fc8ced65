#include "compute/engine_state.h"

std::ifstream INI_FILE;
std::ifstream INPUT_FILE;
std::ofstream OUTPUT_FILE;
std::ofstream ERROR_FILE;
std::string root_directory;
bool isStandardAtmosphere = false;
int except_ = 0;
int point_number = 0;
bool loadPolarDatabase = true;
std::unique_ptr<float[]> polar;
std::size_t polar_size = 0;
Get_Design_CLCD* Get_CLCD = nullptr;

S123 s123_{};
Geom geom_{};
Gauss gauss_{};
Gopt1 gopt1_{};
Gopt2 gopt2_{};
Drag drag_{};
Behind behind_{};
Gspec gspec_{};
Shape shape_{};
Amxum amxum_{};
SingleRead singleread_{};
