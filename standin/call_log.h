// The stand-in host's record of every call across the module boundary, in
// order, with its arguments, so that tests can compare whole sequences.
#pragma once

#include <string>
#include <vector>

#include "orbiter_api.h"

namespace standin {

struct LoggedCall {
    OBJHANDLE vessel;  // the vessel the call concerns; null for module-wide calls
    std::string text;  // e.g. "SetSize(3.5)", or "> clbkPostCreation()" for host calls
};

class CallLog {
public:
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    void record(OBJHANDLE vessel, std::string text);
    // The same, with a text that is made only while the log is on: the
    // host's hot paths log through this.
    template <typename MakeText>
    void recordLazily(OBJHANDLE vessel, MakeText&& makeText) {
        if (enabled_) calls_.push_back({vessel, makeText()});
    }
    void clear() { calls_.clear(); }

    const std::vector<LoggedCall>& calls() const { return calls_; }
    // The texts of the calls that concern one vessel, in order.
    std::vector<std::string> textsFor(OBJHANDLE vessel) const;
    // The texts of every call whose text starts with the prefix.
    std::vector<std::string> textsStartingWith(const std::string& prefix) const;

private:
    bool enabled_ = true;
    std::vector<LoggedCall> calls_;
};

// Shortest text that reads back as the same double.
std::string formatNumber(double value);
std::string formatVector(const VECTOR3& v);
std::string formatStream(const PARTICLESTREAMSPEC& spec);

}  // namespace standin
