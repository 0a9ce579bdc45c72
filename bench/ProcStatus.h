#pragma once
// Figures of this process's status file.
#include <fstream>
#include <string>

// A size of /proc/self/status in KiB ("VmRSS:" the resident memory now,
// "VmHWM:" its peak since the last reset); -1 where it is missing.
inline double ProcStatusKiB(const std::string& Field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(Field, 0) == 0)
            return std::stod(line.substr(Field.size()));
    return -1;
}
