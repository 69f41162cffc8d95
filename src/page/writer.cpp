#include "app/main_window.h"

void Form1::mnuSave_Click() {}
