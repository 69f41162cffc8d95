#include "app/main_window.h"

void Form1::cmdApply_Click() {}
