#include "app/main_window.h"

void Form1::pctWorkColor_Click() {}
void Form1::pctLabelForeColor_Click() {}
void Form1::pctLabelBackColor_Click() {}
