#include "HeadlessProgram.h"

#include "app/Program.h"
#include "app/Unit1.h"

#include <memory>
#include <stdexcept>

HeadlessProgram::HeadlessProgram(int pixelsPerInch)
{
    auto desktop = std::make_unique<platform::HeadlessDesktop>(1024 * pixelsPerInch / 96, 768 * pixelsPerInch / 96,
                                                               pixelsPerInch);
    desktop_ = desktop.get();
    platform::InstallDesktop(std::move(desktop));
    try {
        StartFilter2();
    } catch (...) {
        // The destructor will not run: leave nothing behind for the next test.
        StopFilter2();
        platform::InstallDesktop(nullptr);
        throw;
    }
    Form1->ShowForm();
}

HeadlessProgram::~HeadlessProgram()
{
    StopFilter2();
    platform::InstallDesktop(nullptr);
}

uint64_t HeadlessProgram::WindowId() const
{
    return Form1->NativeWindow().Id();
}

platform::HeadlessWindow& HeadlessProgram::Window() const
{
    platform::HeadlessWindow* window = desktop_->FindWindow(WindowId());
    if (!window)
        throw std::runtime_error("the main window has no native window");
    return *window;
}
