#include "report.h"

#include <algorithm>
#include <cmath>

#include <nlohmann/json.hpp>

namespace sandbox {
namespace {

const char* eventName(EventKind kind) {
    switch (kind) {
    case EventKind::Created: return "created";
    case EventKind::GroundContact: return "ground_contact";
    case EventKind::RemovalRequested: return "removal_requested";
    case EventKind::Removed: return "removed";
    }
    return "?";
}

std::string vector3(const VECTOR3& v, int decimals) {
    char text[96];
    std::snprintf(text, sizeof text, "(%.*f, %.*f, %.*f)", decimals, v.x, decimals, v.y, decimals,
                  v.z);
    return text;
}

nlohmann::json array(const VECTOR3& v) { return {v.x, v.y, v.z}; }

// A time that may be unset (negative) as a JSON value.
nlohmann::json optionalTime(double time) { return time < 0 ? nlohmann::json() : nlohmann::json(time); }

std::string timeText(double time) {
    if (time < 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", time);
    return text;
}

int removedCount(const ScenarioResult& result) {
    return static_cast<int>(std::count_if(result.debris.begin(), result.debris.end(),
                                          [](const DebrisReport& d) { return d.removedAt >= 0; }));
}

}  // namespace

void printText(std::FILE* out, const RunHeader& header, const ScenarioOptions& options,
               const ScenarioResult& result) {
    std::fprintf(out, "seed %u (replay the release points with --seed %u)\n", header.seed,
                 header.seed);
    std::fprintf(out, "module %s: date \"%s\", version %d\n", header.modulePath.c_str(),
                 header.moduleDate.c_str(), header.moduleVersion);
    std::fprintf(out, "mesh %s\n", result.meshes.c_str());
    std::fprintf(out, "%d debris, %s, step %g s, time limit %g s\n\n", options.debris,
                 options.alone ? "no other vessel" : "beside the vessel 'user'",
                 options.stepLength, options.timeLimit);
    for (const Event& e : result.events) {
        const DebrisReport& d = result.debris[e.debris];
        std::fprintf(out, "%9.3f s  %-9s ", e.time, d.name.c_str());
        switch (e.kind) {
        case EventKind::Created:
            std::fprintf(out, "created at %s, kicked along %s\n", vector3(e.position, 2).c_str(),
                         vector3(d.kick, 0).c_str());
            break;
        case EventKind::GroundContact:
            std::fprintf(out, "touches the ground at %s at %.2f m/s\n",
                         vector3(e.position, 2).c_str(), e.speed);
            break;
        case EventKind::RemovalRequested:
            if (e.rule == "rest")
                std::fprintf(out, "asks to be removed: at rest on the ground, %.2f m/s\n", e.speed);
            else
                std::fprintf(out, "asks to be removed: the shared clock reads %.2f s > 6000 s\n",
                             e.sharedClock);
            break;
        case EventKind::Removed:
            std::fprintf(out, "removed by the host (ovcExit)\n");
            break;
        }
    }
    std::fprintf(out, "\n%-9s  %-12s  %-22s  %-13s  %-11s  %-4s  %s\n", "debris", "kick",
                 "released at", "first contact", "removed", "rule", "last position");
    for (const DebrisReport& d : result.debris)
        std::fprintf(out, "%-9s  %-12s  %-22s  %-13s  %-11s  %-4s  %s\n", d.name.c_str(),
                     vector3(d.kick, 0).c_str(), vector3(d.released, 2).c_str(),
                     timeText(d.firstContact).c_str(), timeText(d.removedAt).c_str(),
                     d.rule.empty() ? "-" : d.rule.c_str(), vector3(d.lastPosition, 2).c_str());
    std::fprintf(out, "\n%d of %d debris removed; %.2f s simulated in %d steps\n",
                 removedCount(result), options.debris, result.endTime, result.steps);
}

void printJsonLines(std::FILE* out, const RunHeader& header, const ScenarioOptions& options,
                    const ScenarioResult& result) {
    auto emit = [out](const nlohmann::json& object) {
        std::fprintf(out, "%s\n", object.dump().c_str());
    };
    emit({{"event", "run"},
          {"seed", header.seed},
          {"module", header.modulePath},
          {"module_date", header.moduleDate},
          {"module_version", header.moduleVersion},
          {"meshes", result.meshes},
          {"debris", options.debris},
          {"alone", options.alone},
          {"step", options.stepLength},
          {"time_limit", options.timeLimit}});
    for (const Event& e : result.events) {
        nlohmann::json object = {{"event", eventName(e.kind)},
                                 {"time", e.time},
                                 {"vessel", result.debris[e.debris].name},
                                 {"position", array(e.position)},
                                 {"speed", e.speed},
                                 {"shared_clock", e.sharedClock}};
        if (e.kind == EventKind::Created) object["direction"] = array(result.debris[e.debris].kick);
        if (e.kind == EventKind::RemovalRequested) object["rule"] = e.rule;
        emit(object);
    }
    for (const DebrisReport& d : result.debris)
        emit({{"event", "summary"},
              {"vessel", d.name},
              {"direction", array(d.kick)},
              {"released", array(d.released)},
              {"first_contact", optionalTime(d.firstContact)},
              {"removed_at", optionalTime(d.removedAt)},
              {"rule", d.rule.empty() ? nlohmann::json() : nlohmann::json(d.rule)},
              {"last_position", array(d.lastPosition)}});
    emit({{"event", "end"},
          {"time", result.endTime},
          {"steps", result.steps},
          {"removed", removedCount(result)}});
}

void writeCsv(std::ostream& out, const ScenarioResult& result) {
    out << "time,vessel,x,y,z,speed\n";
    char line[160];
    for (const DebrisReport& d : result.debris)
        for (const Sample& s : d.trajectory) {
            std::snprintf(line, sizeof line, "%.4f,%s,%.4f,%.4f,%.4f,%.4f\n", s.time,
                          d.name.c_str(), s.position.x, s.position.y, s.position.z, s.speed);
            out << line;
        }
}

namespace {

// One panel of the plot: a value of every debris over time.
struct Panel {
    const char* title;
    const char* unit;
    double (*value)(const Sample&);
    double top;  // pixels from the top of the picture
};

constexpr double kWidth = 800, kPanelHeight = 260, kLeft = 70, kRight = 20;
const char* const kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e",
                                "#8c564b", "#e377c2", "#17becf", "#7f7f7f", "#bcbd22"};

void drawPanel(std::ostream& out, const ScenarioResult& result, const Panel& panel,
               double endTime) {
    double highest = 0;
    for (const DebrisReport& d : result.debris)
        for (const Sample& s : d.trajectory) highest = std::max(highest, panel.value(s));
    if (!(highest > 0)) highest = 1;
    const double plotTop = panel.top + 30, plotHeight = kPanelHeight - 60;
    const double plotWidth = kWidth - kLeft - kRight;
    auto x = [&](double t) { return kLeft + plotWidth * t / endTime; };
    auto y = [&](double v) { return plotTop + plotHeight * (1 - v / highest); };
    char text[512];
    std::snprintf(text, sizeof text,
                  "<text x='%g' y='%g' font-size='14'>%s (%s)</text>\n"
                  "<rect x='%g' y='%g' width='%g' height='%g' fill='none' stroke='#999'/>\n"
                  "<text x='%g' y='%g' font-size='11' text-anchor='end'>%.3g</text>\n"
                  "<text x='%g' y='%g' font-size='11' text-anchor='end'>0</text>\n",
                  kLeft, panel.top + 18, panel.title, panel.unit, kLeft, plotTop, plotWidth,
                  plotHeight, kLeft - 5, plotTop + 10, highest, kLeft - 5, plotTop + plotHeight);
    out << text;
    std::snprintf(text, sizeof text,
                  "<text x='%g' y='%g' font-size='11'>0 s</text>\n"
                  "<text x='%g' y='%g' font-size='11' text-anchor='end'>%.3g s</text>\n",
                  kLeft, plotTop + plotHeight + 15, kLeft + plotWidth, plotTop + plotHeight + 15,
                  endTime);
    out << text;
    for (std::size_t i = 0; i < result.debris.size(); ++i) {
        const DebrisReport& d = result.debris[i];
        if (d.trajectory.empty()) continue;
        const char* colour = kColours[i % (sizeof kColours / sizeof *kColours)];
        out << "<polyline fill='none' stroke='" << colour << "' stroke-width='1.5' points='";
        // At most about one point per pixel column keeps long runs small.
        const std::size_t stride = std::max<std::size_t>(1, d.trajectory.size() / 2000);
        for (std::size_t k = 0; k < d.trajectory.size(); k += stride) {
            std::snprintf(text, sizeof text, "%.1f,%.1f ", x(d.trajectory[k].time),
                          y(panel.value(d.trajectory[k])));
            out << text;
        }
        out << "'/>\n";
        if (d.removedAt >= 0) {
            std::snprintf(text, sizeof text,
                          "<circle cx='%.1f' cy='%.1f' r='4' fill='none' stroke='%s'>"
                          "<title>%s removed at %.2f s (%s rule)</title></circle>\n",
                          x(d.removedAt), y(panel.value(d.trajectory.back())), colour,
                          d.name.c_str(), d.removedAt, d.rule.c_str());
            out << text;
        }
    }
}

}  // namespace

void writeSvg(std::ostream& out, const ScenarioResult& result) {
    const double height = 2 * kPanelHeight + 30;
    const double endTime = result.endTime > 0 ? result.endTime : 1;
    out << "<svg xmlns='http://www.w3.org/2000/svg' width='" << kWidth << "' height='" << height
        << "' font-family='sans-serif'>\n<rect width='100%' height='100%' fill='white'/>\n";
    drawPanel(out, result,
              {"Altitude", "m", [](const Sample& s) { return s.position.y; }, 0}, endTime);
    drawPanel(out, result, {"Speed", "m/s", [](const Sample& s) { return s.speed; }, kPanelHeight},
              endTime);
    double legendX = kLeft;
    for (std::size_t i = 0; i < result.debris.size() && i < 10; ++i) {
        out << "<text x='" << legendX << "' y='" << height - 8 << "' font-size='12' fill='"
            << kColours[i] << "'>" << result.debris[i].name << "</text>\n";
        legendX += 75;
    }
    out << "<text x='" << kWidth - kRight << "' y='" << height - 8
        << "' font-size='12' text-anchor='end'>circles: removals</text>\n</svg>\n";
}

}  // namespace sandbox
