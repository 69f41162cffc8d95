#include "browser/inet.h"
