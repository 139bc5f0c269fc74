#include "config/ModeSetFile.h"
