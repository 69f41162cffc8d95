#include "app/main_window.h"

void Form1::Buttonn_Click(int) {}
void Form1::Buttonn_MouseDown(int, int, int, float, float) {}
void Form1::Labell_Click(int) {}
void Form1::Picturee_Click(int) {}
