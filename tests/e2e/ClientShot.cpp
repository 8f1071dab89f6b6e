#include "tests/e2e/ClientShot.h"

using namespace platform;

bool IsRed(Pixel p) { return PixelRed(p) > 200 && PixelGreen(p) < 60 && PixelBlue(p) < 60; }
bool IsBlue(Pixel p) { return PixelRed(p) < 60 && PixelGreen(p) < 60 && PixelBlue(p) > 200; }
bool IsYellow(Pixel p) { return PixelRed(p) > 200 && PixelGreen(p) > 200 && PixelBlue(p) < 60; }
bool IsWhite(Pixel p) { return PixelRed(p) > 245 && PixelGreen(p) > 245 && PixelBlue(p) > 245; }
bool IsBlack(Pixel p) { return PixelRed(p) < 20 && PixelGreen(p) < 20 && PixelBlue(p) < 20; }
bool IsDark(Pixel p) { return PixelRed(p) < 80 && PixelGreen(p) < 80 && PixelBlue(p) < 80; }
bool IsMaroon(Pixel p)
{
    // Full-strength maroon is (128, 0, 0); anti-aliased edges blend it with the grey face,
    // so only pixels that are clearly red-dominant and dark count.
    return PixelRed(p) >= 100 && PixelRed(p) <= 170 && PixelGreen(p) < 60 && PixelBlue(p) < 60;
}

ClientShot::ClientShot(Raster screen, Rect client, std::string path)
    : screen_(std::move(screen)), client_(client), path_(std::move(path))
{
}

Pixel ClientShot::At(int x, int y) const
{
    Point p{client_.left + x, client_.top + y};
    return screen_.Bounds().Contains(p) ? screen_.At(p.x, p.y) : MakePixel(0, 0, 0, 0);
}

Rect ClientShot::Cut(const ClientRect& c) const
{
    Rect r{client_.left + c.left, client_.top + c.top, client_.left + c.left + c.width, client_.top + c.top + c.height};
    return r.Intersect(client_).Intersect(screen_.Bounds());
}

int ClientShot::Count(const ClientRect& c, const PixelTest& test) const
{
    Rect r = Cut(c);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += test(screen_.At(x, y)) ? 1 : 0;
    return n;
}

double ClientShot::Share(const ClientRect& c, const PixelTest& test) const
{
    Rect r = Cut(c);
    long area = long(r.Width()) * r.Height();
    return area > 0 ? double(Count(c, test)) / double(area) : 0.0;
}

bool ClientShot::SameAs(const ClientShot& other, const ClientRect& c) const
{
    if (Cut(c).IsEmpty())
        return false;
    for (int y = c.top; y < c.top + c.height; ++y)
        for (int x = c.left; x < c.left + c.width; ++x)
            if (At(x, y) != other.At(x, y))
                return false;
    return true;
}
