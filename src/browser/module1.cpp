#include "browser/module1.h"
