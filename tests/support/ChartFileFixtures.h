#pragma once
// Writes companion files of chart files for tests: the fields as the files
// store them (Str 256 bytes, Int32 and Real little-endian) and whole records.
// Texts are Windows-1251.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace chartfiles {

inline std::string Str(const std::string& S)
{
    std::string f(256, '\xCC'); // padding is never read
    f[0] = static_cast<char>(S.size());
    f.replace(1, S.size(), S);
    return f;
}

inline std::string Int32(int32_t V)
{
    std::string f(4, '\0');
    for (int i = 0; i < 4; ++i)
        f[i] = static_cast<char>((static_cast<uint32_t>(V) >> (8 * i)) & 0xFF);
    return f;
}

inline std::string Real(double V)
{
    uint64_t u = 0;
    std::memcpy(&u, &V, 8);
    std::string f(8, '\0');
    for (int i = 0; i < 8; ++i)
        f[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    return f;
}

struct ChartListRecord {
    std::string Title;
    std::vector<std::string> Lines;
    std::string Caption, CodingVerdict, RhythmVerdict;
    std::optional<int32_t> Count; // as written; by default the number of lines
};

inline std::string Bytes(const ChartListRecord& R)
{
    std::string b = Str(R.Title) + Int32(R.Count.value_or(static_cast<int32_t>(R.Lines.size())));
    for (const std::string& l : R.Lines)
        b += Str(l);
    return b + Str(R.Caption) + Str(R.CodingVerdict) + Str(R.RhythmVerdict);
}

struct ListPageRecord {
    std::string Title, Marker;
    std::vector<std::pair<std::string, double>> Scales; // name, value
    std::vector<std::pair<double, std::string>> Sounds; // deviation, line
    std::vector<std::string> Lines = { "", "", "", "", "" };
    std::optional<int32_t> ScaleCount, SoundCount; // as written; by default the entries' numbers
};

inline std::string Bytes(const ListPageRecord& R)
{
    std::string b = Str(R.Title) + Str(R.Marker);
    b += Int32(R.ScaleCount.value_or(static_cast<int32_t>(R.Scales.size())));
    for (const auto& [name, value] : R.Scales)
        b += Str(name) + Real(value);
    b += Int32(R.SoundCount.value_or(static_cast<int32_t>(R.Sounds.size())));
    for (const auto& [z, line] : R.Sounds)
        b += Real(z) + Str(line);
    for (const std::string& l : R.Lines)
        b += Str(l);
    return b;
}

// Tab caption, then the five legend captions.
inline std::string LegendBytes(const std::vector<std::string>& Texts)
{
    std::string b;
    for (const std::string& t : Texts)
        b += Str(t);
    return b;
}

inline void WriteFile(const std::string& HostName, const std::string& Bytes)
{
    std::ofstream(HostName, std::ios::binary) << Bytes;
}

} // namespace chartfiles
