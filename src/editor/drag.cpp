#include "app/main_window.h"

void Form1::WorkSpace_DragOver(PageElement *, float, float) {}
void Form1::WorkSpace_DragDrop(PageElement *, float, float) {}
void Form1::Buttonn_DragOver(int, PageElement *, float, float) {}
void Form1::Labell_DragOver(int, PageElement *, float, float) {}
void Form1::Picturee_DragOver(int, PageElement *, float, float) {}
void Form1::Buttonn_DragDrop(int, PageElement *, float, float) {}
void Form1::Labell_DragDrop(int, PageElement *, float, float) {}
void Form1::Picturee_DragDrop(int, PageElement *, float, float) {}
void Form1::Element_MouseMove(PageElement *) {}
void Form1::elementDragStart(PageElement *) {}
void Form1::elementDragOver(PageElement *, QDragMoveEvent *) {}
void Form1::elementDragDrop(PageElement *, QDropEvent *) {}
