#include "app/main_window.h"

void Form1::Timer1_Timer() {}
