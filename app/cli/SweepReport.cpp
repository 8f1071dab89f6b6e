#include "app/cli/SweepReport.h"

#include "app/cli/JsonWriter.h"
#include "app/cli/SectionChoice.h"
#include "app/design/ResponseSweep.h"
#include "app/design/Section.h"

#include <fmt/format.h>

#include <cmath>

namespace cli {

std::vector<double> LogGrid(double f1, double f2, int n)
{
    std::vector<double> grid(static_cast<size_t>(n));
    const double span = std::log(f2 / f1);
    for (int i = 0; i < n; ++i)
        grid[static_cast<size_t>(i)] = f1 * std::exp(span * i / (n - 1));
    if (n > 1)
        grid.back() = f2;
    return grid;
}

namespace {

std::vector<TSweepPoint> Evaluate(const design::TSection& section, const std::vector<double>& grid)
{
    std::vector<TSweepPoint> points;
    points.reserve(grid.size());
    for (double hz : grid) {
        const design::TResponsePoint p = section.At(hz);
        points.push_back(TSweepPoint{hz, p.magnitudeDb, p.phaseDeg, p.groupDelayS});
    }
    return points;
}

void RowsCsv(std::string& out, const char* name, const std::vector<TSweepPoint>& points, bool detailed)
{
    for (size_t i = 0; i < points.size(); ++i) {
        const TSweepPoint& p = points[i];
        if (detailed)
            out += fmt::format("{},{},{},{},{},{}\n", name, i + 1, p.hz, p.gainDb, p.phaseDeg, p.groupDelayS);
        else
            out += fmt::format("{},{},{},{}\n", name, i + 1, p.hz, p.gainDb);
    }
}

void RowsJson(TJsonWriter& json, const char* name, const std::vector<TSweepPoint>& points, bool detailed)
{
    json.Key(name).BeginArray();
    for (const TSweepPoint& p : points) {
        json.BeginObject().Key("frequency_hz").Value(p.hz).Key("gain_db").Value(p.gainDb);
        if (detailed)
            json.Key("phase_deg").Value(p.phaseDeg).Key("group_delay_s").Value(p.groupDelayS);
        json.EndObject();
    }
    json.EndArray();
}

} // namespace

TSweepResult ComputeSweep(const TRequest& request)
{
    TSweepResult result;
    const design::TSection lowPass = design::TSection::LowPass(LowPassPartsFor(request), request.opAmp);
    const design::TSection highPass = design::TSection::HighPass(HighPassPartsFor(request), request.opAmp);
    if (request.customSweep) {
        result.detailed = true;
        const std::vector<double> grid = LogGrid(request.fromHz, request.toHz, request.points);
        result.lowPass = Evaluate(lowPass, grid);
        result.highPass = Evaluate(highPass, grid);
        return result;
    }
    // The window's grids, in Hz.
    design::TResponseSweep window;
    design::ComputeResponseSweep(request.fcHz, request.window.q, window);
    const std::vector<double> lowGrid(window.lowPassFreq.begin(), window.lowPassFreq.end());
    const std::vector<double> highGrid(window.highPassFreq.begin(), window.highPassFreq.end());
    if (request.opAmp.Ideal() && request.values == TPartValues::Exact) {
        // The window's own curves, to the last bit.
        for (int i = 0; i < design::TResponseSweep::PointCount; ++i) {
            result.lowPass.push_back(TSweepPoint{window.lowPassFreq[i], window.lowPassGain[i]});
            result.highPass.push_back(TSweepPoint{window.highPassFreq[i], window.highPassGain[i]});
        }
        return result;
    }
    result.lowPass = Evaluate(lowPass, lowGrid);
    result.highPass = Evaluate(highPass, highGrid);
    return result;
}

std::string SweepCsv(const TSweepResult& sweep)
{
    std::string out = sweep.detailed ? "section,index,frequency_hz,gain_db,phase_deg,group_delay_s\n"
                                     : "section,index,frequency_hz,gain_db\n";
    RowsCsv(out, "lowpass", sweep.lowPass, sweep.detailed);
    RowsCsv(out, "highpass", sweep.highPass, sweep.detailed);
    return out;
}

std::string SweepJson(const TSweepResult& sweep, const TRequest& request)
{
    TJsonWriter json;
    json.BeginObject();
    json.Key("input").BeginObject().Key("fc_hz").Value(request.fcHz).Key("q").Value(request.window.q);
    if (request.opAmp.Ideal())
        json.Key("gbw_hz").Null();
    else
        json.Key("gbw_hz").Value(request.opAmp.gbwHz);
    json.EndObject();
    RowsJson(json, "lowpass", sweep.lowPass, sweep.detailed);
    RowsJson(json, "highpass", sweep.highPass, sweep.detailed);
    json.EndObject();
    return json.Text();
}

} // namespace cli
