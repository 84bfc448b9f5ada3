// How the sandbox shows a run: a timeline and a summary for people, JSON
// lines for scripts, CSV trajectories and an SVG plot.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>

#include "scenario.h"

namespace sandbox {

struct RunHeader {
    unsigned seed;
    std::string modulePath;
    std::string moduleDate;
    int moduleVersion;
};

void printText(std::FILE* out, const RunHeader& header, const ScenarioOptions& options,
               const ScenarioResult& result);
// One JSON object per line: the run, then every event, then one summary per debris.
void printJsonLines(std::FILE* out, const RunHeader& header, const ScenarioOptions& options,
                    const ScenarioResult& result);
void writeCsv(std::ostream& out, const ScenarioResult& result);
void writeSvg(std::ostream& out, const ScenarioResult& result);

}  // namespace sandbox
