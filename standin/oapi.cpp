// The host's free functions, as a module calls them.
#include <cstdio>
#include <cstring>

#include "host.h"

using standin::host;

namespace {

// "Oct 29 2011" as 20111029; 0 for text that is not such a date.
int dateAsNumber(const char* date) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char month[4] = {};
    int day = 0, year = 0;
    if (!date || std::sscanf(date, "%3s %d %d", month, &day, &year) != 3) return 0;
    for (int m = 0; m < 12; ++m)
        if (std::strcmp(month, months[m]) == 0 && day >= 1 && day <= 31 && year > 0)
            return year * 10000 + (m + 1) * 100 + day;
    return 0;
}

OBJHANDLE callerHandle() {
    standin::Vessel* current = host().current();
    return current ? current->handle : nullptr;
}

}  // namespace

unsigned int oapiGetVesselCount() {
    host().log().recordLazily(callerHandle(), [] { return std::string("oapiGetVesselCount()"); });
    return host().vesselCount();
}

bool oapiDeleteVessel(OBJHANDLE vessel, OBJHANDLE focusSuccessor) {
    host().log().recordLazily(callerHandle(), [&] {
        return "oapiDeleteVessel(" + host().describe(vessel) + ", " +
               host().describe(focusSuccessor) + ")";
    });
    return host().requestRemoval(vessel);
}

void InitLib(HINSTANCE module) {
    host().log().record(nullptr, "InitLib()");
    host().initLibCalls.push_back(module);
}

int Date2Int(const char* date) {
    host().log().record(nullptr, std::string("Date2Int(\"") + (date ? date : "") + "\")");
    return host().date2IntAnswer ? *host().date2IntAnswer : dateAsNumber(date);
}
