#include "bench/RunningProgram.h"

#include "app/Program.h"
#include "app/Unit1.h"
#include "forms/TApplication.h"

#include <memory>
#include <stdexcept>

RunningProgram::RunningProgram()
{
    auto desktop = std::make_unique<platform::HeadlessDesktop>(1024, 768, 96);
    desktop_ = desktop.get();
    platform::InstallDesktop(std::move(desktop));
    StartFilter2();
    Form1->ShowForm();
    Pump();
    if (PresentCount() == 0)
        throw std::runtime_error("the main window presented no frame");
}

RunningProgram::~RunningProgram()
{
    StopFilter2();
    platform::InstallDesktop(nullptr);
}

platform::HeadlessWindow& RunningProgram::Window() const
{
    platform::HeadlessWindow* window = desktop_->FindWindow(Form1->NativeWindow().Id());
    if (!window)
        throw std::runtime_error("the main window has no native window");
    return *window;
}

void RunningProgram::PostEnter()
{
    platform::Event e;
    e.window = Form1->NativeWindow().Id();
    e.key = platform::vk::Return;
    e.type = platform::EventType::KeyDown;
    e.text = "\r";
    desktop_->PostEvent(e);
    e.type = platform::EventType::KeyUp;
    e.text.clear();
    desktop_->PostEvent(e);
}

void RunningProgram::Pump()
{
    // A handler's exception would be shown as a message box by the real loop; a benchmark
    // must not go on measuring after one, so it escapes.
    Application->ProcessMessages();
}
