// ui-driver: the real program on the headless desktop, driven by commands on standard input.

#include "UiDriver.h"

#include <iostream>

int main()
{
    UiDriver driver(std::cin, std::cout);
    return driver.Run();
}
