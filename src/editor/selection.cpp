#include "app/main_window.h"

void Form1::Buttonn_Click(int index)
{
    if (BrowserMode)
        followLink(button(index));
}

void Form1::Buttonn_MouseDown(int, int, int, float, float) {}

void Form1::Labell_Click(int index)
{
    if (BrowserMode)
        followLink(label(index));
}

void Form1::Picturee_Click(int index)
{
    if (BrowserMode)
        followLink(picture(index));
}
