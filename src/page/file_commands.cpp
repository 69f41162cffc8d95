#include "app/main_window.h"

void Form1::mnuNew_Click() {}
void Form1::mnuOpen_Click() {}
