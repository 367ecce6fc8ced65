// Placeholder until the host object is implemented.
#include "design/skarvel_main.h"

#include "design/except.h"

skarvelHostInterface* theHostInterface = nullptr;
ReadProject* ProjectData = nullptr;

int getGlobalHandle() { return theHostInterface ? theHostInterface->windowHandle : 0; }

std::string skarvelHostInterface::getRootDir() const { return rootDir; }
