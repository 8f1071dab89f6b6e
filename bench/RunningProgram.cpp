#include "bench/RunningProgram.h"

#include "forms/TApplication.h"
#include "platform/Desktop.h"

#include <stdexcept>

RunningProgram::RunningProgram()
{
    Pump();
    if (PresentCount() == 0)
        throw std::runtime_error("the main window presented no frame");
}

RunningProgram::~RunningProgram() = default;

void RunningProgram::PostEnter()
{
    platform::Event e;
    e.window = program_.WindowId();
    e.key = platform::vk::Return;
    e.type = platform::EventType::KeyDown;
    e.text = "\r";
    program_.Desktop().PostEvent(e);
    e.type = platform::EventType::KeyUp;
    e.text.clear();
    program_.Desktop().PostEvent(e);
}

void RunningProgram::Pump()
{
    // A handler's exception would be shown as a message box by the real loop; a benchmark
    // must not go on measuring after one, so it escapes.
    Application->ProcessMessages();
}
