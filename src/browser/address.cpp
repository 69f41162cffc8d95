#include "browser/address.h"
