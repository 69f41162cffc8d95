#include "page/page_text.h"
