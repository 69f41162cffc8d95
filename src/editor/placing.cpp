#include "app/main_window.h"

void Form1::cmdAddButton_Click() {}
void Form1::cmdAddLabel_Click() {}
void Form1::cmdAddPicture_Click() {}
void Form1::WorkSpace_MouseDown(int, int, float, float) {}
void Form1::canvasDragOver(QDragMoveEvent *) {}
void Form1::canvasDragDrop(QDropEvent *) {}
