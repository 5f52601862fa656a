#include "modAppTexts.h"

std::string AppTitle;
std::string AppFolder;
