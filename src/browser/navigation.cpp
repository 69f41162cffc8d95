#include "app/main_window.h"

void Form1::Navigate(QString &) {}
void Form1::cmdGo_Click() {}
void Form1::Command3_Click() {}
void Form1::followLink(PageElement *) {}
