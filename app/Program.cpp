#include "app/Program.h"

#include "Filter2Resources.h"
#include "app/MainWindowDetails.h"
#include "app/details/TDetailsForm.h"
#include "app/Unit1.h"
#include "forms/TApplication.h"
#include "platform/Desktop.h"

#include <errno.h>

#include <cstdio>
#include <exception>

void RegisterProgramResources()
{
    RegisterFilter2Resources();
    TDetailsForm::RegisterResources();
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
    MainWindowDetails = new TMainWindowDetails(Application, *Form1);
}

void StopFilter2()
{
    delete Application;
    Application = nullptr;
    Form1 = nullptr;
    MainWindowDetails = nullptr;
}

int RunFilter2()
{
    try {
        StartFilter2();
    } catch (const platform::EDisplayError& e) {
        // No box can be shown without a display: one line where the user started the program.
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, e.what());
        StopFilter2();
        return 1;
    } catch (const std::exception& e) {
        const int code = ShowStartupFailure(e);
        StopFilter2();
        return code;
    }
    Application->Run();
    StopFilter2();
    return 0;
}
