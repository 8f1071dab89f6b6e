#include "app/Program.h"

#include "Filter2Resources.h"
#include "app/Unit1.h"
#include "forms/TApplication.h"

#include <exception>

void RegisterProgramResources()
{
    RegisterFilter2Resources();
}

void StartFilter2()
{
    RegisterProgramResources();
    if (!Application)
        Application = new TApplication(nullptr);
    // The window class the desktop entry names (StartupWMClass), so desktops show its icon.
    Application->SetAppId(Filter2AppId);
    Application->Initialize();
    Application->CreateForm(Form1);
}

void StopFilter2()
{
    delete Application;
    Application = nullptr;
    Form1 = nullptr;
}

int RunFilter2()
{
    try {
        StartFilter2();
    } catch (const std::exception& e) {
        const int code = ShowStartupFailure(e);
        StopFilter2();
        return code;
    }
    Application->Run();
    StopFilter2();
    return 0;
}
