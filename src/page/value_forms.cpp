#include "page/value_forms.h"
