#include "call_log.h"

#include <charconv>

namespace standin {

void CallLog::record(OBJHANDLE vessel, std::string text) {
    if (enabled_) calls_.push_back({vessel, std::move(text)});
}

std::vector<std::string> CallLog::textsFor(OBJHANDLE vessel) const {
    std::vector<std::string> texts;
    for (const LoggedCall& call : calls_)
        if (call.vessel == vessel) texts.push_back(call.text);
    return texts;
}

std::vector<std::string> CallLog::textsStartingWith(const std::string& prefix) const {
    std::vector<std::string> texts;
    for (const LoggedCall& call : calls_)
        if (call.text.compare(0, prefix.size(), prefix) == 0) texts.push_back(call.text);
    return texts;
}

std::string formatNumber(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatVector(const VECTOR3& v) {
    return "(" + formatNumber(v.x) + ", " + formatNumber(v.y) + ", " + formatNumber(v.z) + ")";
}

std::string formatStream(const PARTICLESTREAMSPEC& s) {
    return "{flags=" + std::to_string(s.flags) + " size=" + formatNumber(s.size) +
           " rate=" + formatNumber(s.rate) + " speed=" + formatNumber(s.speed) +
           " spread=" + formatNumber(s.speedSpread) + " lifetime=" + formatNumber(s.lifetime) +
           " growth=" + formatNumber(s.growthRate) + " slowdown=" + formatNumber(s.atmosSlowdown) +
           " lighting=" + std::to_string(s.lighting) + " levelmap=" + std::to_string(s.levelMap) +
           " level=[" + formatNumber(s.levelMin) + "," + formatNumber(s.levelMax) +
           "] atmosmap=" + std::to_string(s.atmosMap) + " atmos=[" + formatNumber(s.atmosMin) +
           "," + formatNumber(s.atmosMax) + "] texture=" + (s.texture ? "set" : "null") + "}";
}

}  // namespace standin
