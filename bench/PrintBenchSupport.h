#pragma once
// What the print benchmarks share: a program directory of their own (offscreen fonts), address
// files of numbered people with full postal addresses, and the process's resident sizes.

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QGuiApplication>

#include "core/AddressFileLayout.h"
#include "platform/Result.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"

namespace corvane::bench {

inline void Check(const Status& status)
{
    if (!status) {
        std::fprintf(stderr, "bench: %s\n", status.Message().c_str());
        std::abort();
    }
}

// A program directory of its own, with fonts available (offscreen).
inline const std::string& Home()
{
    static const std::string home = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "corvane-print-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        setenv("CORVANE_HOME", pattern.c_str(), 1);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "print_bench";
        static char* argv[] = {name, nullptr};
        // Another benchmark of the program may have made the application already.
        if (!QGuiApplication::instance())
            new QGuiApplication(argc, argv);
        // The address files are large: the folder goes when the benchmark ends.
        static const struct Remover {
            std::string Folder;
            ~Remover()
            {
                std::error_code error;
                std::filesystem::remove_all(Folder, error);
            }
        } remover{pattern};
        return pattern + "/";
    }();
    return home;
}

// An address file of `count` people with full postal addresses, made once per size.
inline std::string AddressFile(int count)
{
    const std::string path = Home() + "mail" + std::to_string(count) + ".dbf";
    if (std::filesystem::exists(path))
        return path;
    Check(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
    xbase::Table table;
    Check(table.Open(path));
    static const char* const streets[] = {"Main St", "Oak Ave", "Maple Dr", "Cedar Ln", "Elm St", "Pine Rd"};
    static const char* const cities[] = {"Albany", "Utica", "Troy", "Ithaca", "Elmira", "Geneva", "Oneonta"};
    for (int i = 0; i < count; ++i) {
        Check(table.AppendBlank());
        const std::string number = std::to_string(i);
        Check(table.PutField("FNAME", "Given" + std::to_string(i % 97)));
        Check(table.PutField("LNAME", "Family" + number));
        Check(table.PutField("STREET", std::to_string(100 + i % 900) + " " + streets[i % 6]));
        Check(table.PutField("CITY", cities[i % 7]));
        Check(table.PutField("STATE", "NY"));
        char zip[8];
        std::snprintf(zip, sizeof zip, "%05d", 10000 + (i * 7919) % 89999);
        Check(table.PutField("ZIP", zip));
    }
    Check(table.Close());
    return path;
}

// Starts the process's peak resident size afresh from what it uses now (Linux: clear_refs 5).
inline void ResetPeakResident()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A size line of /proc/self/status ("VmHWM:" the peak since the last reset, "VmRSS:" now,
// "RssAnon:" the anonymous part of it now).
inline double StatusMegabytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) / 1024.0;
    }
    return 0;
}

} // namespace corvane::bench
