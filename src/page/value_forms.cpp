#include "page/value_forms.h"

// Implemented with the page file format.
