#include "app/cli/DesignReport.h"

#include "app/cli/JsonWriter.h"
#include "app/design/Section.h"
#include "app/design/ValueText.h"

#include <fmt/format.h>

#include <cmath>

namespace cli {

namespace {

std::string Comma(std::string text)
{
    for (char& ch : text)
        if (ch == '.')
            ch = ',';
    return text;
}

std::string Percent(double pct)
{
    return Comma(fmt::format("{:+.2f} %", pct));
}

std::string FcQ(double fcHz, double q)
{
    return fmt::format("fc {}, Q {}", design::EngineeringText(fcHz, "Hz", 5), Comma(fmt::format("{:.4f}", q)));
}

std::string PairText(const design::TStandardPair& pair, const char* a, const char* b, const char* unit, int digits)
{
    return fmt::format("{} {}, {} {}: {} ({} fc, {} Q)", a, design::EngineeringText(pair.first, unit, digits), b,
                       design::EngineeringText(pair.second, unit, digits), FcQ(pair.fcHz, pair.q),
                       Percent(pair.fcErrorPct), Percent(pair.qErrorPct));
}

std::string LabelLine(const char* name, const design::TShownPart& part, const char* unit)
{
    std::string shown = part.label ? part.label->value + " " + part.label->unit
                                   : std::string("(not shown)");
    if (part.marked)
        shown += " <-- ?";
    return fmt::format("  {} = {:<17}exact {}\n", name, shown, design::EngineeringText(part.value, unit));
}

void SectionText(std::string& out, const TSectionReport& s, const char* a, const char* b, const char* unit)
{
    out += LabelLine(a, s.first, unit);
    out += LabelLine(b, s.second, unit);
    out += fmt::format("  {:<22}{}\n", "as computed", FcQ(s.idealFcHz, s.idealQ));
    out += fmt::format("  {:<22}{}\n", fmt::format("nearest {} values", s.series),
                       PairText(s.nearest, a, b, unit, s.seriesDigits));
    out += fmt::format("  {:<22}{}\n", fmt::format("best {} pair", s.series), PairText(s.best, a, b, unit, s.seriesDigits));
    if (s.opAmp)
        out += fmt::format("  {:<22}{} ({} fc, {} Q)\n",
                           fmt::format("with GBW {}", design::EngineeringText(s.opAmp->gbwHz, "Hz", 3)),
                           FcQ(s.opAmp->fcHz, s.opAmp->q), Percent(s.opAmp->fcErrorPct), Percent(s.opAmp->qErrorPct));
    if (std::isfinite(s.gbwNeededHz))
        out += fmt::format("  {:<22}{} (fc and Q within 1 %)\n", "op-amp GBW needed",
                           design::EngineeringText(s.gbwNeededHz, "Hz", 3));
    else
        out += fmt::format("  {:<22}none keeps fc and Q within 1 % with this open-loop gain\n", "op-amp GBW needed");
}

void PartJson(TJsonWriter& json, const char* name, const char* quantity, const design::TShownPart& part)
{
    json.Key(name).BeginObject().Key(quantity).Value(part.value);
    if (part.label)
        json.Key("shown").Value(part.label->value).Key("unit").Value(part.label->unit);
    else
        json.Key("shown").Null().Key("unit").Null();
    json.Key("marked").Value(part.marked).EndObject();
}

void PairJson(TJsonWriter& json, const char* key, const char* series, const design::TStandardPair& pair,
              const char* a, const char* b)
{
    json.Key(key).BeginObject();
    json.Key("series").Value(series).Key(a).Value(pair.first).Key(b).Value(pair.second);
    json.Key("fc_hz").Value(pair.fcHz).Key("q").Value(pair.q);
    json.Key("fc_error_pct").Value(pair.fcErrorPct).Key("q_error_pct").Value(pair.qErrorPct);
    json.EndObject();
}

void SectionJson(TJsonWriter& json, const TSectionReport& s, const char* a, const char* b, const char* quantity,
                 const TRequest& request)
{
    PartJson(json, a, quantity, s.first);
    PartJson(json, b, quantity, s.second);
    json.Key("fc_hz").Value(s.idealFcHz).Key("q").Value(s.idealQ);
    PairJson(json, "nearest", s.series, s.nearest, a, b);
    PairJson(json, "standard", s.series, s.best, a, b);
    json.Key("gbw_needed_hz").Value(s.gbwNeededHz);
    if (s.opAmp) {
        json.Key("opamp").BeginObject();
        json.Key("gbw_hz").Value(s.opAmp->gbwHz).Key("a0").Value(request.opAmp.a0);
        json.Key("fc_hz").Value(s.opAmp->fcHz).Key("q").Value(s.opAmp->q);
        json.Key("fc_error_pct").Value(s.opAmp->fcErrorPct).Key("q_error_pct").Value(s.opAmp->qErrorPct);
        json.Key("gbw_needed_hz").Value(s.gbwNeededHz);
        json.EndObject();
    }
}

// What a section's report says alike for both kinds: the ideal fc and Q of its computed parts
// and the series its standard values come from.
void DescribeIdeal(TSectionReport& report, const design::TSection& section, const design::TStandardSeries& series)
{
    report.idealFcHz = section.NaturalFrequencyHz();
    report.idealQ = section.Q();
    report.series = series.Name();
    report.seriesDigits = series.Digits();
}

} // namespace

TDesignReport ComputeDesignReport(const TRequest& request)
{
    TDesignReport report;
    report.request = request;
    const design::TWindowDesign& d = report.window = design::DesignAsWindow(request.window);
    const double fc = request.fcHz, q = request.window.q, r = request.window.r, c = request.window.c;

    TSectionReport& lp = report.lowPass;
    lp.first = d.c1;
    lp.second = d.c2;
    const design::TLowPassParts lowParts = design::LowPassParts(d, r);
    const design::TSection lowSection = design::TSection::LowPass(lowParts);
    DescribeIdeal(lp, lowSection, request.capSeries);
    lp.nearest = design::NearestLowPassPair(fc, q, r, d.components.c1, d.components.c2, request.capSeries);
    lp.best = design::BestLowPassPair(fc, q, r, d.components.c1, d.components.c2, request.capSeries);
    lp.gbwNeededHz = design::LowPassGbwNeeded(lowParts, request.opAmp.a0);

    TSectionReport& hp = report.highPass;
    hp.first = d.r1;
    hp.second = d.r2;
    const design::THighPassParts highParts = design::HighPassParts(d, c);
    const design::TSection highSection = design::TSection::HighPass(highParts);
    DescribeIdeal(hp, highSection, request.resSeries);
    hp.nearest = design::NearestHighPassPair(fc, q, c, d.components.r1, d.components.r2, request.resSeries);
    hp.best = design::BestHighPassPair(fc, q, c, d.components.r1, d.components.r2, request.resSeries);
    hp.gbwNeededHz = design::HighPassGbwNeeded(highParts, request.opAmp.a0);

    if (!request.opAmp.Ideal()) {
        lp.opAmp = design::LowPassOpAmpEffect(lowParts, request.opAmp);
        hp.opAmp = design::HighPassOpAmpEffect(highParts, request.opAmp);
    }
    return report;
}

std::string DesignText(const TDesignReport& report)
{
    const TRequest& r = report.request;
    std::string out = fmt::format("fc {} {}, Q {}{}, R {} {}, C {} {}\n", r.fcEntry.text, r.fcEntry.unit, r.qEntry.text,
                                  r.family ? fmt::format(" ({})", r.family->name) : std::string(), r.rEntry.text,
                                  r.rEntry.unit, r.cEntry.text, r.cEntry.unit);
    out += fmt::format("\nLow-pass section: R = {} twice\n", design::EngineeringText(r.window.r, "Ohm"));
    SectionText(out, report.lowPass, "C1", "C2", "F");
    out += fmt::format("\nHigh-pass section: C = {} twice\n", design::EngineeringText(r.window.c, "F"));
    SectionText(out, report.highPass, "R1", "R2", "Ohm");
    return out;
}

std::string DesignJson(const TDesignReport& report)
{
    const TRequest& r = report.request;
    TJsonWriter json;
    json.BeginObject();
    json.Key("input").BeginObject();
    json.Key("fc_hz").Value(r.fcHz).Key("q").Value(r.window.q).Key("r_ohm").Value(r.window.r);
    json.Key("c_farad").Value(r.window.c);
    if (r.family)
        json.Key("family").Value(r.family->name);
    else
        json.Key("family").Null();
    json.Key("window").BeginObject();
    json.Key("fc").Value(r.fcEntry.text).Key("fc_unit").Value(r.fcEntry.unit);
    json.Key("q").Value(r.qEntry.text);
    json.Key("r").Value(r.rEntry.text).Key("r_unit").Value(r.rEntry.unit);
    json.Key("c").Value(r.cEntry.text).Key("c_unit").Value(r.cEntry.unit);
    json.EndObject();
    json.EndObject();
    json.Key("lowpass").BeginObject();
    SectionJson(json, report.lowPass, "C1", "C2", "farad", r);
    json.EndObject();
    json.Key("highpass").BeginObject();
    SectionJson(json, report.highPass, "R1", "R2", "ohm", r);
    json.EndObject();
    json.EndObject();
    return json.Text();
}

} // namespace cli
