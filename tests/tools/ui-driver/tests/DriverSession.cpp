#include "DriverSession.h"

#include "UiDriver.h"

#include "chart/TChart.h"
#include "chart/TLineSeries.h"
#include "forms/TApplication.h"
#include "forms/TCustomControl.h"
#include "forms/TEdit.h"
#include "forms/TForm.h"
#include "forms/TLabel.h"
#include "forms/TMenuItem.h"
#include "forms/TPopupMenu.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Shows in its text whether the pointer is over it.
class TProbePad : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void MouseEnter() override { SetText("inside"); }
    void MouseLeave() override { SetText("outside"); }
};

template <class T>
T* AddControl(TForm* form, const std::string& name, int left, int top, int width, int height)
{
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    return control;
}

void AddSeries(TForm* form, TChart* chart, const std::string& name, std::initializer_list<std::pair<double, double>> points)
{
    auto* series = new TLineSeries(form);
    series->SetName(name);
    series->SetParentChart(chart);
    for (const auto& [x, y] : points)
        series->AddPointXY(x, y);
}

} // namespace

std::vector<std::string> RunSession(const std::string& script, const std::function<void()>& afterStart)
{
    std::istringstream in(script);
    std::ostringstream out;
    UiDriver driver(in, out, afterStart);
    driver.Run();
    return SplitReplies(out.str());
}

std::vector<std::string> SplitReplies(const std::string& output)
{
    std::vector<std::string> replies;
    std::istringstream lines(output);
    std::string line, reply;
    while (std::getline(lines, line)) {
        if (line == ".") {
            replies.push_back(reply);
            reply.clear();
        } else {
            reply += line + "\n";
        }
    }
    return replies;
}

void OpenProbeWindow()
{
    auto* shelf = new TForm(Application);
    shelf->SetName("Shelf");

    auto* form = new TForm(Application);
    form->SetName("Probe");
    form->SetCaption("Probe window");
    // Beside the main window (139, 137, 746 x 493) where the pointer moves over it.
    form->SetBounds(720, 0, 300, 200);
    form->SetOnClose([](TObject*, TCloseAction& action) { action = caFree; });

    AddControl<TEdit>(form, "ProbeEdit", 10, 10, 120, 21);
    auto* label = AddControl<TLabel>(form, "ProbeLabel", 10, 120, 120, 16);
    auto* pad = AddControl<TProbePad>(form, "ProbePad", 10, 50, 100, 60);
    pad->SetOnMouseMove([label](TObject*, TShiftState, int x, int y) {
        label->SetCaption(std::to_string(x) + "," + std::to_string(y));
    });

    auto* menu = new TPopupMenu(form);
    menu->SetName("ProbeMenu");
    menu->Add("Open", [label](TObject*) { label->SetCaption("opened"); });
    menu->Add("Locked", [label](TObject*) { label->SetCaption("locked"); })->SetEnabled(false);
    menu->Add("-");
    menu->Add("Hidden")->SetVisible(false);
    pad->SetPopupMenu(menu);

    auto* chart = AddControl<TChart>(form, "ProbeChart", 140, 10, 150, 150);
    AddSeries(form, chart, "ProbeSeries0", {{1, 10}, {2, 20}});
    AddSeries(form, chart, "ProbeSeries1", {{1, -1}, {2, -2}, {3, -3}});

    form->ShowForm();
}

std::vector<JsonValue> JsonLines(const std::string& reply)
{
    std::vector<JsonValue> lines;
    std::istringstream in(reply);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(JsonValue::Parse(line));
    return lines;
}

JsonValue Described(const std::string& dump, const std::string& name)
{
    for (JsonValue& line : JsonLines(dump))
        if (line["name"].String() == name)
            return line;
    ADD_FAILURE() << "the dump does not describe " << name << ":\n" << dump;
    return JsonValue::Parse("{}");
}
