#include "i18n/TextCatalogue.h"
