#include "model/EditingOperations.h"
