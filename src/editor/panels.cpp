#include "app/main_window.h"

void Form1::createPanelFields() {}
