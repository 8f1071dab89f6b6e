#pragma once
// A rectangle in client coordinates of the program's window: left, top, width, height.

struct ClientRect {
    int left;
    int top;
    int width;
    int height;
    int CentreX() const { return left + width / 2; }
    int CentreY() const { return top + height / 2; }
    // The rectangle shrunk by d on every side.
    ClientRect Inset(int d) const { return {left + d, top + d, width - 2 * d, height - 2 * d}; }
};
