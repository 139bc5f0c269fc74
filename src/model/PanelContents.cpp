#include "model/PanelContents.h"
