#include "device/DeviceImageCodec.h"
