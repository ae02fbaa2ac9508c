// How every benchmark ends: one line per goal.
#pragma once

#include <cstdio>
#include <string>

// One goal: what was measured, against what, the figure, and whether the goal is met.
inline void printGoal(const std::string& what, const std::string& against,
                      const std::string& figure, const std::string& goal, bool met) {
    std::printf("%s, against %s: %s -- goal %s: %s\n", what.c_str(), against.c_str(),
                figure.c_str(), goal.c_str(), met ? "met" : "NOT met");
}

template <class... Args> std::string format(const char* fmt, Args... args) {
    char buf[200];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}
